#pragma once

#include <curses.h>

#include <cstdio>

namespace ui::console {

// The terminal the windows are drawn on, written to as a wide-character terminal of UTF-8
// whatever the locale's own character set. It is set up in one place, here, and given back as it
// was found in one place, on every way out: the program's end, and a signal that ends it (Ctrl+C,
// SIGTERM, a connection's SIGHUP, a crash): its modes, the cursor, the mouse's reporting, the
// bracketed paste and the screen it showed before.
class Terminal {
 public:
  // A terminal the windows cannot be drawn on: one of a type the terminal database does not know,
  // one that cannot put its cursor anywhere, or one that does not read UTF-8.
  struct Refused {
    enum Why { kUnknown, kNoCursor, kNotUtf8 } why;
  };
  // The terminal of the given streams, of the type the environment names unless one is given;
  // refused (Refused) where the windows cannot be drawn on it.
  Terminal(std::FILE* input, std::FILE* output, const char* type = nullptr);
  ~Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  // The attributes the windows are drawn with: colours where the terminal has them, else reverse,
  // bold and underline.
  struct Style {
    attr_t title;     // the title bar of the window in front
    attr_t field;     // a text box's cells
    attr_t focused;   // the control with the focus
    attr_t disabled;  // a window that takes no input
  };
  const Style& Styles() const { return style_; }

 private:
  SCREEN* screen_;
  Style style_{};
};

}  // namespace ui::console
