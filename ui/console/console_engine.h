#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/console/keys.h"
#include "ui/console/terminal.h"
#include "ui/engine.h"

namespace ui::console {

class ConsoleWindow;

// The engine over a text terminal, with the wide-character curses library. Implemented: windows
// as framed boxes on the character grid, laid out in cells, drawn as the core stacks them, the
// keyboard to the one in front; the keys the core may answer, with the modifiers the terminal
// tells, answered at once, and a text box's own editing keys, as the one key table reads them
// (keys.h); the mouse where the terminal reports it, a window dragged by its title bar; a
// bracketed paste taken as typed text; a resize; the core's boxes, waited for; the locale's
// decimal separator. No window manager, no touch, no scaling, no tooltips.
class ConsoleEngine final : public Engine {
 public:
  explicit ConsoleEngine(Terminal& terminal) : terminal_(terminal) {}

  int Run();    // until the last window has closed
  void Pump();  // what the terminal has sent, answered, until nothing more waits

  unsigned Capabilities() const override { return 0; }
  void UseTexts(const ProgramTexts& texts) override { texts_ = texts; }
  std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design, Report report) override;
  void Destroy(std::unique_ptr<EngineWindow> window) override { window.reset(); }
  void Quit() override { ended_ = true; }
  void Stack(const std::vector<EngineWindow*>& backToFront) override;
  void Wait(const std::function<bool()>& done) override;
  char16_t DecimalSeparator() const override;

 private:
  bool Read(int milliseconds);  // what the terminal sends, within the time; false if nothing
  bool Take(bool wait);         // one input answered; whether one came
  std::optional<Input> Next();
  void Answer(const Input& input);
  void Press(Point cell);
  void Draw();
  bool Stacked(const ConsoleWindow* window) const;

  Terminal& terminal_;
  ProgramTexts texts_{};
  std::vector<ConsoleWindow*> stack_;  // as the core stacks them, the front last
  std::u32string pending_;             // sent, not yet read into an input
  std::u16string pasted_;
  bool pasting_ = false;
  // A window dragged by its title bar, and where in it the mouse holds it.
  struct Drag {
    ConsoleWindow* window;
    Point held;
  };
  std::optional<Drag> dragging_;
  bool ended_ = false;
  bool gone_ = false;  // the terminal, which ended the program
};

}  // namespace ui::console
