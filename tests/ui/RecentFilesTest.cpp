// Files named on the command line or in the recent files open as if chosen in their dialogs;
// the recent files and the dialogs' last folders are kept from one session to the next.
#include "SheetTestSupport.h"
#include "WindowsFixture.h"

#include "core/FileNames.h"
#include "ui/Settings.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace {
const std::string kData = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/";

class RecentFilesTest : public WindowsTest {
protected:
  void SetUp() override {
    ProgramSettings().clear();
    WindowsTest::SetUp();
  }
  void TearDown() override {
    WindowsTest::TearDown();
    ProgramSettings().clear();
  }

  // The entries of File > Recent files as the menu shows them.
  static QList<QAction*> RecentEntries() {
    emit MainForm->RecentFiles1->aboutToShow();
    return MainForm->RecentFiles1->actions();
  }

  TempDir dir;
};
} // namespace

TEST_F(RecentFilesTest, AFileOpensOnTheSheetOfItsKindWithoutADialog) {
  // Extensions that mislead: the content decides.
  WriteFileBytes("case.out", ReadFileBytes(kData + "spacing-loam-over-sand.inp"));
  WriteFileBytes("report.txt", ReadFileBytes(kData + "spacing-loam-over-sand.out"));
  ASSERT_TRUE(QImage(20, 10, QImage::Format_RGB32).save("picture.bmp"));
  WriteFileBytes("notes.txt", "nothing of ours\r\n");
  const std::vector<std::pair<const char*, QWidget*>> rows = {
      {"case.out", MainForm->Input_TabSheet},
      {"report.txt", MainForm->Output_TabSheet},
      {"picture.bmp", MainForm->Graphics_TabSheet}};
  for (const auto& [name, sheet] : rows) {
    MainForm->PageControl1->setCurrentWidget(MainForm->Intro_Tabsheet);
    MainForm->OpenFile(Q(dir.file(name)));
    EXPECT_EQ(MainForm->PageControl1->currentWidget(), sheet) << name;
  }
  EXPECT_EQ(MainForm->FileName_Edit->text(), Q(dir.file("case.out")));
  EXPECT_TRUE(MainForm->PictureImage->isVisible());
  EXPECT_TRUE(services.messages.empty());
  MainForm->OpenFile(Q(dir.file("notes.txt")));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0], "The file \"" + dir.file("notes.txt") +
                                      "\" is not an input file, an output report or a graph "
                                      "bitmap.");
  EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(RecentFilesTest, RecentFilesKeepTheEightLatestAndDropMissingOnes) {
  for (int i = 0; i < 9; ++i) {
    const std::string name = dir.file("case" + std::to_string(i) + ".inp");
    WriteFileBytes(name, ReadFileBytes(kData + "discharge-loam-over-sand.inp"));
    MainForm->OpenFile(Q(name));
  }
  QList<QAction*> entries = RecentEntries();
  ASSERT_EQ(entries.size(), 8);
  EXPECT_EQ(entries.front()->text(), "&1  " + Q(dir.file("case8.inp")));
  EXPECT_EQ(entries.back()->text(), "&8  " + Q(dir.file("case1.inp")));

  DeleteFileIfExists(dir.file("case8.inp"));
  entries.front()->trigger();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("no longer exists"), std::string::npos);
  entries = RecentEntries();
  ASSERT_EQ(entries.size(), 7);
  entries.back()->trigger();
  EXPECT_EQ(MainForm->FileName_Edit->text(), Q(dir.file("case1.inp")));
  EXPECT_EQ(RecentEntries().front()->text(), "&1  " + Q(dir.file("case1.inp")));
}

TEST_F(RecentFilesTest, DialogsStartWhereTheyWereLastUsedInAnEarlierSession) {
  ASSERT_TRUE(QDir().mkpath(Q(dir.file("reports"))));
  const std::string report = dir.file("reports/a.out");
  WriteFileBytes(report, ReadFileBytes(kData + "spacing-deep-well.out"));
  dialogs.answers.push_back(Q(report));
  MainForm->OpenOutput1->trigger();

  DestroyStartupObjects();
  QDir::setCurrent(Q(dir.path())); // a new session starts elsewhere
  WindowsTest::SetUp();
  EXPECT_NE(MainForm->OutputOpen_Dialog.initialFolder, Q(dir.file("reports")));
  MainForm->RestoreDialogFolders();
  EXPECT_EQ(MainForm->OutputOpen_Dialog.initialFolder, Q(dir.file("reports")));
  EXPECT_EQ(RecentEntries().front()->text(), "&1  " + Q(report));
}
