#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string_view>

#include "windows/form.h"
#include "windows/platform.h"

namespace windows {

// What a window tells its engine: a click on a control, and a request to close.
struct WindowEvents {
  std::function<void(std::string_view control)> click;
  std::function<bool()> close;  // whether the window may close; it is then unloaded
};

// A window as an engine builds it from its design: its controls, and showing it.
class EngineWindow : public Window {
 public:
  virtual void Show() = 0;  // visible, in front and active, with the focus where it was
  virtual bool IsEnabled() const = 0;
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

 protected:
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

  std::array<Instance, 2> instances_;
};

}  // namespace windows
