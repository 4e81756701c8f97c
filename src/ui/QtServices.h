// The desktop program's services: progress lines into WaitMemo, message boxes, the end of the
// event loop and blocking pauses.
#pragma once

#include "core/Services.h"

#include <QPointer>
#include <QString>

class QPlainTextEdit;

class QtServices final : public Services {
public:
  explicit QtServices(QPlainTextEdit* progressMemo);

  void AppendProgress(const std::string& line) override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskYesNoExpectingYes(const std::string& text) override;
  void RequestQuit() override;
  void Pause(int milliseconds) override;
  // The percent line is the memo's last line: it is replaced as the run goes on, and progress
  // lines appended meanwhile go above it.
  void ShowPercentDone(int percent) override;

private:
  bool PercentLineIsLast() const;

  QPointer<QPlainTextEdit> memo_;
  QString percentLine_;
};

// Ends the event loop once control returns to it (also when it has not started yet).
void TerminateApplication();

// The services the windows talk through: the program installs its Qt services, a test its
// scripted ones. Until then, and after InstallServices(nullptr), they are silent.
Services& AppServices();
void InstallServices(Services* services);

// Hands every call on to the services installed at the time of the call: the window's engine
// talks through these, whatever is installed after the window was made. A call from a run's
// own thread is made on the application's thread, in order, and waits for it; a pause is taken
// on the calling thread.
class InstalledServices final : public Services {
public:
  void AppendProgress(const std::string& line) override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskYesNoExpectingYes(const std::string& text) override;
  void RequestQuit() override;
  void Pause(int milliseconds) override { AppServices().Pause(milliseconds); }
  void ShowPercentDone(int percent) override;
};
