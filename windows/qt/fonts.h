#pragma once

#include <QFont>

#include "windows/design.h"

namespace windows::qt {

// The design's font, sized in pixels so that it scales together with the geometry.
QFont FontFor(const FontDesign& font);

}  // namespace windows::qt
