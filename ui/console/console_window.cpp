#include "ui/console/console_window.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace ui::console {
namespace {

void Put(int row, int column, std::u16string_view text, attr_t attributes) {
  attrset(attributes);
  mvaddwstr(row, column, Wide(text).c_str());
}

}  // namespace

void DrawFrame(const Rect& inside) {
  const int top = inside.top - 1, bottom = inside.top + inside.height;
  const int left = inside.left - 1, right = inside.left + inside.width;
  for (int row = inside.top; row < bottom; ++row) mvhline(row, inside.left, ' ', inside.width);
  mvadd_wch(top, left, WACS_ULCORNER);
  mvhline_set(top, inside.left, WACS_HLINE, inside.width);
  mvadd_wch(top, right, WACS_URCORNER);
  mvvline_set(inside.top, left, WACS_VLINE, inside.height);
  mvvline_set(inside.top, right, WACS_VLINE, inside.height);
  mvadd_wch(bottom, left, WACS_LLCORNER);
  mvhline_set(bottom, inside.left, WACS_HLINE, inside.width);
  mvadd_wch(bottom, right, WACS_LRCORNER);
}

// The close mark at the right end of the title bar, the close key before it, as a terminal has no
// window manager's Alt+F4.
ConsoleWindow::ConsoleWindow(const WindowDesign& design, Report report, const ProgramTexts& texts)
    : design_(design),
      report_(std::move(report)),
      closeMark_(std::u16string(texts.closeKey) + u"[" + std::u16string(texts.closeMark) + u"]") {
  for (const ControlDesign* control : ReadingOrder(design)) {
    controls_.push_back({control, {}, std::u16string(control->caption), false, {}});
    if (control->kind == ControlKind::kTextBox) controls_.back().field.Set(control->caption);
  }
}

ConsoleWindow::Control& ConsoleWindow::Find(std::string_view name) {
  return const_cast<Control&>(static_cast<const ConsoleWindow*>(this)->Find(name));
}

const ConsoleWindow::Control& ConsoleWindow::Find(std::string_view name) const {
  for (const Control& control : controls_) {
    if (control.design->name == name) return control;
  }
  throw std::logic_error(std::string(design_.name) + " has no control " + std::string(name));
}

std::u16string ConsoleWindow::Text(std::string_view textBox) const { return Find(textBox).field.text; }

void ConsoleWindow::SetText(std::string_view control, std::u16string_view text) {
  Control& found = Find(control);
  found.caption = text;
  found.field.Set(text);
}

bool ConsoleWindow::Value(std::string_view option) const { return Find(option).checked; }

void ConsoleWindow::SetValue(std::string_view option, bool selected) { Find(option).checked = selected; }

void ConsoleWindow::Focus(std::string_view control) {
  Control& found = Find(control);
  focus_ = found.design->name;
  if (found.design->kind == ControlKind::kTextBox) found.field.SelectAll();
  report_({Event::Kind::kFocusMoved, focus_});
}

std::size_t ConsoleWindow::Caret(std::string_view textBox) const { return Find(textBox).field.caret; }

void ConsoleWindow::MoveCaret(std::string_view textBox, std::size_t to) { Find(textBox).field.Move(to); }

void ConsoleWindow::TakeKeyboard(std::u16string_view) { focus_ = {}; }

void ConsoleWindow::Lay(const WindowLayout& layout) {
  width_ = layout.width;
  height_ = layout.height;
  for (const ControlLayout& laid : layout.controls) Find(laid.name).cells = laid.bounds;
  lines_ = layout.lines;
}

int ConsoleWindow::TextRoom(std::string_view textBox) const { return Find(textBox).cells.width; }

// A text box told to show its text from the start, without the focus, has its caret there.
void ConsoleWindow::ShowText(std::string_view textBox, const TextView& view) {
  Control& box = Find(textBox);
  box.view = view;
}

void ConsoleWindow::Place(const Placement& placement) {
  origin_ = placement.client;
  notice_ = placement.notice;
}

ConsoleWindow::Control* ConsoleWindow::FocusedTextBox() {
  if (focus_.empty() || !enabled_) return nullptr;
  Control& control = Find(focus_);
  return control.design->kind == ControlKind::kTextBox ? &control : nullptr;
}

void ConsoleWindow::Edit(console::Edit edit) {
  Control* box = FocusedTextBox();
  if (!box) return;
  TextField& field = box->field;
  const std::u16string before = field.text;
  switch (edit) {
    case Edit::kLeft: field.Move(field.Selected() ? field.SelectionStart() : field.Before(field.caret)); break;
    case Edit::kRight: field.Move(field.Selected() ? field.SelectionEnd() : field.After(field.caret)); break;
    case Edit::kHome: field.Move(0); break;
    case Edit::kEnd: field.Move(field.text.size()); break;
    case Edit::kBackspace: field.Erase(false); break;
    case Edit::kDelete: field.Erase(true); break;
  }
  report_({field.text == before ? Event::Kind::kCaretMoved : Event::Kind::kEdited, focus_});
}

void ConsoleWindow::Type(std::u16string_view typed) {
  Control* box = FocusedTextBox();
  if (!box || typed.empty()) return;
  box->field.Insert(typed);
  report_({Event::Kind::kEdited, focus_});
}

ConsoleWindow::Part ConsoleWindow::PartAt(Point cell) const {
  if (!Rect{origin_.x - 1, origin_.y - 1, width_ + 2, height_ + 2}.Holds(cell)) return Part::kNone;
  if (cell.y != origin_.y - 1) return Part::kClient;
  return cell.x >= origin_.x + width_ - Cells(closeMark_) ? Part::kCloseMark : Part::kTitleBar;
}

