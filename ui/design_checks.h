#pragma once

#include "ui/design.h"

// What can be wrong in a window's design, checked by the compiler on each table
// (UI_CHECK_DESIGN beside the table).
namespace ui::checks {

constexpr bool NamesUnique(const WindowDesign& window) {
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    for (std::size_t j = i + 1; j < window.controls.size(); ++j) {
      if (window.controls[i].name == window.controls[j].name) return false;
    }
  }
  return window.controls.size() <= kMaxControls;
}

constexpr bool InsideClientArea(const WindowDesign& window) {
  for (const ControlDesign& control : window.controls) {
    const Rect r = Bounds(control);
    if (r.left < 0 || r.top < 0 || r.left + r.width > window.clientWidth ||
        r.top + r.height > window.clientHeight) {
      return false;
    }
  }
  return true;
}

// Every control but the lines has a tab index, and no two share one.
constexpr bool TabIndicesUnique(const WindowDesign& window) {
  for (const ControlDesign& control : window.controls) {
    if (control.tabIndex.has_value() != (control.kind != ControlKind::kLine)) return false;
    for (const ControlDesign& other : window.controls) {
      if (&other != &control && other.tabIndex && other.tabIndex == control.tabIndex) return false;
    }
  }
  return true;
}

// Exactly one push button is the default where the window has push buttons.
constexpr bool OneDefaultButton(const WindowDesign& window) {
  int buttons = 0, defaults = 0;
  for (const ControlDesign& control : window.controls) {
    buttons += control.kind == ControlKind::kPushButton;
    defaults += control.isDefaultButton;
    if (control.isDefaultButton && control.kind != ControlKind::kPushButton) return false;
  }
  return buttons == 0 ? defaults == 0 : defaults == 1;
}

// Options, and only options, belong to a group.
constexpr bool OptionsInGroups(const WindowDesign& window) {
  for (const ControlDesign& control : window.controls) {
    if ((control.kind == ControlKind::kOptionButton) == control.group.empty()) return false;
  }
  return true;
}

// A label is for a text box of the window; only text boxes are announced.
constexpr bool LabelsForTextBoxes(const WindowDesign& window) {
  for (const ControlDesign& control : window.controls) {
    if (control.announced && control.kind != ControlKind::kTextBox) return false;
    if (control.labelFor.empty()) continue;
    if (control.kind != ControlKind::kLabel) return false;
    bool found = false;
    for (const ControlDesign& box : window.controls) {
      found = found || (box.name == control.labelFor && box.kind == ControlKind::kTextBox);
    }
    if (!found) return false;
  }
  return true;
}

// A line is drawn as the rectangle from its one end to the other: it is level or upright.
constexpr bool LinesLevelOrUpright(const WindowDesign& window) {
  for (const ControlDesign& control : window.controls) {
    if (control.kind == ControlKind::kLine && control.left != control.width &&
        control.top != control.height) {
      return false;
    }
  }
  return true;
}

constexpr bool Overlap(Rect a, Rect b) {
  // A line is as thick as one unit.
  a.width = a.width > 0 ? a.width : 1;
  a.height = a.height > 0 ? a.height : 1;
  b.width = b.width > 0 ? b.width : 1;
  b.height = b.height > 0 ? b.height : 1;
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// Engines stack controls in reading order: where a label and another control overlap, the label
// must come first, so that it lies beneath.
constexpr bool LabelsBeneathWhatTheyOverlap(const WindowDesign& window) {
  const ControlOrder order = ReadingOrder(window);
  for (std::size_t i = 0; i < order.size; ++i) {
    for (std::size_t j = i + 1; j < order.size; ++j) {
      if (order.items[j]->kind == ControlKind::kLabel &&
          order.items[i]->kind != ControlKind::kLabel &&
          Overlap(Bounds(*order.items[i]), Bounds(*order.items[j]))) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace ui::checks

// Each check apart, so that the compiler's message names the one that fails.
#define UI_CHECK_DESIGN(window)                                                               \
  static_assert(ui::checks::NamesUnique(window), "control names are unique");                 \
  static_assert(ui::checks::InsideClientArea(window), "controls lie inside the client area"); \
  static_assert(ui::checks::TabIndicesUnique(window), "tab indices are unique");              \
  static_assert(ui::checks::OneDefaultButton(window), "one default button");                  \
  static_assert(ui::checks::OptionsInGroups(window), "every option belongs to a group");      \
  static_assert(ui::checks::LabelsForTextBoxes(window), "labels are for text boxes");         \
  static_assert(ui::checks::LabelsBeneathWhatTheyOverlap(window), "labels lie beneath");      \
  static_assert(ui::checks::LinesLevelOrUpright(window), "lines are level or upright")
