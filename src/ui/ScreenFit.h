// Every window of the program opens wholly on its screen, also on a small screen or at a large
// scale: a window larger than the screen's free area shrinks to it, one that reaches over an
// edge moves in.
#pragma once

#include <QObject>
#include <QRect>

class QWidget;

// The frame `frame` (a window with the window manager's frame around it) moved, and shrunk when
// it is larger, so that it lies within `available`.
QRect FitFrame(const QRect& frame, const QRect& available);

// Fits `window` to the free area of its screen; a window whose minimum size is larger than that
// gets a smaller minimum (its content then scrolls, where it can).
void FitOnScreen(QWidget* window);

// Fits every window and dialog as it is shown. Installed on the application object.
class KeepWindowsOnScreen : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override;
};
