#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "ui/engine.h"
#include "ui/geometry.h"
#include "ui/text_field.h"

// What a terminal sends, read into what it means, whatever its terminfo entry lists: the keys the
// core may answer with their modifiers, a text box's own editing keys, typed text, the mouse, and
// the marks round a bracketed paste. The forms read are xterm's and its followers' (CSI and SS3
// sequences, the modifiers as a parameter, modifyOtherKeys, the CSI u form, the SGR and X10
// mouse), rxvt's and a vt100's. Pure functions of the characters, with no terminal library.
namespace ui::console {

struct Input {
  enum class Kind {
    kKey,         // `key` with `modifiers`
    kEdit,        // `edit`
    kText,        // `character` typed
    kPress,       // the mouse's first button pressed at `at`
    kDrag,        // ... moved while held, to `at`
    kRelease,     // ... let go
    kPasteStart,  // what follows until kPasteEnd is a paste, taken as it stands
    kPasteEnd,
    kSignal,   // `signal`: Ctrl+C, Ctrl+\ or Ctrl+Z typed, which the terminal's driver would have
               // raised; in a paste, text
    kNothing,  // a sequence of no key the windows have a use for, read whole
  };
  Kind kind = Kind::kNothing;
  std::size_t length = 0;  // the characters it was sent in
  Key key = Key::kTab;
  unsigned modifiers = 0;
  LineKey edit = LineKey::kHome;
  char32_t character = 0;
  Point at{};  // a screen's cell, counted from 0
  int signal = 0;
};

// The first input that `pending` (not empty) starts with. None while what it holds may be the
// start of a longer sequence and more may still come: a lone Escape waits the escape delay for
// what follows it.
std::optional<Input> Decode(std::u32string_view pending, bool moreMayCome);

// The end of a bracketed paste, which a paste holds everything before.
inline constexpr std::u32string_view kPasteEnd = U"\033[201~";

}  // namespace ui::console
