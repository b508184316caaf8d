#pragma once

#include <map>
#include <functional>
#include <memory>
#include <vector>

#include "ui/engine.h"

namespace ui::web {

class WebWindow;

// The engine over the page's DOM (page.js). Implemented: windows of real form elements laid out
// in CSS pixels, numbered for the page, whose events come in through one export
// (quorvel_report), stacked as the core says, a press on one and a drag of its title bar reported
// first; a whole window drawn at a scale; a touched screen, as the browser says; the core's boxes,
// which the program waits for (Emscripten's Asyncify); the browser's decimal separator. The page
// has no window manager of its own: the core is it.
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
  void Stack(const std::vector<EngineWindow*>& backToFront) override;
  void Wait(const std::function<bool()>& done) override;
  char16_t DecimalSeparator() const override;

  // An event of a window the page numbers, if that window is still on the page.
  bool Tell(int window, const Event& event);
  static WebEngine& OfThePage();

 private:
  std::map<int, WebWindow*> windows_;
  int lastNumber_ = 0;
  const std::function<bool()>* waiting_ = nullptr;  // on a box, until this holds
};

}  // namespace ui::web
