#include "app/console.h"

#include <errno.h>  // program_invocation_short_name

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "ui/console/console_engine.h"
#include "ui/forms.h"

// The Linux virtual console holds too few glyphs for Chinese characters, and a terminal of a type
// the terminal database does not know cannot be drawn on: each is said so, in one line of plain
// ASCII, with what to use instead.
int ShowInTerminal() {
  const char* type = std::getenv("TERM");
  if (type && std::strcmp(type, "linux") == 0) {
    std::fprintf(stderr, "%s: the Linux console cannot draw Chinese characters; use a terminal "
                 "emulator with a Chinese font, SSH from one, or fbterm or kmscon.\n",
                 program_invocation_short_name);
    return 1;
  }
  std::optional<ui::console::Terminal> terminal;
  try {
    terminal.emplace(stdin, stdout);
  } catch (const std::runtime_error&) {
    std::fprintf(stderr, "%s: the terminal's type (TERM=%s) is unknown here; set TERM to one it "
                 "knows, such as xterm-256color.\n", program_invocation_short_name, type ? type : "");
    return 1;
  }
  ui::console::ConsoleEngine engine(*terminal);
  ui::Core core(engine, ui::Calculator());
  core.Start();
  return engine.Run();
}
