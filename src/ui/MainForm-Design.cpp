// The Design sheet: a design under uncertainty of the saved input file, run off the window's
// thread on the pool, with its result table, its charts and its CSV export.
#include "ui/UMainForm.h"

#include "core/Csv.h"
#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFormat.h"
#include "data/AimTable.h"
#include "export/DesignCharts.h"
#include "study/Design.h"
#include "study/Sweep.h"
#include "study/ThreadPool.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include <atomic>
#include <charconv>
#include <cmath>

namespace {
constexpr int kUncertainRows = 5;
const char* const kDistributions[] = {"uniform", "triangular", "normal", "lognormal"};
const char* const kNumbersHint[] = {"LOW:HIGH", "LOW:MODE:HIGH", "MEAN:SD", "MEDIAN:FACTOR"};
const QSize kChartSize(316, 236);

QLineEdit* NewDesignEdit(QWidget* sheet, const char* name, const QString& text, const QRect& place,
                         const QString& hint) {
  auto* edit = new QLineEdit(text, sheet);
  edit->setObjectName(name);
  edit->setGeometry(place);
  edit->setToolTip(hint);
  return edit;
}

class ReadingServices final : public Services {
public:
  void AppendProgress(const std::string&) override {}
  void ShowMessage(const std::string& text) override { AppServices().ShowMessage(text); }
  bool AskYesNo(const std::string& text) override { return AppServices().AskYesNo(text); }
  void RequestQuit() override { quitRequested = true; }
  void Pause(int) override {}
  bool quitRequested = false;
};

// A whole number of a field; a usage error that names the field otherwise.
uint64_t WholeNumberOf(const QLineEdit* field, const char* name, uint64_t low, uint64_t high) {
  const std::string text = FromQ(field->text().trimmed());
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
      value > high)
    throw SweepUsageError(std::string(name) + " must be a whole number from " +
                          std::to_string(low) + " to " + std::to_string(high));
  return value;
}

double NumberOf(const QLineEdit* field, const char* name) {
  const std::string text = FromQ(field->text().trimmed());
  const std::optional<double> value = TextToFloat(text, '.');
  if (!value || !std::isfinite(*value))
    throw SweepUsageError(std::string(name) + " must be a number written with a decimal point");
  return *value;
}
} // namespace

