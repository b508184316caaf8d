// Start-up on Windows: declare the process dpi-aware, show the main window, run the message loop
// until the last window closes.

#include <windows.h>

#include "app/win32/window_icons.h"
#include "ui/forms.h"
#include "ui/win32/win32_engine.h"

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
  ui::win32::Win32Engine engine(instance, LoadWindowIcons(instance));
  ui::Core core(engine, ui::Calculator());
  core.Start();
  return engine.Run();
}
