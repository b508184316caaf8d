#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ui::console {

// A text box's text as the terminal's toolkit edits it: a caret, and a selection from an anchor to
// the caret, which typing replaces. Places are UTF-16 units, never inside a surrogate pair.
struct TextField {
  std::u16string text;
  std::size_t caret = 0;
  std::size_t anchor = 0;

  bool Selected() const { return caret != anchor; }
  std::size_t SelectionStart() const { return caret < anchor ? caret : anchor; }
  std::size_t SelectionEnd() const { return caret < anchor ? anchor : caret; }

  void Set(std::u16string_view newText);    // the caret after it, nothing selected
  void SelectAll();                         // ... the caret at the start
  void Insert(std::u16string_view typed);   // in place of the selection
  void Erase(bool forward);                 // the selection, or the character before or after
  void Move(std::size_t to);                // the caret alone, nothing selected
  std::size_t Before(std::size_t at) const;  // the place one character before
  std::size_t After(std::size_t at) const;   // ... after
};

// How many cells of a terminal a text takes, a Chinese character two, as the C library says.
int Cells(std::u16string_view text);
std::wstring Wide(std::u16string_view text);

}  // namespace ui::console
