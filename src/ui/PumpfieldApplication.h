// The application object. An exception that escapes an event handler is shown in a message box
// and the program goes on with the next event. The toolkit's widget code is not exception-safe
// (an exception passing through it leaks the event being delivered), so every handler of the
// windows runs through RunGuarded and this is the last resort for what escapes elsewhere.
#pragma once

#include <QApplication>
#include <exception>
#include <functional>

class PumpfieldApplication : public QApplication {
public:
  PumpfieldApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the text of the exception through the services.
void ReportEscapedError(std::exception_ptr error);
// Runs `handler`, reporting an exception instead of letting it pass through the toolkit.
void RunGuarded(const std::function<void()>& handler);
