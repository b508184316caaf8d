#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "ui/design.h"

namespace ui::win32 {

// What a single-line edit control does not do itself: its text centred on its height, whatever
// the font's size, as the other engines centre it; the cut mark drawn over a box whose text is
// cut, after the control has drawn; and the box's whole text as its tooltip.
class TextBoxes {
 public:
  TextBoxes(HWND window, HINSTANCE instance);
  ~TextBoxes();
  TextBoxes(const TextBoxes&) = delete;
  TextBoxes& operator=(const TextBoxes&) = delete;

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
  static void CentreText(HWND edit, RECT& client);
  static void PaintAroundText(HWND edit);

  HWND window_;
  HWND tooltip_;
  std::map<HWND, Mark> marks_;
};

}  // namespace ui::win32
