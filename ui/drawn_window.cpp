#include "ui/drawn_window.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

DrawnWindow::DrawnWindow(const WindowDesign& design, Report report)
    : design_(design), report_(std::move(report)) {
  for (const ControlDesign* control : ReadingOrder(design)) {
    controls_.push_back({control, {}, std::u16string(control->caption), false, {}});
    if (control->kind == ControlKind::kTextBox) controls_.back().field.Set(control->caption);
  }
}

DrawnWindow::Control& DrawnWindow::Find(std::string_view name) {
  return const_cast<Control&>(static_cast<const DrawnWindow*>(this)->Find(name));
}

const DrawnWindow::Control& DrawnWindow::Find(std::string_view name) const {
  for (const Control& control : controls_) {
    if (control.design->name == name) return control;
  }
  throw std::logic_error(std::string(design_.name) + " has no control " + std::string(name));
}

void DrawnWindow::SetText(std::string_view control, std::u16string_view text) {
  Control& found = Find(control);
  found.caption = text;
  found.field.Set(text);
}

void DrawnWindow::Focus(std::string_view control) {
  Control& found = Find(control);
  focus_ = found.design->name;
  if (found.design->kind == ControlKind::kTextBox) found.field.SelectAll();
  report_({Event::Kind::kFocusMoved, focus_});
}

void DrawnWindow::Lay(const WindowLayout& layout) {
  width_ = layout.width;
  height_ = layout.height;
  for (const ControlLayout& laid : layout.controls) Find(laid.name).bounds = laid.bounds;
  lines_ = layout.lines;
}

void DrawnWindow::Place(const Placement& placement) {
  origin_ = placement.client;
  notice_ = placement.notice;
}

DrawnWindow::Control* DrawnWindow::FocusedTextBox() {
  if (focus_.empty() || !enabled_) return nullptr;
  Control& control = Find(focus_);
  return control.design->kind == ControlKind::kTextBox ? &control : nullptr;
}

void DrawnWindow::Edit(LineKey key) {
  Control* box = FocusedTextBox();
  if (!box) return;
  const std::u16string before = box->field.text;
  box->field.Apply(key);
  report_({box->field.text == before ? Event::Kind::kCaretMoved : Event::Kind::kEdited, focus_});
}

void DrawnWindow::Type(std::u16string_view typed) {
  Control* box = FocusedTextBox();
  if (!box || typed.empty()) return;
  box->field.Insert(typed);
  report_({Event::Kind::kEdited, focus_});
}

void DrawnWindow::Press(Point at) {
  const auto pressed = std::find_if(controls_.begin(), controls_.end(), [&](const Control& control) {
    const ControlKind kind = control.design->kind;
    const Rect& box = control.bounds;
    return kind != ControlKind::kLabel && kind != ControlKind::kSymbol &&
           Rect{origin_.x + box.left, origin_.y + box.top, box.width, box.height}.Holds(at);
  });
  if (pressed == controls_.end() || !enabled_) return;
  Control& control = *pressed;
  const std::string_view name = control.design->name;
  focus_ = name;
  report_({Event::Kind::kFocusMoved, name});
  if (control.design->kind != ControlKind::kTextBox) {
    report_({Event::Kind::kClicked, name});
    return;
  }
  // The caret before the character pressed on.
  const std::u16string_view text = control.field.text;
  const auto [first, count] = Shown(control);
  std::size_t caret = first;
  int left = origin_.x + control.bounds.left + control.view.clearLeft;
  for (; caret < first + count; caret = control.field.After(caret)) {
    left += Width(text.substr(caret, control.field.After(caret) - caret));
    if (left > at.x) break;
  }
  control.field.Move(caret);
  report_({Event::Kind::kCaretMoved, name});
}

// From the first character the core says, as many whole characters as fill the room its marks
// leave.
std::pair<std::size_t, std::size_t> DrawnWindow::Shown(const Control& box) const {
  const std::u16string_view text = box.field.text;
  const std::size_t first = std::min(box.view.first, text.size());
  int room = box.bounds.width - box.view.clearLeft - box.view.clearRight;
  std::size_t to = first;
  for (; to < text.size(); to = box.field.After(to)) {
    room -= Width(text.substr(to, box.field.After(to) - to));
    if (room < 0) break;
  }
  return {first, to - first};
}

}  // namespace ui
