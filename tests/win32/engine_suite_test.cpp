#include <gtest/gtest.h>

#include "tests/ui/engine_suite.h"
#include "tests/win32/win32_probe.h"

namespace engine_suite {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, EngineSuite, Win32Probe);
}
