// Start-up in the browser: the main window, and then the page's events, each handed to its
// window through the functions the page calls.
#include <emscripten.h>

#include "windows/web/web_platform.h"
#include "windows/web/web_window.h"

namespace {

using windows::web::WebPlatform;
using windows::web::WebWindow;

// The window the page names, with the windows unloaded by an earlier event gone.
WebWindow* Window(int number) {
  WebPlatform::ForgetDiscarded();
  return WebWindow::Numbered(number);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void quorvel_click(int window, const char* control) {
  if (WebWindow* target = Window(window)) target->Clicked(control);
}

EMSCRIPTEN_KEEPALIVE int quorvel_close(int window) {
  WebWindow* target = Window(window);
  return target && target->CloseRequested();
}

EMSCRIPTEN_KEEPALIVE void quorvel_activated(int window) {
  if (WebWindow* target = Window(window)) target->Activated();
}

EMSCRIPTEN_KEEPALIVE void quorvel_text_changed(int window, const char* control) {
  if (WebWindow* target = Window(window)) target->FitText(control);
}
}

int main() {
  static WebPlatform platform;  // lives on with the page after main returns
  platform.Start();
}
