#include <gtest/gtest.h>

#include <QApplication>

// GUI and command-line tests share one QApplication, created before any test
// runs; ctest sets QT_QPA_PLATFORM=offscreen so no display is needed.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
