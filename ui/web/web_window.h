#pragma once

#include <string>
#include <string_view>

#include "ui/design.h"
#include "ui/engine.h"

namespace ui::web {

// A window of the page, built from its design: real form elements at the designed CSS pixels,
// in reading order, the lines drawn as elements too. The page reports the user's clicks, edits,
// the focus, keys, close requests and activations; the window knows no handler.
class WebWindow final : public EngineWindow {
 public:
  WebWindow(int number, const WindowDesign& design, Report report);
  ~WebWindow() override;
  WebWindow(const WebWindow&) = delete;
  WebWindow& operator=(const WebWindow&) = delete;

  int Number() const { return number_; }
  // An event of the page's, its control named as in the design.
  bool Tell(Event event);

  std::u16string Text(std::string_view textBox) const override;
  void SetText(std::string_view control, std::u16string_view text) override;
  bool Value(std::string_view option) const override;
  void SetValue(std::string_view option, bool selected) override;
  void SetEnabled(bool enabled) override;
  std::string_view Focused() const override;
  void Focus(std::string_view control) override;
  void TakeKeyboard(std::u16string_view readAs) override;
  void MarkDefault(std::string_view button) override;
  int TextRoom(std::string_view textBox) const override;
  int TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const override;
  void SetTextFont(std::string_view textBox, const TextFit& fit) override;
  int Dpi() const override { return 96; }  // CSS pixels; the browser scales them
  Margins Frame() const override;
  Rect WorkArea() const override;
  void Place(const Placement& placement) override;
  void Show() override;
  void Announce(std::string_view control, std::u16string_view text) override;

 private:
  int number_;
  const WindowDesign& design_;
  Report report_;
};

}  // namespace ui::web
