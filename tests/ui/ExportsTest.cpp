#include "SheetTestSupport.h"
#include "WindowsFixture.h"

#include "export/TableExport.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>

namespace {
class ExportsTest : public WindowsTest {
protected:
  void TearDown() override { WindowsTest::TearDown(); }

  // Opens `report` on the Output sheet through the output dialog.
  void OpenReport(const std::string& report) {
    dialogs.answers.push_back(Q(report));
    MainForm->OutputOpen->trigger();
  }

  std::vector<QWidget*> OutputButtons() const {
    return {MainForm->ExportTables_Button, MainForm->CopyTables_Button,
            MainForm->ExportReport_Button};
  }

  const std::string report = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/field-rectangular.out";
  TempDir dir;
};
} // namespace

TEST_F(ExportsTest, OutputSheetSavesAndCopiesTheShownReportsTablesAndItsPdf) {
  MainForm->ExportTables1->trigger();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("no output report to export"), std::string::npos);
  for (QWidget* button : OutputButtons())
    EXPECT_TRUE(button->isHidden()) << button->objectName().toStdString();

  OpenReport(report);
  for (QWidget* button : OutputButtons())
    EXPECT_FALSE(button->isHidden()) << button->objectName().toStdString();

  const std::string csv = dir.file("tables.csv");
  dialogs.answers.push_back(Q(csv));
  MainForm->ExportTables_Button->click();
  EXPECT_EQ(dialogs.asked.back().name, "TablesSave_Dialog");
  EXPECT_EQ(services.messages.back(), "The tables were saved in  " + csv);
  std::string error;
  EXPECT_EQ(ReadFileBytes(csv), TablesCsv(*ReadReport(report, error)));

  // A desktop with a decimal comma, after a save has set the screen's separator to a point.
  MainForm->State.StartupDecimalSeparator = ',';
  MainForm->State.DecimalSeparator = '.';
  MainForm->CopyTables_Button->click();
  EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(
      "profile\tdistance (m)\thead (m)\tgradient (-)\nalong the longer spacing\t0,14\t1,2591\t"));

  // The title block is asked first and its values are offered again the next time.
  const std::string pdf = dir.file("report.pdf");
  titleBlocks.answers.push_back(ReportTitleBlock{"Glasshouses", "Grower", "Me", "You", "A"});
  dialogs.answers.push_back(Q(pdf));
  MainForm->ExportReport_Button->click();
  EXPECT_EQ(services.messages.back(), "The calculation report was saved in  " + pdf);
  EXPECT_EQ(ReadFileBytes(pdf).substr(0, 5), "%PDF-");
  const size_t dialogsAsked = dialogs.asked.size();
  MainForm->ExportReport_Button->click();
  ASSERT_EQ(titleBlocks.asked.size(), 2u);
  EXPECT_EQ(titleBlocks.asked[1].project, "Glasshouses");
  EXPECT_EQ(titleBlocks.asked[1].revision, "A");
  EXPECT_EQ(services.messages.back(), "The calculation report was not saved");
  EXPECT_EQ(dialogs.asked.size(), dialogsAsked);

  // An existing file is replaced only on yes.
  WriteFileBytes(csv, "mine");
  dialogs.answers.push_back(Q(csv));
  services.answers.push_back(false);
  MainForm->ExportTables1->trigger();
  EXPECT_EQ(ReadFileBytes(csv), "mine");
}

TEST_F(ExportsTest, GraphicsSheetExportsTheDrawnGraphNextToSaveGraph) {
  EXPECT_TRUE(MainForm->ExportGraph_Button->isHidden());
  OpenReport(report);
  MainForm->ViewGraphButton->click();
  EXPECT_FALSE(MainForm->ExportGraph_Button->isHidden());
  EXPECT_FALSE(MainForm->GraphScale_Combobox->isHidden());

  const std::string png = dir.file("graph.png");
  MainForm->GraphScale_Combobox->setCurrentIndex(0);
  dialogs.answers.push_back(Q(png));
  MainForm->ExportGraph_Button->click();
  EXPECT_EQ(services.messages.back(), "The graph was saved in  " + png);
  EXPECT_TRUE(QImage(Q(png)).convertToFormat(QImage::Format_RGB32) ==
              MainForm->GraphBitmap.convertToFormat(QImage::Format_RGB32));

  MainForm->GraphScale_Combobox->setCurrentIndex(3);
  dialogs.answers.push_back(Q(png));
  services.answers.push_back(true);
  MainForm->ExportGraph1->trigger();
  EXPECT_EQ(QImage(Q(png)).size(), QSize(4 * 623, 4 * 465));

  MainForm->ShowOpenedPicture();
  EXPECT_TRUE(MainForm->ExportGraph_Button->isHidden());
}
