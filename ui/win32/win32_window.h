#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <tuple>
#include <vector>

#include "ui/design.h"
#include "ui/engine.h"
#include "ui/win32/text_boxes.h"
#include "ui/win32/win32_engine.h"

namespace ui::win32 {

// A top-level window built from its design with the standard controls (EDIT, BUTTON, STATIC),
// laid out as the core says in the screen's pixels; lines are painted on the window itself. It
// reports clicks, the user's edits and caret moves, the focus, close requests, activation, changes
// of the screen and, through the message loop, keys to the core, and knows no handler.
class Win32Window final : public EngineWindow {
 public:
  Win32Window(HINSTANCE instance, Icons icons, const WindowDesign& design, Report report);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  // The window of ours that a top-level handle is, if any.
  static Win32Window* Of(HWND top);
  HWND Handle() const { return window_; }
  bool KeyPressed(Key key, unsigned modifiers) {
    return report_({Event::Kind::kKey, {}, key, modifiers});
  }

  std::u16string Text(std::string_view textBox) const override;
  void SetText(std::string_view control, std::u16string_view text) override;
  bool Value(std::string_view option) const override;
  void SetValue(std::string_view option, bool selected) override;
  void SetEnabled(bool enabled) override;
  void Focus(std::string_view control) override;
  std::size_t Caret(std::string_view textBox) const override;
  void MoveCaret(std::string_view textBox, std::size_t to) override;
  void TakeKeyboard(std::u16string_view readAs) override;
  void MarkDefault(std::string_view button) override;
  Units Measure() const override { return {dpi_, false}; }
  void Lay(const WindowLayout& layout) override;
  int TextRoom(std::string_view textBox) const override;
  int TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const override;
  void ShowText(std::string_view textBox, const TextView& view) override;
  Margins Frame() const override;
  Rect WorkArea() const override;
  void Place(const Placement& placement) override;
  void Show() override;
  void Announce(std::string_view control, std::u16string_view text) override;

 private:
  static void RegisterWindowClass(HINSTANCE instance, Icons icons);
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls(HINSTANCE instance);
  void ClipLabelsBeneathControls(const WindowLayout& layout);
  HFONT DesignFont(const FontDesign& font, int pixels) const;
  HWND Control(std::string_view name) const;
  int Margin() const { return dpi_ / 96; }  // either side of a text box's text
  void PaintLines();
  void ShowFrom(HWND edit, std::size_t first, bool caretThere);

  const WindowDesign& design_;
  Report report_;
  HWND window_ = nullptr;
  int dpi_ = 96;
  std::vector<RECT> lines_;
  mutable std::vector<std::tuple<const FontDesign*, int, HFONT>> fonts_;  // each font, by size
  bool settingText_ = false;  // the program's own change, not the user's edit
  std::unique_ptr<TextBoxes> textBoxes_;
};

}  // namespace ui::win32
