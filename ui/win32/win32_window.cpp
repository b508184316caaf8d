#include "ui/win32/win32_window.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ui/win32/control_ids.h"
#include "ui/win32/screen_reader.h"

namespace ui::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"QuorvelWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr UINT kShowFrom = WM_APP;                  // a text box shown from a character on
constexpr UINT kDpiChanged = 0x02E0;                // WM_DPICHANGED, from Windows 8.1 on
constexpr UINT kMinimised = WM_APP + 2;             // once the change is over

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

[[noreturn]] void Fail(std::string_view what) {
  throw std::runtime_error("window operation failed: " + std::string(what));
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD extendedStyle;
};

// The dialog manager takes no part: the core decides Tab, the arrow keys and Enter, and an
// option selects nothing by itself.
ControlClass ClassFor(const ControlDesign& control) {
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (control.kind) {
    case ControlKind::kPushButton:
      return {L"BUTTON", child | BS_PUSHBUTTON | BS_NOTIFY, 0};
    case ControlKind::kOptionButton:
      return {L"BUTTON", child | BS_RADIOBUTTON | BS_NOTIFY, 0};
    case ControlKind::kTextBox:
      return {L"EDIT", child | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kLabel:
      return {L"STATIC", child | SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::kLine:
    case ControlKind::kSymbol:  // only in the core's boxes: Windows shows boxes of its own
      break;
  }
  return {nullptr, 0, 0};
}

}  // namespace

void Win32Window::RegisterWindowClass(HINSTANCE instance, Icons icons) {
  static const bool registered = [instance, icons] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = icons.large;
    windowClass.hIconSm = icons.small;
    windowClass.lpfnWndProc = &Win32Window::WindowProcedure;
    return RegisterClassExW(&windowClass) != 0;
  }();
  if (!registered) Fail("RegisterClassEx");
}

Win32Window* Win32Window::Of(HWND top) {
  wchar_t name[32] = {};
  if (!top || !GetClassNameW(top, name, 32) || lstrcmpW(name, kWindowClass) != 0) return nullptr;
  return reinterpret_cast<Win32Window*>(GetWindowLongPtrW(top, GWLP_USERDATA));
}

Win32Window::Win32Window(HINSTANCE instance, Icons icons, const WindowDesign& design, Report report)
    : design_(design), report_(std::move(report)), dpi_(ScreenDpi()) {
  RegisterWindowClass(instance, icons);
  window_ = CreateWindowExW(0, kWindowClass, Wide(design.title).c_str(), kWindowStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, nullptr);
  if (!window_) Fail("CreateWindowEx");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  CreateControls(instance);
  // The focus shows from the start, not only once the keyboard has been used.
  SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

// Destroyed by the core, possibly from within a message to the window: it hears nothing more.
Win32Window::~Win32Window() {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  textBoxes_.reset();
  DestroyWindow(window_);
  for (const auto& font : fonts_) DeleteObject(std::get<HFONT>(font));
}

HFONT Win32Window::DesignFont(const FontDesign& font, int pixels) const {
  for (const auto& [design, size, handle] : fonts_) {
    if (design == &font && size == pixels) return handle;
  }
  HFONT handle =
      CreateFontW(-pixels, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                  static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(font.face).c_str());
  if (!handle) Fail("CreateFont");
  fonts_.emplace_back(&font, pixels, handle);
  return handle;
}

void Win32Window::CreateControls(HINSTANCE instance) {
  textBoxes_ = std::make_unique<TextBoxes>(window_, instance, [this](HWND edit) {
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(edit) - kFirstControlId);
    if (index < design_.controls.size()) {
      report_({Event::Kind::kCaretMoved, design_.controls[index].name});
    }
  });
  // Made in reading order, which is also the stacking order: screen readers follow it, and
  // Label4 lies beneath the output box, as the design draws it.
  for (const ControlDesign* control : ReadingOrder(design_)) {
    const ControlClass controlClass = ClassFor(*control);
    HWND handle = CreateWindowExW(
        controlClass.extendedStyle, controlClass.name, Wide(control->caption).c_str(),
        controlClass.style, 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(design_, control->name))), instance,
        nullptr);
    if (!handle) Fail("CreateWindowEx of a control");
    if (control->kind == ControlKind::kTextBox) {
      SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);  // none
      textBoxes_->Add(handle);
    }
  }
}

