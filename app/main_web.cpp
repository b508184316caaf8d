// Start-up in the browser: the main window; from then on the page's events drive the program
// (ui/web), which lives on with the page after main returns.
#include "ui/forms.h"
#include "ui/web/web_engine.h"

int main() {
  static ui::web::WebEngine engine;
  static ui::Core core(engine, ui::Calculator());
  core.Start();
}
