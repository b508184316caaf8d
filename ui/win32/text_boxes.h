#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <map>
#include <string>

#include "ui/layout.h"

namespace ui::win32 {

// What a single-line edit control does not do itself: its text centred on its height, whatever
// the font's size, as the other engines centre it; the cut marks drawn over a box whose text is
// cut, after the control has drawn; the box's whole text as its tooltip, at every moment; and a
// report of each move of its caret by the user.
class TextBoxes {
 public:
  TextBoxes(HWND window, HINSTANCE instance, std::function<void(HWND edit)> caretMoved);
  ~TextBoxes();
  TextBoxes(const TextBoxes&) = delete;
  TextBoxes& operator=(const TextBoxes&) = delete;

  // A box's selection, and where its caret stands: at one end of it.
  struct Selection {
    std::size_t start, end, caret;
    bool operator==(const Selection&) const = default;
  };
  static Selection Read(HWND edit);
  // Its text shown from the given character on, its caret put there, or its selection as it was.
  static void ShowFrom(HWND edit, std::size_t first, bool caretThere);

  void Add(HWND edit);
  // `roomLeft` and `roomRight`: where the room the edit control lays its text out in starts and
  // ends, in its client area.
  void Set(HWND edit, int roomLeft, int roomRight, const TextView& view);

 private:
  struct Mark {
    int roomLeft = 0;
    int roomRight = 0;
    TextView view{0};
    std::wstring tooltip;
  };
  static LRESULT CALLBACK TextBoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR marks);
  void Paint(HWND edit) const;
  static void CentreText(HWND edit, RECT& client);
  static void PaintAroundText(HWND edit);

  HWND window_;
  HWND tooltip_;
  std::function<void(HWND edit)> caretMoved_;
  std::map<HWND, Mark> marks_;
};

}  // namespace ui::win32
