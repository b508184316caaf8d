#pragma once

#include <QFont>

#include "ui/design.h"

namespace ui::qt {

// The design's font, sized in pixels so that it scales together with the geometry.
QFont FontFor(const FontDesign& font);

}  // namespace ui::qt
