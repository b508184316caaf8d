#include "windows/win32/win32_window.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "windows/fit.h"
#include "windows/win32/control_ids.h"

namespace windows::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"QuorvelWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kIconResource = 1;
constexpr UINT kRescroll = WM_APP;  // a text box whose font changed scrolls anew

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

[[noreturn]] void Fail(std::string_view what) {
  throw std::runtime_error("window operation failed: " + std::string(what));
}

// The icon drawn at a smaller size, colour and mask apart.
HICON ScaledIcon(HICON icon, int size) {
  HDC screen = GetDC(nullptr);
  HDC context = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  HGDIOBJ previous = SelectObject(context, colour);
  DrawIconEx(context, 0, 0, icon, size, size, 0, nullptr, DI_IMAGE);
  SelectObject(context, mask);
  DrawIconEx(context, 0, 0, icon, size, size, 0, nullptr, DI_MASK);
  SelectObject(context, previous);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON scaled = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  DeleteDC(context);
  ReleaseDC(nullptr, screen);
  return scaled;
}

}  // namespace

void Win32Window::RegisterWindowClass(HINSTANCE instance) {
  static const bool registered = [instance] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The one image at its own size, and the title bar's small icon scaled from it: an icon
    // loaded at another size leaves the system to derive the small one, which comes out dark.
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    windowClass.hIconSm = ScaledIcon(windowClass.hIcon, GetSystemMetrics(SM_CXSMICON));
    windowClass.lpfnWndProc = &Win32Window::WindowProcedure;
    return RegisterClassExW(&windowClass) != 0;
  }();
  if (!registered) Fail("RegisterClassEx");
}

