#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include <memory>
#include <optional>
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
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    if (GetWindowTextLengthW(edit) > 0) SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    for (const char16_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
    Pump();
  }
  // What the edit control's own paste does with the clipboard's text.
  void Paste(std::string_view textBox, std::u16string_view text) override {
    HWND edit = Control(probe::FormId::kMainWindow, textBox);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(std::wstring(text.begin(), text.end()).c_str()));
    Pump();
  }
  // The characters an input method's composition gives, each as it hands them on.
  void Compose(std::string_view textBox, std::u16string_view text) override {
    for (const char16_t c : text) SendMessageW(Control(probe::FormId::kMainWindow, textBox), WM_IME_CHAR, c, 1);
    Pump();
  }
  void Click(std::string_view control) override {
    HWND button = Control(probe::FormId::kMainWindow, control);
    if (!IsWindowEnabled(button)) return;
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
  }
  // To the focused control, with its modifiers held down; with Alt, as the system key it then is.
  void PressKey(probe::FormId form, ui::Key key, unsigned modifiers) override {
    HWND window = Handle(form), focus = GetFocus();
    if (!Enabled(form)) return;
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = modifiers & ui::kShift ? 0x80 : 0;
    keys[VK_CONTROL] = modifiers & ui::kCtrl ? 0x80 : 0;
    keys[VK_MENU] = modifiers & ui::kAlt ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(IsChild(window, focus) ? focus : window,
                 modifiers & ui::kAlt ? WM_SYSKEYDOWN : WM_KEYDOWN, VirtualKey(key),
                 modifiers & probe::kKeypad ? 1 | KF_EXTENDED << 16 : 1);  // the keypad's Enter is extended
    Pump();
    keys[VK_SHIFT] = keys[VK_CONTROL] = keys[VK_MENU] = 0;
    SetKeyboardState(keys);
  }
  void PressHome() override {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_HOME, 1);
    Pump();
  }
  // The system's box answers its own keys, which the dialog manager reads in its loop.
  void AnswerBoxesWith(ui::Key key, unsigned modifiers) override { answer_ = {VirtualKey(key), modifiers}; }
  bool WindowManager() const override { return true; }
  static WPARAM VirtualKey(ui::Key key) {
    constexpr std::pair<ui::Key, WPARAM> kVirtualKeys[] = {
        {ui::Key::kTab, VK_TAB}, {ui::Key::kEnter, VK_RETURN}, {ui::Key::kEscape, VK_ESCAPE},
        {ui::Key::kSpace, VK_SPACE}, {ui::Key::kUp, VK_UP}, {ui::Key::kDown, VK_DOWN},
        {ui::Key::kLeft, VK_LEFT}, {ui::Key::kRight, VK_RIGHT}, {ui::Key::kF4, VK_F4}, {ui::Key::kW, 'W'}};
    for (const auto& [known, code] : kVirtualKeys) {
      if (known == key) return code;
    }
    return 0;
  }
  void Close(probe::FormId form) override {
    SendMessageW(Handle(form), WM_CLOSE, 0, 0);
    Pump();
  }
  // A press on the window, which the system activates.
  void Raise(probe::FormId form) override {
    SetForegroundWindow(Handle(form));
    Pump();
  }
  // Another program's window comes to the front.
  void Leave() override {
    if (!stranger_) {
      stranger_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    SetForegroundWindow(stranger_);
    Pump();
  }

  bool Open(probe::FormId form) const override { return core_->Loaded(form) != nullptr; }
  // As its controls are: none of them takes input.
  bool Enabled(probe::FormId form) const override {
    for (HWND child = GetWindow(Handle(form), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (IsWindowEnabled(child)) return true;
    }
    return false;
  }
  probe::FormId Front() const override {
    for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
      for (const probe::FormId form : {probe::FormId::kMainWindow, probe::FormId::kExplanationWindow}) {
        if (Open(form) && top == Handle(form)) return form;
      }
    }
    return probe::FormId::kMainWindow;
  }
  void Minimise(probe::FormId form) override { ShowWindow(Handle(form), SW_MINIMIZE); Pump(); }
  bool OnScreen(probe::FormId form) const override {
    return IsWindowVisible(Handle(form)) && !IsIconic(Handle(form));
  }
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
  // Where the edit control shows its caret: at the one end of the selection or the other, as a
  // character's place (the edit control's own places are sixteen-bit, too few for a long text).
  std::size_t Caret(std::string_view textBox) const override {
    HWND edit = Control(probe::FormId::kMainWindow, textBox);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    POINT caret{};
    if (start == end || GetFocus() != edit || !GetCaretPos(&caret)) return end;
    return LOWORD(SendMessageW(edit, EM_CHARFROMPOS, 0, MAKELPARAM(caret.x, caret.y)));
  }
  // The text of the tooltip the main window shows over the box.
  std::optional<std::u16string> Tooltip(std::string_view textBox) const override {
    std::wstring text(20000, L'\0');
    TTTOOLINFOW tool = ToolOf(textBox);
    tool.lpszText = text.data();
    SendMessageW(TooltipWindow(), TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return std::u16string(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(wcslen(text.c_str())));
  }
  // The pointer moved onto the box's middle, and resting there until its tooltip shows.
  void Hover(std::string_view textBox) override {
    HWND edit = Control(probe::FormId::kMainWindow, textBox);
    RECT box{};
    GetClientRect(edit, &box);
    POINT middle{box.right / 2, box.bottom / 2};
    PostMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(middle.x, middle.y));
    ClientToScreen(edit, &middle);
    SetCursorPos(middle.x, middle.y);
    hovered_ = ToolOf(textBox);
    for (const DWORD start = GetTickCount(); !IsWindowVisible(TooltipWindow()) && GetTickCount() - start < 5000;) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      Pump();
    }
  }
  // What the bubble shows, and whether it fits the screen.
  std::optional<probe::Tip> TipShown() const override {
    HWND tooltip = TooltipWindow();
    if (!IsWindowVisible(tooltip)) return std::nullopt;
    const LRESULT size = SendMessageW(tooltip, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&hovered_));
    return probe::Tip{TextOf(tooltip), LOWORD(size) > 0 && LOWORD(size) <= GetSystemMetrics(SM_CXSCREEN)};
  }
  ui::Rect Drawn(probe::FormId form, std::string_view control) const override {
    RECT drawn{};
    if (control.empty()) {
      GetClientRect(Handle(form), &drawn);
    } else {
      GetWindowRect(Control(form, control), &drawn);
      MapWindowPoints(nullptr, Handle(form), reinterpret_cast<POINT*>(&drawn), 2);
    }
    return {drawn.left, drawn.top, drawn.right - drawn.left, drawn.bottom - drawn.top};
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
  // Where the edit control puts each character, against the rectangle it draws text in: from where
  // the first character stands, or with the focus from where the caret does (the edit control's
  // own places are sixteen-bit); the marks, whatever is drawn in its margins.
  probe::Visible Shown(std::string_view textBox) const override {
    HWND edit = Control(probe::FormId::kMainWindow, textBox);
    const std::u16string text = TextOf(edit);
    RECT drawn{};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&drawn));
    HDC context = GetDC(edit);
    SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    const auto extent = [&](std::size_t characters) {
      SIZE size{};
      GetTextExtentPoint32W(context, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(characters), &size);
      return static_cast<int>(size.cx);
    };
    int origin = static_cast<short>(LOWORD(SendMessageW(edit, EM_POSFROMCHAR, 0, 0)));
    if (POINT caret{}; GetFocus() == edit && GetCaretPos(&caret)) origin = caret.x - extent(Caret(textBox));
    const auto x = [&](std::size_t character) { return origin + extent(character); };
    probe::Visible visible = probe::WholeBetween(text.size(), x, drawn.left, drawn.right);
    // The room's last pixel is the caret's where it stands after the last character shown.
    const std::size_t end = visible.first + visible.whole;
    const bool caretThere = GetFocus() == edit && Caret(textBox) == end;
    visible.partOfAnother = (visible.first > 0 && x(visible.first) > drawn.left) ||
                            (end < text.size() && x(end) < drawn.right - caretThere);
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(edit, &client);
    const auto inked = [&](int from, int to) {
      return probe::Inked(from, to, drawn.top, drawn.bottom,
                          [&](int x, int y) { return GetPixel(context, x, y) != GetSysColor(COLOR_WINDOW); });
    };
    const int margin = Units().dpi / 96;
    visible.markLeft = inked(margin, drawn.left);
    visible.markRight = inked(drawn.right, client.right - margin - 2);
    ReleaseDC(edit, context);
    return visible;
  }
  ui::Units Units() const override { return {GetDeviceCaps(screen_, LOGPIXELSY), false}; }
  int FontPixels(probe::FormId form, std::string_view control) const override {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(form, control), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    return -font.lfHeight;
  }
  std::vector<probe::Box> TakeBoxes() override { return std::move(boxes_); }
  std::optional<std::vector<std::u16string>> TakeAnnounced() override { return std::move(heard_); }

 public:
  // What only Windows shows: a text box's own window, and a press with the mouse on the screen.
  HWND Control(probe::FormId form, std::string_view name) const {
    return GetDlgItem(Handle(form), ui::win32::ControlId(ui::Calculator().windows[form].design(), name));
  }
  void Pump() {  // every message waiting, through the engine's loop
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) engine_.Dispatch(message);
  }
  void PressAt(POINT at) {
    SetCursorPos(at.x, at.y);
    INPUT press[2]{};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
    for (int tries = 0; tries < 100 && GetAsyncKeyState(VK_LBUTTON) < 0; ++tries) Sleep(1);
    Pump();
  }

 private:
  HWND TooltipWindow() const {
    HWND tooltip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    while (tooltip && GetWindow(tooltip, GW_OWNER) != Handle(probe::FormId::kMainWindow)) {
      tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr);
    }
    return tooltip;
  }
  TTTOOLINFOW ToolOf(std::string_view textBox) const {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle(probe::FormId::kMainWindow);
    tool.uId = reinterpret_cast<UINT_PTR>(Control(probe::FormId::kMainWindow, textBox));
    return tool;
  }
  HWND Handle(probe::FormId form) const {
    return static_cast<ui::win32::Win32Window&>(core_->Loaded(form)->Native()).Handle();
  }
  static std::u16string TextOf(HWND window) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
    return text;
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
    if (const auto answer = answering_->answer_) {  // pressed and let go: a button clicks on Space's release
      const bool alt = answer->second & ui::kAlt;
      PostMessageW(GetDlgItem(box, IDOK), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, answer->first, 1);
      PostMessageW(GetDlgItem(box, IDOK), alt ? WM_SYSKEYUP : WM_KEYUP, answer->first, 0xC0000001);
    } else {
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    }
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

  TTTOOLINFOW hovered_{};
  static inline Win32Probe* answering_ = nullptr;
  ui::win32::Win32Engine engine_{GetModuleHandleW(nullptr), LoadWindowIcons(GetModuleHandleW(nullptr))};
  std::unique_ptr<ui::Core> core_ = std::make_unique<ui::Core>(engine_, ui::Calculator());
  UINT_PTR timer_ = 0;
  HWND answered_ = nullptr;
  std::optional<std::pair<WPARAM, unsigned>> answer_;  // the key boxes are answered with
  HDC screen_ = GetDC(nullptr);
  std::vector<probe::Box> boxes_;
  std::vector<std::u16string> heard_;
  HWINEVENTHOOK hook_ = nullptr;
  HWND stranger_ = nullptr;  // another program's window
};
