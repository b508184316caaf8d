#include "ui/console/console_engine.h"

#include <langinfo.h>

#include <cerrno>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "ui/console/console_window.h"

namespace ui::console {
namespace {

// The keys the terminal library names, as the core's keys with the modifiers they were sent with.
struct Named {
  int code;
  Key key;
  unsigned modifiers;
};
constexpr Named kNamed[] = {
    {KEY_BTAB, Key::kTab, kShift},   {KEY_ENTER, Key::kEnter, 0},       {KEY_UP, Key::kUp, 0},
    {KEY_DOWN, Key::kDown, 0},       {KEY_LEFT, Key::kLeft, 0},         {KEY_RIGHT, Key::kRight, 0},
    {KEY_SR, Key::kUp, kShift},      {KEY_SF, Key::kDown, kShift},      {KEY_SLEFT, Key::kLeft, kShift},
    {KEY_SRIGHT, Key::kRight, kShift}, {KEY_F(4), Key::kF4, 0},         {KEY_F(16), Key::kF4, kShift},
    {KEY_F(28), Key::kF4, kCtrl},    {KEY_F(52), Key::kF4, kAlt}};

// The modifiers xterm sends with a key, as a number one more than the sum of Shift (1), Alt (2),
// Ctrl (4) and Meta (8).
unsigned XtermModifiers(int sent) {
  const unsigned held = static_cast<unsigned>(sent - 1);
  return (held & 1 ? kShift : 0u) | (held & 2 ? kAlt : 0u) | (held & 4 ? kCtrl : 0u) | (held & 8 ? kMeta : 0u);
}

// A key the library names; an arrow key with modifiers as xterm sends it ("kUP5" is Ctrl+Up).
std::optional<Named> NamedKey(int code) {
  for (const Named& named : kNamed) {
    if (named.code == code) return named;
  }
  const char* name = keyname(code);
  constexpr std::pair<std::string_view, Key> kArrows[] = {
      {"kUP", Key::kUp}, {"kDN", Key::kDown}, {"kLFT", Key::kLeft}, {"kRIT", Key::kRight}};
  for (const auto& [prefix, key] : kArrows) {
    if (!name || std::strncmp(name, prefix.data(), prefix.size()) != 0) continue;
    const int digit = name[prefix.size()] - '0';
    if (digit < 2 || digit > 8 || name[prefix.size() + 1] != '\0') return std::nullopt;
    return Named{code, key, XtermModifiers(digit)};
  }
  return std::nullopt;
}

std::u16string Utf16(wint_t point) {
  if (point < 0x10000) return std::u16string(1, static_cast<char16_t>(point));
  point -= 0x10000;
  return {static_cast<char16_t>(0xD800 + (point >> 10)), static_cast<char16_t>(0xDC00 + (point & 0x3FF))};
}

constexpr wint_t kEscape = 27, kCloseKey = 23;  // Ctrl+W

}  // namespace

std::unique_ptr<EngineWindow> ConsoleEngine::BuildWindow(const WindowDesign& design, Report report) {
  return std::make_unique<ConsoleWindow>(*this, design, std::move(report));
}

void ConsoleEngine::Raise(ConsoleWindow* window) {
  Forget(window);
  stacking_.push_back(window);
}

void ConsoleEngine::Forget(ConsoleWindow* window) { std::erase(stacking_, window); }

int ConsoleEngine::Run() {
  Draw();
  while (!ended_) Take(true);
  return gone_ ? 1 : 0;
}

void ConsoleEngine::Pump() {
  Draw();
  while (!ended_ && Take(false)) {
  }
}

bool ConsoleEngine::Take(bool wait) {
  wtimeout(stdscr, wait ? -1 : 0);
  wint_t input = 0;
  errno = 0;
  const int result = wget_wch(stdscr, &input);
  if (result == ERR) {
    // Waiting, nothing comes but an end: the terminal is gone (its input closed), and with it
    // the user; a signal that broke the wait is no end.
    if (wait && errno != EINTR) ended_ = gone_ = true;
    return false;
  }
  Answer(result, input);
  if (!ended_) Draw();
  return true;
}

void ConsoleEngine::Answer(int result, wint_t input) {
  ConsoleWindow* typing = stacking_.empty() || !boxes_.empty() ? nullptr : stacking_.back();
  if (result == KEY_CODE_YES) {
    switch (input) {
      case KEY_RESIZE:
        for (ConsoleWindow* window : std::vector(stacking_)) window->Tell(Event::Kind::kFramed);
        return;
      case KEY_MOUSE:
        return Press();
      case Terminal::kPasteStart:
        pasting_ = true;
        pasted_.clear();
        return;
      case Terminal::kPasteEnd:
        pasting_ = false;
        if (typing) typing->Edited(0, pasted_);
        return;
    }
    const auto named = NamedKey(static_cast<int>(input));
    if (named) return Route(named->key, named->modifiers, named->code);
    if (typing) typing->Edited(static_cast<int>(input), {});  // Home, End, Backspace, Delete: the box's own
    return;
  }
  if (pasting_) {
    if (input >= 0x20) pasted_ += Utf16(input);
    return;
  }
  switch (input) {
    case kEscape:
      return Escaped();
    case '\t': return Route(Key::kTab, 0, 0);
    case '\r':
    case '\n': return Route(Key::kEnter, 0, 0);
    case ' ': return Route(Key::kSpace, 0, ' ');
    case kCloseKey:
      if (typing) typing->Tell(Event::Kind::kCloseAsked);
      return;
    case 8:
    case 127:
      if (typing) typing->Edited(KEY_BACKSPACE, {});
      return;
  }
  if (input >= 0x20 && typing) typing->Edited(0, Utf16(input));
}

// What came after an Escape sent together with it: a key with Alt, or one the terminal library has
// no name for, a key with modifiers as xterm sends it ("\033[27;5;13~" Ctrl+Enter) or as others do
// ("\033[13;5u"); alone, Escape itself.
void ConsoleEngine::Escaped() {
  wtimeout(stdscr, 0);
  wint_t next = 0;
  int sent = wget_wch(stdscr, &next);
  if (sent == ERR) return Route(Key::kEscape, 0, 0);
  if (sent == KEY_CODE_YES) {
    if (const auto named = NamedKey(static_cast<int>(next))) Route(named->key, named->modifiers | kAlt, 0);
    return;
  }
  constexpr std::pair<int, Key> kCodes[] = {{9, Key::kTab}, {13, Key::kEnter}, {27, Key::kEscape}, {32, Key::kSpace}};
  if (next != '[') {
    for (const auto& [code, key] : kCodes) {
      if (static_cast<wint_t>(code) == next) Route(key, kAlt, 0);
    }
    return;
  }
  // The whole sequence is read, one of no known key too, so that none of it reads as typed text.
  std::vector<int> numbers{0};
  bool plain = true;  // of numbers and semicolons only
  while ((sent = wget_wch(stdscr, &next)) == OK && next >= 0x20 && next < 0x40) {
    plain = plain && (next == ';' || (next >= '0' && next <= '9'));
    const int digit = static_cast<int>(next - '0');  // kept below any key's code's overflow
    next == ';' ? numbers.push_back(0) : void(numbers.back() = std::min(numbers.back(), 9999) * 10 + digit);
  }
  if (sent != OK || !plain || numbers.size() < 2) return;
  const bool xterm = next == '~' && numbers[0] == 27 && numbers.size() == 3;
  const int code = xterm ? numbers[2] : numbers[0];
  if (!xterm && next != 'u') return;
  for (const auto& [known, key] : kCodes) {
    if (known == code) Route(key, XtermModifiers(numbers[1]), 0);
  }
}

// A box answers its own keys; else the window in front gets the key, and where the core leaves
// it, a text box edits with it.
void ConsoleEngine::Route(ui::Key key, unsigned modifiers, int editing) {
  if (!boxes_.empty()) {
    if (!(modifiers & (kCtrl | kAlt | kMeta)) &&
        (key == Key::kEnter || key == Key::kSpace || key == Key::kEscape)) {
      boxes_.back()->answered = true;
    }
    return;
  }
  if (stacking_.empty()) return;
  ConsoleWindow* front = stacking_.back();
  if (front->KeyPressed(key, modifiers) || !editing) return;
  // The window may have gone with the key.
  if (std::find(stacking_.begin(), stacking_.end(), front) == stacking_.end()) return;
  front->Edited(editing == ' ' ? 0 : editing, editing == ' ' ? u" " : u"");
}

// A press on a window that has not the keyboard brings it up; on the one that has, on its
// control or its close mark.
void ConsoleEngine::Press() {
  MEVENT event{};
  if (getmouse(&event) != OK || !(event.bstate & BUTTON1_PRESSED)) return;
  if (!boxes_.empty()) {
    const BoxPlace place = PlaceOf(*boxes_.back());
    const int button = Cells(texts_.boxButton) + 2, left = place.left + (place.width - button) / 2;
    if (Rect{left, place.ButtonRow(), button, 1}.Holds({event.x, event.y})) boxes_.back()->answered = true;
    return;
  }
  const auto pressed = std::find_if(stacking_.rbegin(), stacking_.rend(), [&](ConsoleWindow* window) {
    return window->Covers(event.x, event.y);
  });
  if (pressed == stacking_.rend()) return;
  ConsoleWindow* window = *pressed;
  if (window != stacking_.back() || !window->Enabled()) window->Tell(Event::Kind::kActivated);
  if (!stacking_.empty() && stacking_.back() == window && window->Enabled()) {
    window->Pressed(event.x, event.y);
  }
}

void ConsoleEngine::Draw() {
  erase();
  const Terminal::Style& style = terminal_.Styles();
  const bool whole = std::all_of(stacking_.begin(), stacking_.end(),
                                 [](const ConsoleWindow* window) { return window->Whole(); });
  Cell cursor;
  if (!whole) {
    const std::wstring tooSmall = Wide(texts_.tooSmall);
    attrset(A_BOLD);
    mvaddwstr(LINES / 2, std::max(0, (COLS - Cells(texts_.tooSmall)) / 2), tooSmall.c_str());
  } else {
    for (const ConsoleWindow* window : stacking_) {
      const bool front = window == stacking_.back() && boxes_.empty();
      const auto at = window->Draw(style, front);
      if (front) cursor = at;
    }
    if (!boxes_.empty()) {
      DrawBox(*boxes_.back());
      const BoxPlace place = PlaceOf(*boxes_.back());
      cursor = Cell{place.ButtonRow(), place.left + (place.width - Cells(texts_.boxButton) - 2) / 2 + 1};
    }
  }
  curs_set(cursor ? 1 : 0);
  if (cursor) move(cursor.row, cursor.column);
  refresh();
}

namespace {

std::u16string Symbol(MessageIcon icon) { return icon == MessageIcon::kError ? u"(X) " : u"(!) "; }

}  // namespace

ConsoleEngine::BoxPlace ConsoleEngine::PlaceOf(const Box& box) const {
  const int width = std::max({Cells(Symbol(box.icon) + box.text), Cells(box.title) + 2,
                              Cells(texts_.boxButton) + 2}) + 4;
  const Rect over = box.owner ? box.owner->Bounds() : Rect{0, 0, COLS, LINES};
  const int left = over.left + (over.width - width) / 2, top = over.top + over.height / 2 - 2;
  return {std::clamp(left, 0, std::max(0, COLS - width)), std::clamp(top, 0, std::max(0, LINES - 5)), width};
}

// Framed over the window that owns it: its title in its top border, its symbol in text before its
// message, its one button below, which has the keyboard.
void ConsoleEngine::DrawBox(const Box& box) const {
  const std::u16string symbol = Symbol(box.icon);
  const std::u16string button = u"<" + std::u16string(texts_.boxButton) + u">";
  const auto [left, top, width] = PlaceOf(box);
  const Terminal::Style& style = terminal_.Styles();
  attrset(A_NORMAL);
  DrawFrame({left + 1, top + 1, width - 2, 3});
  attrset(style.title);
  mvaddwstr(top, left + 1, Wide(u" " + box.title + u" ").c_str());
  attrset(A_NORMAL);
  mvaddwstr(top + 1, left + 2, Wide(symbol + box.text).c_str());
  attrset(style.focused);
  mvaddwstr(top + 3, left + (width - Cells(button)) / 2, Wide(button).c_str());
}

void ConsoleEngine::ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
                            std::u16string_view title) {
  Box box{static_cast<const ConsoleWindow*>(owner), std::u16string(text), std::u16string(title), icon};
  boxes_.push_back(&box);
  Draw();
  while (!box.answered && !ended_) Take(true);
  boxes_.pop_back();
  Draw();
}

char16_t ConsoleEngine::DecimalSeparator() const {
  const char* separator = nl_langinfo(RADIXCHAR);
  return separator && separator[0] > 0 && separator[1] == '\0' ? static_cast<char16_t>(separator[0]) : u'.';
}

}  // namespace ui::console
