// The window of the independent check of the report on the Output sheet: the check's figures
// as the command line prints them, and the report's and the check's water table in one figure.
#pragma once

#include "check/DesignCheck.h"
#include "export/FigureData.h"

#include <QWidget>

#include <optional>
#include <string>

class QPlainTextEdit;

// Draws the check figure scaled to its size.
class CheckFigureView : public QWidget {
public:
  explicit CheckFigureView(QWidget* parent = nullptr);
  void Show(const FigureData& data, const DesignCheck& check);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  FigureData data_;
  std::optional<DesignCheck> check_;
};

class TCheckForm : public QWidget {
public:
  explicit TCheckForm(QWidget* parent = nullptr);

  QPlainTextEdit* CheckResult_Memo = nullptr;
  CheckFigureView* CheckFigure_View = nullptr;

  // `text` is the check in words (UTF-8).
  void ShowCheck(const std::string& text, const FigureData& data, const DesignCheck& check);

private:
  bool placed_ = false;
};
