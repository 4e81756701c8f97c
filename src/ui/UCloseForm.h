// The exit window: the program ends when its button is pressed or the window is closed.
#pragma once

#include "ui/UBaseForm.h"

class QPlainTextEdit;
class QPushButton;

class TCloseForm : public TBaseForm {
  Q_OBJECT
public:
  explicit TCloseForm(QWidget* parent = nullptr);

  QPlainTextEdit* Finish_MemoMemo = nullptr;
  QPushButton* Finish_Button = nullptr;

  // Shows the window above the others with the focus, also when it is already open behind
  // them (it lies within the main window's area) or minimised.
  void ShowInFront();
  // Hides the window and gives the focus back to the main window (Escape).
  void ReturnToProgram();

  void FormShow();
  void Finish_ButtonClick();
  void FormClose();

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  // False, back in the main window, when edits of the Input sheet would be lost and the user
  // does not want that.
  bool MayEnd();
};

extern TCloseForm* CloseForm;
