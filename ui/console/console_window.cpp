#include "ui/console/console_window.h"

#include <algorithm>
#include <cwchar>
#include <string>

namespace ui::console {
namespace {

bool SecondOfAPair(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void Put(int row, int column, std::u16string_view text, attr_t attributes) {
  attrset(attributes);
  mvaddwstr(row, column, Wide(text).c_str());
}

}  // namespace

std::wstring Wide(std::u16string_view text) {
  std::wstring wide;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char32_t point = text[at];
    if (point >= 0xD800 && point < 0xDC00 && at + 1 < text.size() && SecondOfAPair(text[at + 1])) {
      point = 0x10000 + ((point - 0xD800) << 10) + (text[++at] - 0xDC00);
    }
    wide += static_cast<wchar_t>(point);
  }
  return wide;
}

int Cells(std::u16string_view text) {
  int cells = 0;
  for (const wchar_t point : Wide(text)) cells += std::max(0, wcwidth(point));
  return cells;
}

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
    : DrawnWindow(design, std::move(report)),
      closeMark_(std::u16string(texts.closeKey) + u"[" + std::u16string(texts.closeMark) + u"]") {}

ConsoleWindow::Part ConsoleWindow::PartAt(Point cell) const {
  if (!Rect{origin_.x - 1, origin_.y - 1, width_ + 2, height_ + 2}.Holds(cell)) return Part::kNone;
  if (cell.y != origin_.y - 1) return Part::kClient;
  return cell.x >= origin_.x + width_ - Cells(closeMark_) ? Part::kCloseMark : Part::kTitleBar;
}

Cell ConsoleWindow::DrawControl(const Control& control, const Terminal::Style& style, attr_t dim) const {
  const int row = origin_.y + control.bounds.top, left = origin_.x + control.bounds.left;
  const bool focused = Focused(control);
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
      const int at = left + std::max(0, (control.bounds.width - Cells(shown)) / 2);
      Put(row, at, shown, dim | (focused ? style.focused : 0));
      return focused ? Cell{row, at + 1} : Cell{};
    }
    case ControlKind::kTextBox: {
      // Flat where it takes no input, as a dim that a terminal may not show would leave it alike.
      const attr_t look = enabled_ ? style.field : dim;
      Put(row, left, std::u16string(static_cast<std::size_t>(control.bounds.width), u' '), look);
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
      if (view.markRight) Put(row, left + control.bounds.width - 1, kCutMark, look);
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
  DrawFrame({origin_.x, origin_.y, width_, height_});
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
    cursor = Cell{origin_.y + controls_.front().bounds.top, origin_.x + controls_.front().bounds.left};
  }
  return enabled_ ? cursor : Cell{};
}

}  // namespace ui::console
