#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/console/terminal.h"
#include "ui/engine.h"

namespace ui::console {

class ConsoleWindow;

// The engine over a text terminal, with the wide-character curses library. Implemented: windows
// as framed boxes on the character grid, laid out in cells; the engine as their window manager,
// the window shown last in front, Ctrl+W asking the window in front to close, as a window manager's
// Alt+F4 would (the core answers Alt+F4 itself, where a terminal sends it);
// the keys the core may answer, with the modifiers the terminal tells, answered at once; the mouse
// where the terminal reports it; a bracketed paste taken as typed text; a resize; modal boxes;
// the locale's decimal separator. No touch, no scaling, no tooltips.
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
  void ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
               std::u16string_view title) override;
  char16_t DecimalSeparator() const override;

  // The windows' own: one shown comes to the front; one destroyed goes.
  void Raise(ConsoleWindow* window);
  void Forget(ConsoleWindow* window);

 private:
  struct Box {
    const ConsoleWindow* owner;
    std::u16string text, title;
    MessageIcon icon;
    bool answered = false;
  };
  // Where a box stands: over its owner, else in the middle of the screen.
  struct BoxPlace {
    int left, top, width;
    int ButtonRow() const { return top + 3; }
  };
  bool Take(bool wait);  // one key, paste or press, answered; whether one came
  void Answer(int result, wint_t input);
  void Escaped();
  void Route(Key key, unsigned modifiers, int editing);
  void Press();
  void Draw();
  BoxPlace PlaceOf(const Box& box) const;
  void DrawBox(const Box& box) const;

  Terminal& terminal_;
  ProgramTexts texts_{};
  std::vector<ConsoleWindow*> stacking_;  // front last
  std::vector<Box*> boxes_;               // the one showing last
  std::u16string pasted_;
  bool pasting_ = false;
  bool ended_ = false;
  bool gone_ = false;  // the terminal, which ended the program
};

}  // namespace ui::console