void TMainForm::BuildDesignSheet() {
  Design_Sheet = NewSheet(PageControl1, "Design_Sheet", " Design ");
  QWidget* sheet = Design_Sheet;

  Uncertain_Table = new QTableWidget(kUncertainRows, 3, sheet);
  Uncertain_Table->setObjectName("Uncertain_Table");
  Uncertain_Table->setGeometry(8, 8, 380, 150);
  Uncertain_Table->setHorizontalHeaderLabels({"Uncertain input", "Distribution", "Numbers"});
  Uncertain_Table->horizontalHeader()->setStretchLastSection(true);
  Uncertain_Table->verticalHeader()->setDefaultSectionSize(24);
  Uncertain_Table->setColumnWidth(0, 110);
  Uncertain_Table->setColumnWidth(1, 100);
  Uncertain_Table->setToolTip("The inputs to treat as uncertain: symbol, distribution and its "
                              "numbers, separated by colons (a lognormal's FACTOR is its "
                              "geometric standard deviation)");
  for (int row = 0; row < kUncertainRows; ++row) {
    auto* symbol = new QComboBox(Uncertain_Table);
    symbol->setObjectName(QString("UncertainSymbol%1_Combobox").arg(row + 1));
    Uncertain_Table->setCellWidget(row, 0, symbol);
    auto* distribution = new QComboBox(Uncertain_Table);
    distribution->setObjectName(QString("UncertainDistribution%1_Combobox").arg(row + 1));
    for (const char* name : kDistributions)
      distribution->addItem(name);
    Uncertain_Table->setCellWidget(row, 1, distribution);
    auto* numbers = new QTableWidgetItem;
    numbers->setToolTip(kNumbersHint[0]);
    Uncertain_Table->setItem(row, 2, numbers);
    connect(distribution, &QComboBox::currentIndexChanged, this, [this, row](int index) {
      if (index >= 0 && index < 4)
        Uncertain_Table->item(row, 2)->setToolTip(kNumbersHint[index]);
    });
  }

  const int left = 400, fieldLeft = 520;
  NewLabel(sheet, "Samples_Label", "Samples", left, 12);
  Samples_Edit = NewDesignEdit(sheet, "Samples_Edit", "1000", QRect(fieldLeft, 8, 80, 22),
                               "Latin hypercube samples, 2 to 100000");
  NewLabel(sheet, "Seed_Label", "Seed", left, 40);
  Seed_Edit = NewDesignEdit(sheet, "Seed_Edit", "1", QRect(fieldLeft, 36, 80, 22),
                            "The same seed gives the same samples");
  NewLabel(sheet, "Reliability_Label", "Reliability", left, 68);
  Reliability_Edit = NewDesignEdit(sheet, "Reliability_Edit", "0.9", QRect(fieldLeft, 64, 80, 22),
                                   "The fraction of samples the design value must serve");
  RequiredDepth_Label = NewLabel(sheet, "RequiredDepth_Label", "Required depth (m)", left, 96);
  RequiredDepth_Edit =
      NewDesignEdit(sheet, "RequiredDepth_Edit", "", QRect(fieldLeft, 92, 80, 22),
                    "Rectangular field: the depth each midway depth must reach (empty: none)");

  DesignRun_Button = NewButton(sheet, "DesignRun_Button", "Run", QRect(left, 128, 64, 25));
  DesignRun_Button->setToolTip("Run the design on the saved input file");
  DesignCancel_Button =
      NewButton(sheet, "DesignCancel_Button", "Cancel", QRect(left + 70, 128, 64, 25));
  DesignCancel_Button->setToolTip("Stop the design; the previous result stays");
  DesignCancel_Button->setFocusPolicy(Qt::NoFocus);
  DesignCancel_Button->setEnabled(false);
  DesignExport_Button =
      NewButton(sheet, "DesignExport_Button", "Export CSV", QRect(left + 140, 128, 82, 25));
  DesignExport_Button->setToolTip("Save the result table as a CSV file");
  DesignExport_Button->setEnabled(false);
  Design_ProgressBar = new QProgressBar(sheet);
  Design_ProgressBar->setObjectName("Design_ProgressBar");
  Design_ProgressBar->setGeometry(left, 160, 296, 16);
  Design_ProgressBar->setValue(0);

  DesignResult_Table = new QTableWidget(0, 0, sheet);
  DesignResult_Table->setObjectName("DesignResult_Table");
  DesignResult_Table->setGeometry(8, 164, 380, 96);
  DesignResult_Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DesignResult_Table->verticalHeader()->hide();
  DesignResult_Table->verticalHeader()->setDefaultSectionSize(20);

  DistributionChart_Image = new QLabel(sheet);
  DistributionChart_Image->setObjectName("DistributionChart_Image");
  DistributionChart_Image->setGeometry(QRect(QPoint(8, 264), kChartSize));
  TornadoChart_Image = new QLabel(sheet);
  TornadoChart_Image->setObjectName("TornadoChart_Image");
  TornadoChart_Image->setGeometry(QRect(QPoint(380, 264), kChartSize));

  Handle(DesignRun_Button, &QPushButton::clicked, &TMainForm::DesignRunClick);
  connect(DesignCancel_Button, &QPushButton::clicked, this, [this] { designRun_.Cancel(); });
  Handle(DesignExport_Button, &QPushButton::clicked, &TMainForm::DesignExportClick);
}

