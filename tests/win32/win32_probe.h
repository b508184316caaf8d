#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "app/win32/window_icons.h"
#include "tests/ui/probe.h"
#include "ui/forms.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/win32_engine.h"
#include "ui/win32/win32_window.h"

// The program on Win32, in this process: its windows get the messages a mouse and a keyboard
// would send, and every message then waiting goes through the engine's own loop. A timer answers
// each message box from within the box's own loop, as soon as it shows.
class Win32Probe final : public probe::Probe {
 public:
  Win32Probe() {
    answering_ = this;
    timer_ = SetTimer(nullptr, 0, 10, AnswerBoxes);
    hook_ = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, Hear,
                            GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    core_->Start();
    Pump();
  }
  ~Win32Probe() override {
    KillTimer(nullptr, timer_);
    UnhookWinEvent(hook_);
    ReleaseDC(nullptr, screen_);
    core_.reset();
    MSG message;  // the quit message the last window leaves behind
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    answering_ = nullptr;
  }

  void Type(std::string_view textBox, std::u16string_view text) override {
    HWND edit = Control(probe::FormId::kMainWindow, textBox);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    if (GetWindowTextLengthW(edit) > 0) SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    for (const char16_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
    Pump();
  }
  void Click(std::string_view control) override {
    if (!IsWindowEnabled(Handle(probe::FormId::kMainWindow))) return;
    SendMessageW(Control(probe::FormId::kMainWindow, control), BM_CLICK, 0, 0);
    Pump();
  }
  // To the focused control, Shift held down for Shift+Tab.
  void Press(probe::FormId form, ui::Key key) override {
    HWND window = Handle(form), focus = GetFocus();
    if (!IsWindowEnabled(window)) return;
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = key == ui::Key::kShiftTab ? 0x80 : 0;
    SetKeyboardState(keys);
    constexpr std::pair<ui::Key, WPARAM> kVirtualKeys[] = {
        {ui::Key::kEnter, VK_RETURN}, {ui::Key::kEscape, VK_ESCAPE}, {ui::Key::kUp, VK_UP},
        {ui::Key::kDown, VK_DOWN}, {ui::Key::kLeft, VK_LEFT}, {ui::Key::kRight, VK_RIGHT}};
    WPARAM virtualKey = VK_TAB;
    for (const auto& [known, code] : kVirtualKeys) {
      if (known == key) virtualKey = code;
    }
    PostMessageW(IsChild(window, focus) ? focus : window, WM_KEYDOWN, virtualKey, 1);
    Pump();
  }
  void Close(probe::FormId form) override {
    SendMessageW(Handle(form), WM_CLOSE, 0, 0);
    Pump();
  }
  // A press on the window: one that is enabled comes to the front, active; a disabled one comes
  // to the top and is told of a press the system refused, as Windows tells it.
  void Raise(probe::FormId form) override {
    HWND window = Handle(form);
    if (IsWindowEnabled(window)) {
      SetForegroundWindow(window);
    } else {
      SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                   MAKELPARAM(HTERROR, WM_LBUTTONDOWN));
    }
    Pump();
  }

