#include "InputSheetFixture.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTableWidget>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

namespace {
const char* const kSpacingNumbers =
    "    0.0030      4.00     18.00      2.50     12.00      0.20      "
    "0.30      0.80      0.60    0.0300      8.00    0.4000      "
    "1.50      0.00";

const char* const kFieldNumbers =
    "    0.0030      4.00     18.00      2.50     12.00      0.20      "
    "0.30      0.80      0.60    0.1500      8.00    2.5000    "
    "180.00    110.00";

class DesignSheet : public InputSheetTest {
protected:
  void OpenSpacingCase() {
    Open(WriteInput("case.inp", "Spa", kSpacingNumbers));
    MainForm->PageControl1->setCurrentWidget(MainForm->Design_Sheet);
  }

  // The field example with the search's fields filled in; `blank` names fields left empty.
  void OpenFieldCaseForTheSearch(const std::vector<QLineEdit*>& blank = {}) {
    Open(WriteInput("field.inp", "Hydr", kFieldNumbers));
    MainForm->PageControl1->setCurrentWidget(MainForm->Design_Sheet);
    const std::pair<QLineEdit*, const char*> fields[] = {
        {MainForm->RequiredDepth_Edit, "1.0"}, {MainForm->FieldLength_Edit, "900"},
        {MainForm->FieldWidth_Edit, "550"},    {MainForm->WellLevelFrom_Edit, "2.8"},
        {MainForm->WellLevelTo_Edit, "3.1"},   {MainForm->WellCost_Edit, "20000"},
        {MainForm->EnergyPrice_Edit, "0.02"},  {MainForm->Years_Edit, "20"}};
    for (const auto& [edit, text] : fields)
      edit->setText(std::find(blank.begin(), blank.end(), edit) == blank.end() ? text : "");
  }

  static void Uncertain(int row, const QString& symbol, const QString& distribution,
                        const QString& numbers) {
    auto* table = MainForm->Uncertain_Table;
    static_cast<QComboBox*>(table->cellWidget(row, 0))->setCurrentText(symbol);
    static_cast<QComboBox*>(table->cellWidget(row, 1))->setCurrentText(distribution);
    table->item(row, 2)->setText(numbers);
  }

  static QString ResultCell(const QString& item, int column) {
    const QTableWidget* table = MainForm->DesignResult_Table;
    for (int row = 0; row < table->rowCount(); ++row)
      if (table->item(row, 0) && table->item(row, 0)->text() == item)
        return table->item(row, column) ? table->item(row, column)->text() : QString();
    return {};
  }
};

} // namespace

TEST_F(DesignSheet, ARunShowsTheCommandLinesDesignValueForTheSameSeed) {
  OpenSpacingCase();
  Uncertain(0, "Kb2", "uniform", "6:10");
  MainForm->Samples_Edit->setText("20");
  MainForm->Seed_Edit->setText("7");
  MainForm->DesignRun_Button->click();

  ASSERT_TRUE(MainForm->LastDesign);
  EXPECT_TRUE(services.messages.empty());
  // pumpfield-cli design case.inp --uncertain Kb2=uniform:6:10 --samples 20 --seed 7
  EXPECT_EQ(ResultCell("design value", 3), "98.46");
  EXPECT_EQ(ResultCell("percentile 50", 3), "101.88");
  EXPECT_EQ(ResultCell("sensitivity", 8), "7.43");
  EXPECT_FALSE(MainForm->DistributionChart_Image->pixmap().isNull());
  EXPECT_FALSE(MainForm->TornadoChart_Image->pixmap().isNull());
  EXPECT_TRUE(MainForm->DesignExport_Button->isEnabled());
}

TEST_F(DesignSheet, CancelStopsTheRunAndKeepsThePreviousResult) {
  OpenSpacingCase();
  Uncertain(0, "Kb2", "uniform", "6:10");
  MainForm->Samples_Edit->setText("100000");
  QueueClick(MainForm->DesignCancel_Button);
  MainForm->DesignRun_Button->click();

  EXPECT_FALSE(MainForm->LastDesign);
  EXPECT_FALSE(MainForm->DesignGoesOn());
  EXPECT_TRUE(MainForm->DesignRun_Button->isEnabled());
  EXPECT_LT(MainForm->Design_ProgressBar->value(), 100000);
}

TEST_F(DesignSheet, BadSettingsOrAnUnsavedInputRunNothingAndSayWhy) {
  struct Row {
    const char* name;
    QString symbol, numbers, samples, reliability;
    const char* message;
  };
  OpenSpacingCase();
  for (const Row& row :
       {Row{"no input", "", "", "20", "0.9", "Choose at least one uncertain input"},
        Row{"bad numbers", "Kb2", "6", "20", "0.9", "uniform"},
        Row{"one sample", "Kb2", "6:10", "1", "0.9", "Samples must be a whole number"},
        Row{"reliability 1", "Kb2", "6:10", "20", "1", "Reliability must lie between"}}) {
    SCOPED_TRACE(row.name);
    services.messages.clear();
    Uncertain(0, row.symbol, "uniform", row.numbers);
    MainForm->Samples_Edit->setText(row.samples);
    MainForm->Reliability_Edit->setText(row.reliability);
    MainForm->DesignRun_Button->click();
    EXPECT_FALSE(MainForm->LastDesign);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_NE(services.messages[0].find(row.message), std::string::npos) << services.messages[0];
  }

  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  Enter(1, "0.0040");
  services.messages.clear();
  Uncertain(0, "Kb2", "uniform", "6:10");
  MainForm->Samples_Edit->setText("20");
  MainForm->Reliability_Edit->setText("0.9");
  MainForm->DesignRun_Button->click();
  EXPECT_FALSE(MainForm->LastDesign);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("Save the input file first"), std::string::npos);
}

