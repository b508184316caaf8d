#pragma once

#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/design.h"
#include "ui/engine.h"

// The portable core of the windows: each window exists at most once, is loaded when it is
// shown or a control of it is referred to (running its load handler) and unloaded when it
// closes (running its unload handler); the handlers run one at a time, and an error that ends one
// is reported in a box. Everything a window does beyond drawing is decided here, the same for
// every engine, from the events the engines report: what a key does, focus, an option group's
// selection, which window reacts and which comes to the front, where a window goes and where its
// controls stand, how a text box shows its text, when a window goes and when the program ends.
// Where the engine draws the windows itself, the core is their window manager too: it stacks them,
// decides what a press on one does, closes one on the close key, moves one by its title bar, and
// shows a notice in place of one the screen is too small for; and its boxes are its own windows.
//
// An event's life. An engine reports an event (Receive) and the core answers it at once, which
// may run a handler; a handler may show a box and wait for it to be answered (ShowMessage), the
// engine meanwhile delivering further events, the box's own among them, in a loop nested in the
// first event's. So events nest, and any of them may close a window: a closed window leaves its
// place at once but lives on (closed_) until the outermost event is over (depth_), as its engine
// may still be inside one of its own events; only then are closed windows destroyed, and the
// program ended with its last window. While a click's handler runs, the control clicked is known
// (clicked_), so that a window it shows goes back to it when closed. An error that ends a handler
// is reported in a box; one that comes while that box is being reported belongs to it (reporting_).
// An engine needs to know none of this: it reports, and treats the window as possibly gone
// afterwards.
namespace ui {

class BoxDesign;
class Core;
class Window;

using Handler = void (*)(Core& core);

struct ClickHandler {
  std::string_view control;
  Handler handler;
};

// A window of the program: its design, and its handlers bound by control name.
struct Form {
  const WindowDesign& (*design)();
  Handler load;
  Handler unload;  // none where the window has no unload handler
  std::span<const ClickHandler> clicks;
};

// A window's place in the program's table.
using WindowId = std::size_t;

// What the core is given to run: the windows, the first of them shown at start-up, the text of
// the box that reports an error that ended a handler (titled as the first window is), and the
// program's texts that engines show.
struct Program {
  std::span<const Form> windows;
  std::u16string_view (*failure)(const std::exception& error);
  ProgramTexts texts;
};

// One loaded window as the handlers see it: its controls, by the names of its design.
class Window {
 public:
  Window(const WindowDesign& design, std::unique_ptr<EngineWindow> native);

  std::u16string Text(std::string_view textBox) const;
  void SetText(std::string_view textBox, std::u16string_view text);
  bool Value(std::string_view option) const;
  // Selecting an option clears the other options of its group.
  void SetValue(std::string_view option, bool selected);
  void SetCaption(std::string_view label, std::u16string_view caption);
  // A disabled window stays visible and takes no keyboard or mouse input.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  // A window not whole on its screen takes no input either, whatever its handlers say.
  void SetWhole(bool whole);

  const WindowDesign& Design() const { return design_; }
  EngineWindow& Native() { return *native_; }
  std::unique_ptr<EngineWindow> Release() { return std::move(native_); }

  // The focus to a control, with a text box's text selected so that typing replaces it; Enter
  // then clicks the button the focus decides.
  void FocusOn(std::string_view control);
  bool FocusFirstStop();  // whether the window has a stop
  // The keyboard back where it last was in the window, else on its first stop, else on the
  // window itself.
  void RestoreFocus();
  // The focus arrived on a control, by the program or the user: the default mark follows it, and a
  // text box it left shows its text from the start.
  void FocusArrived(std::string_view control);
  std::string_view Focus() const { return focus_; }
  std::vector<std::string_view> FocusStops() const;
  // A text box's view fitted to its text, its focus and caret, and where it showed from last; one
  // without the focus has its caret put at its start where asked, as when its text is set, it
  // loses the focus or it is laid out anew.
  void Fit(std::string_view textBox, bool caretToStart = false);
  // What the user's edit put into a text box, as a box keeps it: no control character, which
  // would stand in it unseen (a pasted tab or line end, say).
  void Edited(std::string_view textBox);
  // Where each control stands and how each text box shows its text, in the window's units.
  void Lay(const Placement& placement);
  // Each text box's view fitted to its text, from now on. Until then, while the window is built
  // and its load handler sets its texts, none is: measuring the design's captions, which the
  // handler replaces before anyone sees them, would cost a font at every size they shrink to.
  void FitTexts();
  // The labels' texts as a reader meets them, one a line.
  std::u16string Captions() const;

