// Exports of the window: the shown report's tables as CSV or on the clipboard, its calculation
// report as PDF, and the drawn graph as PNG, SVG or PDF.
#include "ui/UMainForm.h"

#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "export/CalculationReport.h"
#include "export/ExportTarget.h"
#include "export/GraphImages.h"
#include "export/TableExport.h"
#include "graph/GraphBitmap.h"

#include "ui/TitleBlockDialog.h"
#include "ui/UiText.h"
#include "ui/VisibilityFollower.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace {
const char* const kNoReportMessage =
    "There is no output report to export; open one with \"Open output\" first";

// The file chosen in `dialog` (started at the file the window shows), once the user agreed to
// replace an existing one; nothing after `cancelMessage` or a refused overwrite.
std::optional<std::string> ChooseTarget(TDMPumpfield& dm, const FileDialogSetup& dialog,
                                        const char* cancelMessage) {
  const std::optional<QString> chosen =
      RunFileDialog(StartingAtFile(dialog, ToQ(dm.InputFileName)));
  if (!chosen) {
    AppServices().ShowMessage(cancelMessage);
    return std::nullopt;
  }
  const std::string path = FromQ(*chosen);
  if (FileExists(path) && !dm.AskConfirmation("The file already exists, overwrite?"))
    return std::nullopt;
  return path;
}

// The output report the sheet shows: its file and its content, read from the lines on view.
struct ShownReport {
  std::string path;
  ReportContent content;
};

std::optional<ShownReport> TheShownReport(const TDMPumpfield& dm, bool outputShown) {
  if (!outputShown || dm.OutputLineCount <= 0) {
    AppServices().ShowMessage(kNoReportMessage);
    return std::nullopt;
  }
  const size_t count = std::min(static_cast<size_t>(dm.OutputLineCount), dm.OutputLines.size());
  const std::vector<std::string> lines(dm.OutputLines.begin(), dm.OutputLines.begin() + count);
  const std::string path = ChangeFileExt(dm.InputFileName, ".out");
  std::string errorText;
  auto content = ParseReport(lines, path, errorText);
  if (!content) {
    AppServices().ShowMessage(errorText);
    return std::nullopt;
  }
  return ShownReport{path, std::move(*content)};
}

// True when the file at `path` still holds `lines`, the lines on view.
bool FileHoldsLines(const std::string& path, const LineSet& lines, size_t count) {
  TextReader file(path);
  if (!file.opened())
    return false;
  for (size_t i = 0; i < count; ++i)
    if (file.AtEnd() || file.ReadLine() != lines[i])
      return false;
  return file.AtEnd();
}
} // namespace

void TMainForm::BuildExports() {
  Export1 = MainMenu1->addMenu("E&xport");
  Export1->setObjectName("Export1");
  auto item = [this](const char* name, const QString& caption, void (TMainForm::*handler)()) {
    auto* action = Export1->addAction(caption);
    action->setObjectName(name);
    Handle(action, &QAction::triggered, handler);
    return action;
  };
  ExportTables1 = item("ExportTables1", "&Tables as CSV...", &TMainForm::ExportTablesExecute);
  CopyTables1 = item("CopyTables1", "&Copy tables", &TMainForm::CopyTablesExecute);
  ExportReport1 =
      item("ExportReport1", "Calculation &report (PDF)...", &TMainForm::ExportReportExecute);
  Export1->addSeparator();
  ExportGraph1 =
      item("ExportGraph1", "&Graph as PNG, SVG or PDF...", &TMainForm::ExportGraphExecute);

  ExportTables_Button =
      NewButton(Output_TabSheet, "ExportTables_Button", "Export CSV", QRect(8, 469, 82, 25));
  CopyTables_Button =
      NewButton(Output_TabSheet, "CopyTables_Button", "Copy tables", QRect(96, 469, 82, 25));
  ExportReport_Button =
      NewButton(Output_TabSheet, "ExportReport_Button", "PDF report", QRect(184, 469, 82, 25));
  ExportTables_Button->setToolTip("Save the report's tables as a CSV file");
  CopyTables_Button->setToolTip("Copy the report's tables, to paste them into a spreadsheet");
  ExportReport_Button->setToolTip("Save the calculation report as a PDF document");
  connect(ExportTables_Button, &QPushButton::clicked, ExportTables1, &QAction::trigger);
  connect(CopyTables_Button, &QPushButton::clicked, CopyTables1, &QAction::trigger);
  connect(ExportReport_Button, &QPushButton::clicked, ExportReport1, &QAction::trigger);
  new VisibilityFollower(Symbols_Button,
                         {ExportTables_Button, CopyTables_Button, ExportReport_Button});

  GraphScale_Combobox = new QComboBox(Graphics_TabSheet);
  GraphScale_Combobox->setObjectName("GraphScale_Combobox");
  for (int scale = 1; scale <= kLargestGraphScale; ++scale)
    GraphScale_Combobox->addItem(QString("PNG %1 x").arg(scale), scale);
  GraphScale_Combobox->setCurrentIndex(1);
  GraphScale_Combobox->setToolTip("Size of an exported PNG picture: 1 to 4 times the graph");
  GraphScale_Combobox->setGeometry(200, 472, 88, 23);
  ExportGraph_Button =
      NewButton(Graphics_TabSheet, "ExportGraph_Button", "Export graph", QRect(296, 471, 89, 25));
  ExportGraph_Button->setToolTip("Save the graph as a PNG picture, an SVG or a PDF drawing");
  connect(ExportGraph_Button, &QPushButton::clicked, ExportGraph1, &QAction::trigger);
  new VisibilityFollower(SaveGraphButton, {ExportGraph_Button, GraphScale_Combobox});

  // Tab goes through the Output sheet's buttons from left to right; on the Graphics sheet a
  // graph is made before it is saved, opened or exported.
  const std::vector<QWidget*> outputOrder{
      Output_Memo,   ExportTables_Button, CopyTables_Button, ExportReport_Button,
      FigureButton2, ViewGraphButton,     Symbols_Button,    SeeOutput_Button};
  const std::vector<QWidget*> graphicsOrder{MakeGraphics_Button, SaveGraphButton,
                                            SeeGraphButton,      GraphScale_Combobox,
                                            ExportGraph_Button,  PrintView_Checkbox};
  for (const auto* order : {&outputOrder, &graphicsOrder})
    for (size_t i = 1; i < order->size(); ++i)
      setTabOrder((*order)[i - 1], (*order)[i]);

  auto dialog = [](FileDialogSetup& setup, const char* name, const char* filter,
                   const char* extension) {
    setup.name = name;
    setup.kind = FileDialogSetup::Kind::Save;
    setup.filter = filter;
    setup.defaultExtension = extension;
  };
  dialog(TablesSave_Dialog, "TablesSave_Dialog", "CSV files (*.csv)|*.csv", "csv");
  dialog(ReportSave_Dialog, "ReportSave_Dialog", "PDF documents (*.pdf)|*.pdf", "pdf");
  dialog(GraphExport_Dialog, "GraphExport_Dialog",
         "PNG pictures (*.png)|*.png|SVG drawings (*.svg)|*.svg|PDF documents (*.pdf)|*.pdf",
         "png");
}

