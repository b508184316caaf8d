#pragma once

#include <string>
#include <string_view>

#include "ui/console/terminal.h"
#include "ui/drawn_window.h"

namespace ui::console {

// A cell of the screen, where the terminal's cursor stands; none where it is hidden.
struct Cell {
  int row = -1;
  int column = -1;
  explicit operator bool() const { return row >= 0; }
};

// How many cells of a terminal a text takes, a Chinese character two, as the C library says; and
// the text as the library writes it.
int Cells(std::u16string_view text);
std::wstring Wide(std::u16string_view text);

// A frame drawn around the cells of `inside`, which it clears.
void DrawFrame(const Rect& inside);

// A window on the character grid: a framed box with its title and close mark in its top border,
// its controls in the cells the core lays them out in, drawn in text: an option as "(*)" or "( )"
// before its caption, a push button in brackets, the default one in angle brackets, a text box as
// a field of underlined cells, a box's symbol as "(!)" or "(X)".
class ConsoleWindow final : public DrawnWindow {
 public:
  ConsoleWindow(const WindowDesign& design, Report report, const ProgramTexts& texts);

  // The parts of the window a press finds: its title bar, its close mark, its client area.
  enum class Part { kNone, kTitleBar, kCloseMark, kClient };
  Part PartAt(Point cell) const;
  // Drawn on the terminal's screen, the window in front with its title bar lit; where it has the
  // keyboard, the cell the terminal's cursor stands on for a screen reader.
  Cell Draw(const Terminal::Style& style, bool front) const;

  Units Measure() const override { return {96, true}; }
  Margins Frame() const override { return {1, 1, 1, 1}; }  // the border, the title in its top
  Rect WorkArea() const override { return {0, 0, COLS, LINES}; }
  void Show() override {}  // the engine draws what the core stacked
  // A console's screen reader reads what the screen shows where the cursor stands.
  void Announce(std::string_view, std::u16string_view) override {}

 private:
  int Width(std::u16string_view text) const override { return Cells(text); }
  Cell DrawControl(const Control& control, const Terminal::Style& style, attr_t dim) const;

  std::u16string closeMark_;  // the close key, then the mark in brackets
};

}  // namespace ui::console
