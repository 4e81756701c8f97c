#include "ui/QtServices.h"

#include "ui/BackgroundRun.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QThread>

#include <algorithm>

QtServices::QtServices(QPlainTextEdit* progressMemo) : memo_(progressMemo) {}

void QtServices::AppendProgress(const std::string& line) {
  if (!memo_)
    return;
  if (PercentLineIsLast()) {
    QTextCursor cursor(memo_->document()->lastBlock());
    cursor.insertText(ToQ(line));
    cursor.insertBlock();
  } else {
    memo_->appendPlainText(ToQ(line));
  }
  // The calculation blocks the event loop, so the line is painted here and now.
  memo_->repaint();
}

namespace {
// A box shown during a run, under its busy cursor, gets the ordinary pointer for its buttons.
class PointerForBox {
public:
  PointerForBox() : busy_(QApplication::overrideCursor() != nullptr) {
    if (busy_)
      QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~PointerForBox() {
    if (busy_)
      QApplication::restoreOverrideCursor();
  }
  PointerForBox(const PointerForBox&) = delete;
  PointerForBox& operator=(const PointerForBox&) = delete;

private:
  bool busy_;
};

bool Ask(const std::string& text, QMessageBox::StandardButton preselected) {
  const PointerForBox pointer;
  return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(),
                               ToQ(text), QMessageBox::Yes | QMessageBox::No,
                               preselected) == QMessageBox::Yes;
}
} // namespace

void QtServices::ShowPercentDone(int percent) {
  if (!memo_)
    return;
  const QString line = ToQ(PercentDoneLine(percent));
  if (PercentLineIsLast()) {
    QTextCursor cursor(memo_->document()->lastBlock());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(line);
  } else {
    memo_->appendPlainText(line);
  }
  percentLine_ = line;
  memo_->repaint();
}

bool QtServices::PercentLineIsLast() const {
  return !percentLine_.isEmpty() && memo_->document()->lastBlock().text() == percentLine_;
}

void QtServices::ShowMessage(const std::string& text) {
  const PointerForBox pointer;
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), ToQ(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

bool QtServices::AskYesNo(const std::string& text) { return Ask(text, QMessageBox::No); }

bool QtServices::AskYesNoExpectingYes(const std::string& text) {
  return Ask(text, QMessageBox::Yes);
}

void QtServices::RequestQuit() { TerminateApplication(); }

void QtServices::Pause(int milliseconds) {
  if (milliseconds <= 0)
    return;
  if (QThread::currentThread() == QCoreApplication::instance()->thread()) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
    return;
  }
  // A run's own thread: a cancel ends the pause.
  const QDeadlineTimer deadline(milliseconds);
  while (!deadline.hasExpired() && !QThread::currentThread()->isInterruptionRequested())
    QThread::msleep(static_cast<unsigned long>(std::min<qint64>(20, deadline.remainingTime())));
}

void TerminateApplication() {
  // exit() rather than quit(): quit() first asks every window to close, and the main window
  // refuses, since closing it only shows the exit window.
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

namespace {
SilentServices silentServices;
Services* installedServices = &silentServices;
} // namespace

Services& AppServices() { return *installedServices; }

void InstallServices(Services* services) {
  installedServices = services ? services : &silentServices;
}

void InstalledServices::AppendProgress(const std::string& line) {
  OnWindowThread([&] { AppServices().AppendProgress(line); });
}

void InstalledServices::ShowMessage(const std::string& text) {
  OnWindowThread([&] { AppServices().ShowMessage(text); });
}

bool InstalledServices::AskYesNo(const std::string& text) {
  bool yes = false;
  OnWindowThread([&] { yes = AppServices().AskYesNo(text); });
  return yes;
}

bool InstalledServices::AskYesNoExpectingYes(const std::string& text) {
  bool yes = false;
  OnWindowThread([&] { yes = AppServices().AskYesNoExpectingYes(text); });
  return yes;
}

void InstalledServices::RequestQuit() {
  OnWindowThread([] { AppServices().RequestQuit(); });
}

void InstalledServices::ShowPercentDone(int percent) {
  OnWindowThread([percent] { AppServices().ShowPercentDone(percent); });
}
