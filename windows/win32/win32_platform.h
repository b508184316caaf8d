#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "windows/engine.h"
#include "windows/win32/win32_window.h"

namespace windows::win32 {

// The window operations over the Win32 API.
class Win32Platform final : public Engine {
 public:
  explicit Win32Platform(HINSTANCE instance) : instance_(instance) {}

  // The message loop, with the dialog manager's Tab and Enter keys, until no window is left.
  int Run();

  void InitCommonControls() override;
  char16_t DecimalSeparator() const override;

 protected:
  void ShowBox(std::u16string_view text, MessageIcon icon, std::u16string_view title) override;
  std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design,
                                            WindowEvents events) override;
  void Discard(std::unique_ptr<EngineWindow> window) override;

 private:
  Win32Window* OurWindow(HWND top) const;

  HINSTANCE instance_;
  int windowsLeft_ = 0;
  // Unloaded windows, still inside the message that closed them until the loop clears them.
  std::vector<std::unique_ptr<EngineWindow>> discarded_;
};

}  // namespace windows::win32