void TMainForm::ExportTablesExecute() {
  const auto report = TheShownReport(*DMPumpfield, State.OutputShown);
  if (!report)
    return;
  const auto path = ChooseTarget(*DMPumpfield, TablesSave_Dialog, "The tables were not saved");
  if (!path)
    return;
  std::string errorText;
  if (ReplacesReportOrInput(*path, report->path, errorText) ||
      !SaveTablesCsv(report->content, *path, errorText)) {
    AppServices().ShowMessage(errorText);
    return;
  }
  AppServices().ShowMessage("The tables were saved in  " + *path);
}

void TMainForm::CopyTablesExecute() {
  const auto report = TheShownReport(*DMPumpfield, State.OutputShown);
  if (!report)
    return;
  QGuiApplication::clipboard()->setText(
      // The desktop's separator, for its spreadsheet: a save leaves the screen's at a point.
      QString::fromStdString(TablesTabText(report->content, State.StartupDecimalSeparator)));
  ShowStatus("The tables are on the clipboard; paste them into a spreadsheet");
}

std::optional<ReportDesign> TMainForm::DesignForReport() const {
  if (!LastDesign || FileIdentity(LastDesign->inputFile) !=
                         FileIdentity(ChangeFileExt(DMPumpfield->InputFileName, ".inp")))
    return std::nullopt;
  return ReportDesign{LastDesign->summary, LastDesign->uncertain};
}

void TMainForm::ExportReportExecute() {
  const auto report = TheShownReport(*DMPumpfield, State.OutputShown);
  if (!report)
    return;
  const TDMPumpfield& dm = *DMPumpfield;
  const size_t shown = std::min(static_cast<size_t>(dm.OutputLineCount), dm.OutputLines.size());
  if (!FileHoldsLines(report->path, dm.OutputLines, shown)) {
    AppServices().ShowMessage("The file \"" + report->path +
                              "\" no longer holds the report shown; open it again first");
    return;
  }
  const std::optional<ReportTitleBlock> titleBlock = AskTitleBlock(this);
  if (!titleBlock) {
    AppServices().ShowMessage("The calculation report was not saved");
    return;
  }
  const auto path =
      ChooseTarget(*DMPumpfield, ReportSave_Dialog, "The calculation report was not saved");
  if (!path)
    return;
  std::string errorText;
  if (ReplacesReportOrInput(*path, report->path, errorText) ||
      WriteCalculationReport(report->path, *path, *titleBlock, errorText, DesignForReport()) !=
          CalculationReportResult::Written) {
    AppServices().ShowMessage(errorText);
    return;
  }
  AppServices().ShowMessage("The calculation report was saved in  " + *path);
}

void TMainForm::ExportGraphExecute() {
  if (GraphBitmap.isNull() || GraphImage->isHidden()) {
    AppServices().ShowMessage(kNoGraphToSaveMessage);
    return;
  }
  const auto path = ChooseTarget(*DMPumpfield, GraphExport_Dialog, "The graph was not saved");
  if (!path)
    return;
  const GraphFormat format = GraphFormatOfPath(*path);
  const int scale = GraphScale_Combobox->currentData().toInt();
  const std::string reportPath = ChangeFileExt(DMPumpfield->InputFileName, ".out");
  std::string errorText;
  // The bitmap on view gives the pixels; larger pictures and drawings are the print figure,
  // drawn from the report alone.
  QByteArray bytes;
  if (IsScreenBitmap(format, scale)) {
    bytes = GraphImageBytes(GraphBitmap, format == GraphFormat::Png ? "PNG" : "BMP");
  } else if (std::optional<FigureData> data = ReadFigureData(reportPath, errorText)) {
    data->decimalSeparator = State.DecimalSeparator;
    bytes = FigureFileBytes(format, scale, FigureKind::WaterTable, *data);
  } else {
    AppServices().ShowMessage(errorText);
    return;
  }
  if (ReplacesReportOrInput(*path, reportPath, errorText) ||
      !SaveGraphFile(bytes, *path, errorText)) {
    AppServices().ShowMessage(errorText);
    return;
  }
  AppServices().ShowMessage("The graph was saved in  " + *path);
}
