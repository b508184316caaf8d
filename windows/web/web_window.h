#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "windows/design.h"
#include "windows/engine.h"

namespace windows::web {

// A window of the page, built from its design: real form elements at the designed CSS pixels,
// in reading order, the rules drawn as elements too. The page reports the user's clicks, close
// requests and activations; the window knows no handler.
class WebWindow final : public EngineWindow {
 public:
  WebWindow(const WindowDesign& design, WindowEvents events);
  ~WebWindow() override;
  WebWindow(const WebWindow&) = delete;
  WebWindow& operator=(const WebWindow&) = delete;

  void Show() override;
  bool IsEnabled() const override { return enabled_; }
  void FocusFirstStop() override;

  std::u16string Text(std::string_view textBox) const override;
  void SetText(std::string_view textBox, std::u16string_view text) override;
  bool Value(std::string_view optionButton) const override;
  void SetValue(std::string_view optionButton, bool selected) override;
  void SetCaption(std::string_view label, std::u16string_view caption) override;
  void SetEnabled(bool enabled) override;

  // What the page reports, by window number.
  static WebWindow* Numbered(int window);
  void Clicked(std::string_view control) { events_.click(Checked(control, {}).name); }
  bool CloseRequested() { return events_.close(); }
  void Activated() { events_.activated(); }
  void FitText(std::string_view textBox);
  // Gone from the page at once, though the object lives until the close request is over.
  void RemoveFromPage();

 private:
  const ControlDesign& Checked(std::string_view name, std::optional<ControlKind> kind) const;

  const WindowDesign& design_;
  WindowEvents events_;
  int number_;
  bool enabled_ = true;
};

}  // namespace windows::web
