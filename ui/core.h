#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
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
// every engine: tab stops, Enter and Escape, focus, placing, fitting text, what comes to the front.
namespace ui {

enum class FormId { kForm1, kForm2 };
inline constexpr std::array kFormIds{FormId::kForm1, FormId::kForm2};

// One loaded window as the handlers see it: its controls, by the names of its design.
class Window {
 public:
  Window(const WindowDesign& design, std::unique_ptr<EngineWindow> shown);

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
  EngineWindow& Shown() { return *shown_; }
  std::unique_ptr<EngineWindow> Release() { return std::move(shown_); }

  // The focus to a control, with a text box's text selected so that typing replaces it; Enter
  // then clicks the button the focus decides.
  void FocusOn(std::string_view control);
  std::vector<std::string_view> FocusStops() const;
  void Fit(std::string_view textBox);
  // The labels' texts as a reader meets them, one a line.
  std::u16string Captions() const;

 private:
  std::string_view Checked(std::string_view name, ControlKind kind) const;

  const WindowDesign& design_;
  std::unique_ptr<EngineWindow> shown_;
  std::vector<std::pair<std::string_view, std::u16string>> captions_;
  bool enabled_ = true;
};

class Core {
 public:
  explicit Core(Engine& engine) : engine_(engine) {}
  Core(const Core&) = delete;
  Core& operator=(const Core&) = delete;
  ~Core();

  // Start-up: the main window, loaded and shown.
  void Start() { Show(FormId::kForm1); }

  // What the handlers ask for.
  Window& GetWindow(FormId form);  // loaded if it is not
  // Loads the window if needed, shows it without an owner and returns at once.
  void Show(FormId form);
  void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title);
  char16_t DecimalSeparator() const { return engine_.DecimalSeparator(); }

  Window* Loaded(FormId form) const;

 private:
  struct Control {
    FormId form;
    std::string_view name;
  };
  struct Slot {
    std::unique_ptr<Window> window;  // null while unloaded
    std::optional<Control> opener;   // the control whose click showed the window
    bool shown = false;              // since it was loaded
  };

  Window& Load(FormId form);
  void Dispatch(const std::function<void()>& handler);
  void Click(FormId form, std::string_view control);
  bool KeyPressed(FormId form, Key key);
  bool Close(FormId form);
  void Activated(FormId form);
  void Place(FormId form);
  bool FocusFirstStop(Window& window);  // whether the window has a stop
  Window* FrontWindow() const;          // the window in front: an enabled one, the main one first
  Slot& SlotOf(FormId form) { return slots_[static_cast<std::size_t>(form)]; }

  Engine& engine_;
  std::array<Slot, kFormIds.size()> slots_;
  std::optional<Control> clicked_;  // while a click handler runs
};

}  // namespace ui
