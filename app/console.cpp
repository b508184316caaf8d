#include "app/console.h"

#include <errno.h>  // program_invocation_short_name

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "ui/console/console_engine.h"
#include "ui/forms.h"

// The Linux virtual console holds too few glyphs for Chinese characters, and a terminal of a type
// the terminal database does not know cannot be drawn on, nor one that cannot put its cursor
// anywhere or does not read UTF-8: each is said so, in one line of plain ASCII, with what to use
// instead.
int ShowInTerminal() {
  const char* type = std::getenv("TERM");
  const auto refuse = [](const char* why, const char* type) {
    std::fprintf(stderr, why, program_invocation_short_name, type ? type : "");
    return 1;
  };
  if (type && std::strcmp(type, "linux") == 0) {
    return refuse("%s: the Linux console cannot draw Chinese characters; use a terminal emulator "
                  "with a Chinese font, SSH from one, or fbterm or kmscon.\n", type);
  }
  std::optional<ui::console::Terminal> terminal;
  try {
    terminal.emplace(stdin, stdout);
  } catch (const ui::console::Terminal::Refused& refused) {
    constexpr const char* kWhy[] = {
        "%s: the terminal's type (TERM=%s) is unknown here; set TERM to one it knows, such as "
        "xterm-256color.\n",
        "%s: the terminal (TERM=%s) cannot move its cursor; use a terminal emulator such as xterm, "
        "or SSH from one.\n",
        "%s: the terminal (TERM=%s) does not read UTF-8 here; set it to UTF-8 (GNU screen: start "
        "it as LANG=C.UTF-8 screen).\n"};
    return refuse(kWhy[refused.why], type);
  }
  ui::console::ConsoleEngine engine(*terminal);
  ui::Core core(engine, ui::Calculator());
  core.Start();
  return engine.Run();
}
