#include <gtest/gtest.h>

#include <QApplication>

#include "tests/ui/engine_suite.h"
#include "tests/ui/qt/qt_probe.h"

namespace engine_suite {
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, EngineSuite, QtProbe);
}

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
