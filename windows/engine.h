#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string_view>

#include "windows/form.h"
#include "windows/platform.h"

namespace windows {

// What a window tells its engine, the same on every engine:
// - click: a push button's click; an option's click whenever the user selects it, by mouse,
//   keyboard (Space, the arrow keys within its group) or an assistive technology's action, also
//   when it is selected already; never when the program sets an option's value;
// - close: a request to close; returns whether the window may close (it is then unloaded);
// - activated: the user brought the window to the front.
struct WindowEvents {
  std::function<void(std::string_view control)> click;
  std::function<bool()> close;
  std::function<void()> activated;
};

// A window as an engine builds it from its design: its controls, and showing it.
class EngineWindow : public Window {
 public:
  virtual void Show() = 0;  // visible, in front and active, with the focus where it was
  virtual bool IsEnabled() const = 0;
  // The focus to the first control in tab order, with all of its text selected, so that typing
  // replaces it.
  virtual void FocusFirstStop() = 0;
};

// The part of every engine that needs no toolkit: each window exists at most once, created on
// first use (running its initialisation handler), loaded when shown or when a control of it is
// referred to (running its load handler), and unloaded when it closes (running its unload
// handler). A toolkit's engine builds and discards the windows.
class Engine : public Platform {
 public:
  // Start-up: the main window, initialised, loaded and shown.
  void Start() { Show(FormId::kForm1); }

  Window& GetWindow(FormId form) final { return Load(form); }
  void Show(FormId form) final { Load(form).Show(); }

  EngineWindow* LoadedWindow(FormId form) const;

  // After the box the focus is back in the main window's input, ready for a new size.
  void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) final;

 protected:
  // A box with one OK button, modal to the application; returns when it is dismissed.
  virtual void ShowBox(std::u16string_view text, MessageIcon icon, std::u16string_view title) = 0;
  virtual std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design,
                                                    WindowEvents events) = 0;
  // Takes an unloaded window, to be destroyed once the close that unloaded it is over.
  virtual void Discard(std::unique_ptr<EngineWindow> window) = 0;

 private:
  struct Instance {
    std::unique_ptr<Form> handlers;
    std::unique_ptr<EngineWindow> window;  // null while unloaded
  };

  EngineWindow& Load(FormId form);
  // A disabled window cannot be closed by the user.
  bool Unload(FormId form);
  // A disabled window brought to the front puts the window that disabled it in front of it.
  void Activated(FormId form);

  std::array<Instance, 2> instances_;
};

}  // namespace windows
