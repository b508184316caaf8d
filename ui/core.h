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
// every engine, from the events the engines report: tab stops, Enter and Escape, focus, which
// window reacts, placing, fitting text, what comes to the front, when a window goes and when the
// program ends.
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

// What the core is given to run: the windows, the first of them shown at start-up, and the text
// of the box that reports an error that ended a handler (titled as the first window is).
struct Program {
  std::span<const Form> windows;
  std::u16string_view (*failure)(const std::exception& error);
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
  void FocusMoved(std::string_view control) { lastFocus_ = control; }
  std::vector<std::string_view> FocusStops() const;
  void Fit(std::string_view textBox);
  // The labels' texts as a reader meets them, one a line.
  std::u16string Captions() const;

 private:
  std::string_view Checked(std::string_view name, ControlKind kind) const;

  const WindowDesign& design_;
  std::unique_ptr<EngineWindow> native_;
  std::vector<std::pair<std::string_view, std::u16string>> captions_;
  std::string_view lastFocus_;
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
  struct Slot {
    std::unique_ptr<Window> window;  // null while unloaded
    std::optional<Control> opener;   // the control whose click showed the window
    bool shown = false;              // since it was loaded
  };

  bool Receive(WindowId id, const Event& event);
  bool React(WindowId id, Window& window, const Event& event);
  void Dispatch(const std::function<void()>& handler);
  void Click(WindowId id, std::string_view control);
  bool KeyPressed(WindowId id, Key key);
  bool ArrowPressed(WindowId id, bool backward);
  bool Close(WindowId id);
  void Activated(WindowId id);
  void Place(WindowId id);
  void EndOfEvent();
  Window* FrontWindow() const;  // the window in front: an enabled one, the first first

  Engine& engine_;
  const Program& program_;
  std::vector<Slot> slots_;
  std::optional<Control> clicked_;                     // while a click handler runs
  std::vector<std::unique_ptr<EngineWindow>> closed_;  // to go once the outermost event is over
  int depth_ = 0;                                      // of the events being handled
};

}  // namespace ui
