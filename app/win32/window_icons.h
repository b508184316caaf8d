#pragma once

#include <windows.h>

#include "ui/win32/win32_engine.h"

// The program's icon for its windows, from its resources.
ui::win32::Icons LoadWindowIcons(HINSTANCE instance);