void TMainForm::Design_SheetShow() {
  // An opened report leaves the aim to the aim box.
  const AimDefinition* aim = AimDefinitionOfCode(DMPumpfield->AimCode);
  if (!aim && State.AimIndex >= 0 && size_t(State.AimIndex) < AimDefinitions().size())
    aim = &AimDefinitions()[size_t(State.AimIndex)];
  const bool field = aim && aim->aim == Aim::FieldDepths;
  RequiredDepth_Label->setVisible(field);
  RequiredDepth_Edit->setVisible(field);
  for (int row = 0; row < kUncertainRows; ++row) {
    auto* symbol = static_cast<QComboBox*>(Uncertain_Table->cellWidget(row, 0));
    const QString chosen = symbol->currentText();
    symbol->clear();
    symbol->addItem(QString());
    if (aim)
      for (const AimInput& input : aim->inputs)
        symbol->addItem(input.symbol);
    symbol->setCurrentIndex(std::max(0, symbol->findText(chosen)));
  }
}

std::optional<DesignSettings> TMainForm::DesignSettingsOfSheet(const std::string& aimCode) {
  DesignSettings settings;
  try {
    for (int row = 0; row < kUncertainRows; ++row) {
      const auto* symbol = static_cast<QComboBox*>(Uncertain_Table->cellWidget(row, 0));
      const auto* distribution = static_cast<QComboBox*>(Uncertain_Table->cellWidget(row, 1));
      const QString numbers = Uncertain_Table->item(row, 2)->text().trimmed();
      if (symbol->currentText().isEmpty())
        continue;
      const UncertainInput input = ParseUncertain(
          FromQ(symbol->currentText() + "=" + distribution->currentText() + ":" + numbers),
          aimCode);
      for (const UncertainInput& earlier : settings.uncertain)
        if (std::string(earlier.input.symbol) == input.input.symbol)
          throw SweepUsageError(std::string(input.input.symbol) + " is given twice");
      settings.uncertain.push_back(input);
    }
    if (settings.uncertain.empty())
      throw SweepUsageError("Choose at least one uncertain input in the table");
    settings.samples = WholeNumberOf(Samples_Edit, "Samples", 2, kMaxDesignSamples);
    settings.seed = WholeNumberOf(Seed_Edit, "Seed", 0, UINT64_MAX);
    settings.reliability = NumberOf(Reliability_Edit, "Reliability");
    if (!(settings.reliability > 0 && settings.reliability < 1))
      throw SweepUsageError("Reliability must lie between 0 and 1, both excluded");
    if (RequiredDepth_Edit->isVisibleTo(Design_Sheet) &&
        !RequiredDepth_Edit->text().trimmed().isEmpty())
      settings.requiredDepth = NumberOf(RequiredDepth_Edit, "Required depth");
  } catch (const SweepUsageError& error) {
    AppServices().ShowMessage(error.what());
    return std::nullopt;
  }
  return settings;
}

void TMainForm::DesignRunClick() {
  if (designRun_.Running() || RunGoesOn())
    return;
  // After a run the data module names the report; its input file lies beside it.
  const std::string inputFile = ChangeFileExt(DMPumpfield->InputFileName, ".inp");
  if (DMPumpfield->InputFileName.empty() || HasUnsavedChanges() || !FileExists(inputFile)) {
    AppServices().ShowMessage("Save the input file first: the design runs on the saved input "
                              "file");
    return;
  }
  // A file that cannot be read shows its message here; it must not end the program.
  ReadingServices reading;
  TDMPumpfield base(&reading);
  base.InputFileName = inputFile;
  base.LoadInputFile();
  base.services = nullptr;
  const std::optional<Aim> aim = AimOfCode(base.AimCode);
  if (reading.quitRequested || !aim)
    return;
  const std::optional<DesignSettings> settings = DesignSettingsOfSheet(base.AimCode);
  if (!settings)
    return;

  const size_t total = settings->samples + 1 + 2 * settings->uncertain.size();
  Design_ProgressBar->setRange(0, static_cast<int>(total));
  Design_ProgressBar->setValue(0);
  std::atomic<size_t> done{0};
  StudyRun run;
  run.workers = AvailableProcessors();
  run.stopRequested = [this] { return designRun_.CancelFlag().load(); };
  run.finished = [&done](size_t, const RunRecord&, size_t count) { done = count; };
  run.tick = [this, &done] {
    const int value = static_cast<int>(done.load());
    QMetaObject::invokeMethod(Design_ProgressBar,
                              [this, value] { Design_ProgressBar->setValue(value); });
  };

  DesignRuns runs;
  bool finished = false;
  std::string failure;
  {
    const InputHeldBack heldBack(this, DesignCancel_Button, [this] { designRun_.Cancel(); });
    DesignRun_Button->setEnabled(false);
    DesignCancel_Button->setEnabled(true);
    ShowStatus("Running the design ... \"Cancel\" or Escape stops it.");
    try {
      designRun_.Run([&] { finished = RunDesign(base, *settings, runs, run); });
    } catch (const std::exception& error) {
      failure = error.what();
    }
    DesignCancel_Button->setEnabled(false);
    DesignRun_Button->setEnabled(true);
  }
  if (closeAfterRun_) {
    closeAfterRun_ = false;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    return;
  }
  if (!failure.empty()) {
    ShowStatus("The design stopped");
    AppServices().ShowMessage(failure);
    return;
  }
  if (!finished) {
    Design_ProgressBar->setValue(0);
    ShowStatus("The design was cancelled; the previous result stays");
    return;
  }
  Design_ProgressBar->setValue(static_cast<int>(total));
  std::vector<std::string> uncertain;
  for (const UncertainInput& input : settings->uncertain)
    uncertain.push_back(input.text);
  LastDesign =
      DesignOfWindow{SummariseDesign(*aim, *settings, runs), base.Title1, inputFile, uncertain};
  ShowDesignResult();
  ShowStatus("The design has run");
}

