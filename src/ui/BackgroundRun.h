// A calculation on a thread of its own while the window's event loop goes on: the window
// repaints and can be moved, the user's input to it is held back, and a cancel stops the work.
#pragma once

#include "run/RunCalculation.h"

#include <QObject>

#include <atomic>
#include <functional>

class QThread;
class QWidget;

// Runs `call` on the application's thread and waits for it; its exception is raised in the
// calling thread. Called on the application's thread, it runs `call` at once.
void OnWindowThread(const std::function<void()>& call);

class BackgroundRun {
public:
  // Runs `work` on a new thread and processes the window's events until it has ended; the
  // exception that ended it is raised here. The cancel flag is cleared first.
  void Run(const std::function<void()>& work);
  // While Run goes on: sets the cancel flag and ends a pause of the work at once.
  void Cancel();
  bool Running() const { return thread_ != nullptr; }
  const std::atomic<bool>& CancelFlag() const { return cancel_; }

private:
  std::atomic<bool> cancel_{false};
  QThread* thread_ = nullptr;
};

// Holds back the keys, clicks, wheel turns and drops meant for `window` while it lives, so that
// none reaches the form during a run or is acted on afterwards; `cancelButton` still takes its
// clicks, and Escape calls `onEscape`. Other windows (the run's message boxes) are left alone.
class InputHeldBack : public QObject {
public:
  InputHeldBack(QWidget* window, QWidget* cancelButton, std::function<void()> onEscape);
  ~InputHeldBack() override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QWidget* window_;
  QWidget* cancelButton_;
  std::function<void()> onEscape_;
};

// Hands the run control's calls to `window` on the application's thread.
class RunWindowOnWindowThread final : public RunWindow {
public:
  explicit RunWindowOnWindowThread(RunWindow& window) : window_(window) {}
  void ShowAndClearWaitMemo() override;
  void HideWaitMemo() override;
  void HideFigures() override;
  void SetOutputShown(bool shown) override;
  void SetRunHadErrors(bool hadErrors) override;
  void ActivateOutputSheet() override;

private:
  RunWindow& window_;
};
