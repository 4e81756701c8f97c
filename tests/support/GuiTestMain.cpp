// The main of every test program with windows or drawings: the desktop program's application
// object on the offscreen platform. Built with PUMPFIELD_COMMA_LOCALE_PATH, the program runs
// under the decimal-comma locale made there (creating the application sets the C library's
// locale from the environment, as in the program) and refuses to run without it, since its
// tests would then pass vacuously.
#include "graph/SystemDecimalSeparator.h"
#include "ui/PumpfieldApplication.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef PUMPFIELD_COMMA_LOCALE_PATH
  qputenv("LC_ALL", "de_DE.UTF-8");
  qputenv("LOCPATH", PUMPFIELD_COMMA_LOCALE_PATH);
#endif
  // Settings the tests write go to a folder of this test program's own, not the user's, nor
  // one that another test program running at the same time writes too.
  const QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  PumpfieldApplication application(argc, argv);
  QApplication::setApplicationName("Subsurface drainage by pumped wells");
  ::testing::InitGoogleTest(&argc, argv);
#ifdef PUMPFIELD_COMMA_LOCALE_PATH
  const bool commaLocale =
      std::strcmp(std::localeconv()->decimal_point, ",") == 0 && SystemDecimalSeparator() == ',';
  if (!commaLocale && !GTEST_FLAG_GET(list_tests)) {
    std::fprintf(stderr, "No decimal-comma C locale: de_DE.UTF-8 is missing from %s\n",
                 PUMPFIELD_COMMA_LOCALE_PATH);
    return 1;
  }
#endif
  return RUN_ALL_TESTS();
}
