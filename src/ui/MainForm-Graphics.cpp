// Handlers of the Graphics sheet.
#include "ui/UMainForm.h"

#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "graph/GraphBitmap.h"
#include "graph/GraphDrawing.h"

#include "export/GraphImages.h"
#include "ui/Settings.h"
#include "ui/UFigureForm.h"
#include "ui/UiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {
// The input file of the report the window shows was chosen by the user, through its report: a
// corrupt one gets its message, and the graph is drawn with the parameter set already held.
void ReloadChosenInputOfReport(TDMPumpfield& dm) {
  dm.InputFileName = ChangeFileExt(dm.InputFileName, ".inp");
  dm.LoadChosenInputFile();
  dm.InputFileName = ChangeFileExt(dm.InputFileName, ".out");
}

void KeepInputAsReloaded(TDMPumpfield&) {}

const char* const kPrintViewKey = "graphics/printView";
} // namespace

void TMainForm::BuildGraphicsSheet() {
  Graphics_TabSheet = NewSheet(PageControl1, "Graphics_TabSheet", " Graphics ");
  QWidget* sheet = Graphics_TabSheet;
  GraphImage = new QLabel(sheet);
  GraphImage->setObjectName("GraphImage");
  GraphImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  GraphImage->setGeometry(0, 0, 623, 465);
  GraphImage->hide();
  PictureImage = new QLabel(sheet);
  PictureImage->setObjectName("PictureImage");
  PictureImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PictureImage->setGeometry(8, 0, 625, 465);
  PictureImage->hide();

  MakeGraphics_Button =
      NewButton(sheet, "MakeGraphics_Button", "Make graph", QRect(592, 471, 97, 25));
  SaveGraphButton = NewButton(sheet, "SaveGraphButton", "Save graph", QRect(392, 471, 89, 25));
  SaveGraphButton->hide();
  SeeGraphButton = NewButton(sheet, "SeeGraphButton", "Open graph ", QRect(488, 471, 97, 25));
  BindButton(SeeGraphButton, GraphOpen, false);
  Handle(MakeGraphics_Button, &QPushButton::clicked, &TMainForm::MakeGraphics_ButtonClick);
  Handle(SaveGraphButton, &QPushButton::clicked, &TMainForm::SaveGraphButtonClick);

  PrintView_Checkbox = new QCheckBox("Print view", sheet);
  PrintView_Checkbox->setObjectName("PrintView_Checkbox");
  PrintView_Checkbox->setGeometry(104, 473, 90, 21);
  PrintView_Checkbox->setToolTip("Show the graph as it is printed and exported as a drawing");
  PrintView_Checkbox->setChecked(ProgramSettings().value(kPrintViewKey, false).toBool());
  Handle(PrintView_Checkbox, &QCheckBox::toggled, &TMainForm::PrintView_CheckboxClick);
}

void TMainForm::PrintView_CheckboxClick() {
  ProgramSettings().setValue(kPrintViewKey, PrintView_Checkbox->isChecked());
  if (!GraphBitmap.isNull())
    ShowGraph();
}

void TMainForm::ShowGraph() {
  if (PrintView_Checkbox->isChecked()) {
    std::string errorText;
    std::optional<FigureData> data =
        ReadFigureData(ChangeFileExt(DMPumpfield->InputFileName, ".out"), errorText);
    if (data) {
      data->decimalSeparator = State.DecimalSeparator;
      const qreal ratio = GraphImage->devicePixelRatioF();
      QImage figure(QSize(kGraphWidth, kGraphHeight) * ratio, QImage::Format_RGB32);
      figure.setDevicePixelRatio(ratio);
      QPainter painter(&figure);
      PaintFigure(painter, QSizeF(kGraphWidth, kGraphHeight), FigureKind::WaterTable, *data);
      painter.end();
      GraphImage->setPixmap(QPixmap::fromImage(figure));
      return;
    }
    ShowStatus("The print view needs the report on file: " + QString::fromStdString(errorText));
  }
  GraphImage->setPixmap(QPixmap::fromImage(GraphBitmap));
}

