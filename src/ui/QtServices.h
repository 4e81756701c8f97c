// The desktop program's services: progress lines into WaitMemo, message boxes, the end of the
// event loop and blocking pauses.
#pragma once

#include "core/Services.h"

#include <QPointer>

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

private:
  QPointer<QPlainTextEdit> memo_;
};

// Ends the event loop once control returns to it (also when it has not started yet).
void TerminateApplication();
