#include <gtest/gtest.h>

#include "tests/ui/console/console_probe.h"
#include "tests/ui/engine_suite.h"

namespace engine_suite {
INSTANTIATE_TYPED_TEST_SUITE_P(Console, EngineSuite, ConsoleProbe);
}