namespace {

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

// The options that follow each other form one group, for the arrow keys; any other control
// starts a group of its own.
ControlClass ClassFor(const ControlDesign& control, bool startsOptionGroup) {
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (control.kind) {
    case ControlKind::kPushButton:
      return {L"BUTTON",
              child | WS_TABSTOP | WS_GROUP |
                  static_cast<DWORD>(control.isDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
              0};
    case ControlKind::kOptionButton:
      return {L"BUTTON",
              child | BS_AUTORADIOBUTTON | (startsOptionGroup ? static_cast<DWORD>(WS_GROUP) : 0u),
              0};
    case ControlKind::kTextBox:
      return {L"EDIT", child | WS_TABSTOP | WS_GROUP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kLabel:
      return {L"STATIC", child | WS_GROUP | SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::kLine:
      break;
  }
  return {nullptr, 0, 0};
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance, const WindowDesign& design, WindowEvents events,
                         std::function<void()> destroyed)
    : design_(design),
      events_(std::move(events)),
      destroyed_(std::move(destroyed)),
      dpi_(ScreenDpi()) {
  RegisterWindowClass(instance);

  // The client area goes where the design puts it, moved back inside a work area too small.
  RECT client{0, 0, Scale(design.clientWidth), Scale(design.clientHeight)};
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left =
      std::max<int>(work.left, std::min<int>(Scale(design.clientLeft), work.right - client.right));
  const int top =
      std::max<int>(work.top, std::min<int>(Scale(design.clientTop), work.bottom - client.bottom));
  OffsetRect(&client, left, top);
  AdjustWindowRectEx(&client, kWindowStyle, FALSE, 0);
  window_ = CreateWindowExW(0, kWindowClass, Wide(design.title).c_str(), kWindowStyle, client.left,
                            client.top, client.right - client.left, client.bottom - client.top,
                            nullptr, nullptr, instance, nullptr);
  if (!window_) Fail("CreateWindowEx");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  CreateControls(instance);
}

Win32Window::~Win32Window() {
  if (window_) DestroyWindow(window_);
  for (const auto& font : fonts_) DeleteObject(std::get<HFONT>(font));
}

HFONT Win32Window::DesignFont(const FontDesign& font, int pixels) {
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

const FontDesign& Win32Window::FontOf(const ControlDesign& control) const {
  return control.font ? *control.font : design_.defaultFont;
}

void Win32Window::CreateControls(HINSTANCE instance) {
  SendMessageW(window_, WM_SETFONT,
               reinterpret_cast<WPARAM>(
                   DesignFont(design_.defaultFont, FontPixels(design_.defaultFont, dpi_))),
               FALSE);
  // Made in reading order, which is also the stacking order: screen readers follow it, and
  // Label4 lies beneath the output box, as the design draws it. Tab follows the design's own
  // order (MoveFocus).
  ControlKind previous = ControlKind::kLine;
  for (const ControlDesign* entry : InReadingOrder(design_)) {
    const ControlDesign& control = *entry;
    const ControlClass controlClass =
        ClassFor(control, control.kind == ControlKind::kOptionButton && previous != control.kind);
    previous = control.kind;
    const Rect bounds = PixelBounds(control, dpi_);
    HWND handle = CreateWindowExW(
        controlClass.extendedStyle, controlClass.name, Wide(control.caption).c_str(),
        controlClass.style, bounds.left, bounds.top, bounds.width, bounds.height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(design_, control.name))), instance,
        nullptr);
    if (!handle) Fail("CreateWindowEx of a control");
    if (control.kind == ControlKind::kTextBox) SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);  // none
    const FontDesign& font = FontOf(control);
    SetControlFont(handle, DesignFont(font, FontPixels(font, dpi_)));
  }
  ClipLabelsBeneathControls();
}

// A text box keeps one pixel (at 96 dpi) either side of its text, whatever the font: the margins
// an edit control derives from a CJK font would leave a long number little room.
void Win32Window::SetControlFont(HWND control, HFONT font) {
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  const WORD margin = static_cast<WORD>(dpi_ / 96);
  SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

// A label read before a control it overlaps lies above it in the stacking order: cut the
// control's rectangle out of the label, so that the control shows over it, as designed.
void Win32Window::ClipLabelsBeneathControls() {
  for (const ControlDesign& label : design_.controls) {
    if (label.kind != ControlKind::kLabel) continue;
    const Rect area = PixelBounds(label, dpi_);
    HRGN visible = CreateRectRgn(0, 0, area.width, area.height);
    for (const ControlDesign& control : design_.controls) {
      if (control.kind == ControlKind::kLabel || control.kind == ControlKind::kLine) continue;
      const Rect over = PixelBounds(control, dpi_);
      HRGN covered =
          CreateRectRgn(over.left - area.left, over.top - area.top,
                        over.left - area.left + over.width, over.top - area.top + over.height);
      CombineRgn(visible, visible, covered, RGN_DIFF);
      DeleteObject(covered);
    }
    SetWindowRgn(GetDlgItem(window_, ControlId(design_, label.name)), visible, FALSE);  // owns it
  }
}

// The designed font where the text fits the box, else a smaller one (in whole pixels) at which it
// does, down to a floor.
void Win32Window::FitText(HWND edit, const ControlDesign& control) {
  const int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(edit, text.data(), length + 1);
  RECT client{};
  GetClientRect(edit, &client);
  const DWORD margins = static_cast<DWORD>(SendMessageW(edit, EM_GETMARGINS, 0, 0));
  // The caret stands a pixel past the text, and the edit control scrolls when it reaches the edge.
  const int room = client.right - LOWORD(margins) - HIWORD(margins) - 2;

  const FontDesign& font = FontOf(control);
  HDC context = GetDC(edit);
  const HGDIOBJ previous = GetCurrentObject(context, OBJ_FONT);
  const int pixels = FittingFontPixels(FontPixels(font, dpi_), dpi_, room, [&](int size) {
    SIZE extent{};
    SelectObject(context, DesignFont(font, size));
    GetTextExtentPoint32W(context, text.c_str(), length, &extent);
    return static_cast<int>(extent.cx);
  });
  SelectObject(context, previous);
  ReleaseDC(edit, context);
  HFONT fitting = DesignFont(font, pixels);
  if (reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)) != fitting) {
    SetControlFont(edit, fitting);
    // The box may have scrolled while the text was too wide; the edit control scrolls to its
    // caret once this notification is over, so set it right after that.
    PostMessageW(window_, kRescroll, reinterpret_cast<WPARAM>(edit), 0);
  }
}

// The stops of the design's tab order: every control but the labels, and of a group of options
// only the selected one (the first where none is), as the dialog manager has it.
std::vector<HWND> Win32Window::FocusStops() const {
  std::vector<HWND> stops;
  bool inOptions = false, optionChosen = false;
  for (const ControlDesign* control : InTabOrder(design_)) {
    HWND handle = GetDlgItem(window_, ControlId(design_, control->name));
    if (control->kind == ControlKind::kLabel || !handle || !IsWindowEnabled(handle)) continue;
    if (control->kind != ControlKind::kOptionButton) {
      stops.push_back(handle);
      inOptions = false;
      continue;
    }
    const bool selected = SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (!inOptions) {
      stops.push_back(handle);
    } else if (selected && !optionChosen) {
      stops.back() = handle;
    }
    optionChosen = inOptions ? optionChosen || selected : selected;
    inOptions = true;
  }
  return stops;
}

void Win32Window::MoveFocus(bool backward) {
  const std::vector<HWND> stops = FocusStops();
  if (stops.empty()) return;
  const auto current = std::find(stops.begin(), stops.end(), GetFocus());
  std::size_t next = 0;
  if (current != stops.end()) {
    const std::size_t index = static_cast<std::size_t>(current - stops.begin());
    next = backward ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size();
  } else if (backward) {
    next = stops.size() - 1;
  }
  FocusStop(stops[next]);
}

// A text box takes the focus with its text selected, as Tab does in a dialog.
// As in a dialog, the push button with the focus is the one Enter clicks; elsewhere the design's
// default button is.
void Win32Window::FocusStop(HWND control) {
  SetFocus(control);
  wchar_t className[8] = {};
  GetClassNameW(control, className, 8);
  if (lstrcmpiW(className, L"EDIT") == 0) SendMessageW(control, EM_SETSEL, 0, -1);
  const bool onButton = (SendMessageW(control, WM_GETDLGCODE, 0, 0) &
                         (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
  for (const ControlDesign& button : design_.controls) {
    if (button.kind != ControlKind::kPushButton) continue;
    HWND handle = GetDlgItem(window_, ControlId(design_, button.name));
    const bool isDefault = onButton ? handle == control : button.isDefaultButton;
    SendMessageW(handle, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

void Win32Window::FocusFirstStop() {
  const std::vector<HWND> stops = FocusStops();
  if (!stops.empty()) FocusStop(stops.front());
}

void Win32Window::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  if (!lastFocus_) FocusFirstStop();
}

HWND Win32Window::Control(std::string_view name, ControlKind kind) const {
  const ControlDesign& control = design_.Control(name);
  if (control.kind != kind) throw std::logic_error("control of another kind: " + std::string(name));
  HWND handle = GetDlgItem(window_, ControlId(design_, name));
  if (!handle) Fail("GetDlgItem");
  return handle;
}

std::u16string Win32Window::Text(std::string_view textBox) const {
  HWND edit = Control(textBox, ControlKind::kTextBox);
  const int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SetLastError(ERROR_SUCCESS);
  const int copied = GetWindowTextW(edit, text.data(), length + 1);
  if (copied == 0 && GetLastError() != ERROR_SUCCESS) Fail("GetWindowText");
  return std::u16string(text.begin(), text.begin() + copied);
}

void Win32Window::SetText(std::string_view textBox, std::u16string_view text) {
  if (!SetWindowTextW(Control(textBox, ControlKind::kTextBox), Wide(text).c_str())) {
    Fail("SetWindowText");
  }
}

bool Win32Window::Value(std::string_view optionButton) const {
  return SendMessageW(Control(optionButton, ControlKind::kOptionButton), BM_GETCHECK, 0, 0) ==
         BST_CHECKED;
}

// BM_SETCHECK leaves the rest of the group alone: clear the window's other options by hand.
void Win32Window::SetValue(std::string_view optionButton, bool selected) {
  HWND chosen = Control(optionButton, ControlKind::kOptionButton);
  if (selected) {
    for (const ControlDesign& control : design_.controls) {
      if (control.kind != ControlKind::kOptionButton || control.name == optionButton) continue;
      SendMessageW(Control(control.name, control.kind), BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageW(chosen, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Window::SetCaption(std::string_view label, std::u16string_view caption) {
  if (!SetWindowTextW(Control(label, ControlKind::kLabel), Wide(caption).c_str())) {
    Fail("SetWindowText");
  }
}

void Win32Window::SetEnabled(bool enabled) { EnableWindow(window_, enabled ? TRUE : FALSE); }

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
      const ControlDesign& control = design_.controls[index];
      if (HIWORD(wParam) == BN_CLICKED) events_.click(control.name);
      if (HIWORD(wParam) == EN_CHANGE) FitText(reinterpret_cast<HWND>(lParam), control);
      return 0;
    }
    case kRescroll: {  // from the start again, then only as far as the caret needs
      HWND edit = reinterpret_cast<HWND>(wParam);
      DWORD start = 0, end = 0;
      SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
      SendMessageW(edit, EM_SETSEL, 0, 0);
      SendMessageW(edit, EM_SCROLLCARET, 0, 0);
      SendMessageW(edit, EM_SETSEL, start, end);
      SendMessageW(edit, EM_SCROLLCARET, 0, 0);
      return 0;
    }
    case DM_GETDEFID:  // the dialog manager asks which button Enter clicks
      for (const ControlDesign& control : design_.controls) {
        if (control.isDefaultButton) {
          return MAKELRESULT(ControlId(design_, control.name), DC_HASDEFID);
        }
      }
      return 0;
    case WM_CTLCOLORSTATIC:  // labels and options on the window's face
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_SETCURSOR:  // a click on the window while it is disabled
      if (!IsWindowEnabled(window_) && HIWORD(lParam) == WM_LBUTTONDOWN) events_.activated();
      break;
    case WM_ACTIVATE:  // the focus comes back to the control that had it
      if (!IsWindowEnabled(window_) && LOWORD(wParam) != WA_INACTIVE) {
        events_.activated();
      } else if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
      } else if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_PAINT:
      PaintLines();
      return 0;
    case WM_CLOSE:
      if (events_.close()) DestroyWindow(window_);
      return 0;
    case WM_NCDESTROY: {
      HWND window = window_;
      window_ = nullptr;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      destroyed_();
      return DefWindowProcW(window, message, wParam, lParam);
    }
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32Window::PaintLines() {
  PAINTSTRUCT paint;
  HDC context = BeginPaint(window_, &paint);
  HPEN pen = CreatePen(PS_SOLID, std::max(1, dpi_ / 96), GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ previous = SelectObject(context, pen);
  for (const ControlDesign& control : design_.controls) {
    if (control.kind != ControlKind::kLine) continue;
    MoveToEx(context, Scale(control.left), Scale(control.top), nullptr);
    LineTo(context, Scale(control.width), Scale(control.height));
  }
  SelectObject(context, previous);
  DeleteObject(pen);
  EndPaint(window_, &paint);
}

}  // namespace windows::win32
