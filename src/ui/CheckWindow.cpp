#include "ui/CheckWindow.h"

#include "export/CheckFigure.h"
#include "ui/UBaseForm.h"
#include "ui/UiText.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CheckFigureView::CheckFigureView(QWidget* parent) : QWidget(parent) {
  setMinimumSize(static_cast<int>(kFigureWidth * 0.7), static_cast<int>(kFigureHeight * 0.7));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CheckFigureView::Show(const FigureData& data, const DesignCheck& check) {
  data_ = data;
  check_ = check;
  update();
}

void CheckFigureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!check_)
    return;
  // The figure's proportions, as large as the view allows, centred.
  const double scale = std::min(width() / kFigureWidth, height() / kFigureHeight);
  painter.translate((width() - kFigureWidth * scale) / 2, (height() - kFigureHeight * scale) / 2);
  painter.scale(scale, scale);
  PaintCheckFigure(painter, QSizeF(kFigureWidth, kFigureHeight), data_, *check_);
}

TCheckForm::TCheckForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("CheckForm");
  setWindowTitle("Independent check");

  CheckResult_Memo = new QPlainTextEdit(this);
  CheckResult_Memo->setObjectName("CheckResult_Memo");
  CheckResult_Memo->setFont(PixelFont("Courier New", 13));
  CheckResult_Memo->setReadOnly(true);
  // A long report name wraps; the table rows fit the window.
  CheckResult_Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  CheckResult_Memo->setMinimumHeight(170);

  CheckFigure_View = new CheckFigureView(this);
  CheckFigure_View->setObjectName("CheckFigure_View");

  auto* close = new QPushButton("Close", this);
  close->setObjectName("CheckClose_Button");
  connect(close, &QPushButton::clicked, this, &QWidget::close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CheckResult_Memo, 0);
  layout->addWidget(CheckFigure_View, 1);
  layout->addWidget(close, 0, Qt::AlignRight);
  resize(720, 740);
}

void TCheckForm::ShowCheck(const std::string& text, const FigureData& data,
                           const DesignCheck& check) {
  CheckResult_Memo->setPlainText(ToQ(text));
  CheckFigure_View->Show(data, check);
  // Opened first over the middle of the window it was asked from.
  if (!isVisible() && !placed_ && parentWidget()) {
    move(parentWidget()->window()->geometry().center() - rect().center());
    placed_ = true;
  }
}
