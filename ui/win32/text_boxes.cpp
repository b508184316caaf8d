#include "ui/win32/text_boxes.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

namespace ui::win32 {

TextBoxes::TextBoxes(HWND window, HINSTANCE instance, std::function<void(HWND edit)> caretMoved)
    : window_(window),
      tooltip_(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                               nullptr, instance, nullptr)),
      caretMoved_(std::move(caretMoved)) {
  // Lines broken where the tooltip's text breaks them, none wider than the screen.
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
}

TextBoxes::Selection TextBoxes::Read(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  // The caret stands where the edit control drew it: at whichever end of the selection is nearer.
  POINT caret{};
  if (start == end || GetFocus() != edit || !GetCaretPos(&caret)) return {start, end, end};
  const auto distance = [&](DWORD at) {
    return std::abs(caret.x - static_cast<short>(LOWORD(SendMessageW(edit, EM_POSFROMCHAR, at, 0))));
  };
  return {start, end, distance(start) < distance(end) ? start : end};
}

// The edit control scrolls in whole characters, as its caret needs: in a room shown to be as
// narrow as three of the first character, shown from far to its right, a caret put after that
// character scrolls back as far as shows it a third of the room in, at the character. The room
// and the selection put back then scroll nothing, the caret being in sight.
void TextBoxes::ShowFrom(HWND edit, std::size_t first, bool caretThere) {
  const Selection kept = Read(edit);
  SendMessageW(edit, EM_SETSEL, 0, 0);
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
  const int length = GetWindowTextLengthW(edit);
  if (first > 0 && static_cast<int>(first) < length) {
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(edit, text.data(), length + 1);
    HDC context = GetDC(edit);
    const HGDIOBJ previous = SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    SIZE character{};
    GetTextExtentPoint32W(context, text.c_str() + first, 1, &character);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, previous);
    ReleaseDC(edit, context);
    RECT room{};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    const int narrow = std::min<int>(room.right - room.left, std::max<int>(3 * character.cx, metrics.tmAveCharWidth));
    const int right = HIWORD(SendMessageW(edit, EM_GETMARGINS, 0, 0));
    SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, right + room.right - room.left - narrow));
    SendMessageW(edit, EM_SETSEL, length, length);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    SendMessageW(edit, EM_SETSEL, first + 1, first + 1);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, right));
  }
  if (caretThere) return static_cast<void>(SendMessageW(edit, EM_SETSEL, first, first));
  const bool backward = kept.caret == kept.start && kept.start != kept.end;
  SendMessageW(edit, EM_SETSEL, backward ? kept.end : kept.start, backward ? kept.start : kept.end);
}

TextBoxes::~TextBoxes() {
  for (const auto& [edit, mark] : marks_) RemoveWindowSubclass(edit, &TextBoxProcedure, 0);
  if (tooltip_) DestroyWindow(tooltip_);
}

void TextBoxes::Add(HWND edit) {
  marks_[edit] = {};
  SetWindowSubclass(edit, &TextBoxProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
  SetWindowPos(edit, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(edit);
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// A tooltip with no text does not show; one that shows is redrawn with its new text, or goes.
void TextBoxes::Set(HWND edit, int roomLeft, int roomRight, const TextView& view) {
  Mark& mark = marks_[edit];
  const std::wstring tooltip(view.tooltip.begin(), view.tooltip.end());
  const bool changed = tooltip != mark.tooltip;
  mark = {roomLeft, roomRight, view, tooltip};
  mark.view.tooltip = {};
  if (changed) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(edit);
    tool.lpszText = const_cast<wchar_t*>(mark.tooltip.c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, mark.tooltip.empty() ? TTM_POP : TTM_UPDATE, 0, 0);
  }
  InvalidateRect(edit, nullptr, TRUE);
}

// The control draws its one line at the top of its client area: the client area is made one line
// high, in the middle of the box, and the rest of the box within its border is the box's face, a
// press on it a press on the box.
LRESULT CALLBACK TextBoxes::TextBoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR boxes) {
  // What the user does with the keys and the mouse may move the caret; what the program does
  // with messages is its own.
  const bool byTheUser = message == WM_KEYDOWN || message == WM_LBUTTONDOWN ||
                         message == WM_LBUTTONUP || (message == WM_MOUSEMOVE && (wParam & MK_LBUTTON));
  const Selection before = byTheUser ? Read(edit) : Selection{};
  const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
  if (byTheUser && !(Read(edit) == before)) {
    reinterpret_cast<const TextBoxes*>(boxes)->caretMoved_(edit);
  }
  switch (message) {
    case WM_NCCALCSIZE:
      if (wParam) CentreText(edit, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]);
      break;
    case WM_SETFONT:
      SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case WM_NCPAINT:
      PaintAroundText(edit);
      break;
    case WM_NCHITTEST:
      return result == HTNOWHERE || result == HTBORDER ? HTCLIENT : result;
    case WM_PAINT:
      reinterpret_cast<const TextBoxes*>(boxes)->Paint(edit);
      break;
  }
  return result;
}

void TextBoxes::CentreText(HWND edit, RECT& client) {
  HDC context = GetDC(edit);
  const HGDIOBJ previous =
      SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(context, &metrics);
  SelectObject(context, previous);
  ReleaseDC(edit, context);
  const LONG spare = (client.bottom - client.top) - metrics.tmHeight;
  if (spare <= 0) return;
  client.top += spare / 2;
  client.bottom -= spare - spare / 2;
}

void TextBoxes::PaintAroundText(HWND edit) {
  RECT box{}, client{};
  GetWindowRect(edit, &box);
  GetClientRect(edit, &client);
  MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
  // Between the client edge's top and bottom lines and the client area.
  const LONG edge = GetSystemMetrics(SM_CYEDGE);
  const RECT above{client.left - box.left, edge, client.right - box.left, client.top - box.top};
  const RECT below{client.left - box.left, client.bottom - box.top, client.right - box.left,
                   box.bottom - box.top - edge};
  HDC context = GetWindowDC(edit);
  const HBRUSH face = GetSysColorBrush(COLOR_WINDOW);
  FillRect(context, &above, face);
  FillRect(context, &below, face);
  ReleaseDC(edit, context);
}

// On the line the edit control draws its text on, at each end of its text's room that hides
// characters.
void TextBoxes::Paint(HWND edit) const {
  const auto found = marks_.find(edit);
  if (found == marks_.end() || !(found->second.view.markLeft || found->second.view.markRight)) return;
  const Mark& mark = found->second;
  RECT line{};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&line));
  HDC context = GetDC(edit);
  const HGDIOBJ previous =
      SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  SetTextColor(context, GetSysColor(IsWindowEnabled(edit) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  SetBkMode(context, TRANSPARENT);
  const auto draw = [&](int left, int right, UINT side) {
    RECT at{left, line.top, right, line.bottom};
    DrawTextW(context, reinterpret_cast<const wchar_t*>(kCutMark.data()),
              static_cast<int>(kCutMark.size()), &at, side | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  };
  if (mark.view.markLeft) draw(mark.roomLeft, mark.roomLeft + mark.view.clearLeft, DT_LEFT);
  if (mark.view.markRight) draw(mark.roomRight - mark.view.clearRight, mark.roomRight, DT_RIGHT);
  SelectObject(context, previous);
  ReleaseDC(edit, context);
}

}  // namespace ui::win32
