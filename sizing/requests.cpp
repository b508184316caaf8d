#include "sizing/requests.h"

#include "sizing/formulas.h"

namespace sizing {
namespace {

using Formula = std::u16string (*)(std::u16string_view, char16_t);

// The input is read from the view afresh for the formula, never carried over from the check.
void ShowResult(View& view, Formula formula) {
  view.SetOutputText(formula(view.InputText(), view.DecimalSeparator()));
}

}  // namespace

void Calculate(View& view) {
  if (!IsPureNumber(view.InputText())) {
    view.ShowRefusal();
    return;
  }
  ShowResult(view, view.OldAlgorithmSelected() ? OldAlgorithm : NewAlgorithm);
}

void RecalculateOld(View& view) {
  if (IsPureNumber(view.InputText())) ShowResult(view, OldAlgorithm);
}

void RecalculateNew(View& view) {
  if (IsPureNumber(view.InputText())) ShowResult(view, NewAlgorithm);
}

}  // namespace sizing
