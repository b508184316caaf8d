// Prints what the browser test checks the page against, as JSON: the shared scenario, and from
// the main window's design the names a screen reader meets, in reading order.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/ui/scenario.h"
#include "ui/forms.h"

namespace {

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

template <typename Texts>
std::string JsonList(const Texts& texts) {
  std::string out = "[";
  for (const auto& text : texts) out += (out.size() > 1 ? ", " : "") + Json(text);
  return out + "]";
}

}  // namespace

int main() {
  const auto action = [](scenario::Action action) {
    return action == scenario::kType ? "type" : action == scenario::kClick ? "click" : "close";
  };
  std::string steps;
  for (const scenario::Step& step : scenario::kSteps) {
    const scenario::ExpectedBox box = scenario::Expected(step.box);
    steps += std::string(steps.empty() ? "" : ",\n") + "{\"action\": \"" +
             action(step.action) + "\", \"target\": " + Json(step.target) +
             ", \"typed\": " + Json(step.typed) + ", \"output\": " + Json(step.output) +
             ", \"box\": " + (step.box == scenario::kNone ? "false" : "true") +
             ", \"boxTitle\": " + Json(box.title) + ", \"boxText\": " + Json(box.text) +
             ", \"critical\": " + (box.critical ? "true" : "false") +
             ", \"explanationOpen\": " + (step.explanationOpen ? "true" : "false") + "}";
  }
  const ui::WindowDesign& main = ui::Form1Design();
  std::vector<std::u16string_view> names;
  for (const ui::ControlDesign* control : ui::ReadingOrder(main)) {
    if (control->kind == ui::ControlKind::kLabel) continue;
    names.push_back(control->accessibleName.empty() ? control->caption : control->accessibleName);
  }
  std::printf("{\"steps\": [%s],\n\"names\": %s}\n", steps.c_str(), JsonList(names).c_str());
}
