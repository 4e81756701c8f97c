#include "ui/UFigureForm.h"

#include "ui/JpegImage.h"
#include "ui/UBaseForm.h"

#include <QLabel>
#include <QPixmap>

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
