#include "ui/PumpfieldApplication.h"

#include "ui/QtServices.h"
#include "ui/ScreenFit.h"

#include <string>

PumpfieldApplication::PumpfieldApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The program ends through its exit window only, not when some window happens to be last.
  setQuitOnLastWindowClosed(false);
  installEventFilter(new KeepWindowsOnScreen(this));
}

bool PumpfieldApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ReportEscapedError(std::current_exception());
    return false;
  }
}

void ReportEscapedError(std::exception_ptr error) {
  std::string text;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text = "An unknown error occurred.";
  }
  try {
    AppServices().ShowMessage(text);
  } catch (...) {
  }
}

void RunGuarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    ReportEscapedError(std::current_exception());
  }
}
