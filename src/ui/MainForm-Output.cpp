// Handlers of the Output sheet.
#include "ui/UMainForm.h"

#include "calc/RunFiles.h"
#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"

#include "ui/UFigureForm.h"
#include "ui/UiText.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>

#include <algorithm>

namespace {

// Replaces the memo's text by the first OutputLineCount lines the data module read.
void ShowOutputLines(QPlainTextEdit* memo, const TDMPumpfield& dm) {
  const size_t count =
      std::min(static_cast<size_t>(std::max(dm.OutputLineCount, 0)), dm.OutputLines.size());
  QStringList lines;
  for (size_t i = 0; i < count; ++i)
    lines.append(ToQ(dm.OutputLines[i]));
  memo->setPlainText(lines.join('\n'));
}

} // namespace

void TMainForm::BuildOutputSheet() {
  Output_TabSheet = NewSheet(PageControl1, "Output_TabSheet", " Output ");
  QWidget* sheet = Output_TabSheet;
  sheet->setFont(PixelFont("Tahoma", 13));

  Output_Memo = new QPlainTextEdit(sheet);
  Output_Memo->setObjectName("Output_Memo");
  Output_Memo->setFont(PixelFont("Courier New", 13));
  Output_Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Output_Memo->setReadOnly(true);
  // Read-only, yet the keys move through it and select for copying (Ctrl+Home, Ctrl+End, ...).
  Output_Memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Output_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Output_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Output_Memo->setGeometry(22, 8, 590, 441);
  Output_Memo->hide();
  sheet->installEventFilter(this);

  Symbols_Memo = new QPlainTextEdit(sheet);
  Symbols_Memo->setObjectName("Symbols_Memo");
  Symbols_Memo->setFont(PixelFont("Tahoma", 11));
  Symbols_Memo->setReadOnly(true);
  Symbols_Memo->setFocusPolicy(Qt::NoFocus); // a legend: nothing to select, no stop for Tab
  // Its few lines fit the memo whole, without scroll bars.
  Symbols_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Symbols_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Symbols_Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Symbols_Memo->document()->setDocumentMargin(2);
  QPalette cream = Symbols_Memo->palette();
  cream.setColor(QPalette::Base, QColor(255, 251, 221));
  Symbols_Memo->setPalette(cream);
  Symbols_Memo->setGeometry(407, 329, 185, 96);
  Symbols_Memo->setPlainText(
      QStringList{"Output symbols" + QString(9, ' '), " ", "X       = distance from well (m)",
                  "p       = small increment of X (m)", "F       = hydraulic head (m)",
                  "G/p   = gradient of F (m/m)", ""}
          .join('\n'));
  Symbols_Memo->hide();

  SeeOutput_Button = NewButton(sheet, "SeeOutput_Button", "Open &output", QRect(592, 469, 97, 25));
  SeeOutput_Button->setFont(PixelFont("Tahoma", 13, true));
  BindButton(SeeOutput_Button, OutputOpen, false);
  Symbols_Button = NewButton(sheet, "Symbols_Button", "Symbols", QRect(480, 469, 97, 25));
  Symbols_Button->hide();
  ViewGraphButton = NewButton(sheet, "ViewGraphButton", "See graph", QRect(375, 469, 89, 25));
  FigureButton2 = NewButton(sheet, "FigureButton2", "Figure", QRect(280, 469, 75, 25));
  FigureButton2->hide();
  Handle(Symbols_Button, &QPushButton::clicked, &TMainForm::Symbols_ButtonClick);
  Handle(ViewGraphButton, &QPushButton::clicked, &TMainForm::ViewGraphButtonClick);
  Handle(FigureButton2, &QPushButton::clicked, &TMainForm::FigureButton2Click);
}

void TMainForm::Output_TabSheetShow() {
  InputSave->setEnabled(false);
  ShowStatus("The output file can be inspected. Use \"See output\" to see examples under "
             "\"Data\" or to inspect any other output file.");
  if (!State.OutputShown) {
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
  if (!engine.Flags.RunAttempted)
    return;
  TDMPumpfield& dm = *DMPumpfield;
  // The error list is the failed run's as long as no other file was chosen since, and it is
  // shown once. Any other name means a file chosen since: its report must not be deleted.
  const bool errorListOfRun = State.RunHadErrors && !State.FailedRunInput.empty() &&
                              dm.InputFileName == State.FailedRunInput;
  dm.InputFileName = ChangeFileExt(dm.InputFileName, ".out");
  if (State.RunHadErrors && !(errorListOfRun || State.OutputShown)) {
    // The list was shown once already and no report was opened since.
    Output_Memo->clear();
    Output_Memo->hide();
    return;
  }
  if (errorListOfRun) {
    State.FailedRunInput.clear();
    Output_Memo->clear();
    const std::string& errorList = engine.Files.ErrorList;
    if (FileExists(errorList)) {
      QStringList lines;
      for (const std::string& line : TextReader::OpenOrThrow(errorList).ReadLines())
        lines.append(ToQ(line));
      Output_Memo->setPlainText(lines.join('\n'));
      DeleteFileIfExists(errorList);
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
    ShowOutputLines(Output_Memo, dm);
    Output_Memo->show();
    ViewGraphButton->show();
    Symbols_Button->show();
    FigureButton2->show();
    State.OutputShown = true;
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
  ShowOutputLines(Output_Memo, dm);
  engine.Flags.WorkDirectory = GetCurrentDir();
  SetDialogFolders(ToQ(engine.Flags.WorkDirectory));
  Output_Memo->show();
  ViewGraphButton->show();
  State.OutputShown = true;
  Symbols_Button->show();
  FigureButton2->show();
  RememberRecentFile(dm.InputFileName);
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
  State.OutputShown = false;
}

void TMainForm::Symbols_ButtonClick() {
  Symbols_Memo->setVisible(Symbols_Memo->isHidden());
  Symbols_Button->setText(Symbols_Memo->isHidden() ? "Symbols" : "Close symbols");
}
