#pragma once

#include <functional>

#include "windows/platform.h"

namespace windows {

// Runs one event handler. An error that ends it is reported in a box titled like the program,
// and the windows stay usable: no handler catches errors itself.
void Dispatch(Platform& platform, const std::function<void()>& handler);

}  // namespace windows