  bool Open(probe::FormId form) const override { return core_->Loaded(form) != nullptr; }
  bool Enabled(probe::FormId form) const override { return IsWindowEnabled(Handle(form)); }
  probe::FormId Front() const override {
    for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
      for (const probe::FormId form : {probe::FormId::kMainWindow, probe::FormId::kExplanationWindow}) {
        if (Open(form) && top == Handle(form)) return form;
      }
    }
    return probe::FormId::kMainWindow;
  }
  void Minimise(probe::FormId form) override { ShowWindow(Handle(form), SW_MINIMIZE); Pump(); }
  bool Minimised(probe::FormId form) const override { return IsIconic(Handle(form)); }
  bool HasIcon(probe::FormId form) const override {
    return GetClassLongPtrW(Handle(form), GCLP_HICON) != 0 &&
           GetClassLongPtrW(Handle(form), GCLP_HICONSM) != 0;
  }
  std::u16string Text(probe::FormId form, std::string_view control) const override {
    return TextOf(Control(form, control));
  }
  std::u16string Selection(std::string_view textBox) const override {
    HWND edit = Control(probe::FormId::kMainWindow, textBox);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return TextOf(edit).substr(start, end - start);
  }
  bool Checked(std::string_view option) const override {
    return SendMessageW(Control(probe::FormId::kMainWindow, option), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::string Focused(probe::FormId form) const override {
    HWND focus = GetFocus();
    if (!focus || !IsChild(Handle(form), focus)) return "";
    const auto& controls = ui::Calculator().windows[form].design().controls;
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(focus) - ui::win32::kFirstControlId);
    return index < controls.size() ? std::string(controls[index].name) : "";
  }
  std::string DefaultButton() const override {
    for (const ui::ControlDesign& control : ui::Form1Design().controls) {
      if (control.kind != ui::ControlKind::kPushButton) continue;
      const LONG style = GetWindowLongW(Control(probe::FormId::kMainWindow, control.name), GWL_STYLE);
      if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return std::string(control.name);
    }
    return "";
  }
  // Where the edit control puts each character, against the rectangle it draws text in.
  probe::Visible Shown(std::string_view textBox) const override {
    HWND edit = Control(probe::FormId::kMainWindow, textBox);
    const std::u16string text = TextOf(edit);
    RECT drawn{};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&drawn));
    const auto left = [&](std::size_t character) {
      return static_cast<short>(LOWORD(SendMessageW(edit, EM_POSFROMCHAR, character, 0)));
    };
    HDC context = GetDC(edit);
    SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    const auto right = [&](std::size_t character) {
      SIZE size{};
      GetTextExtentPoint32W(context, reinterpret_cast<const wchar_t*>(&text[character]), 1, &size);
      return character + 1 < text.size() ? left(character + 1) : left(character) + size.cx;
    };
    std::size_t whole = 0;
    while (whole < text.size() && left(0) >= drawn.left && right(whole) <= drawn.right) ++whole;
    // The mark: something drawn between the text's rectangle and the two pixels the edit control
    // keeps at its right.
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(edit, &client);
    bool cutMark = false;
    for (int x = drawn.right; x < client.right - (Dpi() / 96) - 2; ++x) {
      for (int y = drawn.top; y < drawn.bottom; ++y) {
        cutMark = cutMark || GetPixel(context, x, y) != GetSysColor(COLOR_WINDOW);
      }
    }
    ReleaseDC(edit, context);
    return {whole, whole < text.size() && left(whole) < drawn.right, cutMark};
  }
  int Dpi() const override { return GetDeviceCaps(screen_, LOGPIXELSY); }
  int FontPixels(probe::FormId form, std::string_view control) const override {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(form, control), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    return -font.lfHeight;
  }
  std::vector<probe::Box> TakeBoxes() override { return std::move(boxes_); }
  std::vector<std::u16string> TakeAnnounced() override { return std::move(heard_); }

 private:
  HWND Handle(probe::FormId form) const {
    return static_cast<ui::win32::Win32Window&>(core_->Loaded(form)->Native()).Handle();
  }
  HWND Control(probe::FormId form, std::string_view name) const {
    return GetDlgItem(Handle(form), ui::win32::ControlId(ui::Calculator().windows[form].design(), name));
  }
  static std::u16string TextOf(HWND window) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
    return text;
  }
  void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) engine_.Dispatch(message);
  }

  // A message box of this thread, read and answered with its button.
  static BOOL CALLBACK ReadBox(HWND box, LPARAM) {
    wchar_t kind[16] = {};
    GetClassNameW(box, kind, 16);
    if (std::wstring(kind) != L"#32770" || !IsWindowVisible(box) || box == answering_->answered_) {
      return TRUE;
    }
    probe::Box read{TextOf(box), u"", ui::MessageIcon::kWarning,
                    GetWindow(box, GW_OWNER) == answering_->Handle(probe::FormId::kMainWindow)};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      GetClassNameW(child, kind, 16);
      if (std::wstring(kind) != L"Static") continue;
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (icon == LoadIconW(nullptr, IDI_ERROR)) read.icon = ui::MessageIcon::kError;
      } else if (GetWindowTextLengthW(child) > 0) {
        read.text = TextOf(child);
      }
    }
    answering_->boxes_.push_back(read);
    answering_->answered_ = box;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return FALSE;
  }
  static void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    if (!answering_) return;
    if (!IsWindow(answering_->answered_)) answering_->answered_ = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), ReadBox, 0);
  }

  // A value changed in the main window, the event a screen reader speaks a result on.
  static void CALLBACK Hear(HWINEVENTHOOK, DWORD, HWND source, LONG object, LONG, DWORD, DWORD) {
    if (answering_ && object == OBJID_CLIENT && IsChild(answering_->Handle(probe::FormId::kMainWindow), source)) {
      answering_->heard_.push_back(TextOf(source));
    }
  }

  static inline Win32Probe* answering_ = nullptr;
  ui::win32::Win32Engine engine_{GetModuleHandleW(nullptr), LoadWindowIcons(GetModuleHandleW(nullptr))};
  std::unique_ptr<ui::Core> core_ = std::make_unique<ui::Core>(engine_, ui::Calculator());
  UINT_PTR timer_ = 0;
  HWND answered_ = nullptr;
  HDC screen_ = GetDC(nullptr);
  std::vector<probe::Box> boxes_;
  std::vector<std::u16string> heard_;
  HWINEVENTHOOK hook_ = nullptr;
};
