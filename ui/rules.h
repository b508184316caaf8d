#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/design.h"
#include "ui/engine.h"
#include "ui/layout.h"

// How a window behaves, decided here once for every engine from the window's design: what a key
// does, where Tab goes, which button Enter clicks, where a window opens and how its controls stand,
// and how a text box shows a long text.
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

// What a key does, the same on every engine. Tab goes to the next stop, with Shift to the one
// before; Enter, Escape and Space do the same with Shift as without; the arrow keys work only
// alone; Alt+F4 and the close key, Ctrl+W, close the window where no window manager does. With
// Ctrl, Alt or Meta held down a key does nothing of the core's.
enum class Command { kNone, kNextStop, kPreviousStop, kEnter, kEscape, kSpace, kBack, kForward, kClose };
Command CommandFor(Key key, unsigned modifiers, unsigned capabilities);

// A key the window manager acts on where there is one: Alt+F4 closes the active window, Alt+Space
// opens its system menu. No other key the core leaves goes back to the toolkit but in a text box.
bool ForTheWindowManager(Key key, unsigned modifiers, unsigned capabilities);

// A terminal's character cell, in a design's twips: narrow enough that every text of the windows
// fits its control, a Chinese character being two cells; a control stands on the row of its
// middle, a line on the row it is drawn on.
inline constexpr int kTwipsPerColumn = 90;
inline constexpr int kTwipsPerRow = 250;
Rect CellBounds(const ControlDesign& control);

// A window's client area where the design puts it, in the given units.
Rect ClientInUnits(const WindowDesign& window, Units units);

// Where a window goes. On a small touch screen (a phone's, narrower than 600 pixels at 96 dpi)
// every window goes to its top-left corner, a margin in, scaled as a whole where the engine can
// and the widest window of the program (`widestClient`, its client area) needs it to fit the width,
// and each control a finger presses is at least a finger tall. Elsewhere the client area goes where
// the design puts it, the program's windows moved as one where they would leave the work area, so
// that they keep their designed places to each other. A window the user has dragged goes where it
// was dragged to. Either way it is moved back so that the whole window, its frame and title bar
// counted, lies inside the work area (its top-left corner first, where the window is larger than
// the work area).
struct Placing {
  Rect client;    // where the design puts it
  Rect together;  // ... and all the program's windows, the least rectangle round them
  Margins frame;
  Rect workArea;
  int widestClient;
  Units units;
  unsigned capabilities;
  std::optional<Point> dragged = std::nullopt;
};
Placement PlaceWindow(const Placing& placing);

// Where each control of a window stands, in the given units: its designed rectangle, a label at
// least as tall as its font; where a finger presses (`placement.fingerPixels`), a push button or an
// option at least a finger tall on the screen, the options of a group stacked so that none covers
// the next.
WindowLayout LayOut(const WindowDesign& window, Units units, const Placement& placement);

// The smallest font a text box shrinks its text to: the window's own text size, at which every
// label and button of the windows is read; in character cells, the one size there is.
int FitFloor(const WindowDesign& window, const ControlDesign& textBox, Units units);

// How a text box shows its text in the room its toolkit lays text out in: the designed font where
// the text fits, with a unit after it for the caret, else the largest smaller one, in whole
// pixels, at which it does, but never below `floor`. A text still too wide at the floor is cut: it
// shows only whole characters, from its first where the box has not the focus (`caret` none);
// with the focus, from where it showed last (`lastFirst`), moved as little as shows the caret, and
// never so far that room is left empty after the text's end. The cut mark stands at each end of
// the room beyond which characters are hidden, and at no other, with no room before it that a
// whole character would fill; the room between the marks is exactly that of the characters shown
// (and of the caret, where it stands after the last of them), so that a toolkit that scrolls as
// little as shows its caret shows them from the same character. The rest can be scrolled to, and
// is read whole.
TextView FitText(int designedPixels, int floor, int room, std::u16string_view text,
                 const std::function<int(std::u16string_view text, int pixels)>& widthAt,
                 std::optional<std::size_t> caret, std::size_t lastFirst);

// A box's tooltip, its whole text in lines short enough for any screen, and few enough: a long
// one keeps its first and last lines, the cut mark between them.
std::u16string TooltipOf(std::u16string_view text);

}  // namespace ui
