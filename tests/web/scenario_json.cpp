// Prints what the browser test checks the page against, as JSON: the shared scenario, and from
// the main window's design its tab stops and the names a screen reader meets, in reading order.
#include <cstdio>
#include <string>

#include "tests/ui/scenario.h"
#include "ui/forms.h"
#include "ui/rules.h"

namespace {

std::string Json(std::u16string_view text) {
  std::string out = "\"";
  for (const char16_t c : text) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
    out += escaped;
  }
  return out + "\"";
}

std::string Json(std::string_view text) { return Json(std::u16string(text.begin(), text.end())); }

}  // namespace

int main() {
  constexpr const char* kActions[] = {"type", "click", "close"};
  std::printf("{\"steps\": [\n");
  const char* comma = "";
  for (const scenario::Step& step : scenario::kSteps) {
    const scenario::ExpectedBox box = scenario::Expected(step.box);
    std::printf("%s{\"action\": \"%s\", \"target\": %s, \"typed\": %s, \"output\": %s, "
                "\"box\": %s, \"boxTitle\": %s, \"boxText\": %s, \"critical\": %s, "
                "\"explanationOpen\": %s}\n",
                comma, kActions[static_cast<int>(step.action)], Json(step.target).c_str(),
                Json(step.typed).c_str(), Json(step.output).c_str(),
                step.box == scenario::kNone ? "false" : "true", Json(box.title).c_str(),
                Json(box.text).c_str(), box.critical ? "true" : "false",
                step.explanationOpen ? "true" : "false");
    comma = ",";
  }
  const ui::WindowDesign& main = ui::Form1Design();
  std::printf("], \"tabStops\": [");
  comma = "";
  for (const std::string_view stop :
       ui::FocusStops(main, [](std::string_view option) { return option == "Option1"; })) {
    std::printf("%s%s", comma, Json(stop).c_str());
    comma = ", ";
  }
  std::printf("], \"names\": [");
  comma = "";
  for (const ui::ControlDesign* control : ui::ReadingOrder(main)) {
    if (control->kind == ui::ControlKind::kLabel) continue;
    std::printf("%s%s", comma,
                Json(control->accessibleName.empty() ? control->caption : control->accessibleName)
                    .c_str());
    comma = ", ";
  }
  std::printf("]}\n");
}
