#pragma once

#include "ui/design.h"

// The Song face the windows are designed in (宋体, with the GB 2312 character set), at the size of
// a window's own text.
namespace ui {
inline constexpr FontDesign kSongDefault{u"宋体", 9, false, 134};
}  // namespace ui
