// Prints what the browser test checks the page against, as JSON: the shared scenario, and from
// the main window's design the names a screen reader meets, in reading order.
#include <cstdio>
#include <string>

#include "tests/ui/scenario.h"
#include "ui/forms.h"

namespace {

// A JSON string, every character escaped.
template <typename Text>
std::string Json(Text text) {
  std::string out = "\"";
  for (const auto c : text) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
    out += escaped;
  }
  return out + "\"";
}

const char* Json(bool value) { return value ? "true" : "false"; }

}  // namespace

int main() {
  const char* const kActions[] = {"type", "click", "close"};
  std::printf("{\"steps\": [");
  for (const scenario::Step& step : scenario::kSteps) {
    const scenario::ExpectedBox box = scenario::Expected(step.box);
    std::printf("%s{\"action\": \"%s\", \"target\": %s, \"typed\": %s, \"output\": %s, \"box\": %s, "
                "\"boxTitle\": %s, \"boxText\": %s, \"critical\": %s, \"explanationOpen\": %s}",
                &step == scenario::kSteps ? "" : ",\n", kActions[static_cast<int>(step.action)],
                Json(step.target).c_str(), Json(step.typed).c_str(), Json(step.output).c_str(),
                Json(step.box != scenario::kNone), Json(box.title).c_str(), Json(box.text).c_str(),
                Json(box.critical), Json(step.explanationOpen));
  }
  std::printf("],\n\"names\": [");
  const char* separator = "";
  for (const ui::ControlDesign* control : ui::ReadingOrder(ui::Form1Design())) {
    if (control->kind == ui::ControlKind::kLabel) continue;
    const auto name = control->accessibleName.empty() ? control->caption : control->accessibleName;
    std::printf("%s%s", separator, Json(name).c_str());
    separator = ", ";
  }
  std::printf("]}\n");
}
