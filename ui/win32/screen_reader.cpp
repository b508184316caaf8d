#include "ui/win32/screen_reader.h"

#include <oleauto.h>
#include <unknwn.h>

#include <string>

namespace ui::win32 {
namespace {

template <typename Function>
Function Find(HMODULE library, const char* name) {
  return library
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
             : nullptr;
}

// UI Automation, looked up once at run time, so that older Windows still start.
struct Automation {
  Automation() {
    HMODULE automation = LoadLibraryW(L"uiautomationcore.dll");
    HMODULE strings = LoadLibraryW(L"oleaut32.dll");
    host = Find<decltype(host)>(automation, "UiaHostProviderFromHwnd");
    raise = Find<decltype(raise)>(automation, "UiaRaiseNotificationEvent");
    allocate = Find<decltype(allocate)>(strings, "SysAllocString");
    release = Find<decltype(release)>(strings, "SysFreeString");
  }
  bool Present() const { return host && raise && allocate && release; }

  HRESULT(WINAPI* host)(HWND, IUnknown**) = nullptr;
  HRESULT(WINAPI* raise)(IUnknown*, int, int, BSTR, BSTR) = nullptr;
  BSTR(WINAPI* allocate)(const OLECHAR*) = nullptr;
  void(WINAPI* release)(BSTR) = nullptr;
};

}  // namespace

void AnnounceToScreenReader(HWND source, std::u16string_view text) {
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, source, OBJID_CLIENT, CHILDID_SELF);
  static const Automation automation;
  IUnknown* provider = nullptr;
  if (!automation.Present() || FAILED(automation.host(source, &provider)) || !provider) return;
  constexpr int kActionCompleted = 2, kMostRecent = 2;  // NotificationKind, NotificationProcessing
  const std::wstring wide(text.begin(), text.end());
  BSTR said = automation.allocate(wide.c_str());
  BSTR activity = automation.allocate(L"announcement");
  automation.raise(provider, kActionCompleted, kMostRecent, said, activity);
  automation.release(activity);
  automation.release(said);
  provider->Release();
}

}  // namespace ui::win32
