#pragma once

#include <string>

namespace sizing {

// What a request sees of the main window.
struct View {
  virtual ~View() = default;
  virtual std::u16string InputText() const = 0;
  virtual void SetOutputText(const std::u16string& text) = 0;
  virtual bool OldAlgorithmSelected() const = 0;
  virtual void ShowRefusal() = 0;
  virtual char16_t DecimalSeparator() const { return u'.'; }
};

// The calculate button: warns about a refused input, otherwise applies the selected formula.
void Calculate(View& view);

// The option clicks: apply their own formula to an accepted input and stay silent otherwise.
void RecalculateOld(View& view);
void RecalculateNew(View& view);

}  // namespace sizing
