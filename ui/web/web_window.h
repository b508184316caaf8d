#pragma once

#include <string>
#include <string_view>

#include "ui/design.h"
#include "ui/engine.h"

namespace ui::web {

// A window of the page, built from its design: real form elements in reading order, laid out in
// CSS pixels as the core says, the lines drawn as elements too. The page reports the user's
// clicks, edits, caret moves, the focus, keys, close requests, drags and activations; the window
// knows no handler.
class WebWindow final : public EngineWindow {
 public:
  WebWindow(int number, const WindowDesign& design, Report report);
  ~WebWindow() override;
  WebWindow(const WebWindow&) = delete;
  WebWindow& operator=(const WebWindow&) = delete;

  int Number() const { return number_; }
  bool Tell(const Event& event) { return report_(event); }

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
  Units Measure() const override { return {}; }  // CSS pixels; the browser scales them
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
  int number_;
  Report report_;
};

}  // namespace ui::web
