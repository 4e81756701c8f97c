#include "ui/ScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace {
// Set on a window shown before its frame was known: it is fitted again once it is.
const char* const kFitPending = "pumpfieldFitPending";

// The window manager's frame around a window of geometry `inner` whose frame is `frame`; none
// while the window manager has not framed the window yet.
std::optional<QMargins> Margins(const QRect& inner, const QRect& frame) {
  if (frame == inner || !frame.contains(inner))
    return std::nullopt;
  return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                  frame.right() - inner.right(), frame.bottom() - inner.bottom());
}

// The frame around `window`: known once the window has been framed; until then that of another
// shown window of the program, or else a title bar and borders as the style draws them.
QMargins FrameMargins(const QWidget* window) {
  if (auto own = Margins(window->geometry(), window->frameGeometry()))
    return *own;
  for (const QWidget* other : QApplication::topLevelWidgets())
    if (other != window && other->isVisible())
      if (auto margins = Margins(other->geometry(), other->frameGeometry()))
        return *margins;
  const QStyle* style = window->style();
  const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
  const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
  return QMargins(border, title + border, border, border);
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
  if ((type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize &&
       type != QEvent::WindowActivate) ||
      !watched->isWidgetType())
    return false;
  auto* widget = static_cast<QWidget*>(watched);
  const Qt::WindowType kind = widget->windowType();
  if (!widget->isWindow() || (kind != Qt::Window && kind != Qt::Dialog))
    return false;
  const bool frameKnown = Margins(widget->geometry(), widget->frameGeometry()).has_value();
  if (type == QEvent::Show) {
    widget->setProperty(kFitPending, !frameKnown);
    // A dialog takes its size as it is shown (a message box fits its text then); a main window
    // is fitted before the window manager places it.
    if (kind == Qt::Dialog)
      QTimer::singleShot(0, widget, [widget] { FitOnScreen(widget); });
    else
      FitOnScreen(widget);
  } else if (frameKnown && widget->property(kFitPending).toBool()) {
    // The window manager has framed the window: once more, with the real frame.
    widget->setProperty(kFitPending, false);
    FitOnScreen(widget);
  }
  return false;
}
