#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "windows/form.h"
#include "windows/platform.h"
#include "windows/win32/win32_window.h"

namespace windows::win32 {

// The window operations over the Win32 API. Each window exists at most once: created on first
// use, loaded when shown, and unloaded (its window destroyed) when it closes.
class Win32Platform final : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance) : instance_(instance) {}

  // Start-up: the main window, initialised, loaded and shown.
  void Start();
  // The message loop, with the dialog manager's Tab and Enter keys, until no window is left.
  int Run();

  Window& GetWindow(FormId form) override;
  void Show(FormId form) override;
  void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) override;
  void InitCommonControls() override;
  char16_t DecimalSeparator() const override;

 private:
  struct Instance {
    std::unique_ptr<Form> handlers;
    std::unique_ptr<Win32Window> window;  // kept after its window is destroyed, until reloaded
  };

  Instance& Instantiate(FormId form);
  Win32Window& Load(FormId form);
  bool Unload(FormId form);
  bool Loaded(const Instance& instance) const { return instance.window && instance.window->Handle(); }

  HINSTANCE instance_;
  std::array<Instance, 2> instances_;
  int windowsLeft_ = 0;
};

}  // namespace windows::win32
