// Prints the shared scenario as JSON, for the browser test to run the same rows.
#include <cstdio>
#include <string>

#include "tests/ui/scenario.h"

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

}  // namespace

int main() {
  constexpr const char* kActions[] = {"type", "click", "close"};
  std::printf("[\n");
  bool first = true;
  for (const scenario::Step& step : scenario::kSteps) {
    const scenario::ExpectedBox box = scenario::Expected(step.box);
    std::printf("%s{\"action\": \"%s\", \"target\": \"%.*s\", \"typed\": %s, \"output\": %s, "
                "\"box\": %s, \"boxTitle\": %s, \"boxText\": %s, \"critical\": %s, "
                "\"explanationOpen\": %s}\n",
                first ? "" : ",", kActions[static_cast<int>(step.action)],
                static_cast<int>(step.target.size()), step.target.data(), Json(step.typed).c_str(),
                Json(step.output).c_str(), step.box == scenario::kNone ? "false" : "true",
                Json(box.title).c_str(), Json(box.text).c_str(), box.critical ? "true" : "false",
                step.explanationOpen ? "true" : "false");
    first = false;
  }
  std::printf("]\n");
}
