#include "ui/UBaseForm.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

// The status text: where it is wider than the line, it ends in an ellipsis and the whole text
// is the tool tip.
class TBaseForm::StatusLine : public QLabel {
public:
  explicit StatusLine(QWidget* parent) : QLabel(parent) {}

  void SetWholeText(const QString& text) {
    whole_ = text;
    Elide();
  }
  const QString& WholeText() const { return whole_; }

protected:
  void resizeEvent(QResizeEvent* event) override {
    QLabel::resizeEvent(event);
    Elide();
  }

private:
  void Elide() {
    const int room = contentsRect().width() - 2 * margin();
    const QString shown = fontMetrics().elidedText(whole_, Qt::ElideRight, room);
    setText(shown);
    setToolTip(shown == whole_ ? QString() : whole_);
  }

  QString whole_;
};

TBaseForm::TBaseForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("BaseForm");
  setWindowTitle("Base Form");
  setFont(PixelFont("Tahoma", 13));
  resize(590, 375);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setFixedHeight(20);
  StatusBar1->setSizeGripEnabled(false);
  // A widget rather than showMessage(): status tips of menu items then show over it for a
  // moment and leave the sheet's guidance text in place.
  statusText_ = new StatusLine(StatusBar1);
  statusText_->setObjectName("StatusBar1Text");
  // A long guidance text is elided at the window's edge instead of widening the window.
  statusText_->setMinimumWidth(1);
  statusText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  StatusBar1->addWidget(statusText_, 1);
  setStatusBar(StatusBar1);
}

void TBaseForm::ShowStatus(const QString& text) {
  statusText_->SetWholeText(text);
  if (isVisible())
    repaint();
}

QString TBaseForm::StatusText() const { return statusText_->WholeText(); }

QString ShortHint(const QString& hint) {
  const qsizetype bar = hint.indexOf('|');
  return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint) {
  const qsizetype bar = hint.indexOf('|');
  return bar < 0 ? hint : hint.mid(bar + 1);
}

QFont PixelFont(const QString& family, int pixels, bool bold) {
  QFont font(family);
  const bool mono = family.startsWith("Courier");
  font.setFamilies({family, mono ? "Liberation Mono" : "Liberation Sans"});
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, int left, int top) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->adjustSize();
  label->move(left, top);
  return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  // Enter presses the focused button, as Space does.
  button->setAutoDefault(true);
  return button;
}

QWidget* NewSheet(QTabWidget* pages, const char* name, const QString& caption) {
  auto* sheet = new QWidget(pages);
  sheet->setObjectName(name);
  pages->addTab(sheet, caption);
  return sheet;
}
