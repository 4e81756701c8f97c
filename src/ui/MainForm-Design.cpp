// The Design sheet: a design under uncertainty of the saved input file and, for a rectangular
// field, the search for the cheapest well field, run off the window's thread on the pool, with
// the result table, the charts and the CSV export.
#include "ui/UMainForm.h"

#include "core/Csv.h"
#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFormat.h"
#include "data/AimTable.h"
#include "data/UDMPumpfield.h"
#include "export/DesignCharts.h"
#include "study/Design.h"
#include "study/Optimise.h"
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

#include <algorithm>
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

  // Two columns of fields beside the table; the search's rows for a rectangular field only.
  enum Column { Left, Right };
  enum Shown { Always, FieldOnly };
  // A field "X_Edit" with its label "X_Label" on row `index` of a column.
  const auto field = [&](const char* name, const QString& caption, Column column, int index,
                         Shown shown, const QString& text, const QString& hint) {
    const int top = 8 + 28 * index;
    const QString base = QString(name).chopped(int(sizeof("_Edit")) - 1);
    QLabel* label = NewLabel(sheet, FromQ(base + "_Label").c_str(), caption,
                             column == Left ? 400 : 588, top + 4);
    QLineEdit* edit =
        NewDesignEdit(sheet, name, text,
                      column == Left ? QRect(520, top, 62, 22) : QRect(628, top, 68, 22), hint);
    if (shown == FieldOnly)
      fieldOnlyWidgets_.insert(fieldOnlyWidgets_.end(), {label, edit});
    return edit;
  };
  Samples_Edit = field("Samples_Edit", "Samples", Left, 0, Always, "1000",
                       "Latin hypercube samples, 2 to 100000");
  Seed_Edit =
      field("Seed_Edit", "Seed", Right, 0, Always, "1", "The same seed gives the same samples");
  Reliability_Edit = field("Reliability_Edit", "Reliability", Left, 1, Always, "0.9",
                           "The fraction of samples the design value must serve");
  RequiredDepth_Edit = field("RequiredDepth_Edit", "Required depth (m)", Left, 2, FieldOnly, "",
                             "Rectangular field: the depth each midway depth must reach (the "
                             "search needs it; a design may go without)");
  FieldLength_Edit = field("FieldLength_Edit", "Field length (m)", Left, 3, FieldOnly, "",
                           "The cheapest well field: the length of the field, divided into "
                           "equal cells with a well in each");
  FieldWidth_Edit =
      field("FieldWidth_Edit", "width", Right, 3, FieldOnly, "", "The width of the field (m)");
  WellLevelFrom_Edit = field("WellLevelFrom_Edit", "Dw from (m)", Left, 4, FieldOnly, "",
                             "The shallowest water level in the wells to try, in steps of 0.1 m "
                             "(empty: the file's Dw)");
  WellLevelTo_Edit = field("WellLevelTo_Edit", "to", Right, 4, FieldOnly, "",
                           "The deepest water level in the wells to try (empty: the shallowest)");
  WellCost_Edit =
      field("WellCost_Edit", "Well cost", Left, 5, FieldOnly, "", "The cost of one well");
  EnergyPrice_Edit = field("EnergyPrice_Edit", "Energy price", Left, 6, FieldOnly, "",
                           "The price of lifting one m3 by one metre (empty: 0)");
  Years_Edit =
      field("Years_Edit", "Years", Right, 6, FieldOnly, "", "The years the energy is paid for");

  const int left = 400;
  DesignRun_Button = NewButton(sheet, "DesignRun_Button", "Run", QRect(left, 0, 56, 25));
  DesignRun_Button->setToolTip("Run the design on the saved input file");
  OptimiseRun_Button =
      NewButton(sheet, "OptimiseRun_Button", "Optimise", QRect(left + 60, 0, 70, 25));
  fieldOnlyWidgets_.push_back(OptimiseRun_Button);
  OptimiseRun_Button->setToolTip("Find the cheapest well field for the saved input file");
  DesignCancel_Button =
      NewButton(sheet, "DesignCancel_Button", "Cancel", QRect(left + 134, 0, 64, 25));
  DesignCancel_Button->setToolTip("Stop the run; the previous result stays");
  DesignCancel_Button->setFocusPolicy(Qt::NoFocus);
  DesignCancel_Button->setEnabled(false);
  DesignExport_Button =
      NewButton(sheet, "DesignExport_Button", "Export CSV", QRect(left + 202, 0, 82, 25));
  DesignExport_Button->setToolTip("Save the result table as a CSV file");
  DesignExport_Button->setEnabled(false);
  Design_ProgressBar = new QProgressBar(sheet);
  Design_ProgressBar->setObjectName("Design_ProgressBar");
  Design_ProgressBar->setGeometry(left, 0, 296, 16);
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
  Handle(OptimiseRun_Button, &QPushButton::clicked, &TMainForm::OptimiseRunClick);
  connect(DesignCancel_Button, &QPushButton::clicked, this, [this] { designRun_.Cancel(); });
  Handle(DesignExport_Button, &QPushButton::clicked, &TMainForm::DesignExportClick);
}

