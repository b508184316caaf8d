#pragma once

#include <string>
#include <string_view>

#include "ui/design.h"
#include "ui/engine.h"

namespace ui::web {

// A window of the page, built from its design: real form elements at the designed CSS pixels,
// in reading order, the lines drawn as elements too. The page reports the user's clicks, edits,
// keys, close requests and activations; the window knows no handler.
class WebWindow final : public EngineWindow {
 public:
  WebWindow(const WindowDesign& design, WindowEvents events);
  ~WebWindow() override;
  WebWindow(const WebWindow&) = delete;
  WebWindow& operator=(const WebWindow&) = delete;

  // The window the page numbers so, if it is still on the page.
  static WebWindow* Numbered(int number);
  // Gone from the page at once, though the object lives until the event that closed it is over.
  static void RemoveFromPage(const EngineWindow* window);
  const WindowEvents& Events() const { return events_; }
  const WindowDesign& Design() const { return design_; }

  std::u16string Text(std::string_view textBox) const override;
  void SetText(std::string_view control, std::u16string_view text) override;
  bool Checked(std::string_view option) const override;
  void SetChecked(std::string_view option, bool checked) override;
  void SetEnabled(bool enabled) override;
  std::string_view Focused() const override;
  void Focus(std::string_view control) override;
  void MarkDefault(std::string_view button) override;
  int TextRoom(std::string_view textBox) const override;
  int TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const override;
  void SetTextFont(std::string_view textBox, int pixels, int clip) override;
  int Dpi() const override { return 96; }  // CSS pixels; the browser scales them
  Margins Frame() const override;
  Rect WorkArea() const override;
  void MoveClient(Point topLeft) override;
  void Show() override;
  void Announce(std::string_view control, std::u16string_view text) override;

 private:
  const WindowDesign& design_;
  WindowEvents events_;
  int number_;
};

}  // namespace ui::web
