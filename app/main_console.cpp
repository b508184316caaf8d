// Start-up in a text terminal: the main window, then the terminal's keys and mouse until the last
// window closes. The command line means nothing to the program.
#include <unistd.h>

#include <cstdio>

#include "app/console.h"

int main() {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
    std::fputs("quorvel-console: there is no terminal to show the calculator in (over SSH, "
               "ssh -t gives it one)\n", stderr);
    return 1;
  }
  return ShowInTerminal();
}
