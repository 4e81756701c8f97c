#include "cli/OffscreenApplication.h"

std::unique_ptr<QGuiApplication> OffscreenApplication() {
  if (QCoreApplication::instance())
    return nullptr;
  static int argc = 3;
  static char name[] = "pumpfield-cli";
  static char option[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}
