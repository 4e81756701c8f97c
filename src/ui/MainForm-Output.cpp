// Handlers of the Output sheet.
#include "ui/UMainForm.h"

#include "calc/CalcFiles.h"
#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "run/RunState.h"

#include "ui/UFigureForm.h"
#include "ui/UiText.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

namespace {

// Replaces the memo's text by the first OutputLineCount lines the data module read.
void ShowOutputLines(QPlainTextEdit* memo) {
  const TDMPumpfield& dm = *DMPumpfield;
  const size_t count =
      std::min(static_cast<size_t>(std::max(dm.OutputLineCount, 0)), dm.OutputLines.size());
  QStringList lines;
  for (size_t i = 0; i < count; ++i)
    lines.append(ToQ(dm.OutputLines[i]));
  memo->setPlainText(lines.join('\n'));
}

} // namespace

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
  TDMPumpfield& dm = *DMPumpfield;
  // The error list is the failed run's as long as no other file was chosen since, and it is
  // shown once. Any other name means a file chosen since: its report must not be deleted.
  const bool errorListOfRun =
      RunHadErrors && !FailedRunInput.empty() && dm.InputFileName == FailedRunInput;
  dm.InputFileName = ChangeFileExt(dm.InputFileName, ".out");
  if (RunHadErrors && !(errorListOfRun || OutputShown)) {
    // The list was shown once already and no report was opened since.
    Output_Memo->clear();
    Output_Memo->hide();
    return;
  }
  if (errorListOfRun) {
    FailedRunInput.clear();
    Output_Memo->clear();
    if (FileExists(kErrorListName)) {
      TextReader list = TextReader::OpenOrThrow(kErrorListName);
      QStringList lines;
      while (!list.AtEnd())
        lines.append(ToQ(list.ReadLine()));
      Output_Memo->setPlainText(lines.join('\n'));
      DeleteFileIfExists(kErrorListName);
    }
    DeleteFileIfExists(dm.InputFileName);
  } else {
    const bool readable = TextReader(dm.InputFileName).opened();
    dm.LoadOutputLines(dm.InputFileName);
    Output_Memo->hide();
    Output_Memo->clear();
    if (!readable) {
      ForgetShownReport();
      return;
    }
    ShowOutputLines(Output_Memo);
    Output_Memo->show();
    ViewGraphButton->show();
    Symbols_Button->show();
    FigureButton2->show();
    OutputShown = true;
  }
  Output_Memo->show();
}

void TMainForm::OutputOpenExecute() {
  Output_Memo->hide();
  if (!ChooseFileAsInputFileName(OutputOpen_Dialog, "No output file was selected"))
    return;
  TDMPumpfield& dm = *DMPumpfield;
  const bool readable = TextReader(dm.InputFileName).opened();
  dm.LoadOutputLines(dm.InputFileName);
  if (!readable) {
    ForgetShownReport();
    return;
  }
  ShowStatus("The output file can be imported into spreadsheets");
  ShowOutputLines(Output_Memo);
  WellUtils.WorkDirectory = GetCurrentDir();
  SetDialogFolders(ToQ(WellUtils.WorkDirectory));
  Output_Memo->show();
  ViewGraphButton->show();
  OutputShown = true;
  Symbols_Button->show();
  FigureButton2->show();
  PageControl1->setCurrentWidget(Output_TabSheet);
}

// After a report that could not be read (its message is shown), the lines of an earlier report
// must not pass for it.
void TMainForm::ForgetShownReport() {
  Output_Memo->clear();
  Output_Memo->hide();
  Symbols_Memo->hide();
  Symbols_Button->hide();
  ViewGraphButton->hide();
  FigureButton2->hide();
  OutputShown = false;
}

void TMainForm::Symbols_ButtonClick() {
  Symbols_Memo->setVisible(Symbols_Memo->isHidden());
  Symbols_Button->setText(Symbols_Memo->isHidden() ? "Symbols" : "Close symbols");
}
