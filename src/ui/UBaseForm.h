// Common ancestor of the program's windows: a status line of height 20 with one text.
#pragma once

#include <QFont>
#include <QMainWindow>
#include <QString>

class QLabel;
class QPushButton;
class QRect;
class QStatusBar;
class QTabWidget;
class QWidget;

class TBaseForm : public QMainWindow {
  Q_OBJECT
public:
  explicit TBaseForm(QWidget* parent = nullptr);

  // Puts `text` into the status line and repaints it at once. A text wider than the line is
  // elided there, with the whole text as its tool tip.
  void ShowStatus(const QString& text);
  QString StatusText() const;

  QStatusBar* StatusBar1 = nullptr;

private:
  class StatusLine;
  StatusLine* statusText_ = nullptr;
};

// The caption of a hint: the part before a vertical bar, or the whole hint.
QString ShortHint(const QString& hint);
// The longer text of a hint: the part after the bar, or the whole hint.
QString LongHint(const QString& hint);

// A font of `pixels` pixels in `family`, falling back to the metric-compatible Liberation font
// where the family is not installed, so that the texts fit the controls laid out for it.
QFont PixelFont(const QString& family, int pixels, bool bold = false);

// Controls of the windows' sheets, named (objectName) and placed: a label sized to its caption
// with its top-left corner at (left, top), a button that Enter presses when it has the focus,
// and a sheet added to `pages`.
QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, int left, int top);
QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry);
QWidget* NewSheet(QTabWidget* pages, const char* name, const QString& caption);
