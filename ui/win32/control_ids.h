#pragma once

#include <string_view>

#include "ui/design.h"

namespace ui::win32 {

// A control's id in its window: its place in the window's design, counted from an id above
// those Windows reserves for dialog buttons. Shared with the test driver, which finds controls
// by these ids.
constexpr int kFirstControlId = 100;

inline int ControlId(const WindowDesign& window, std::string_view control) {
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    if (window.controls[i].name == control) return kFirstControlId + static_cast<int>(i);
  }
  return 0;
}

}  // namespace ui::win32
