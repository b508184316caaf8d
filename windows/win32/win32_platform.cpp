#include "windows/win32/win32_platform.h"

#include <commctrl.h>

#include <string>

#include "windows/dispatch.h"

namespace windows::win32 {
namespace {

std::size_t Index(FormId form) { return static_cast<std::size_t>(form); }

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

void Win32Platform::Start() { Show(FormId::kForm1); }

int Win32Platform::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND top = GetAncestor(message.hwnd, GA_ROOT);
    if (top && IsDialogMessageW(top, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

Win32Platform::Instance& Win32Platform::Instantiate(FormId form) {
  Instance& instance = instances_[Index(form)];
  if (!instance.handlers) {
    instance.handlers = CreateForm(form, *this);
    Dispatch(*this, [&] { instance.handlers->Form_Initialize(); });
  }
  return instance;
}

// Controls are loaded with their window, as a reference to a control of an unloaded window
// loads it.
Win32Window& Win32Platform::Load(FormId form) {
  Instance& instance = Instantiate(form);
  if (!Loaded(instance)) {
    Form& handlers = *instance.handlers;
    instance.window = std::make_unique<Win32Window>(
        instance_, handlers.Design(),
        Win32Window::Callbacks{
            .click = [this, &handlers](std::string_view control) {
              Dispatch(*this, [&] { handlers.Click(control); });
            },
            .close = [this, form] { return Unload(form); },
            .destroyed = [this] {
              if (--windowsLeft_ == 0) PostQuitMessage(0);
            }});
    ++windowsLeft_;
    Dispatch(*this, [&] { handlers.Form_Load(); });
  }
  return *instance.window;
}

bool Win32Platform::Unload(FormId form) {
  Dispatch(*this, [&] { instances_[Index(form)].handlers->Form_Unload(); });
  return true;
}

Window& Win32Platform::GetWindow(FormId form) { return Load(form); }

void Win32Platform::Show(FormId form) { Load(form).Show(); }

// Modal to the window in front (the main window, unless the explanation window is): a box owned
// by a window that is disabled would enable it again when it closes.
void Win32Platform::ShowMessage(std::u16string_view text, MessageIcon icon,
                                std::u16string_view title) {
  HWND owner = GetActiveWindow();
  if (!owner && Loaded(instances_[Index(FormId::kForm1)])) {
    owner = instances_[Index(FormId::kForm1)].window->Handle();
  }
  MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(),
              MB_OK | static_cast<UINT>(icon));
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
