#pragma once

#include <string_view>

#include "ui/design.h"

// The Song face the windows are designed in: 宋体, with the GB 2312 character set.
namespace ui {

inline constexpr std::u16string_view kSongFace = u"宋体";

constexpr FontDesign Song(double points, bool bold = false) { return {kSongFace, points, bold, 134}; }

// The size of a window's own text.
inline constexpr FontDesign kSongDefault = Song(9);

// Where 宋体 is not installed, the faces closest to it, in the order they are looked for: SimSun
// under its Latin name, then the Song (Ming) faces of free software.
inline constexpr std::u16string_view kSongFallbacks[] = {u"SimSun", u"AR PL UMing CN",
                                                         u"Noto Serif CJK SC"};

}  // namespace ui
