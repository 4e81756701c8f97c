// The floating window that shows the explanatory figure beside the main window.
#pragma once

#include <QWidget>

class QLabel;

class TFigureForm : public QWidget {
  Q_OBJECT
public:
  explicit TFigureForm(QWidget* parent = nullptr);

  QLabel* Figure_Image = nullptr;

  // The position nearest to `frame`'s at which the whole frame lies on `screen`; a frame larger
  // than the screen keeps its top-left corner on it.
  static QPoint PositionOnScreen(const QRect& frame, const QRect& screen);

  // Showing the window first moves it just enough to lie on its screen, its close box within
  // reach.
  void setVisible(bool visible) override;

private:
  QRect ExpectedFrame() const;
};

extern TFigureForm* FigureForm;
