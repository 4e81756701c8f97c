// Widget tests run against the real application object on the offscreen platform.
#include "ui/PumpfieldApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  PumpfieldApplication application(argc, argv);
  QApplication::setApplicationName("Subsurface drainage by pumped wells");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
