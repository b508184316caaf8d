#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "ui/geometry.h"

// A window's design as data, like a resource script: the window itself, then one row per
// control. Positions and sizes are in twips (1440 per inch, 15 per pixel at 96 dpi). Event
// handlers are bound by control name in code, so the tables stay pure data; the compiler checks
// each table (design_checks.h).
namespace ui {

// A symbol is a box's: the sign of a warning or of an error, beside its text.
enum class ControlKind { kPushButton, kOptionButton, kTextBox, kLabel, kLine, kSymbol };

enum class MessageIcon { kWarning, kError };

struct FontDesign {
  std::u16string_view face;
  double points;
  bool bold;
  int charset;  // Windows character set: 134 is GB 2312
};

struct ControlDesign {
  std::string_view name;
  ControlKind kind;
  std::u16string_view caption;  // the design-time caption or text; none for a line
  // For a line, X1, Y1, X2, Y2 instead.
  int left;
  int top;
  int width;
  int height;
  std::optional<int> tabIndex;                    // lines take no tab index
  std::optional<FontDesign> font = std::nullopt;  // else the window's default font
  std::u16string_view accessibleName = {};        // for a screen reader, where no caption names it
  bool isDefaultButton = false;                   // Enter clicks it
  // An option's group, by the name a screen reader gives it: one selected option, one tab stop,
  // the arrow keys move within it.
  std::string_view group = {};
  std::string_view labelFor = {};  // a label's or a unit's text box, whose name already says it
  bool announced = false;          // a new text is announced to a screen reader, as it is shown
  MessageIcon symbol = MessageIcon::kWarning;  // a symbol's sign
};

struct WindowDesign {
  std::string_view name;
  std::u16string_view title;
  int clientWidth;
  int clientHeight;
  int clientLeft;  // from the screen's top-left corner, placed by hand
  int clientTop;
  FontDesign defaultFont;
  std::span<const ControlDesign> controls;  // in creation order
  bool closesOnEscape = false;              // a window of text, closed the way a dialog is
  // A message box: modal, no icon in its title bar, read by a screen reader as its title and its
  // one label's text.
  bool messageBox = false;

  // The control of that name; none, or else a failure, where the window has none.
  const ControlDesign* Find(std::string_view controlName) const;
  const ControlDesign& Control(std::string_view controlName) const;
};

// The rectangle a control covers; a line's, which is level or upright, is the rectangle from its
// one end to the other.
constexpr Rect Bounds(const ControlDesign& control) {
  if (control.kind != ControlKind::kLine) {
    return {control.left, control.top, control.width, control.height};
  }
  const int x1 = control.left, y1 = control.top, x2 = control.width, y2 = control.height;
  return {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x2 > x1 ? x2 - x1 : x1 - x2,
          y2 > y1 ? y2 - y1 : y1 - y2};
}

// The control's rectangle in pixels at the given dots per inch. Its edges are scaled, not its size,
// so that controls that merely touch in twips still merely touch at any scale.
Rect PixelBounds(const ControlDesign& control, int dpi = 96);

// The control's font: its own, or else the window's.
const FontDesign& FontOf(const WindowDesign& window, const ControlDesign& control);

// The font's size in whole pixels at the given dots per inch (72 points to the inch).
int FontPixels(const FontDesign& font, int dpi = 96);

// Where a control stands at the given dots per inch: its rectangle, a label at least as tall as
// its font, so that it grows downward rather than cut off its text.
Rect ControlBounds(const WindowDesign& window, const ControlDesign& control, int dpi = 96);

// Controls in an order; a window has at most kMaxControls.
constexpr std::size_t kMaxControls = 16;
struct ControlOrder {
  std::array<const ControlDesign*, kMaxControls> items{};
  std::size_t size = 0;
  constexpr const ControlDesign* const* begin() const { return items.data(); }
  constexpr const ControlDesign* const* end() const { return items.data() + size; }
};

// The controls that have a tab index, in the order of their indices.
constexpr ControlOrder TabOrder(const WindowDesign& window) {
  ControlOrder order;
  for (const ControlDesign& control : window.controls) {
    if (!control.tabIndex) continue;
    std::size_t at = order.size++;
    for (; at > 0 && *order.items[at - 1]->tabIndex > *control.tabIndex; --at) {
      order.items[at] = order.items[at - 1];
    }
    order.items[at] = &control;
  }
  return order;
}

// The controls but the lines in the order a reader meets them: line by line from the top, each
// line from the left. A line holds the controls that start above the bottom of its first one.
constexpr ControlOrder ReadingOrder(const WindowDesign& window) {
  ControlOrder order;
  const auto insertSorted = [&](std::size_t from, std::size_t to, auto before) {
    for (std::size_t i = from + 1; i < to; ++i) {
      const ControlDesign* moving = order.items[i];
      std::size_t at = i;
      for (; at > from && before(moving, order.items[at - 1]); --at) {
        order.items[at] = order.items[at - 1];
      }
      order.items[at] = moving;
    }
  };
  for (const ControlDesign& control : window.controls) {
    if (control.kind != ControlKind::kLine) order.items[order.size++] = &control;
  }
  insertSorted(0, order.size, [](const ControlDesign* a, const ControlDesign* b) {
    return a->top < b->top || (a->top == b->top && a->left < b->left);
  });
  for (std::size_t line = 0; line < order.size;) {
    const int bottom = order.items[line]->top + order.items[line]->height;
    std::size_t end = line + 1;
    while (end < order.size && order.items[end]->top < bottom) ++end;
    insertSorted(line, end,
                 [](const ControlDesign* a, const ControlDesign* b) { return a->left < b->left; });
    line = end;
  }
  return order;
}

}  // namespace ui
