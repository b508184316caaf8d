#include "ui/console/terminal.h"

#include <langinfo.h>
#include <termios.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <string>

namespace ui::console {
namespace {

// What gives the terminal back, made before anything is drawn, so that a signal's handler sends it
// with the one call it may make there, write().
struct GivingBack {
  char sequence[512];
  std::size_t length = 0;
  int output = -1;
  int input = -1;
  termios modes{};
  bool haveModes = false;
  struct sigaction replaced[NSIG]{};
} givingBack;

void Append(const char* text) {
  if (!text || text == reinterpret_cast<const char*>(-1)) return;
  const std::size_t length = std::strlen(text);
  if (givingBack.length + length >= sizeof givingBack.sequence) return;
  std::memcpy(givingBack.sequence + givingBack.length, text, length);
  givingBack.length += length;
}

void GiveBack() {
  if (givingBack.output >= 0) {
    [[maybe_unused]] const ssize_t written =
        write(givingBack.output, givingBack.sequence, givingBack.length);
  }
  if (givingBack.haveModes) tcsetattr(givingBack.input, TCSADRAIN, &givingBack.modes);
}

// The terminal given back, then the signal handled as it was before: the program ended, or a crash
// reported (by a sanitizer, say).
void OnSignal(int signal) {
  GiveBack();
  sigaction(signal, &givingBack.replaced[signal], nullptr);
  std::raise(signal);
}

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// The terminal reports the mouse's presses, its moves while a button is held and its releases,
// in the SGR form where it can, and marks a paste's start and end; the key table reads them all.
constexpr const char* kMouseAndPasteOn = "\033[?1000h\033[?1002h\033[?1006h\033[?2004h";
constexpr const char* kMouseAndPasteOff = "\033[?2004l\033[?1006l\033[?1002l\033[?1000l";

// Written as UTF-8 whatever the locale says: a server's LANG=C shows the Chinese texts still, in
// the terminal of the SSH client.
void SpeakUtf8() {
  std::setlocale(LC_ALL, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}

}  // namespace

Terminal::Terminal(std::FILE* input, std::FILE* output, const char* type) {
  SpeakUtf8();
  givingBack.input = fileno(input);
  givingBack.output = fileno(output);
  givingBack.haveModes = tcgetattr(givingBack.input, &givingBack.modes) == 0;
  screen_ = newterm(type, output, input);
  if (!screen_) throw std::runtime_error("the terminal's type is unknown");
  set_term(screen_);
  // What endwin() would send, and what this program turns on besides.
  givingBack.length = 0;
  Append(kMouseAndPasteOff);
  for (const char* capability : {"sgr0", "cnorm", "rmkx", "rmcup"}) {
    Append(tigetstr(const_cast<char*>(capability)));
  }
  for (const int signal : kSignals) {
    struct sigaction handler{};
    handler.sa_handler = OnSignal;
    sigaction(signal, &handler, &givingBack.replaced[signal]);
    // One the program was started to ignore (a hang-up under nohup) stays ignored.
    if (givingBack.replaced[signal].sa_handler == SIG_IGN) sigaction(signal, &givingBack.replaced[signal], nullptr);
  }

  // Every key as the terminal sends it, for the key table to read (keys.h), whatever the
  // terminal's entry in the terminal database lists.
  cbreak();
  noecho();
  nonl();
  keypad(stdscr, FALSE);
  std::fputs(kMouseAndPasteOn, output);
  std::fflush(output);

  style_ = {A_REVERSE | A_BOLD, A_UNDERLINE, A_REVERSE, A_DIM};
  if (has_colors()) {
    start_color();
    use_default_colors();
    init_pair(1, COLOR_WHITE, COLOR_BLUE);
    init_pair(2, COLORS >= 16 ? 8 : COLOR_BLACK, -1);  // grey where there is one
    style_ = {COLOR_PAIR(1) | A_BOLD, A_UNDERLINE, A_REVERSE, COLOR_PAIR(2) | A_DIM};
  }
}

Terminal::~Terminal() {
  endwin();
  GiveBack();
  delscreen(screen_);
  for (const int signal : kSignals) sigaction(signal, &givingBack.replaced[signal], nullptr);
}

}  // namespace ui::console