 private:
  std::string_view Checked(std::string_view name, ControlKind kind) const;

  const WindowDesign& design_;
  std::unique_ptr<EngineWindow> native_;
  std::vector<std::pair<std::string_view, std::u16string>> captions_;
  std::vector<std::pair<std::string_view, std::size_t>> firsts_;  // each text box's first shown
  std::string_view focus_;  // where the keyboard is, or was last, in the window
  bool enabled_ = true;
  bool whole_ = true;
  bool fitting_ = false;
};

class Core {
 public:
  Core(Engine& engine, const Program& program);
  Core(const Core&) = delete;
  Core& operator=(const Core&) = delete;
  ~Core();

  // Start-up: the first window, loaded and shown.
  void Start() { Show(0); }

  // What the handlers ask for.
  Window& Load(WindowId id);  // loaded if it is not
  // Loads the window if needed, shows it without an owner and returns at once.
  void Show(WindowId id);
  // A box with one button over the window that takes input, modal to the program; returns once it
  // is answered.
  void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title);
  char16_t DecimalSeparator() const { return engine_.DecimalSeparator(); }

  Window* Loaded(WindowId id) const;

 private:
  struct Control {
    WindowId window;
    std::string_view name;
  };
  // What a window's controls were laid out for.
  struct Laid {
    int dpi;
    bool cells;
    int fingerPixels;
    double scale;
    bool operator==(const Laid&) const = default;
  };
  // A window of the program's table, or after them a box that shows.
  struct Slot {
    std::unique_ptr<Window> window;  // null while unloaded
    std::optional<Control> opener;   // the control whose click showed the window
    std::optional<Point> dragged;    // where the user dragged it to, since it was loaded
    bool shown = false;              // since it was loaded
    std::optional<Laid> laid;
    Placement placed;
    std::unique_ptr<BoxDesign> box;  // a box's own design
    std::optional<WindowId> owner;   // ... the window it stands over
  };

  void Build(WindowId id, const WindowDesign& design);
  void ShowBox(std::optional<WindowId> owner, std::u16string_view text, MessageIcon icon,
               std::u16string_view title);
  bool Receive(WindowId id, const Event& event);
  bool React(WindowId id, Window& window, const Event& event);
  void Dispatch(const std::function<void()>& handler);
  void Click(WindowId id, std::string_view control);
  bool KeyPressed(WindowId id, Key key, unsigned modifiers);
  bool ArrowPressed(WindowId id, bool backward);
  bool Close(WindowId id);
  void Activated(WindowId id);
  void Raise(WindowId id);  // in front, with the keyboard
  void Restack();           // the engine told the stacking
  void Arrange(WindowId id);
  void EndOfEvent();
  // Whether a window takes input: loaded, enabled, whole on its screen, and under no box.
  bool TakesInput(WindowId id) const;
  // The window that takes input: the one in front of those that do; none where none does.
  std::optional<WindowId> TakingInput() const;
  bool IsProgramWindow(WindowId id) const { return id < program_.windows.size(); }

  Engine& engine_;
  const Program& program_;
  std::deque<Slot> slots_;  // the program's windows by id, then the boxes showing, the last in front
  std::vector<WindowId> stack_;                        // the open windows, back to front
  std::optional<WindowId> active_;                     // the one with the keyboard, if any
  std::optional<Control> clicked_;                     // while a click handler runs
  std::vector<std::unique_ptr<EngineWindow>> closed_;  // to go once the outermost event is over
  int depth_ = 0;                                      // of the events being handled
  bool reporting_ = false;                             // a failure, in its box
};

}  // namespace ui