void TMainForm::Design_SheetShow() {
  // An opened report leaves the aim to the aim box.
  const AimDefinition* aim = AimDefinitionOfCode(DMPumpfield->AimCode);
  if (!aim && State.AimIndex >= 0 && size_t(State.AimIndex) < AimDefinitions().size())
    aim = &AimDefinitions()[size_t(State.AimIndex)];
  const bool field = aim && aim->aim == Aim::FieldDepths;
  for (QWidget* widget : fieldOnlyWidgets_)
    widget->setVisible(field);
  // The buttons, side by side, and the progress bar follow the last row of fields shown.
  const int buttonsTop = field ? 8 + 28 * 7 + 2 : 8 + 28 * 2 + 2;
  int buttonLeft = Design_ProgressBar->x();
  for (QPushButton* button :
       {DesignRun_Button, OptimiseRun_Button, DesignCancel_Button, DesignExport_Button}) {
    button->move(buttonLeft, buttonsTop);
    if (button->isVisibleTo(Design_Sheet))
      buttonLeft += button->width() + 4;
  }
  Design_ProgressBar->move(Design_ProgressBar->x(), buttonsTop + 32);
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

std::optional<DesignSettings> TMainForm::DesignSettingsOfSheet(const std::string& aimCode,
                                                               bool uncertainRequired) {
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
    if (settings.uncertain.empty() && uncertainRequired)
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

std::optional<OptimiseSettings> TMainForm::OptimiseSettingsOfSheet(const TDMPumpfield& base) {
  std::optional<DesignSettings> uncertainty = DesignSettingsOfSheet(base.AimCode, false);
  if (!uncertainty)
    return std::nullopt;
  OptimiseSettings settings;
  settings.uncertainty = std::move(*uncertainty);
  const auto empty = [](const QLineEdit* edit) { return edit->text().trimmed().isEmpty(); };
  try {
    if (!settings.uncertainty.requiredDepth)
      throw SweepUsageError("Give the required depth: the search looks for the cheapest field "
                            "that reaches it");
    settings.requiredDepth = *settings.uncertainty.requiredDepth;
    if (empty(FieldLength_Edit) || empty(FieldWidth_Edit) || empty(WellCost_Edit))
      throw SweepUsageError("Give the field's length and width and the cost of a well");
    settings.length = NumberOf(FieldLength_Edit, "The field's length");
    settings.width = NumberOf(FieldWidth_Edit, "The field's width");
    settings.wellCost = NumberOf(WellCost_Edit, "The cost of a well");
    if (empty(EnergyPrice_Edit) != empty(Years_Edit))
      throw SweepUsageError("The energy price and the years go together: give both or neither");
    if (!empty(EnergyPrice_Edit)) {
      settings.energyPrice = NumberOf(EnergyPrice_Edit, "The energy price");
      settings.years = NumberOf(Years_Edit, "The years");
    }
    settings.levelMin =
        empty(WellLevelFrom_Edit) ? base.Params[3] : NumberOf(WellLevelFrom_Edit, "Dw from");
    settings.levelMax =
        empty(WellLevelTo_Edit) ? settings.levelMin : NumberOf(WellLevelTo_Edit, "Dw to");
    CheckOptimiseSettings(settings);
  } catch (const SweepUsageError& error) {
    AppServices().ShowMessage(error.what());
    return std::nullopt;
  }
  return settings;
}

bool TMainForm::LoadDesignInput(TDMPumpfield& base) {
  if (designRun_.Running() || RunGoesOn())
    return false;
  // After a run the data module names the report; its input file lies beside it.
  const std::string inputFile = ChangeFileExt(DMPumpfield->InputFileName, ".inp");
  if (DMPumpfield->InputFileName.empty() || HasUnsavedChanges() || !FileExists(inputFile)) {
    AppServices().ShowMessage("Save the input file first: the design runs on the saved input "
                              "file");
    return false;
  }
  // A file that cannot be read shows its message here; it must not end the program.
  ReadingServices reading;
  base.services = &reading;
  base.InputFileName = inputFile;
  base.LoadInputFile();
  base.services = nullptr;
  if (reading.quitRequested || !AimOfCode(base.AimCode))
    return false;
  if (const std::string missing = MissingValueMessage(inputFile); !missing.empty()) {
    AppServices().ShowMessage(missing);
    return false;
  }
  return true;
}

bool TMainForm::RunOnDesignSheet(const char* running, const std::function<bool()>& work) {
  bool finished = false;
  std::string failure;
  {
    const InputHeldBack heldBack(this, DesignCancel_Button, [this] { designRun_.Cancel(); });
    DesignRun_Button->setEnabled(false);
    OptimiseRun_Button->setEnabled(false);
    DesignCancel_Button->setEnabled(true);
    ShowStatus(QString(running) + " ... \"Cancel\" or Escape stops it.");
    try {
      designRun_.Run([&] { finished = work(); });
    } catch (const std::exception& error) {
      failure = error.what();
    }
    DesignCancel_Button->setEnabled(false);
    DesignRun_Button->setEnabled(true);
    OptimiseRun_Button->setEnabled(true);
  }
  if (closeAfterRun_) {
    closeAfterRun_ = false;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    return false;
  }
  if (!failure.empty()) {
    ShowStatus("The run stopped");
    AppServices().ShowMessage(failure);
    return false;
  }
  if (!finished) {
    Design_ProgressBar->setRange(0, 1);
    Design_ProgressBar->setValue(0);
    ShowStatus("The run was cancelled; the previous result stays");
  }
  return finished;
}

void TMainForm::DesignRunClick() {
  TDMPumpfield base;
  if (!LoadDesignInput(base))
    return;
  const Aim aim = *AimOfCode(base.AimCode);
  const std::optional<DesignSettings> settings = DesignSettingsOfSheet(base.AimCode, true);
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
  if (!RunOnDesignSheet("Running the design",
                        [&] { return RunDesign(base, *settings, runs, run); }))
    return;
  Design_ProgressBar->setValue(static_cast<int>(total));
  std::vector<std::string> uncertain;
  for (const UncertainInput& input : settings->uncertain)
    uncertain.push_back(input.text);
  LastDesign = DesignOfWindow{SummariseDesign(aim, *settings, runs), base.Title1,
                              base.InputFileName, uncertain};
  ShowDesignResult();
  ShowStatus("The design has run");
}

void TMainForm::OptimiseRunClick() {
  TDMPumpfield base;
  if (!LoadDesignInput(base))
    return;
  if (AimOfCode(base.AimCode) != Aim::FieldDepths) {
    AppServices().ShowMessage("The search needs the input file of a rectangular field");
    return;
  }
  const std::optional<OptimiseSettings> settings = OptimiseSettingsOfSheet(base);
  if (!settings)
    return;
  // The number of layouts the search runs is not known beforehand: the bar shows it works.
  Design_ProgressBar->setRange(0, 0);
  StudyRun run;
  run.workers = AvailableProcessors();
  run.stopRequested = [this] { return designRun_.CancelFlag().load(); };
  OptimiseResult result;
  if (!RunOnDesignSheet("Searching for the cheapest well field",
                        [&] { return OptimiseLayout(base, *settings, result, run); }))
    return;
  Design_ProgressBar->setRange(0, 1);
  Design_ProgressBar->setValue(1);
  ShowOptimiseResult(result, base.Title1, base.InputFileName);
  ShowStatus(ToQ("The search ran " + std::to_string(result.layoutsEvaluated) + " of " +
                 std::to_string(result.layoutsInRange) + " layouts; " +
                 (result.cheapest
                      ? "the cheapest has " + std::to_string(result.cheapest->wells()) + " wells"
                      : std::string("no layout reaches the required depth"))));
}

void TMainForm::ShowResultTable(const std::vector<CsvRow>& rows,
                                const std::vector<std::string>& hidden) {
  const int columns = rows.empty() ? 0 : static_cast<int>(rows.front().size());
  DesignResult_Table->clear();
  DesignResult_Table->setColumnCount(columns);
  DesignResult_Table->setRowCount(rows.empty() ? 0 : static_cast<int>(rows.size()) - 1);
  for (int column = 0; column < columns; ++column)
    DesignResult_Table->setHorizontalHeaderItem(column, new QTableWidgetItem(ToQ(rows[0][column])));
  for (size_t row = 1; row < rows.size(); ++row) {
    for (int column = 0; column < columns && column < int(rows[row].size()); ++column)
      DesignResult_Table->setItem(int(row) - 1, column,
                                  new QTableWidgetItem(ToQ(rows[row][column])));
    const bool hide = std::find(hidden.begin(), hidden.end(), rows[row][0]) != hidden.end();
    DesignResult_Table->setRowHidden(int(row) - 1, hide);
  }
  DesignResult_Table->resizeColumnsToContents();
  DesignExport_Button->setEnabled(true);
}

namespace {
void ShowChart(QLabel* label, const QImage& image) {
  if (image.isNull()) {
    label->clear();
    return;
  }
  label->setPixmap(QPixmap::fromImage(
      image.scaled(label->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
} // namespace

void TMainForm::ShowDesignResult() {
  const DesignSummary& summary = LastDesign->summary;
  ShownStudyTable = StudyTableOfWindow{DesignRows(summary), LastDesign->inputFile};
  // The settings' rows repeat the fields above; the results come first on view.
  ShowResultTable(ShownStudyTable->rows, {"samples", "seed", "reliability"});
  ShowChart(DistributionChart_Image,
            DistributionChartImage(DistributionChartOf(summary, LastDesign->title1)));
  ShowChart(TornadoChart_Image, TornadoChartImage(TornadoChartOf(summary, LastDesign->title1)));
}

void TMainForm::ShowOptimiseResult(const OptimiseResult& result, const std::string& title1,
                                   const std::string& inputFile) {
  ShownStudyTable = StudyTableOfWindow{OptimiseRows(result), inputFile};
  ShowResultTable(ShownStudyTable->rows, {});
  ShowChart(DistributionChart_Image, SweepPlotImage(OptimiseFrontPlot(result, title1)));
  ShowChart(TornadoChart_Image, QImage());
}

void TMainForm::DesignExportClick() {
  if (!ShownStudyTable)
    return;
  const std::string& inputFile = ShownStudyTable->inputFile;
  const std::optional<QString> chosen =
      RunFileDialog(StartingAtFile(TablesSave_Dialog, ToQ(ChangeFileExt(inputFile, ".csv"))));
  if (!chosen)
    return;
  const std::string path = FromQ(*chosen);
  if (FileIdentity(path) == FileIdentity(inputFile)) {
    AppServices().ShowMessage("\"" + path + "\" is the input file");
    return;
  }
  if (FileExists(path) && !DMPumpfield->AskConfirmation("The file already exists, overwrite?"))
    return;
  std::string errorText;
  if (!WriteCsv(path, ShownStudyTable->rows, errorText)) {
    AppServices().ShowMessage(errorText);
    return;
  }
  AppServices().ShowMessage("The result table was saved in  " + path);
}