void Win32Window::Lay(const WindowLayout& layout) {
  RECT frame{0, 0, layout.width, layout.height};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(window_, WM_SETFONT,
               reinterpret_cast<WPARAM>(DesignFont(design_.defaultFont, FontPixels(design_.defaultFont, dpi_))),
               FALSE);
  for (const ControlLayout& laid : layout.controls) {
    HWND handle = Control(laid.name);
    SetWindowPos(handle, nullptr, laid.bounds.left, laid.bounds.top, laid.bounds.width,
                 laid.bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
    const FontDesign& font = FontOf(design_, design_.Control(laid.name));
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(DesignFont(font, laid.fontPixels)), TRUE);
  }
  ClipLabelsBeneathControls(layout);
  lines_.clear();
  for (const Rect& line : layout.lines) {
    lines_.push_back({line.left, line.top, line.left + line.width, line.top + line.height});
  }
  InvalidateRect(window_, nullptr, TRUE);
}

// A label read before a control it overlaps lies above it in the stacking order: cut the
// control's rectangle out of the label, so that the control shows over it, as designed.
void Win32Window::ClipLabelsBeneathControls(const WindowLayout& layout) {
  for (const ControlLayout& label : layout.controls) {
    if (design_.Control(label.name).kind != ControlKind::kLabel) continue;
    const Rect& area = label.bounds;
    HRGN visible = CreateRectRgn(0, 0, area.width, area.height);
    for (const ControlLayout& control : layout.controls) {
      if (design_.Control(control.name).kind == ControlKind::kLabel) continue;
      const Rect& over = control.bounds;
      HRGN covered =
          CreateRectRgn(over.left - area.left, over.top - area.top,
                        over.left - area.left + over.width, over.top - area.top + over.height);
      CombineRgn(visible, visible, covered, RGN_DIFF);
      DeleteObject(covered);
    }
    SetWindowRgn(Control(label.name), visible, FALSE);  // owns it
  }
}

HWND Win32Window::Control(std::string_view name) const {
  HWND handle = GetDlgItem(window_, ControlId(design_, name));
  if (!handle) Fail("GetDlgItem");
  return handle;
}

std::u16string Win32Window::Text(std::string_view textBox) const {
  HWND edit = Control(textBox);
  const int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SetLastError(ERROR_SUCCESS);
  const int copied = GetWindowTextW(edit, text.data(), length + 1);
  if (copied == 0 && GetLastError() != ERROR_SUCCESS) Fail("GetWindowText");
  return std::u16string(text.begin(), text.begin() + copied);
}

void Win32Window::SetText(std::string_view control, std::u16string_view text) {
  HWND handle = Control(control);
  settingText_ = true;
  const BOOL set = SetWindowTextW(handle, Wide(text).c_str());
  settingText_ = false;
  if (!set) Fail("SetWindowText");
}

