// Start-up on Windows: declare the process dpi-aware, show the main window, run the message loop
// until the last window closes.

#include <windows.h>

#include "windows/win32/win32_platform.h"

namespace {

// Text stays crisp on high-dpi screens. Windows before Vista lack the call: look it up.
void DeclareDpiAware() {
  using SetProcessDpiAwareFunction = BOOL(WINAPI*)();
  if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
    if (auto declare = reinterpret_cast<SetProcessDpiAwareFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAware")))) {
      declare();
    }
  }
}

}  // namespace

// The command line means nothing to the program.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  DeclareDpiAware();
  windows::win32::Win32Platform platform(instance);
  platform.Start();
  return platform.Run();
}
