// Start-up in the browser: the main window, and then the page's events, each handed to its
// window through the functions the page calls.
#include <emscripten.h>

#include "ui/core.h"
#include "ui/web/web_engine.h"
#include "ui/web/web_window.h"

namespace {

using ui::web::WebWindow;

ui::web::WebEngine& Engine() {
  static ui::web::WebEngine engine;  // lives on with the page after main returns
  return engine;
}

// The window the page names, with the windows unloaded by an earlier event gone.
WebWindow* Window(int number) {
  Engine().ForgetDiscarded();
  return WebWindow::Numbered(number);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void quorvel_click(int window, const char* control) {
  if (WebWindow* target = Window(window)) {
    target->Events().click(target->Design().Control(control).name);
  }
}

EMSCRIPTEN_KEEPALIVE void quorvel_text_changed(int window, const char* control) {
  if (WebWindow* target = Window(window)) {
    target->Events().textChanged(target->Design().Control(control).name);
  }
}

EMSCRIPTEN_KEEPALIVE int quorvel_key(int window, int key) {
  WebWindow* target = Window(window);
  return target && target->Events().key(static_cast<ui::Key>(key));
}

EMSCRIPTEN_KEEPALIVE int quorvel_close(int window) {
  WebWindow* target = Window(window);
  return target && target->Events().close();
}

EMSCRIPTEN_KEEPALIVE void quorvel_activated(int window) {
  if (WebWindow* target = Window(window)) target->Events().activated();
}
}

int main() {
  static ui::Core core(Engine());
  core.Start();
}
