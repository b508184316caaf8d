#pragma once

#include <map>
#include <memory>

#include "ui/engine.h"

namespace ui::web {

class WebWindow;

// The engine over the page's DOM (page.js). Implemented: windows of real form elements laid out
// in CSS pixels, numbered for the page, whose events come in through one export
// (quorvel_report); the page as their window manager, moving a window by its title bar; a whole
// window drawn at a scale; a touched screen, as the browser says; modal boxes the program waits
// for; the browser's decimal separator. The page has no window manager of its own to close a
// window on Alt+F4.
class WebEngine final : public Engine {
 public:
  WebEngine();
  ~WebEngine() override;
  WebEngine(const WebEngine&) = delete;
  WebEngine& operator=(const WebEngine&) = delete;

  unsigned Capabilities() const override;
  void UseTexts(const ProgramTexts& texts) override;
  std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design, Report report) override;
  void Destroy(std::unique_ptr<EngineWindow> window) override;
  // The page stays once the last window has gone from it, and says so.
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
