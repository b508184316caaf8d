#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
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
  HFONT CreateDesignFont(const FontDesign& font);
  HWND Control(std::string_view name, ControlKind kind) const;
  int Scale(int twips) const { return TwipsToPixels(twips, dpi_); }
  void PaintLines();

  const WindowDesign& design_;
  WindowEvents events_;
  std::function<void()> destroyed_;
  HWND window_ = nullptr;
  int dpi_ = 96;
  std::vector<HFONT> fonts_;
  HWND lastFocus_ = nullptr;
};

}  // namespace windows::win32
