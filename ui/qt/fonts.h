#pragma once

#include <QFont>

#include <thread>

#include "ui/design.h"

namespace ui::qt {

// The design's font, sized in pixels so that it scales together with the geometry.
QFont FontFor(const FontDesign& font);

// Fontconfig's configuration and its cache of the installed fonts read on a thread of their own,
// some milliseconds of work that would otherwise wait for the first window's first font: started
// before Qt connects to the display, joined once it has.
std::jthread ReadFontConfiguration();

}  // namespace ui::qt
