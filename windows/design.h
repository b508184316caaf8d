#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

// A window's design as data, like a resource script: the window itself, then one row per
// control. Positions and sizes are in twips (1440 per inch, 15 per pixel at 96 dpi). Event
// handlers are bound by control name in code, so the tables stay pure data.
namespace windows {

enum class ControlKind { kPushButton, kOptionButton, kTextBox, kLabel, kLine };

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
};

struct Rect {
  int left;
  int top;
  int width;
  int height;
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

  const ControlDesign& Control(std::string_view controlName) const;
};

// The rectangle a control covers; a line's is its bounding box.
Rect Bounds(const ControlDesign& control);

// The control's rectangle in pixels at the given dots per inch. Its edges are scaled, not its size,
// so that controls that merely touch in twips still merely touch at any scale.
Rect PixelBounds(const ControlDesign& control, int dpi = 96);

// The controls that have a tab index, in the order of their indices.
std::vector<const ControlDesign*> InTabOrder(const WindowDesign& window);

// The controls but the lines in the order a reader meets them: line by line from the top, each
// line from the left. A line holds the controls that start above the bottom of its first one.
std::vector<const ControlDesign*> InReadingOrder(const WindowDesign& window);

constexpr int kTwipsPerInch = 1440;

// Twips to pixels at the given dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi = 96) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled + (scaled >= 0 ? kTwipsPerInch / 2 : -kTwipsPerInch / 2)) /
                          kTwipsPerInch);
}

// The font's size in pixels at the given dots per inch (72 points to the inch).
int FontPixels(const FontDesign& font, int dpi = 96);

const WindowDesign& Form1Design();
const WindowDesign& Form2Design();

}  // namespace windows