ConsoleWindow::Control* ConsoleWindow::At(Point cell) {
  for (Control& control : controls_) {
    const Rect& cells = control.cells;
    const Rect onScreen{origin_.x + cells.left, origin_.y + cells.top, cells.width, cells.height};
    const ControlKind kind = control.design->kind;
    if (kind != ControlKind::kLabel && kind != ControlKind::kSymbol && onScreen.Holds(cell)) return &control;
  }
  return nullptr;
}

void ConsoleWindow::Press(Point cell) {
  Control* control = At(cell);
  if (!control || !enabled_) return;
  const std::string_view name = control->design->name;
  focus_ = name;
  report_({Event::Kind::kFocusMoved, name});
  if (control->design->kind != ControlKind::kTextBox) {
    report_({Event::Kind::kClicked, name});
    return;
  }
  Control& box = *control;
  const auto [first, count] = Shown(box);
  std::size_t at = first;
  int column = origin_.x + box.cells.left + box.view.clearLeft;
  while (at < first + count && column + Cells(std::u16string_view(box.field.text).substr(at, 1)) <= cell.x) {
    column += Cells(std::u16string_view(box.field.text).substr(at, 1));
    at = box.field.After(at);
  }
  box.field.Move(at);
  report_({Event::Kind::kCaretMoved, name});
}

// From the first character the core says, as many whole characters as fill the room its marks
// leave.
std::pair<std::size_t, std::size_t> ConsoleWindow::Shown(const Control& box) const {
  const std::u16string_view text = box.field.text;
  const std::size_t first = std::min(box.view.first, text.size());
  int room = box.cells.width - box.view.clearLeft - box.view.clearRight;
  std::size_t to = first;
  for (; to < text.size(); to = box.field.After(to)) {
    room -= Cells(text.substr(to, box.field.After(to) - to));
    if (room < 0) break;
  }
  return {first, to - first};
}

Cell ConsoleWindow::DrawControl(const Control& control, const Terminal::Style& style, attr_t dim) const {
  const int row = origin_.y + control.cells.top, left = origin_.x + control.cells.left;
  const bool focused = focus_ == control.design->name && enabled_;
  switch (control.design->kind) {
    case ControlKind::kLabel:
      Put(row, left, control.caption, dim);
      return Cell{};
    case ControlKind::kOptionButton:
      Put(row, left, control.checked ? u"(*) " : u"( ) ", dim);
      Put(row, left + 4, control.caption, dim | (focused ? style.focused : 0));
      return focused ? Cell{row, left + 1} : Cell{};
    case ControlKind::kPushButton: {
      const bool marked = default_ == control.design->name;
      const std::u16string shown = (marked ? u"<" : u"[") + control.caption + (marked ? u">" : u"]");
      const int at = left + std::max(0, (control.cells.width - Cells(shown)) / 2);
      Put(row, at, shown, dim | (focused ? style.focused : 0));
      return focused ? Cell{row, at + 1} : Cell{};
    }
    case ControlKind::kTextBox: {
      // Flat where it takes no input, as a dim that a terminal may not show would leave it alike.
      const attr_t look = enabled_ ? style.field : dim;
      Put(row, left, std::u16string(static_cast<std::size_t>(control.cells.width), u' '), look);
      const TextView& view = control.view;
      const TextField& field = control.field;
      const auto [first, count] = Shown(control);
      int cell = left + view.clearLeft;
      Cell cursor;
      for (std::size_t at = first; at < first + count; at = field.After(at)) {
        if (at == field.caret) cursor = Cell{row, cell};
        const std::u16string_view character = std::u16string_view(field.text).substr(at, field.After(at) - at);
        const bool selected = focused && at >= field.SelectionStart() && at < field.SelectionEnd();
        Put(row, cell, character, look | (selected ? style.focused : 0));
        cell += Cells(character);
      }
      if (field.caret == first + count) cursor = Cell{row, cell};
      if (view.markLeft) Put(row, left, kCutMark, look);
      if (view.markRight) Put(row, left + control.cells.width - 1, kCutMark, look);
      return focused ? cursor : Cell{};
    }
    case ControlKind::kSymbol:
      Put(row, left, control.design->symbol == MessageIcon::kError ? u"(X)" : u"(!)", dim);
      return Cell{};
    case ControlKind::kLine:
      break;
  }
  return {};
}

Cell ConsoleWindow::Draw(const Terminal::Style& style, bool front) const {
  const attr_t dim = enabled_ ? 0 : style.disabled;
  const int top = origin_.y - 1;
  attrset(dim);
  DrawFrame(Bounds());
  Put(top, origin_.x, u" " + std::u16string(design_.title) + u" ", front ? style.title : dim);
  Put(top, origin_.x + width_ - Cells(closeMark_), closeMark_, dim);
  attrset(dim);
  for (const Rect& line : lines_) mvhline_set(origin_.y + line.top, origin_.x + line.left, WACS_HLINE, line.width);
  Cell cursor;
  for (const Control& control : controls_) {
    if (const auto at = DrawControl(control, style, dim)) cursor = at;
  }
  // A window that has the keyboard itself is read from its first text.
  if (!cursor && enabled_ && focus_.empty() && !controls_.empty()) {
    cursor = Cell{origin_.y + controls_.front().cells.top, origin_.x + controls_.front().cells.left};
  }
  return enabled_ ? cursor : Cell{};
}

}  // namespace ui::console
