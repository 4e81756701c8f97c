#include "ui/UFigureForm.h"

#include "ui/JpegImage.h"
#include "ui/UBaseForm.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

#include <algorithm>

TFigureForm* FigureForm = nullptr;

TFigureForm::TFigureForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("FigureForm");
  setWindowTitle("Pumpfield figure");
  setFont(PixelFont("MS Sans Serif", 11));
  resize(542, 468);
  move(520, 1);

  Figure_Image = new QLabel(this);
  Figure_Image->setObjectName("Figure_Image");
  Figure_Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const QImage& figure = ExplanatoryFigure();
  Figure_Image->setPixmap(QPixmap::fromImage(figure));
  Figure_Image->setGeometry(8, 8, figure.width(), figure.height());
}

QPoint TFigureForm::PositionOnScreen(const QRect& frame, const QRect& screen) {
  const int left =
      std::max(std::min(frame.left(), screen.right() + 1 - frame.width()), screen.left());
  const int top =
      std::max(std::min(frame.top(), screen.bottom() + 1 - frame.height()), screen.top());
  return QPoint(left, top);
}

// Until the window has been shown, the window manager's frame around it is not known; the frame
// of another shown window of the program stands in for it.
QRect TFigureForm::ExpectedFrame() const {
  const QRect frame = frameGeometry();
  if (frame != geometry())
    return frame;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    const QRect otherFrame = other->frameGeometry();
    if (other != this && other->isVisible() && otherFrame != other->geometry())
      return QRect(frame.topLeft(), frame.size() + otherFrame.size() - other->size());
  }
  return frame;
}

void TFigureForm::setVisible(bool visible) {
  // Placed before it is shown, so that the window manager puts its frame there.
  if (visible && !isVisible())
    if (const QScreen* shownOn = screen())
      move(PositionOnScreen(ExpectedFrame(), shownOn->availableGeometry()));
  QWidget::setVisible(visible);
}
