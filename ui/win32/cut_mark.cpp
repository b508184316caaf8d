#include "ui/win32/cut_mark.h"

#include <commctrl.h>

namespace ui::win32 {

CutMarks::CutMarks(HWND window, HINSTANCE instance)
    : window_(window),
      tooltip_(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                               nullptr, instance, nullptr)) {}

CutMarks::~CutMarks() {
  for (const auto& [edit, mark] : marks_) RemoveWindowSubclass(edit, &TextBoxProcedure, 0);
  if (tooltip_) DestroyWindow(tooltip_);
}

void CutMarks::Add(HWND edit) {
  marks_[edit] = {};
  SetWindowSubclass(edit, &TextBoxProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(edit);
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// A tooltip with no text does not show.
void CutMarks::Set(HWND edit, int roomRight, const TextFit& fit, const std::wstring& text) {
  marks_[edit] = {roomRight, fit};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(edit);
  tool.lpszText = const_cast<wchar_t*>(fit.cut ? text.c_str() : L"");
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  InvalidateRect(edit, nullptr, TRUE);
}

LRESULT CALLBACK CutMarks::TextBoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR marks) {
  const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
  if (message == WM_PAINT) reinterpret_cast<const CutMarks*>(marks)->Paint(edit);
  return result;
}

// On the line the edit control draws its text on, at the right end of its text's room.
void CutMarks::Paint(HWND edit) const {
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
