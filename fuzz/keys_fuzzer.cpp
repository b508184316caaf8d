// Feeds arbitrary input to the terminal's key table, as a terminal (or a paste, or line noise on a
// serial line) might send it: every run of it is read to its end, each input taking at least one
// character and no more than there are, and nothing else happens; the sanitizers catch the rest.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/console/keys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Two bytes a character, so that wide characters and every control character come up.
  std::u32string pending;
  for (std::size_t at = 0; at + 1 < size; at += 2) pending += static_cast<char32_t>(data[at] | data[at + 1] << 8);
  while (!pending.empty()) {
    const auto waiting = ui::console::Decode(pending, true);
    const auto input = ui::console::Decode(pending, false);
    if (!input || input->length == 0 || input->length > pending.size()) std::abort();
    if (waiting && waiting->length != input->length) std::abort();
    pending.erase(0, input->length);
  }
  return 0;
}
