#include "windows/win32/win32_platform.h"

#include <commctrl.h>

#include <string>

namespace windows::win32 {

Win32Window* Win32Platform::OurWindow(HWND top) const {
  for (const FormId form : {FormId::kForm1, FormId::kForm2}) {
    auto* window = static_cast<Win32Window*>(LoadedWindow(form));
    if (window && window->Handle() == top) return window;
  }
  return nullptr;
}

int Win32Platform::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND top = GetAncestor(message.hwnd, GA_ROOT);
    // Tab follows the design's order, which is not the stacking order the dialog manager follows.
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
      if (Win32Window* window = OurWindow(top)) {
        window->MoveFocus(GetKeyState(VK_SHIFT) < 0);
        continue;
      }
    }
    if (!top || !IsDialogMessageW(top, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    discarded_.clear();
  }
  return static_cast<int>(message.wParam);
}

std::unique_ptr<EngineWindow> Win32Platform::BuildWindow(const WindowDesign& design,
                                                         WindowEvents events) {
  ++windowsLeft_;
  return std::make_unique<Win32Window>(instance_, design, std::move(events), [this] {
    if (--windowsLeft_ == 0) PostQuitMessage(0);
  });
}

void Win32Platform::Discard(std::unique_ptr<EngineWindow> window) {
  discarded_.push_back(std::move(window));
}

// Modal to the window in front (the main window, unless the explanation window is): a box owned
// by a window that is disabled would enable it again when it closes.
void Win32Platform::ShowBox(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  HWND owner = GetActiveWindow();
  if (!owner) {
    if (auto* main = static_cast<Win32Window*>(LoadedWindow(FormId::kForm1)))
      owner = main->Handle();
  }
  const std::wstring wideText(text.begin(), text.end());
  const std::wstring wideTitle(title.begin(), title.end());
  MessageBoxW(owner, wideText.c_str(), wideTitle.c_str(), MB_OK | static_cast<UINT>(icon));
}

// Themed controls come from the manifest; the call itself asks for no control classes.
void Win32Platform::InitCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = 0;
  InitCommonControlsEx(&controls);
}

char16_t Win32Platform::DecimalSeparator() const {
  wchar_t separator[4] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) == 0) return u'.';
  return static_cast<char16_t>(separator[0]);
}

}  // namespace windows::win32
