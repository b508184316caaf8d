#include "ui/text_field.h"

namespace ui {
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

void TextField::Apply(LineKey key) {
  switch (key) {
    case LineKey::kLeft: return Move(Selected() ? SelectionStart() : Before(caret));
    case LineKey::kRight: return Move(Selected() ? SelectionEnd() : After(caret));
    case LineKey::kHome: return Move(0);
    case LineKey::kEnd: return Move(text.size());
    case LineKey::kBackspace:
    case LineKey::kDelete:
      if (!Selected()) caret = key == LineKey::kDelete ? After(caret) : Before(caret);
      return Insert({});
  }
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

}  // namespace ui
