#include "ui/win32/win32_engine.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>

#include "ui/win32/win32_window.h"

namespace ui::win32 {
namespace {

// A key the core may answer, with the modifiers held down; Alt+F4 and other keys with Alt come
// as system keys.
std::optional<std::pair<Key, unsigned>> KeyOf(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return std::nullopt;
  constexpr std::pair<WPARAM, Key> kKeys[] = {
      {VK_TAB, Key::kTab},  {VK_RETURN, Key::kEnter}, {VK_ESCAPE, Key::kEscape},
      {VK_SPACE, Key::kSpace}, {VK_UP, Key::kUp},      {VK_DOWN, Key::kDown},
      {VK_LEFT, Key::kLeft}, {VK_RIGHT, Key::kRight},  {VK_F4, Key::kF4},
      {'W', Key::kW}};
  constexpr std::pair<int, Modifier> kModifiers[] = {
      {VK_SHIFT, kShift}, {VK_CONTROL, kCtrl}, {VK_MENU, kAlt}, {VK_LWIN, kMeta}, {VK_RWIN, kMeta}};
  for (const auto& [virtualKey, key] : kKeys) {
    if (message.wParam != virtualKey) continue;
    unsigned modifiers = 0;
    for (const auto& [held, modifier] : kModifiers) {
      if (GetKeyState(held) < 0) modifiers |= modifier;
    }
    return std::pair{key, modifiers};
  }
  return std::nullopt;
}

}  // namespace

// Themed controls come from the manifest; of the common controls only tooltips are used.
Win32Engine::Win32Engine(HINSTANCE instance, Icons icons) : instance_(instance), icons_(icons) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_TAB_CLASSES;
  InitCommonControlsEx(&controls);
}

Win32Engine::~Win32Engine() = default;

int Win32Engine::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

void Win32Engine::Dispatch(MSG& message) {
  Win32Window* window = Win32Window::Of(GetAncestor(message.hwnd, GA_ROOT));
  const auto key = KeyOf(message);
  if (window && key && window->KeyPressed(key->first, key->second)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

unsigned Win32Engine::Capabilities() const {
  constexpr int kDigitizer = 94;                      // SM_DIGITIZER, from Windows 7 on; 0 before
  constexpr int kTouchReady = 0x01 | 0x80;            // NID_INTEGRATED_TOUCH | NID_READY
  const bool touched = (GetSystemMetrics(kDigitizer) & kTouchReady) == kTouchReady;
  return kWindowManager | kNativeBoxes | (touched ? kTouch : 0u);
}

std::unique_ptr<EngineWindow> Win32Engine::BuildWindow(const WindowDesign& design, Report report) {
  return std::make_unique<Win32Window>(instance_, icons_, design, std::move(report));
}

void Win32Engine::ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
                          std::u16string_view title) {
  const std::wstring wideText(text.begin(), text.end());
  const std::wstring wideTitle(title.begin(), title.end());
  MessageBoxW(owner ? static_cast<const Win32Window*>(owner)->Handle() : nullptr, wideText.c_str(),
              wideTitle.c_str(),
              MB_OK | (icon == MessageIcon::kError ? MB_ICONERROR : MB_ICONWARNING));
}

char16_t Win32Engine::DecimalSeparator() const {
  wchar_t separator[4] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) == 0) return u'.';
  return static_cast<char16_t>(separator[0]);
}

}  // namespace ui::win32
