#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/console/keys.h"
#include "ui/console/terminal.h"
#include "ui/console/text_field.h"
#include "ui/design.h"
#include "ui/engine.h"

namespace ui::console {

// A cell of the screen, where the terminal's cursor stands; none where it is hidden.
struct Cell {
  int row = -1;
  int column = -1;
  explicit operator bool() const { return row >= 0; }
};

// A frame drawn around the cells of `inside`, which it clears.
void DrawFrame(const Rect& inside);

// A window on the character grid: a framed box with its title and close mark in its top border,
// its controls in the cells the core lays them out in, drawn in text: an option as "(*)" or "( )"
// before its caption, a push button in brackets, the default one in angle brackets, a text box as
// a field of underlined cells, a box's symbol as "(!)" or "(X)". It is its controls' toolkit too:
// it edits a text box's text. It reports clicks, edits and caret moves, the focus, keys with their
// modifiers, presses, drags and close requests to the core, and knows no handler.
class ConsoleWindow final : public EngineWindow {
 public:
  ConsoleWindow(const WindowDesign& design, Report report, const ProgramTexts& texts);
  ConsoleWindow(const ConsoleWindow&) = delete;
  ConsoleWindow& operator=(const ConsoleWindow&) = delete;

  bool Tell(const Event& event) { return report_(event); }
  // What the text box with the focus does with a key the core left it, or with a typed text.
  void Edit(Edit edit);
  void Type(std::u16string_view typed);
  // The parts of the window a press finds: its title bar, its close mark, its client area.
  enum class Part { kNone, kTitleBar, kCloseMark, kClient };
  Part PartAt(Point cell) const;
  // A press in the client area, once the core let it go on: the control pressed takes the focus,
  // as with the toolkits, and a button or an option is clicked, a text box's caret put there.
  void Press(Point cell);

  // A text box as its toolkit keeps it: its text, caret and selection.
  const TextField& Field(std::string_view textBox) const { return Find(textBox).field; }
  Point Origin() const { return origin_; }  // the client area's top-left cell
  const std::u16string& Notice() const { return notice_; }
  // Drawn on the terminal's screen, the window in front with its title bar lit; where it has the
  // keyboard, the cell the terminal's cursor stands on for a screen reader.
  Cell Draw(const Terminal::Style& style, bool front) const;

  std::u16string Text(std::string_view textBox) const override;
  void SetText(std::string_view control, std::u16string_view text) override;
  bool Value(std::string_view option) const override;
  void SetValue(std::string_view option, bool selected) override;
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  void Focus(std::string_view control) override;
  std::size_t Caret(std::string_view textBox) const override;
  void MoveCaret(std::string_view textBox, std::size_t to) override;
  void TakeKeyboard(std::u16string_view readAs) override;
  void MarkDefault(std::string_view button) override { default_ = button; }
  Units Measure() const override { return {96, true}; }
  void Lay(const WindowLayout& layout) override;
  int TextRoom(std::string_view textBox) const override;
  int TextWidth(std::string_view, std::u16string_view text, int) const override { return Cells(text); }
  void ShowText(std::string_view textBox, const TextView& view) override;
  Margins Frame() const override { return {1, 1, 1, 1}; }  // the border, the title in its top
  Rect WorkArea() const override { return {0, 0, COLS, LINES}; }
  void Place(const Placement& placement) override;
  void Show() override {}  // the engine draws what the core stacked
  // A console's screen reader reads what the screen shows where the cursor stands.
  void Announce(std::string_view, std::u16string_view) override {}

 private:
  struct Control {
    const ControlDesign* design;
    Rect cells{};
    std::u16string caption;
    bool checked = false;
    TextField field;
    TextView view{1};
  };
  Control& Find(std::string_view name);
  const Control& Find(std::string_view name) const;
  Control* At(Point cell);
  Rect Bounds() const { return {origin_.x, origin_.y, width_, height_}; }  // the client area's
  // The first character a text box shows, and how many after it, in the room its view leaves.
  std::pair<std::size_t, std::size_t> Shown(const Control& box) const;
  Cell DrawControl(const Control& control, const Terminal::Style& style, attr_t dim) const;
  Control* FocusedTextBox();

  const WindowDesign& design_;
  Report report_;
  std::u16string closeMark_;  // the close key, then the mark in brackets
  std::vector<Control> controls_;  // in reading order
  std::vector<Rect> lines_;
  int width_ = 0, height_ = 0;
  Point origin_{0, 0};
  std::u16string notice_;
  bool enabled_ = true;
  std::string_view focus_;
  std::string_view default_;
};

}  // namespace ui::console
