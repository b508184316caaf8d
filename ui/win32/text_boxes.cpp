#include "ui/win32/text_boxes.h"

#include <commctrl.h>

namespace ui::win32 {

TextBoxes::TextBoxes(HWND window, HINSTANCE instance)
    : window_(window),
      tooltip_(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                               nullptr, instance, nullptr)) {}

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

// A tooltip with no text does not show.
void TextBoxes::Set(HWND edit, int roomRight, const TextFit& fit, const std::wstring& text) {
  marks_[edit] = {roomRight, fit};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(edit);
  tool.lpszText = const_cast<wchar_t*>(fit.cut ? text.c_str() : L"");
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  InvalidateRect(edit, nullptr, TRUE);
}

// The control draws its one line at the top of its client area: the client area is made one line
// high, in the middle of the box, and the rest of the box within its border is the box's face, a
// press on it a press on the box.
LRESULT CALLBACK TextBoxes::TextBoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR boxes) {
  const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
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

// On the line the edit control draws its text on, at the right end of its text's room.
void TextBoxes::Paint(HWND edit) const {
  const auto found = marks_.find(edit);
  if (found == marks_.end() || !found->second.fit.cut) return;
  const Mark& mark = found->second;
  RECT line{};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&line));
  line.left = mark.roomRight - mark.fit.emptyRight;
  line.right = mark.roomRight;
  HDC context = GetDC(edit);
  const HGDIOBJ previous =
      SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  SetTextColor(context, GetSysColor(IsWindowEnabled(edit) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  SetBkMode(context, TRANSPARENT);
  DrawTextW(context, reinterpret_cast<const wchar_t*>(kCutMark.data()),
            static_cast<int>(kCutMark.size()), &line,
            DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(context, previous);
  ReleaseDC(edit, context);
}

}  // namespace ui::win32
