#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ui/design.h"

// A message box as a window of the core's: its symbol and its text side by side, its one button
// below them, the default, which Enter, Space and a press click; Escape closes it as the button
// does. Laid out in twips for its texts, a column of 90 twips holding half a Chinese character of
// the windows' own text size, as a terminal's cell does, and wide enough for its whole title
// beside a title bar's icon and close mark.
namespace ui {

class BoxDesign {
 public:
  BoxDesign(std::u16string_view text, MessageIcon icon, std::u16string_view title,
            std::u16string_view button, const FontDesign& font);
  BoxDesign(const BoxDesign&) = delete;
  BoxDesign& operator=(const BoxDesign&) = delete;

  const WindowDesign& Window() const { return window_; }

 private:
  std::u16string text_, title_, button_;  // what the design's texts view
  std::array<ControlDesign, 3> controls_;
  WindowDesign window_;
};

// The columns a text takes at the windows' own text size: two for a wide character (Chinese,
// Japanese, Korean and full-width forms), one for any other.
int Columns(std::u16string_view text);

}  // namespace ui
