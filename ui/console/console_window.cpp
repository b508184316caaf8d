#include "ui/console/console_window.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ui/console/console_engine.h"

namespace ui::console {
namespace {

void Put(int row, int column, std::u16string_view text, attr_t attributes) {
  attrset(attributes);
  mvaddwstr(row, column, Wide(text).c_str());
}

// The close mark at the right end of the title bar, with the key that closes, as a terminal has no
// window manager's Alt+F4.
constexpr std::u16string_view kCloseMark = u"^W[X]";

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

ConsoleWindow::ConsoleWindow(ConsoleEngine& engine, const WindowDesign& design, Report report)
    : engine_(engine), design_(design), report_(std::move(report)) {
  for (const ControlDesign* control : ReadingOrder(design)) {
    controls_.push_back({control, {}, std::u16string(control->caption), false, {}});
    if (control->kind == ControlKind::kTextBox) controls_.back().field.Set(control->caption);
  }
}

ConsoleWindow::~ConsoleWindow() { engine_.Forget(this); }

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
  box.view.tooltip = {};
  if (view.fromStart && focus_ != box.design->name) box.field.Move(0);
}

void ConsoleWindow::Place(const Placement& placement) {
  origin_ = placement.client;
  whole_ = placement.whole;
}

void ConsoleWindow::Show() {
  shown_ = true;
  engine_.Raise(this);
}

// What a text box does with the keys the core leaves it: its caret moved, or its text edited.
void ConsoleWindow::Edited(int key, std::u16string_view typed) {
  if (focus_.empty()) return;
  Control& box = Find(focus_);
  if (box.design->kind != ControlKind::kTextBox) return;
  TextField& field = box.field;
  const std::u16string before = field.text;
  switch (key) {
    case KEY_LEFT: field.Move(field.Selected() ? field.SelectionStart() : field.Before(field.caret)); break;
    case KEY_RIGHT: field.Move(field.Selected() ? field.SelectionEnd() : field.After(field.caret)); break;
    case KEY_HOME: field.Move(0); break;
    case KEY_END: field.Move(field.text.size()); break;
    case KEY_BACKSPACE: field.Erase(false); break;
    case KEY_DC: field.Erase(true); break;
    case 0: field.Insert(typed); break;
    default: return;  // a key a one-line box has no use for
  }
  report_({field.text == before ? Event::Kind::kCaretMoved : Event::Kind::kEdited, focus_});
}

bool ConsoleWindow::Covers(int column, int row) const {
  return shown_ && Rect{origin_.x - 1, origin_.y - 1, width_ + 2, height_ + 2}.Holds({column, row});
}

ConsoleWindow::Control* ConsoleWindow::At(int column, int row) {
  for (Control& control : controls_) {
    const Rect& cells = control.cells;
    const Rect onScreen{origin_.x + cells.left, origin_.y + cells.top, cells.width, cells.height};
    if (control.design->kind != ControlKind::kLabel && onScreen.Holds({column, row})) return &control;
  }
  return nullptr;
}

// A press on the close mark asks to close the window; on a control, gives it the focus, as the
// toolkits do, and clicks a button or an option, or puts a text box's caret where it was pressed.
void ConsoleWindow::Pressed(int column, int row) {
  if (row == origin_.y - 1 && column >= origin_.x + width_ - static_cast<int>(kCloseMark.size())) {
    report_({Event::Kind::kCloseAsked});
    return;
  }
  Control* control = At(column, row);
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
  int cell = origin_.x + box.cells.left + box.view.clearLeft;
  while (at < first + count && cell + Cells(std::u16string_view(box.field.text).substr(at, 1)) <= column) {
    cell += Cells(std::u16string_view(box.field.text).substr(at, 1));
    at = box.field.After(at);
  }
  box.field.Move(at);
  report_({Event::Kind::kCaretMoved, name});
}

// From the start, or looked at from the end the last characters, or in the middle from where the
// view last started, moved as far as the caret needs; as many whole characters as fit the room the
// view leaves, a cell kept for the caret after the last.
std::pair<std::size_t, std::size_t> ConsoleWindow::Shown(const Control& box) const {
  const std::u16string_view text = box.field.text;
  const int room = box.cells.width - box.view.clearLeft - box.view.clearRight;
  const auto fitting = [&](std::size_t from) {
    std::size_t to = from;
    int cells = 0;
    while (to < text.size() && cells + Cells(text.substr(to, box.field.After(to) - to)) <= room) {
      cells += Cells(text.substr(to, box.field.After(to) - to));
      to = box.field.After(to);
    }
    return to - from;
  };
  std::size_t first = 0;
  if (box.view.markLeft && !box.view.markRight) {
    first = text.size();
    while (first > 0 && Cells(text.substr(box.field.Before(first))) <= room - 1) {
      first = box.field.Before(first);
    }
  } else if (box.view.markLeft) {
    box.scroll = std::min(box.scroll, box.field.caret);
    while (Cells(text.substr(box.scroll, box.field.caret - box.scroll)) > room - 1) {
      box.scroll = box.field.After(box.scroll);
    }
    first = box.scroll;
  }
  box.scroll = first;
  return {first, fitting(first)};
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
      Put(row, left, std::u16string(static_cast<std::size_t>(control.cells.width), u' '), dim | style.field);
      const TextView& view = control.view;
      const TextField& field = control.field;
      const auto [first, count] = Shown(control);
      int cell = left + view.clearLeft;
      Cell cursor;
      for (std::size_t at = first; at < first + count; at = field.After(at)) {
        if (at == field.caret) cursor = Cell{row, cell};
        const std::u16string_view character = std::u16string_view(field.text).substr(at, field.After(at) - at);
        const bool selected = focused && at >= field.SelectionStart() && at < field.SelectionEnd();
        Put(row, cell, character, dim | style.field | (selected ? style.focused : 0));
        cell += Cells(character);
      }
      if (field.caret == first + count) cursor = Cell{row, cell};
      if (view.markLeft) Put(row, left, kCutMark, dim | style.field);
      if (view.markRight) Put(row, left + control.cells.width - 1, kCutMark, dim | style.field);
      return focused ? cursor : Cell{};
    }
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
  Put(top, origin_.x + width_ - static_cast<int>(kCloseMark.size()), kCloseMark, dim);
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
