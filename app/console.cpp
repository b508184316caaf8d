#include "app/console.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/console/console_engine.h"
#include "ui/forms.h"

// The Linux virtual console holds too few glyphs for Chinese characters: it is said so, in plain
// ASCII, with what to use instead.
int ShowInTerminal() {
  const char* type = std::getenv("TERM");
  if (type && std::strcmp(type, "linux") == 0) {
    std::fputs("quorvel: the Linux console cannot draw Chinese characters; use a terminal emulator "
               "with a Chinese font, SSH from one, or fbterm or kmscon.\n",
               stderr);
    return 1;
  }
  ui::console::Terminal terminal(stdin, stdout);
  ui::console::ConsoleEngine engine(terminal);
  ui::Core core(engine, ui::Calculator());
  core.Start();
  return engine.Run();
}
