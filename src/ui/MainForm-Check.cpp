// The Output sheet's "Check": the report on view checked against the independent model of a
// well cell, shown in a window of its own.
#include "ui/UMainForm.h"

#include "check/CheckText.h"
#include "check/ReportCheck.h"
#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "export/FigureData.h"

#include "ui/CheckWindow.h"
#include "ui/VisibilityFollower.h"

#include <QGuiApplication>
#include <QPushButton>

#include <algorithm>

void TMainForm::BuildCheck() {
  // Right of the report, level with its bottom edge; it keeps its place to the right and
  // bottom edges when the window grows.
  Check_Button = NewButton(Output_TabSheet, "Check_Button", "Check", QRect(620, 424, 80, 25));
  Check_Button->setToolTip(
      "Check the report against an independent numerical model of one well cell");
  Handle(Check_Button, &QPushButton::clicked, &TMainForm::Check_ButtonClick);
  new VisibilityFollower(Symbols_Button, {Check_Button});
  setTabOrder(SeeOutput_Button, Check_Button);
}

void TMainForm::Check_ButtonClick() {
  const TDMPumpfield& dm = *DMPumpfield;
  if (!State.OutputShown || dm.OutputLineCount <= 0) {
    AppServices().ShowMessage("There is no output report to check; open one with \"Open "
                              "output\" first");
    return;
  }
  const size_t count = std::min(static_cast<size_t>(dm.OutputLineCount), dm.OutputLines.size());
  const std::vector<std::string> lines(dm.OutputLines.begin(), dm.OutputLines.begin() + count);
  const std::string path = ChangeFileExt(dm.InputFileName, ".out");
  std::string errorText;
  const std::optional<ReportContent> report = ParseReport(lines, path, errorText);
  std::optional<DesignCheck> check;
  if (report) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    check = CheckReport(*report, errorText);
    QGuiApplication::restoreOverrideCursor();
  }
  if (!check) {
    AppServices().ShowMessage("The report cannot be checked. " + errorText);
    return;
  }
  FigureData figure = FigureDataOfReport(*report);
  figure.decimalSeparator = State.DecimalSeparator;
  if (!CheckForm)
    CheckForm = new TCheckForm(this);
  CheckForm->ShowCheck(CheckText(path, *report, *check), figure, *check);
  CheckForm->show();
  CheckForm->raise();
  ShowStatus("The check's water table beside the report's is in the window \"Independent check\"");
}
