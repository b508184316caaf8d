#include "ui/console/terminal.h"

#include <langinfo.h>
#include <poll.h>
#include <term.h>
#include <termios.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace ui::console {
namespace {

// The terminal reports the mouse's presses, its moves while a button is held and its releases,
// in the SGR form where it can, and marks a paste's start and end; the key table reads them all.
// GNU screen holds back an Escape that ends what it read while the mouse is reported, until the
// next key comes: there, the mouse is not asked for.
constexpr const char* kMouseOn = "\033[?1000h\033[?1002h\033[?1006h";
constexpr const char* kPasteOn = "\033[?2004h";
constexpr const char* kOff = "\033[?2004l\033[?1006l\033[?1002l\033[?1000l";

// What gives the terminal back, made before anything is drawn, so that a signal's handler sends it
// with the one call it may make there, write(); and what takes it again after a stop.
struct GivingBack {
  char sequence[512];
  std::size_t length = 0;
  std::string again;
  int output = -1;
  int input = -1;
  termios modes{};
  bool haveModes = false;
  struct sigaction replaced[NSIG]{};
} givingBack;

int Append(int character) {
  if (givingBack.length + 1 < sizeof givingBack.sequence) givingBack.sequence[givingBack.length++] = static_cast<char>(character);
  return character;
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

// A stop, Ctrl+Z's or another's: the modes the curses library does not know of given back, the
// library's own stop (which gives back its own and, continued, takes them again), then taken again.
void OnStop(int signal) {
  [[maybe_unused]] ssize_t written = write(givingBack.output, kOff, std::strlen(kOff));
  const auto stop = givingBack.replaced[signal].sa_handler;
  if (stop != SIG_DFL && stop != SIG_IGN && stop != SIG_ERR) stop(signal);
  written = write(givingBack.output, givingBack.again.data(), givingBack.again.size());
}

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// Written as UTF-8 whatever the locale says: a server's LANG=C shows the Chinese texts still, in
// the terminal of the SSH client.
// the terminal of the SSH client. Says whether the locale said otherwise.
bool SpeakUtf8() {
  std::setlocale(LC_ALL, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return false;
  std::setlocale(LC_CTYPE, "C.UTF-8");
  return true;
}

// What the terminal says of itself, asked before anything is drawn: whether it reads UTF-8 with
// Chinese characters two columns wide, and whether it is GNU screen. Asked where its cursor stands
// after 中 (whose three bytes are each a printable character of Latin-1), a terminal that reads
// UTF-8 answers the third column; one that reads bytes, the fourth; one that takes Chinese
// characters for narrow ones (GNU screen started under a locale of another character set), the
// second. Asked its make first (secondary device attributes), GNU screen answers 83 ('S'), and a
// terminal that does not answer that answers the cursor's place all the same, which ends the wait.
// A terminal that answers nothing in time (or a stream that is no terminal) is taken at its word.
struct Answers {
  bool readsUtf8 = true;
  bool isScreen = false;
};

constexpr int kAnswerDelay = 500;

Answers Ask(int input, int output) {
  termios modes{};
  if (tcgetattr(input, &modes) != 0) return {};
  termios quiet = modes;
  quiet.c_lflag &= ~(ICANON | ECHO);
  tcsetattr(input, TCSANOW, &quiet);
  constexpr std::string_view kAsk = "\r中\033[>c\033[6n";
  constexpr std::string_view kErase = "\r   \r";
  [[maybe_unused]] ssize_t written = write(output, kAsk.data(), kAsk.size());
  std::string answer;
  pollfd waiting{input, POLLIN, 0};
  while (answer.find('R') == std::string::npos && poll(&waiting, 1, kAnswerDelay) > 0) {
    char read[64];
    const ssize_t length = ::read(input, read, sizeof read);
    if (length <= 0) break;
    answer.append(read, static_cast<std::size_t>(length));
  }
  written = write(output, kErase.data(), kErase.size());
  tcsetattr(input, TCSADRAIN, &modes);

  Answers answers;
  const std::size_t make = answer.find("\033[>");
  answers.isScreen = make != std::string::npos && std::atoi(answer.c_str() + make + 3) == 'S';
  const std::size_t place = answer.find('R');
  const std::size_t column = answer.rfind(';', place);
  if (place != std::string::npos && column != std::string::npos) {
    answers.readsUtf8 = std::atoi(answer.c_str() + column + 1) == 3;
  }
  return answers;
}

bool Present(const char* capability) {
  const char* value = tigetstr(const_cast<char*>(capability));
  return value && value != reinterpret_cast<const char*>(-1);
}

void Install(int signal, void (*handler)(int)) {
  struct sigaction installed{};
  installed.sa_handler = handler;
  sigaction(signal, &installed, &givingBack.replaced[signal]);
  // One the program was started to ignore (a hang-up under nohup) stays ignored.
  if (givingBack.replaced[signal].sa_handler == SIG_IGN) sigaction(signal, &givingBack.replaced[signal], nullptr);
}

void RestoreSignals() {
  for (const int signal : kSignals) sigaction(signal, &givingBack.replaced[signal], nullptr);
}

}  // namespace

Terminal::Terminal(std::FILE* input, std::FILE* output, const char* type) {
  SpeakUtf8();
  givingBack.input = fileno(input);
  givingBack.output = fileno(output);
  givingBack.haveModes = tcgetattr(givingBack.input, &givingBack.modes) == 0;
  // Before the library's own handlers, which it sets only where a signal has none and which end
  // the program with status 1: a signal that ends the program ends it as that signal, as a shell
  // expects of Ctrl+C.
  for (const int signal : kSignals) Install(signal, OnSignal);
  screen_ = newterm(type, output, input);
  if (!screen_) {
    RestoreSignals();
    throw Refused(Refused::kUnknown);
  }
  set_term(screen_);
  // Refused before anything is drawn: a terminal that cannot put its cursor anywhere (dumb, a
  // hardcopy or a generic line), or one that does not read UTF-8.
  const auto refuse = [this](Refused::Why why) {
    endwin();
    delscreen(screen_);
    if (givingBack.haveModes) tcsetattr(givingBack.input, TCSADRAIN, &givingBack.modes);
    RestoreSignals();
    throw Refused(why);
  };
  if (!Present("cup") || tigetflag(const_cast<char*>("hc")) > 0 || tigetflag(const_cast<char*>("gn")) > 0) {
    refuse(Refused::kNoCursor);
  }
  const Answers answers = Ask(givingBack.input, givingBack.output);
  if (!answers.readsUtf8) refuse(Refused::kNotUtf8);
  // What endwin() would send, through the library, which leaves out the entry's padding, and what
  // this program turns on besides.
  givingBack.length = 0;
  for (const char* off = kOff; *off; ++off) Append(*off);
  for (const char* capability : {"sgr0", "cnorm", "rmkx", "rmcup"}) {
    if (Present(capability)) tputs(tigetstr(const_cast<char*>(capability)), 1, Append);
  }
  givingBack.again = std::string(answers.isScreen ? "" : kMouseOn) + kPasteOn;
  // After the library's, which this one calls.
  Install(SIGTSTP, OnStop);

  // Every key as the terminal sends it, for the key table to read (keys.h), whatever the
  // terminal's entry in the terminal database lists; Ctrl+C, Ctrl+Z and Ctrl+\ among them, so that
  // inside a paste they are text (keys.h: the keys a user types to stop the program).
  raw();
  noecho();
  nonl();
  keypad(stdscr, FALSE);
  std::fputs(givingBack.again.c_str(), output);
  std::fflush(output);

  // Colours where the terminal has them and the user has not asked for none (no-color.org), never
  // black or white text, which one background or the other hides; a window that takes no input dim
  // where the terminal can dim, else told apart by its title, which is not lit.
  const attr_t dim = termattrs() & A_DIM;
  style_ = {A_REVERSE | A_BOLD, A_UNDERLINE, A_REVERSE, dim};
  const char* noColour = std::getenv("NO_COLOR");
  if (has_colors() && !(noColour && *noColour)) {
    start_color();
    use_default_colors();
    init_pair(1, COLOR_WHITE, COLOR_BLUE);
    style_.title = COLOR_PAIR(1) | A_BOLD;
  }
}

Terminal::~Terminal() {
  endwin();
  GiveBack();
  delscreen(screen_);
  RestoreSignals();
  sigaction(SIGTSTP, &givingBack.replaced[SIGTSTP], nullptr);
}

}  // namespace ui::console
