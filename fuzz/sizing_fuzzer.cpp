// Feeds arbitrary texts to the acceptance check, both readings and both formulas. Anything but a
// clean return or one of the two sizing errors is a crash; the sanitizers catch the rest.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "sizing/sizing.h"

namespace {

template <typename Operation>
void ExpectOnlySizingErrors(Operation operation) {
  try {
    operation();
  } catch (const sizing::ConversionError&) {
  } catch (const sizing::FloatingPointError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first code unit chooses the decimal separator; the rest is the typed text.
  char16_t separator;
  std::memcpy(&separator, data, sizeof separator);
  std::u16string text((size - 2) / 2, u'\0');
  std::memcpy(text.data(), data + 2, text.size() * sizeof(char16_t));

  ExpectOnlySizingErrors([&] { sizing::IsPureNumber(text); });
  ExpectOnlySizingErrors([&] { sizing::SignedWrite(sizing::LenientRead(text)); });
  ExpectOnlySizingErrors(
      [&] { sizing::PlainWrite(sizing::StrictRead(text, separator), separator); });
  ExpectOnlySizingErrors([&] { sizing::OldAlgorithm(text, separator); });
  ExpectOnlySizingErrors([&] { sizing::NewAlgorithm(text, separator); });
  return 0;
}
