#include "ui/console/console_engine.h"

#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

#include "ui/console/console_window.h"

namespace ui::console {
namespace {

// How long a lone Escape waits for the rest of a key's sequence: long enough for one sent whole,
// short enough that Escape is answered at once; and how long a sequence begun waits for its end,
// which a slow link may send apart.
constexpr int kEscapeDelay = 25;
constexpr int kSequenceDelay = 250;

std::u16string Utf16(char32_t point) {
  if (point < 0x10000) return std::u16string(1, static_cast<char16_t>(point));
  point -= 0x10000;
  return {static_cast<char16_t>(0xD800 + (point >> 10)), static_cast<char16_t>(0xDC00 + (point & 0x3FF))};
}

}  // namespace

std::unique_ptr<EngineWindow> ConsoleEngine::BuildWindow(const WindowDesign& design, Report report) {
  return std::make_unique<ConsoleWindow>(design, std::move(report), texts_);
}

void ConsoleEngine::Stack(const std::vector<EngineWindow*>& backToFront) {
  stack_.clear();
  for (EngineWindow* window : backToFront) stack_.push_back(static_cast<ConsoleWindow*>(window));
}

bool ConsoleEngine::Stacked(const ConsoleWindow* window) const {
  return std::find(stack_.begin(), stack_.end(), window) != stack_.end();
}

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

void ConsoleEngine::Wait(const std::function<bool()>& done) {
  Draw();
  while (!done() && !ended_) Take(true);
}

// Waiting, nothing comes but an end: the terminal is gone (its input closed), and with it the
// user; a signal that broke the wait is no end. A resize places every window again.
bool ConsoleEngine::Read(int milliseconds) {
  wtimeout(stdscr, milliseconds);
  wint_t input = 0;
  errno = 0;
  const int result = wget_wch(stdscr, &input);
  if (result == ERR) {
    if (milliseconds < 0 && errno != EINTR) ended_ = gone_ = true;
    return false;
  }
  if (result != KEY_CODE_YES) {
    pending_ += static_cast<char32_t>(input);
  } else if (input == KEY_RESIZE) {
    for (ConsoleWindow* window : std::vector(stack_)) window->Tell({Event::Kind::kFramed});
  }
  return true;
}

bool ConsoleEngine::Take(bool wait) {
  if (pending_.empty() && !Read(wait ? -1 : 0)) return false;
  if (const std::optional<Input> input = Next()) {
    pending_.erase(0, input->length);
    Answer(*input);
  }
  if (!ended_ && !pasting_) Draw();
  return true;
}

// The next input as the key table reads it, a sequence's start waiting the escape delay for its
// rest; inside a paste, its text, read as it stands up to the paste's end, typed once it has come
// whole.
std::optional<Input> ConsoleEngine::Next() {
  while (!pending_.empty()) {
    if (pasting_) {
      std::size_t text = std::min(pending_.find(kPasteEnd), pending_.size());
      const std::size_t escape = pending_.rfind(U'\033');
      if (text == pending_.size() && escape != std::u32string::npos &&
          kPasteEnd.starts_with(std::u32string_view(pending_).substr(escape))) {
        text = escape;  // the paste's end, part come
      }
      for (const char32_t c : pending_.substr(0, text)) pasted_ += Utf16(c);
      pending_.erase(0, text);
      if (!std::u32string_view(pending_).starts_with(kPasteEnd)) {
        if (!Read(-1)) return std::nullopt;
        continue;
      }
    }
    if (std::optional<Input> input = Decode(pending_, true)) return input;
    if (!Read(pending_.size() > 1 ? kSequenceDelay : kEscapeDelay)) return Decode(pending_, false);
  }
  return std::nullopt;
}

// A key to the window in front: where the core leaves it, a text box edits with it.
void ConsoleEngine::Answer(const Input& input) {
  ConsoleWindow* front = stack_.empty() ? nullptr : stack_.back();
  switch (input.kind) {
    case Input::Kind::kKey:
      if (!front || front->Tell({Event::Kind::kKey, {}, input.key, input.modifiers})) return;
      // Not used, the key changed nothing: the window is still there.
      if (input.modifiers) return;
      if (input.key == Key::kLeft || input.key == Key::kRight) {
        front->Edit(input.key == Key::kLeft ? LineKey::kLeft : LineKey::kRight);
      } else if (input.key == Key::kSpace) {
        front->Type(u" ");
      }
      return;
    case Input::Kind::kEdit:
      if (front) front->Edit(input.edit);
      return;
    case Input::Kind::kText:
      if (front) front->Type(Utf16(input.character));
      return;
    case Input::Kind::kPasteStart:
      pasting_ = true;
      pasted_.clear();
      return;
    case Input::Kind::kPasteEnd:
      pasting_ = false;
      if (front) front->Type(pasted_);
      return;
    case Input::Kind::kPress:
      return Press(input.at);
    case Input::Kind::kDrag:
      if (dragging_ && Stacked(dragging_->window)) {
        const Point held = dragging_->held;
        dragging_->window->Tell({Event::Kind::kDragged, {}, Key::kTab, 0, {input.at.x - held.x, input.at.y - held.y}});
      }
      return;
    case Input::Kind::kRelease:
      dragging_.reset();
      return;
    case Input::Kind::kSignal:
      std::raise(input.signal);
      return;
    case Input::Kind::kNothing:
      return;
  }
}

// A press on the window in front of the others where it was pressed; where the core lets it go
// on, on the window's close mark, its title bar, which the mouse then drags, or a control.
void ConsoleEngine::Press(Point cell) {
  const auto pressed = std::find_if(stack_.rbegin(), stack_.rend(), [&](const ConsoleWindow* window) {
    return window->PartAt(cell) != ConsoleWindow::Part::kNone;
  });
  if (pressed == stack_.rend()) return;
  ConsoleWindow* window = *pressed;
  if (!window->Tell({Event::Kind::kPressed, {}, Key::kTab, 0, cell})) return;
  switch (window->PartAt(cell)) {
    case ConsoleWindow::Part::kCloseMark:
      window->Tell({Event::Kind::kCloseAsked});
      return;
    case ConsoleWindow::Part::kTitleBar:
      dragging_ = Drag{window, {cell.x - window->Origin().x, cell.y - window->Origin().y}};
      return;
    case ConsoleWindow::Part::kClient:
      window->Press(cell);
      return;
    case ConsoleWindow::Part::kNone:
      return;
  }
}

// The windows as the core stacked them, each that the screen is too small for by its notice; the
// cursor where the window in front has the keyboard.
void ConsoleEngine::Draw() {
  erase();
  const Terminal::Style& style = terminal_.Styles();
  Cell cursor;
  for (const ConsoleWindow* window : stack_) {
    const bool front = window == stack_.back();
    if (!window->Notice().empty()) {
      attrset(A_BOLD);
      mvaddwstr(LINES / 2, std::max(0, (COLS - Cells(window->Notice())) / 2), Wide(window->Notice()).c_str());
      cursor = {};
      continue;
    }
    const Cell at = window->Draw(style, front);
    if (front) cursor = at;
  }
  curs_set(cursor ? 1 : 0);
  if (cursor) move(cursor.row, cursor.column);
  refresh();
}

char16_t ConsoleEngine::DecimalSeparator() const {
  const char* separator = nl_langinfo(RADIXCHAR);
  return separator && separator[0] > 0 && separator[1] == '\0' ? static_cast<char16_t>(separator[0]) : u'.';
}

}  // namespace ui::console
