#include "ui/UFigureForm.h"

#include "ui/JpegImage.h"
#include "ui/UBaseForm.h"

#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>

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

void TFigureForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (const QScreen* shownOn = screen())
    move(PositionOnScreen(frameGeometry(), shownOn->availableGeometry()));
}
