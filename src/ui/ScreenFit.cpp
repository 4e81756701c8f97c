#include "ui/ScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {
// Set on a window shown before its frame was known: it is fitted again once it is.
const char* const kFitPending = "pumpfieldFitPending";

// The window manager's frame around `window`: known once the window has been shown; until then
// that of another shown window of the program, the best guess there is.
QMargins FrameMargins(const QWidget* window) {
  const QRect own = window->frameGeometry();
  if (own != window->geometry())
    return QMargins(window->x() - own.x(), window->y() - own.y(),
                    own.right() - window->geometry().right(),
                    own.bottom() - window->geometry().bottom());
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other == window || !other->isVisible())
      continue;
    const QRect frame = other->frameGeometry(), inner = other->geometry();
    if (frame != inner)
      return QMargins(inner.x() - frame.x(), inner.y() - frame.y(), frame.right() - inner.right(),
                      frame.bottom() - inner.bottom());
  }
  return QMargins();
}
} // namespace

QRect FitFrame(const QRect& frame, const QRect& available) {
  const QSize size = frame.size().boundedTo(available.size());
  const int left = std::clamp(frame.left(), available.left(), available.right() + 1 - size.width());
  const int top = std::clamp(frame.top(), available.top(), available.bottom() + 1 - size.height());
  return QRect(QPoint(left, top), size);
}

void FitOnScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (!screen)
    return;
  const QMargins margins = FrameMargins(window);
  const QRect available = screen->availableGeometry();
  const QRect frame = window->geometry().marginsAdded(margins);
  const QRect fitted = FitFrame(frame, available);
  if (fitted == frame)
    return;
  const QRect inner = fitted.marginsRemoved(margins);
  window->setMinimumSize(window->minimumSize().boundedTo(inner.size()));
  window->setGeometry(inner);
}

bool KeepWindowsOnScreen::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type != QEvent::Show && type != QEvent::Move) || !watched->isWidgetType())
    return false;
  auto* widget = static_cast<QWidget*>(watched);
  const Qt::WindowType kind = widget->windowType();
  if (!widget->isWindow() || (kind != Qt::Window && kind != Qt::Dialog))
    return false;
  const bool frameKnown = widget->frameGeometry() != widget->geometry();
  if (type == QEvent::Show) {
    FitOnScreen(widget);
    widget->setProperty(kFitPending, !frameKnown);
  } else if (frameKnown && widget->property(kFitPending).toBool()) {
    // The window manager has framed the window: once more, with the real frame.
    widget->setProperty(kFitPending, false);
    FitOnScreen(widget);
  }
  return false;
}
