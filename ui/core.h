#pragma once

#include <cstddef>
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
namespace ui {

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
  // A text box's view fitted to its text, its focus and caret; one without the focus scrolled back
  // to the start where asked, as when its text is set, it loses the focus or it is laid out anew.
  void Fit(std::string_view textBox, bool scrollBack = false);
  // Where each control stands and how each text box shows its text, in the window's units.
  void Lay(const Placement& placement);
  // The labels' texts as a reader meets them, one a line.
  std::u16string Captions() const;

 private:
  std::string_view Checked(std::string_view name, ControlKind kind) const;

  const WindowDesign& design_;
  std::unique_ptr<EngineWindow> native_;
  std::vector<std::pair<std::string_view, std::u16string>> captions_;
  std::string_view focus_;  // where the keyboard is, or was last, in the window
  bool enabled_ = true;
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
  struct Slot {
    std::unique_ptr<Window> window;  // null while unloaded
    std::optional<Control> opener;   // the control whose click showed the window
    std::optional<Point> dragged;    // where the user dragged it to, since it was loaded
    std::size_t shown = 0;           // when it was last shown, counted in shows; 0: not yet
    std::optional<Laid> laid;
  };

  bool Receive(WindowId id, const Event& event);
  bool React(WindowId id, Window& window, const Event& event);
  void Dispatch(const std::function<void()>& handler);
  void Click(WindowId id, std::string_view control);
  bool KeyPressed(WindowId id, Key key, unsigned modifiers);
  bool ArrowPressed(WindowId id, bool backward);
  bool Close(WindowId id);
  void Activated(WindowId id);
  void Arrange(WindowId id);
  void EndOfEvent();
  // The window that takes input: of those enabled, the one shown last; none where every window is
  // disabled.
  std::optional<WindowId> TakingInput() const;

  Engine& engine_;
  const Program& program_;
  std::vector<Slot> slots_;
  std::size_t shows_ = 0;
  std::optional<Control> clicked_;                     // while a click handler runs
  std::vector<std::unique_ptr<EngineWindow>> closed_;  // to go once the outermost event is over
  int depth_ = 0;                                      // of the events being handled
  bool reporting_ = false;                             // a failure, in its box
};

}  // namespace ui
