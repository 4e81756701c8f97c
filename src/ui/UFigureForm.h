// The floating window that shows the explanatory figure beside the main window.
#pragma once

#include <QWidget>

class QLabel;

class TFigureForm : public QWidget {
  Q_OBJECT
public:
  explicit TFigureForm(QWidget* parent = nullptr);

  QLabel* Figure_Image = nullptr;
};

extern TFigureForm* FigureForm;
