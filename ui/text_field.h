#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ui {

// A text box's own keys, which the core leaves to it; the arrow keys come to the core first.
enum class LineKey { kHome, kEnd, kLeft, kRight, kDelete, kBackspace };

// A text box's line as a toolkit edits it, for an engine whose toolkit has no text box (the
// terminal): a caret, and a selection from an anchor to the caret, which typing replaces. Places
// are UTF-16 units, never inside a surrogate pair.
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
  void Apply(LineKey key);                  // as a one-line box does; Left and Right leave a
                                            // selection at its end on their side
  void Move(std::size_t to);                // the caret alone, nothing selected
  std::size_t Before(std::size_t at) const;  // the place one character before
  std::size_t After(std::size_t at) const;   // ... after
};

}  // namespace ui