bool Win32Window::Value(std::string_view option) const {
  return SendMessageW(Control(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Window::SetValue(std::string_view option, bool selected) {
  SendMessageW(Control(option), BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The selection from the end back to the start, where the caret stands.
void Win32Window::Focus(std::string_view control) {
  HWND handle = Control(control);
  SetFocus(handle);
  if (design_.Control(control).kind == ControlKind::kTextBox) {
    SendMessageW(handle, EM_SETSEL, GetWindowTextLengthW(handle), 0);
    SendMessageW(handle, EM_SCROLLCARET, 0, 0);
  }
}

std::size_t Win32Window::Caret(std::string_view textBox) const {
  return TextBoxes::Read(Control(textBox)).caret;
}

// Its controls disabled, not the window: a window the system disabled would take no press and no
// activation, from a task bar either, and Wine, for a window without a minimise box, keeps a
// window its window manager minimised as shown, so that nothing would bring the explanation back.
// This one is activated, and the core brings up the window that takes input.
void Win32Window::SetEnabled(bool enabled) {
  for (const ControlDesign& control : design_.controls) {
    if (control.kind != ControlKind::kLine) EnableWindow(Control(control.name), enabled ? TRUE : FALSE);
  }
}

void Win32Window::TakeKeyboard(std::u16string_view readAs) {
  SetFocus(window_);
  if (!readAs.empty()) Announce({}, readAs);
}

void Win32Window::MarkDefault(std::string_view button) {
  for (const ControlDesign& control : design_.controls) {
    if (control.kind != ControlKind::kPushButton) continue;
    SendMessageW(Control(control.name), BM_SETSTYLE,
                 control.name == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

// The edit control's rectangle for its text: its client area less a pixel either side for its
// edge, and its margins.
int Win32Window::TextRoom(std::string_view textBox) const {
  RECT client{};
  GetClientRect(Control(textBox), &client);
  return client.right - 2 - 2 * Margin();
}

int Win32Window::TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const {
  HWND edit = Control(textBox);
  HDC context = GetDC(edit);
  const HGDIOBJ previous =
      SelectObject(context, DesignFont(FontOf(design_, design_.Control(textBox)), pixels));
  SIZE extent{};
  GetTextExtentPoint32W(context, Wide(text).c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(context, previous);
  ReleaseDC(edit, context);
  return static_cast<int>(extent.cx);
}

void Win32Window::ShowText(std::string_view textBox, const TextView& view) {
  HWND edit = Control(textBox);
  HFONT font = DesignFont(FontOf(design_, design_.Control(textBox)), view.pixels);
  const bool changed = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)) != font;
  if (changed) SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
               MAKELPARAM(Margin() + view.clearLeft, Margin() + view.clearRight));
  textBoxes_->Set(edit, Margin(), Margin() + TextRoom(textBox), view);
  // The edit control scrolls to its caret once the notification of a change is over: shown from
  // the first character right after that.
  PostMessageW(window_, kShowFrom, reinterpret_cast<WPARAM>(edit),
               view.caretToFirst ? -1 : static_cast<LPARAM>(view.first));
}

// Wine's edit control keeps the place it was scrolled to when its text grows shorter, past the
// text's end, where it scrolls no more: its text, set anew, starts it over.
void Win32Window::ShowFrom(HWND edit, std::size_t first, bool caretThere) {
  if (SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0) > GetWindowTextLengthW(edit)) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::u16string text = Text(design_.controls[static_cast<std::size_t>(GetDlgCtrlID(edit) - kFirstControlId)].name);
    settingText_ = true;
    SetWindowTextW(edit, Wide(text).c_str());
    settingText_ = false;
    SendMessageW(edit, EM_SETSEL, start, end);
  }
  TextBoxes::ShowFrom(edit, first, caretThere);
}

void Win32Window::MoveCaret(std::string_view textBox, std::size_t to) {
  SendMessageW(Control(textBox), EM_SETSEL, to, to);
}

Margins Win32Window::Frame() const {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
  return {-frame.left, -frame.top, frame.right, frame.bottom};
}

Rect Win32Window::WorkArea() const {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

// Windows has no screen as narrow as a phone's: a window is placed at its own size.
void Win32Window::Place(const Placement& placement) {
  const Margins frame = Frame();
  SetWindowPos(window_, nullptr, placement.client.x - frame.left, placement.client.y - frame.top, 0,
               0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A window shown but not in front may be one that a window manager hid without a word to the
// system (Wine's, for a window without a minimise box, keeps it as shown): shown anew from hidden,
// so that it comes back whatever hid it.
void Win32Window::Show() {
  if (IsWindowVisible(window_) && GetForegroundWindow() != window_) ShowWindow(window_, SW_HIDE);
  ShowWindow(window_, SW_SHOWNORMAL);
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window_);
}

void Win32Window::Announce(std::string_view control, std::u16string_view text) {
  AnnounceToScreenReader(control.empty() ? window_ : Control(control), text);
}

LRESULT CALLBACK Win32Window::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const auto index = static_cast<std::size_t>(LOWORD(wParam)) - kFirstControlId;
      if (index >= design_.controls.size()) return 0;
      const std::string_view control = design_.controls[index].name;
      switch (HIWORD(wParam)) {
        case BN_CLICKED:
          report_({Event::Kind::kClicked, control});
          break;
        case EN_CHANGE:
          if (!settingText_) report_({Event::Kind::kEdited, control});
          break;
        case BN_SETFOCUS:
        case EN_SETFOCUS:
          report_({Event::Kind::kFocusMoved, control});
          break;
      }
      return 0;
    }
    case kShowFrom:  // from the start, its caret there; or from the first character given
      ShowFrom(reinterpret_cast<HWND>(wParam), lParam < 0 ? 0 : static_cast<std::size_t>(lParam), lParam < 0);
      return 0;
    case WM_CTLCOLORSTATIC:  // labels and options on the window's face
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_ACTIVATE:  // where the focus goes is the core's
      if (LOWORD(wParam) == WA_INACTIVE) {
        report_({Event::Kind::kDeactivated});
        break;
      }
      report_({Event::Kind::kActivated});
      return 0;
    case WM_PAINT:
      PaintLines();
      return 0;
    case WM_CLOSE:
      report_({Event::Kind::kCloseAsked});
      return 0;
    case WM_SIZE:  // minimised by a window manager: Wine's, or the task bar's
      if (wParam == SIZE_MINIMIZED) PostMessageW(window_, kMinimised, 0, 0);
      break;
    case kMinimised:
      if (IsIconic(window_)) report_({Event::Kind::kMinimised});
      return 0;
    case kDpiChanged:
      dpi_ = HIWORD(wParam);
      report_({Event::Kind::kFramed});
      return 0;
    case WM_DISPLAYCHANGE:
      report_({Event::Kind::kFramed});
      return 0;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA) report_({Event::Kind::kFramed});
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32Window::PaintLines() {
  PAINTSTRUCT paint;
  HDC context = BeginPaint(window_, &paint);
  for (const RECT& line : lines_) FillRect(context, &line, GetSysColorBrush(COLOR_WINDOWTEXT));
  EndPaint(window_, &paint);
}

}  // namespace ui::win32
