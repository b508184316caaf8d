#pragma once

// The sizing rules: number/text conversions, the acceptance check, the two formulas and the
// requests of the main window. Standard C++ only, so that every front end shares them.

#include "sizing/conversions.h"
#include "sizing/errors.h"
#include "sizing/formulas.h"
#include "sizing/requests.h"
