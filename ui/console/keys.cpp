#include "ui/console/keys.h"

#include <algorithm>
#include <csignal>
#include <vector>

namespace ui::console {
namespace {

using Kind = Input::Kind;
constexpr char32_t kEscape = 0x1B;
// A sequence longer than this is no terminal's: read as one of no key, so that none of it types.
constexpr std::size_t kLongest = 32;

// The modifiers a terminal sends as a parameter one more than the sum of Shift (1), Alt (2),
// Ctrl (4) and Meta (8).
unsigned Modifiers(int sent) {
  const unsigned held = sent > 1 ? static_cast<unsigned>(sent - 1) : 0;
  return (held & 1 ? kShift : 0u) | (held & 2 ? kAlt : 0u) | (held & 4 ? kCtrl : 0u) |
         (held & 8 ? kMeta : 0u);
}

Input KeyInput(Key key, unsigned modifiers = 0) { return {Kind::kKey, 0, key, modifiers}; }
Input EditInput(LineKey edit) { return {Kind::kEdit, 0, Key::kTab, 0, edit}; }
Input TextInput(char32_t character) { return {Kind::kText, 0, Key::kTab, 0, LineKey::kHome, character}; }

// A character as a key sent alone: the control characters of the keys the windows use, and the
// keys a key code of modifyOtherKeys or the CSI u form names.
std::optional<Input> CharacterKey(char32_t c) {
  switch (c) {
    case '\t': return KeyInput(Key::kTab);
    case '\r':
    case '\n': return KeyInput(Key::kEnter);
    case kEscape: return KeyInput(Key::kEscape);
    case ' ': return KeyInput(Key::kSpace);
    case 0x17: return KeyInput(Key::kW, kCtrl);
    case 'w':
    case 'W': return KeyInput(Key::kW);
    case 0x08:
    case 0x7F: return EditInput(LineKey::kBackspace);
  }
  return std::nullopt;
}

// The final character of a CSI or SS3 sequence, for the keys it names whatever its parameters.
std::optional<Input> FinalKey(char32_t final) {
  constexpr std::pair<char32_t, Input> kFinals[] = {
      {'A', {Kind::kKey, 0, Key::kUp}},     {'B', {Kind::kKey, 0, Key::kDown}},
      {'C', {Kind::kKey, 0, Key::kRight}},  {'D', {Kind::kKey, 0, Key::kLeft}},
      {'H', {Kind::kEdit, 0, Key::kTab, 0, LineKey::kHome}},
      {'F', {Kind::kEdit, 0, Key::kTab, 0, LineKey::kEnd}},
      {'S', {Kind::kKey, 0, Key::kF4}},     {'Z', {Kind::kKey, 0, Key::kTab, kShift}},
      {'M', {Kind::kKey, 0, Key::kEnter}},  // the keypad's, in its application mode
      // rxvt's: Shift with an arrow in a CSI sequence, Ctrl in an SS3 one.
      {'a', {Kind::kKey, 0, Key::kUp, kShift}},    {'b', {Kind::kKey, 0, Key::kDown, kShift}},
      {'c', {Kind::kKey, 0, Key::kRight, kShift}}, {'d', {Kind::kKey, 0, Key::kLeft, kShift}},
  };
  for (const auto& [known, input] : kFinals) {
    if (known == final) return input;
  }
  return std::nullopt;
}

// The keys of a sequence ending in "~" (or rxvt's "$", "^" and "@", with Shift, Ctrl, both),
// by its first parameter.
std::optional<Input> TildeKey(int code) {
  switch (code) {
    case 1:
    case 7: return EditInput(LineKey::kHome);
    case 4:
    case 8: return EditInput(LineKey::kEnd);
    case 3: return EditInput(LineKey::kDelete);
    case 14: return KeyInput(Key::kF4);
  }
  return std::nullopt;
}

// The mouse's first button, by the SGR form's or the X10 form's button code, where it is pressed,
// moved while held or let go; any other button, and the wheel, do nothing.
Input Mouse(int button, int column, int row, bool released) {
  Input input{Kind::kNothing};
  if ((button & 3) == 3 || released) {
    input.kind = Kind::kRelease;
  } else if ((button & (3 | 64)) == 0) {
    input.kind = button & 32 ? Kind::kDrag : Kind::kPress;
  }
  input.at = {column - 1, row - 1};
  return input;
}

// "ESC [" with its parameters, intermediates and final character.
std::optional<Input> Csi(std::u32string_view pending, bool moreMayCome) {
  std::size_t at = 2;
  const char32_t prefix = at < pending.size() && pending[at] >= '<' && pending[at] <= '?' ? pending[at++] : 0;
  std::vector<int> numbers{0};
  for (; at < pending.size() && pending[at] >= '0' && pending[at] <= ';'; ++at) {
    const char32_t c = pending[at];
    if (c == ';' || c == ':') {
      numbers.push_back(0);
    } else if (c <= '9') {
      numbers.back() = std::min(numbers.back(), 99999) * 10 + static_cast<int>(c - '0');
    }
  }
  while (at < pending.size() && pending[at] >= 0x20 && pending[at] <= 0x2F && pending[at] != '$') ++at;
  if (at >= pending.size()) {
    if (moreMayCome && at < kLongest) return std::nullopt;
    return Input{Kind::kNothing, pending.size()};
  }
  const char32_t final = pending[at];
  std::size_t length = at + 1;
  const auto number = [&](std::size_t index) { return index < numbers.size() ? numbers[index] : 0; };
  std::optional<Input> input;
  if (final == 'M' && prefix == 0 && at == 2) {  // X10's mouse: three characters after it
    if (pending.size() < 6) {
      if (moreMayCome) return std::nullopt;
      return Input{Kind::kNothing, pending.size()};
    }
    input = Mouse(static_cast<int>(pending[3]) - 32, static_cast<int>(pending[4]) - 32,
                  static_cast<int>(pending[5]) - 32, false);
    length = 6;
  } else if (prefix == '<') {
    if (final == 'M' || final == 'm') input = Mouse(number(0), number(1), number(2), final == 'm');
  } else if (prefix) {  // a private sequence: none of a key
  } else if (final == '~' && number(0) == 27) {  // xterm's modifyOtherKeys: 27;modifiers;code
    input = CharacterKey(static_cast<char32_t>(number(2)));
    if (input) input->modifiers |= Modifiers(number(1));
  } else if (final == 'u') {  // code;modifiers
    input = CharacterKey(static_cast<char32_t>(number(0)));
    if (input) input->modifiers |= Modifiers(number(1));
  } else if (final == '~' && (number(0) == 200 || number(0) == 201)) {
    input = Input{number(0) == 200 ? Kind::kPasteStart : Kind::kPasteEnd};
  } else if (final == '~' || final == '$' || final == '^' || final == '@') {
    input = TildeKey(number(0));
    const unsigned rxvt = final == '$' ? kShift : final == '^' ? kCtrl : final == '@' ? kShift | kCtrl : 0;
    if (input) input->modifiers |= rxvt | Modifiers(number(1));
  } else {
    input = FinalKey(final);
    if (input) input->modifiers |= Modifiers(number(1));
  }
  // An edit key with a modifier is one a one-line box has no use for.
  if (!input || (input->kind == Kind::kEdit && input->modifiers)) input = Input{Kind::kNothing};
  input->length = length;
  return input;
}

// "ESC O" and one character, a modifier's digit before it in some terminals; the keypad in its
// application mode sends its digits and point so.
std::optional<Input> Ss3(std::u32string_view pending, bool moreMayCome) {
  std::size_t at = 2;
  int sent = 0;
  while (at < pending.size() && pending[at] >= '0' && pending[at] <= '9') sent = pending[at++] - '0';
  if (at >= pending.size()) {
    if (moreMayCome) return std::nullopt;
    return Input{Kind::kNothing, pending.size()};
  }
  const char32_t final = pending[at];
  std::optional<Input> input;
  if (final >= 'p' && final <= 'y') {
    input = TextInput(U'0' + (final - 'p'));
  } else if (final == 'n') {
    input = TextInput(U'.');
  } else if (final >= 'a' && final <= 'd') {
    input = FinalKey(final);
    input->modifiers = kCtrl;
  } else {
    input = FinalKey(final);
    if (input) input->modifiers |= Modifiers(sent);
  }
  if (!input || (input->kind == Kind::kEdit && input->modifiers)) input = Input{Kind::kNothing};
  input->length = at + 1;
  return input;
}

}  // namespace

std::optional<Input> Decode(std::u32string_view pending, bool moreMayCome) {
  const char32_t first = pending.front();
  if (first != kEscape) {
    if (auto key = CharacterKey(first); key && first != 'w' && first != 'W') {
      key->length = 1;
      return key;
    }
    constexpr std::pair<char32_t, int> kSignals[] = {{0x03, SIGINT}, {0x1C, SIGQUIT}, {0x1A, SIGTSTP}};
    for (const auto& [control, signal] : kSignals) {
      if (first == control) return Input{Kind::kSignal, 1, Key::kTab, 0, LineKey::kHome, 0, {}, signal};
    }
    // Other control characters, C0 and C1, type nothing.
    const bool control = first < 0x20 || (first >= 0x7F && first < 0xA0);
    return control ? Input{Kind::kNothing, 1} : Input{Kind::kText, 1, Key::kTab, 0, LineKey::kHome, first};
  }
  if (pending.size() == 1) {
    if (moreMayCome) return std::nullopt;
    return Input{Kind::kKey, 1, Key::kEscape};
  }
  if (pending[1] == '[') return Csi(pending, moreMayCome);
  if (pending[1] == 'O') return Ss3(pending, moreMayCome);
  // Escape before a key: the key with Alt, as terminals send it; before a typed character, a
  // character with Alt, which types nothing; before anything else (a paste, the mouse), Escape.
  std::optional<Input> after = Decode(pending.substr(1), moreMayCome);
  if (!after) return std::nullopt;
  if (after->kind != Kind::kKey && after->kind != Kind::kText) return Input{Kind::kKey, 1, Key::kEscape};
  if (after->kind == Kind::kKey) {
    after->modifiers |= kAlt;
  } else {
    after->kind = Kind::kNothing;
  }
  ++after->length;
  return after;
}

}  // namespace ui::console
