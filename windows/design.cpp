#include "windows/design.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

namespace windows {

const ControlDesign& WindowDesign::Control(std::string_view controlName) const {
  const auto found = std::find_if(controls.begin(), controls.end(),
                                  [&](const ControlDesign& c) { return c.name == controlName; });
  if (found == controls.end()) {
    throw std::logic_error(std::string(name) + " has no control " + std::string(controlName));
  }
  return *found;
}

Rect Bounds(const ControlDesign& control) {
  if (control.kind != ControlKind::kLine) {
    return {control.left, control.top, control.width, control.height};
  }
  const int x1 = control.left, y1 = control.top, x2 = control.width, y2 = control.height;
  return {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1)};
}

Rect PixelBounds(const ControlDesign& control, int dpi) {
  const Rect twips = Bounds(control);
  const int left = TwipsToPixels(twips.left, dpi);
  const int top = TwipsToPixels(twips.top, dpi);
  return {left, top, TwipsToPixels(twips.left + twips.width, dpi) - left,
          TwipsToPixels(twips.top + twips.height, dpi) - top};
}

std::vector<const ControlDesign*> InTabOrder(const WindowDesign& window) {
  std::vector<const ControlDesign*> order;
  for (const ControlDesign& control : window.controls) {
    if (control.tabIndex) order.push_back(&control);
  }
  std::sort(order.begin(), order.end(), [](const ControlDesign* a, const ControlDesign* b) {
    return *a->tabIndex < *b->tabIndex;
  });
  return order;
}

std::vector<const ControlDesign*> InReadingOrder(const WindowDesign& window) {
  std::vector<const ControlDesign*> order;
  for (const ControlDesign& control : window.controls) {
    if (control.kind != ControlKind::kLine) order.push_back(&control);
  }
  const auto byTop = [](const ControlDesign* a, const ControlDesign* b) {
    return std::pair(a->top, a->left) < std::pair(b->top, b->left);
  };
  std::sort(order.begin(), order.end(), byTop);
  for (auto line = order.begin(); line != order.end();) {
    const int bottom = (*line)->top + (*line)->height;
    const auto end =
        std::find_if(line, order.end(), [&](const ControlDesign* c) { return c->top >= bottom; });
    std::stable_sort(line, end, [](const ControlDesign* a, const ControlDesign* b) {
      return a->left < b->left;
    });
    line = end;
  }
  return order;
}

int FontPixels(const FontDesign& font, int dpi) {
  return static_cast<int>(std::lround(font.points * dpi / 72));
}

}  // namespace windows