void TMainForm::ShowDesignResult() {
  const DesignSummary& summary = LastDesign->summary;
  const std::vector<CsvRow> rows = DesignRows(summary);
  const int columns = rows.empty() ? 0 : static_cast<int>(rows.front().size());
  DesignResult_Table->clear();
  DesignResult_Table->setColumnCount(columns);
  DesignResult_Table->setRowCount(rows.empty() ? 0 : static_cast<int>(rows.size()) - 1);
  for (int column = 0; column < columns; ++column)
    DesignResult_Table->setHorizontalHeaderItem(column, new QTableWidgetItem(ToQ(rows[0][column])));
  for (size_t row = 1; row < rows.size(); ++row)
    for (int column = 0; column < columns && column < int(rows[row].size()); ++column)
      DesignResult_Table->setItem(int(row) - 1, column,
                                  new QTableWidgetItem(ToQ(rows[row][column])));
  // The settings' rows repeat the fields above; the results come first on view.
  for (int row = 0; row < DesignResult_Table->rowCount(); ++row) {
    const QString item = DesignResult_Table->item(row, 0)->text();
    DesignResult_Table->setRowHidden(row,
                                     item == "samples" || item == "seed" || item == "reliability");
  }
  DesignResult_Table->resizeColumnsToContents();
  const auto shown = [](QLabel* label, const QImage& image) {
    label->setPixmap(QPixmap::fromImage(
        image.scaled(label->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  };
  shown(DistributionChart_Image,
        DistributionChartImage(DistributionChartOf(summary, LastDesign->title1)));
  shown(TornadoChart_Image, TornadoChartImage(TornadoChartOf(summary, LastDesign->title1)));
  DesignExport_Button->setEnabled(true);
}

void TMainForm::DesignExportClick() {
  if (!LastDesign)
    return;
  const std::optional<QString> chosen = RunFileDialog(
      StartingAtFile(TablesSave_Dialog, ToQ(ChangeFileExt(LastDesign->inputFile, ".csv"))));
  if (!chosen)
    return;
  const std::string path = FromQ(*chosen);
  if (FileIdentity(path) == FileIdentity(LastDesign->inputFile)) {
    AppServices().ShowMessage("\"" + path + "\" is the input file");
    return;
  }
  if (FileExists(path) && !DMPumpfield->AskConfirmation("The file already exists, overwrite?"))
    return;
  std::string errorText;
  if (!WriteCsv(path, DesignRows(LastDesign->summary), errorText)) {
    AppServices().ShowMessage(errorText);
    return;
  }
  AppServices().ShowMessage("The design table was saved in  " + path);
}
