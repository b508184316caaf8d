#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/design.h"

// How a window behaves, decided here once for every engine from the window's design: where Tab
// goes, which button Enter clicks, where a window opens, and how a text box shows a long text.
namespace ui {

// The tab stops in the design's tab order: every control that takes the focus (labels and
// lines do not), and of an option group one stop only: its selected option, else its first.
std::vector<std::string_view> FocusStops(const WindowDesign& window,
                                         const std::function<bool(std::string_view)>& selected);

// The stop after `current` (before it, going backward), round the window; the first stop (the
// last, backward) where the focus is on no stop.
std::string_view NextFocusStop(const std::vector<std::string_view>& stops, std::string_view current,
                               bool backward);

// The option an arrow key selects from `option`: the next of its group in the tab order (the one
// before it, going backward), round the group, as in a Windows dialog.
std::string_view NextOption(const WindowDesign& window, std::string_view option, bool backward);

// The push button that Enter clicks, as in a dialog: the one with the focus, else the window's
// default button; none in a window without buttons.
std::optional<std::string_view> ButtonForEnter(const WindowDesign& window,
                                               std::string_view focused);

// Where a window goes. On a screen narrower than a phone's held upright, every window goes to its
// top-left corner, a margin in, scaled as a whole where that is needed for the widest window of
// the program (`widestClient`, its client area) to fit the width, and each control a finger
// presses is at least a finger tall. Elsewhere the client area goes where the design puts it,
// moved back so that the whole window, its frame and title bar counted, lies inside the work area
// (its top-left corner first, where the window is larger than the work area).
Placement PlaceWindow(Rect designed, Margins frame, Rect workArea, int widestClient);

// How a text box shows its text in the room its toolkit lays text out in: the designed font where
// the text fits, with a pixel after it for the caret, else the largest smaller one, in whole
// pixels, at which it does, but never below the floor (55% of the designed size, and at least 12
// pixels at 96 dpi). A text still too wide at the floor is cut: it shows from its first character
// and only whole characters, then the cut mark at the right end of the room, so that no glyph is
// drawn in part and no cut number reads as a whole one; the rest can be scrolled to, and is read
// whole.
TextFit FitText(int designedPixels, int dpi, int room, std::u16string_view text,
                const std::function<int(std::u16string_view text, int pixels)>& widthAt);

}  // namespace ui
