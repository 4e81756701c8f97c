#include "InputSheetFixture.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTableWidget>

#include <cstdlib>

namespace {
const char* const kSpacingNumbers =
    "    0.0030      4.00     18.00      2.50     12.00      0.20      "
    "0.30      0.80      0.60    0.0300      8.00    0.4000      "
    "1.50      0.00";

class DesignSheet : public InputSheetTest {
protected:
  void OpenSpacingCase() {
    Open(WriteInput("case.inp", "Spa", kSpacingNumbers));
    MainForm->PageControl1->setCurrentWidget(MainForm->Design_Sheet);
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

void QueueClick(QWidget* widget) {
  const QPointF centre = QRectF(widget->rect()).center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(type, centre, widget->mapToGlobal(centre),
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
}
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
