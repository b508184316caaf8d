#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ui/geometry.h"

// What the core tells an engine about the way a window and its controls show: where each control
// stands, where the window goes, and how a text box shows its text. Lengths are in the window's
// units.
namespace ui {

// The measure of a window's lengths: pixels, `dpi` of them to the inch (96 where the toolkit scales
// by itself: Qt's device-independent pixels, CSS pixels), or a terminal's character cells.
struct Units {
  int dpi = 96;
  bool cells = false;
};

// Where a control stands in its window's client area, and its font's size (a cell's row where
// the units are cells).
struct ControlLayout {
  std::string_view name;
  Rect bounds;
  int fontPixels;
};

struct WindowLayout {
  int width;  // of the client area
  int height;
  std::vector<ControlLayout> controls;  // every control but the lines, in reading order
  std::vector<Rect> lines;              // each line's stroke, a rectangle to fill
};

// Where a window goes on its screen, and at what size.
struct Placement {
  Point client;  // the client area's top-left corner
  // The whole window, frame included, drawn at this scale from its top-left corner.
  double scale = 1;
  // Where the screen is touched: the least size on the screen of what a finger presses, the close
  // box among it. None elsewhere.
  int fingerPixels = 0;
  bool whole = true;  // the whole window lies on the screen: not where the screen is too small
  // Where the engine draws the windows itself and the window is not whole: what shows in its
  // place, the size the screen needs said; it takes no input meanwhile.
  std::u16string notice = {};
};

inline constexpr std::u16string_view kCutMark = u"\u2026";  // …

// How a text box shows its text (rules.h: FitText): its font's size; the first character shown, at
// the left end of the room the toolkit lays its text out in; the room at each end of that room
// kept clear of the text, and at an end beyond which characters are hidden, the cut mark drawn in
// that clear room, over the box, not part of its text; and where it is cut, its tooltip. A box
// without the focus whose text was set, which the focus left or which was laid out anew has its
// caret put before the first character shown.
struct TextView {
  int pixels;
  int clearLeft = 0;
  int clearRight = 0;
  bool markLeft = false;
  bool markRight = false;
  std::size_t first = 0;
  bool caretToFirst = false;
  std::u16string tooltip = {};
};

}  // namespace ui
