// Handlers of the Output sheet.
#include "UMainForm.h"

#include "RunState.h"

#include "UFigureForm.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>

void TMainForm::Output_TabSheetShow() {
  InputSave->setEnabled(false);
  ShowStatus("The output file can be inspected. Use \"See output\" to see examples under "
             "\"Data\" or to inspect any other output file.");
  if (!OutputShown) {
    Output_Memo->hide();
    Symbols_Memo->hide();
    Symbols_Button->hide();
    ViewGraphButton->hide();
    FigureButton2->hide();
    if (FigureForm)
      FigureForm->hide();
  } else {
    Output_Memo->show();
  }
  if (!WellUtils.RunAttempted)
    return;
  // TODO(next step): show the report or the error list of the latest run.
}

void TMainForm::OutputOpenExecute() {
  // TODO(next step): output dialog, LoadOutputLines and the report in Output_Memo.
}

void TMainForm::Symbols_ButtonClick() {
  Symbols_Memo->setVisible(Symbols_Memo->isHidden());
  Symbols_Button->setText(Symbols_Memo->isHidden() ? "Symbols" : "Close symbols");
}
