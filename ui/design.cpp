#include "ui/design.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace ui {

const ControlDesign* WindowDesign::Find(std::string_view controlName) const {
  const auto found = std::find_if(controls.begin(), controls.end(),
                                  [&](const ControlDesign& c) { return c.name == controlName; });
  return found == controls.end() ? nullptr : &*found;
}

const ControlDesign& WindowDesign::Control(std::string_view controlName) const {
  const ControlDesign* found = Find(controlName);
  if (!found) throw std::logic_error(std::string(name) + " has no control " + std::string(controlName));
  return *found;
}

Rect PixelBounds(const ControlDesign& control, int dpi) {
  const Rect twips = Bounds(control);
  const int left = TwipsToPixels(twips.left, dpi);
  const int top = TwipsToPixels(twips.top, dpi);
  return {left, top, TwipsToPixels(twips.left + twips.width, dpi) - left,
          TwipsToPixels(twips.top + twips.height, dpi) - top};
}

const FontDesign& FontOf(const WindowDesign& window, const ControlDesign& control) {
  return control.font ? *control.font : window.defaultFont;
}

int FontPixels(const FontDesign& font, int dpi) {
  return static_cast<int>(std::lround(font.points * dpi / 72));
}

Rect ControlBounds(const WindowDesign& window, const ControlDesign& control, int dpi) {
  Rect bounds = PixelBounds(control, dpi);
  if (control.kind == ControlKind::kLabel) {
    bounds.height = std::max(bounds.height, FontPixels(FontOf(window, control), dpi));
  }
  return bounds;
}

}  // namespace ui
