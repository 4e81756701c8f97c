#include "ui/BackgroundRun.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QThread>
#include <QWidget>

#include <exception>

void OnWindowThread(const std::function<void()>& call) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application || QThread::currentThread() == application->thread()) {
    call();
    return;
  }
  std::exception_ptr error;
  QMetaObject::invokeMethod(
      application,
      [&] {
        try {
          call();
        } catch (...) {
          error = std::current_exception();
        }
      },
      Qt::BlockingQueuedConnection);
  if (error)
    std::rethrow_exception(error);
}

void BackgroundRun::Run(const std::function<void()>& work) {
  cancel_ = false;
  std::exception_ptr error;
  bool ended = false;
  QThread* thread = QThread::create([&] {
    try {
      work();
    } catch (...) {
      error = std::current_exception();
    }
  });
  // Queued to this thread, so that the loop below wakes for it.
  QObject::connect(thread, &QThread::finished, QCoreApplication::instance(),
                   [&ended] { ended = true; });
  thread_ = thread;
  thread->start();
  while (!ended)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  thread->wait();
  thread_ = nullptr;
  delete thread;
  if (error)
    std::rethrow_exception(error);
}

void BackgroundRun::Cancel() {
  cancel_ = true;
  if (thread_)
    thread_->requestInterruption();
}

InputHeldBack::InputHeldBack(QWidget* window, QWidget* cancelButton, std::function<void()> onEscape)
    : window_(window), cancelButton_(cancelButton), onEscape_(std::move(onEscape)) {
  QCoreApplication::instance()->installEventFilter(this);
}

InputHeldBack::~InputHeldBack() { QCoreApplication::instance()->removeEventFilter(this); }

namespace {
bool IsUserInput(QEvent::Type type) {
  switch (type) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
  case QEvent::ShortcutOverride:
  case QEvent::Shortcut:
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::Wheel:
  case QEvent::ContextMenu:
  case QEvent::DragEnter:
  case QEvent::DragMove:
  case QEvent::Drop:
  case QEvent::InputMethod:
  case QEvent::TouchBegin:
  case QEvent::TouchUpdate:
  case QEvent::TouchEnd:
    return true;
  default:
    return false;
  }
}

bool IsMouseButton(QEvent::Type type) {
  return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
         type == QEvent::MouseButtonDblClick;
}
} // namespace

bool InputHeldBack::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (!IsUserInput(type))
    return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != window_)
    return false;
  if (widget == cancelButton_ && IsMouseButton(type))
    return false;
  if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
    onEscape_();
  // An accepted override keeps a menu or button shortcut from firing on the key.
  if (type == QEvent::ShortcutOverride)
    event->accept();
  return true;
}

void RunWindowOnWindowThread::ShowAndClearWaitMemo() {
  OnWindowThread([this] { window_.ShowAndClearWaitMemo(); });
}
void RunWindowOnWindowThread::HideWaitMemo() {
  OnWindowThread([this] { window_.HideWaitMemo(); });
}
void RunWindowOnWindowThread::HideFigures() {
  OnWindowThread([this] { window_.HideFigures(); });
}
void RunWindowOnWindowThread::SetOutputShown(bool shown) {
  OnWindowThread([this, shown] { window_.SetOutputShown(shown); });
}
void RunWindowOnWindowThread::SetRunHadErrors(bool hadErrors) {
  OnWindowThread([this, hadErrors] { window_.SetRunHadErrors(hadErrors); });
}
void RunWindowOnWindowThread::ActivateOutputSheet() {
  OnWindowThread([this] { window_.ActivateOutputSheet(); });
}