void TMainForm::Graphics_TabSheetShow() {
  ShowStatus("Graphics presentations of output data can be seen and saved. Use \"Make graph\" "
             "to open an output file and make the graphs.");
  if (FigureForm)
    FigureForm->hide();
  if (State.OutputShown) {
    PictureImage->hide();
    DMPumpfield->LoadGraphData(DMPumpfield->InputFileName);
    DrawGraph();
  }
}

void TMainForm::ViewGraphButtonClick() {
  SaveGraphButton->show();
  State.OutputShown = true;
  GraphImage->show();
  PictureImage->hide();
  PageControl1->setCurrentWidget(Graphics_TabSheet);
}

void TMainForm::MakeGraphics_ButtonClick() {
  SaveGraphButton->show();
  Symbols_Memo->hide();
  Output_Memo->hide();
  TDMPumpfield& dm = *DMPumpfield;
  const std::string shownName = dm.InputFileName;
  if (!ChooseFileAsInputFileName(OutputOpen_Dialog, "No output file was selected"))
    return;
  try {
    dm.LoadGraphData(dm.InputFileName);
  } catch (const ReportFormatError&) {
    // No report: the sheets keep showing the report they showed, under its name.
    dm.InputFileName = shownName;
    throw;
  }
  RememberRecentFile(dm.InputFileName);
  ReloadChosenInputOfReport(dm);
  GraphImage->show();
  PictureImage->hide();
  DrawGraph(InputReloaded::Yes);
}

void TMainForm::SaveGraphButtonClick() {
  // Nothing drawn yet (after a cancelled "Make graph" or "Open graph "): no file to write.
  if (GraphBitmap.isNull()) {
    AppServices().ShowMessage(kNoGraphToSaveMessage);
    return;
  }
  const std::optional<QString> chosen =
      RunFileDialog(StartingAtFile(GraphSave_Dialog, ToQ(DMPumpfield->InputFileName)));
  if (!chosen) {
    AppServices().ShowMessage("The graph was not saved");
    return;
  }
  const std::string path = FromQ(*chosen);
  if (FileExists(path) && !DMPumpfield->AskConfirmation("The file already exists, overwrite?"))
    return;
  std::string errorText;
  if (!SaveGraphBitmap(GraphBitmap, path, errorText)) {
    AppServices().ShowMessage(errorText);
    return;
  }
  AppServices().ShowMessage("The graph was saved in  " + path);
}

void TMainForm::GraphOpenExecute() {
  SaveGraphButton->show();
  const std::optional<QString> chosen = RunFileDialog(GraphOpen_Dialog);
  if (!chosen) {
    AppServices().ShowMessage("No graphics file was selected");
    return;
  }
  const std::string path = FromQ(*chosen);
  const std::string unreadable =
      "The file \"" + path + "\" could not be read as a picture; please select a BMP file.";
  // A named pipe or a device would hold the window until something writes to it.
  if (PathExists(path) && !FileExists(path)) {
    AppServices().ShowMessage(WithReason(unreadable, kNotRegularFileReason));
    return;
  }
  if (!FileExists(path)) {
    AppServices().ShowMessage("File does not exist, please select another one,");
    return;
  }
  QPixmap picture;
  if (!picture.load(*chosen)) {
    AppServices().ShowMessage(unreadable);
    return;
  }
  PictureImage->setPixmap(picture);
  ShowOpenedPicture();
  RememberRecentFile(FromQ(*chosen));
  engine.Flags.WorkDirectory = GetCurrentDir();
  SetDialogFolders(ToQ(engine.Flags.WorkDirectory));
  PageControl1->setCurrentWidget(Graphics_TabSheet);
  // Coming from another sheet, the show handler may have redrawn the report's graph; the
  // picture the user just chose stays the one shown.
  ShowOpenedPicture();
}

void TMainForm::ShowOpenedPicture() {
  GraphImage->hide();
  SaveGraphButton->hide();
  PictureImage->show();
}

void TMainForm::DrawGraph(InputReloaded input) {
  ::DrawGraph(GraphBitmap, {*DMPumpfield, PlotScale, State.DecimalSeparator},
              input == InputReloaded::Yes ? KeepInputAsReloaded : ReloadChosenInputOfReport);
  ShowGraph();
}
