#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "windows/design.h"
#include "windows/engine.h"

namespace windows::win32 {

// A top-level window built from its design with the standard controls (EDIT, BUTTON, STATIC),
// scaled to the screen's dots per inch; lines are painted on the window itself. Clicks and close
// requests go to the engine; the window knows no handler.
class Win32Window final : public EngineWindow {
 public:
  Win32Window(HINSTANCE instance, const WindowDesign& design, WindowEvents events,
              std::function<void()> destroyed);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  HWND Handle() const { return window_; }
  void Show() override;
  bool IsEnabled() const override { return IsWindowEnabled(window_); }
  void FocusFirstStop() override;
  // Tab and Shift+Tab: the next or previous stop in the design's tab order.
  void MoveFocus(bool backward);

  std::u16string Text(std::string_view textBox) const override;
  void SetText(std::string_view textBox, std::u16string_view text) override;
  bool Value(std::string_view optionButton) const override;
  void SetValue(std::string_view optionButton, bool selected) override;
  void SetCaption(std::string_view label, std::u16string_view caption) override;
  void SetEnabled(bool enabled) override;

 private:
  static void RegisterWindowClass(HINSTANCE instance);
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls(HINSTANCE instance);
  void ClipLabelsBeneathControls();
  void SetControlFont(HWND control, HFONT font);
  HFONT DesignFont(const FontDesign& font, int pixels);
  const FontDesign& FontOf(const ControlDesign& control) const;
  void FitText(HWND edit, const ControlDesign& control);
  std::vector<HWND> FocusStops() const;
  void FocusStop(HWND control);
  HWND Control(std::string_view name, ControlKind kind) const;
  int Scale(int twips) const { return TwipsToPixels(twips, dpi_); }
  void PaintLines();

  const WindowDesign& design_;
  WindowEvents events_;
  std::function<void()> destroyed_;
  HWND window_ = nullptr;
  int dpi_ = 96;
  std::vector<std::tuple<const FontDesign*, int, HFONT>> fonts_;  // each design font, by size
  HWND lastFocus_ = nullptr;
};

}  // namespace windows::win32
