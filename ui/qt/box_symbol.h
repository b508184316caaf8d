#pragma once

#include <QPixmap>

#include "ui/engine.h"

namespace ui::qt {

// A box's symbol drawn at the device pixel ratio, so that it stays crisp at any scale: a yellow
// triangle with an exclamation mark for a warning, a red disc with a cross for an error, from the
// drawings the page's boxes show too (ui/symbols).
QPixmap BoxSymbol(MessageIcon icon, int size, qreal devicePixelRatio);

}  // namespace ui::qt
