#pragma once

#include <map>
#include <memory>

#include "ui/engine.h"

namespace ui::web {

class WebWindow;

// The engine over the page's DOM (page.js). Implemented: windows of real form elements at the
// designed CSS pixels, numbered for the page, whose events come in through one export
// (quorvel_report); modal boxes the program waits for; the browser's decimal separator.
class WebEngine final : public Engine {
 public:
  WebEngine();
  ~WebEngine() override;
  WebEngine(const WebEngine&) = delete;
  WebEngine& operator=(const WebEngine&) = delete;

  std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design, Report report) override;
  void Destroy(std::unique_ptr<EngineWindow> window) override;
  // The page stays as it is once the last window has gone from it.
  void Quit() override;
  void ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
               std::u16string_view title) override;
  char16_t DecimalSeparator() const override;

  // An event of a window the page numbers, if that window is still on the page.
  bool Tell(int window, const Event& event);
  static WebEngine& OfThePage();

 private:
  std::map<int, WebWindow*> windows_;
  int lastNumber_ = 0;
};

}  // namespace ui::web
