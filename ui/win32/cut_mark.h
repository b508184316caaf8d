#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "ui/design.h"

namespace ui::win32 {

// The cut mark drawn over a text box whose text is cut, after the edit control has drawn, and
// the box's whole text as its tooltip.
class CutMarks {
 public:
  CutMarks(HWND window, HINSTANCE instance);
  ~CutMarks();
  CutMarks(const CutMarks&) = delete;
  CutMarks& operator=(const CutMarks&) = delete;

  void Add(HWND edit);
  // `roomRight`: where the room the edit control lays its text out in ends, in its client area.
  void Set(HWND edit, int roomRight, const TextFit& fit, const std::wstring& text);

 private:
  struct Mark {
    int roomRight = 0;
    TextFit fit{0};
  };
  static LRESULT CALLBACK TextBoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR marks);
  void Paint(HWND edit) const;

  HWND window_;
  HWND tooltip_;
  std::map<HWND, Mark> marks_;
};

}  // namespace ui::win32
