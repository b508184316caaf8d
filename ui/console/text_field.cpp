#include "ui/console/text_field.h"

#include <algorithm>
#include <cwchar>

namespace ui::console {
namespace {

bool SecondOfAPair(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void TextField::Set(std::u16string_view newText) {
  text = newText;
  caret = anchor = text.size();
}

void TextField::SelectAll() {
  anchor = text.size();
  caret = 0;
}

void TextField::Insert(std::u16string_view typed) {
  const std::size_t start = SelectionStart();
  text.replace(start, SelectionEnd() - start, typed);
  caret = anchor = start + typed.size();
}

void TextField::Erase(bool forward) {
  if (!Selected()) caret = forward ? After(caret) : Before(caret);
  Insert({});
}

void TextField::Move(std::size_t to) { caret = anchor = to; }

std::size_t TextField::Before(std::size_t at) const {
  if (at == 0) return 0;
  return at - (at >= 2 && SecondOfAPair(text[at - 1]) ? 2 : 1);
}

std::size_t TextField::After(std::size_t at) const {
  if (at >= text.size()) return text.size();
  return at + (at + 1 < text.size() && SecondOfAPair(text[at + 1]) ? 2 : 1);
}

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

}  // namespace ui::console