TEST_F(DesignSheet, ThePdfReportHoldsTheDesignSectionOnlyAfterADesignOfItsInput) {
  OpenSpacingCase();
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  Save({dir.file("case.inp")}, {true, true});
  ASSERT_TRUE(MainForm->State.OutputShown);
  const auto pdfText = [this](const std::string& name) {
    const std::string pdf = dir.file(name), text = dir.file(name + ".txt");
    titleBlocks.answers.push_back(ReportTitleBlock{});
    dialogs.answers.push_back(QString::fromStdString(pdf));
    MainForm->ExportReport_Button->click();
    EXPECT_EQ(std::system(("pdftotext '" + pdf + "' '" + text + "'").c_str()), 0);
    return ReadFileBytes(text);
  };
  EXPECT_EQ(pdfText("before.pdf").find("Design under uncertainty"), std::string::npos);

  MainForm->PageControl1->setCurrentWidget(MainForm->Design_Sheet);
  Uncertain(0, "Kb2", "uniform", "6:10");
  MainForm->Samples_Edit->setText("20");
  MainForm->Seed_Edit->setText("7");
  MainForm->DesignRun_Button->click();
  ASSERT_TRUE(MainForm->LastDesign);
  const std::string after = pdfText("after.pdf");
  EXPECT_NE(after.find("Design under uncertainty"), std::string::npos);
  EXPECT_NE(after.find("98.46"), std::string::npos);
  EXPECT_NE(after.find("Kb2=uniform:6:10"), std::string::npos);
}

TEST_F(DesignSheet, TheSearchFindsTheCommandLinesCheapestFieldAndExportsItsTable) {
  OpenSpacingCase();
  EXPECT_FALSE(MainForm->OptimiseRun_Button->isVisibleTo(MainForm->Design_Sheet));
  OpenFieldCaseForTheSearch();
  ASSERT_TRUE(MainForm->OptimiseRun_Button->isVisibleTo(MainForm->Design_Sheet));
  MainForm->OptimiseRun_Button->click();

  EXPECT_TRUE(services.messages.empty());
  // pumpfield-cli optimise field.inp --field 900x550 --required-depth 1.0 --well-cost 20000
  //   --energy-price 0.02 --years 20 --well-level 2.8:3.1 --csv t.csv
  const char* const cheapest[] = {"cheapest", "5",     "5",     "25",    "180", "110",
                                  "3",        "1.032", "1.073", "1.019", "1",   "1150430"};
  for (int column = 0; column < 12; ++column)
    EXPECT_EQ(MainForm->DesignResult_Table->item(0, column)->text(), cheapest[column]);
  EXPECT_EQ(MainForm->DesignResult_Table->rowCount(), 5);
  EXPECT_FALSE(MainForm->DistributionChart_Image->pixmap().isNull());
  EXPECT_FALSE(MainForm->LastDesign); // a search is not a design for the PDF report

  dialogs.answers.push_back(QString::fromStdString(dir.file("front.csv")));
  MainForm->DesignExport_Button->click();
  const std::string table = ReadFileBytes(dir.file("front.csv"));
  EXPECT_NE(table.find("\ncheapest,5,5,25,180,110,3,1.032,1.073,1.019,1,1150430\r\n"),
            std::string::npos)
      << table;
}

TEST_F(DesignSheet, TheSearchSaysWhatIsMissingOrWrongAndRunsNothing) {
  struct Row {
    const char* name;
    std::function<void()> change;
    const char* message;
  };
  const Row rows[] = {
      {"no required depth", [] { MainForm->RequiredDepth_Edit->clear(); }, "required depth"},
      {"no well cost", [] { MainForm->WellCost_Edit->clear(); }, "cost of a well"},
      {"years without price", [] { MainForm->EnergyPrice_Edit->clear(); }, "go together"},
      {"levels reversed", [] { MainForm->WellLevelTo_Edit->setText("2"); }, "must not be greater"},
      {"Dw uncertain", [] { Uncertain(0, "Dw", "uniform", "2:3"); }, "chosen by the search"},
      {"negative width", [] { MainForm->FieldWidth_Edit->setText("-5"); }, "positive length"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    OpenFieldCaseForTheSearch();
    Uncertain(0, "", "uniform", "");
    row.change();
    services.messages.clear();
    MainForm->OptimiseRun_Button->click();
    EXPECT_EQ(MainForm->DesignResult_Table->rowCount(), 0);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_NE(services.messages[0].find(row.message), std::string::npos) << services.messages[0];
  }
}
