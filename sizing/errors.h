#pragma once

#include <stdexcept>

namespace sizing {

struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The text is not a number.
struct ConversionError : Error {
  using Error::Error;
};

// Invalid operation, division by zero or overflow.
struct FloatingPointError : Error {
  using Error::Error;
};

}  // namespace sizing
