#include "SheetTestSupport.h"
#include "WindowsFixture.h"

#include "Unprivileged.h"
#include "core/FileNames.h"
#include "ui/CheckWindow.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTextDocument>

#include <sys/stat.h>

namespace {
const QString kSheetStatus = "The output file can be inspected. Use \"See output\" to see "
                             "examples under \"Data\" or to inspect any other output file.";

class OutputSheetTest : public WindowsTest {
protected:
  void TearDown() override { WindowsTest::TearDown(); }

  // Saves the field input as `name`.inp in the temporary folder and runs it from the Input
  // sheet, as the save workflow does; a run without errors then brings the Output sheet up.
  void Run(const std::string& name, const std::string& r, const std::string& extension = ".inp") {
    MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
    DMPumpfield->InputFileName = dir.file(name + extension);
    DMPumpfield->AimCode = "Hydr";
    WriteFileBytes(DMPumpfield->InputFileName, FieldInput(r));
    MainFormRunWindow window(*MainForm);
    RunCalculation(MainForm->engine, window);
    MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
  }

  void ShowOutputSheetAgain() {
    MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
    MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
  }

  // Which of the buttons under the memo a user sees.
  QStringList VisibleButtons() const {
    QStringList shown;
    for (const QPushButton* button : {MainForm->FigureButton2, MainForm->ViewGraphButton,
                                      MainForm->Symbols_Button, MainForm->SeeOutput_Button})
      if (button->isVisible())
        shown << button->text();
    return shown;
  }

  TempDir dir;
};
} // namespace

TEST_F(OutputSheetTest, BeforeAnyRunOnlyTheOpenButtonShows) {
  MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
  EXPECT_EQ(MainForm->StatusText(), kSheetStatus);
  EXPECT_FALSE(MainForm->Output_Memo->isVisible());
  EXPECT_EQ(VisibleButtons(), QStringList{"Open &output"});
}

TEST_F(OutputSheetTest, RunWithoutErrorsShowsTheReportAndRereadsItAtEveryShowing) {
  Run("field", "0.0020");
  ASSERT_TRUE(FileExists(dir.file("field.out")));
  EXPECT_EQ(DMPumpfield->InputFileName, dir.file("field.out"));
  EXPECT_EQ(MainForm->StatusText(), kSheetStatus);
  EXPECT_FALSE(MainForm->InputSave->isEnabled());
  EXPECT_TRUE(MainForm->Output_Memo->isVisible());
  EXPECT_EQ(MainForm->Output_Memo->toPlainText(), MemoTextOf(dir.file("field.out")));
  EXPECT_TRUE(MainForm->Output_Memo->toPlainText().contains(" Output data:"));
  EXPECT_EQ(VisibleButtons(), (QStringList{"Figure", "See graph", "Symbols", "Open &output"}));
  EXPECT_TRUE(MainForm->State.OutputShown);

  WriteFileBytes(dir.file("field.out"), "\r\n changed on disk\r\n");
  ShowOutputSheetAgain();
  EXPECT_EQ(MainForm->Output_Memo->toPlainText(), "\n changed on disk");
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(OutputSheetTest, RunWithErrorsShowsTheListOnceAndRemovesItWithTheStaleReport) {
  WriteFileBytes(dir.file("field.out"), " report of an earlier run\r\n");
  Run("field", "0.0000");
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Output_TabSheet);
  const QStringList lines = MainForm->Output_Memo->toPlainText().split('\n');
  ASSERT_GE(lines.size(), 3);
  EXPECT_EQ(lines.front(), " THE FOLLOWING ERRORS WERE FOUND IN THE INPUT:");
  EXPECT_TRUE(lines.contains(" Make sure that R > 0."));
  EXPECT_FALSE(lines.join('\n').contains("earlier run"));
  EXPECT_TRUE(MainForm->Output_Memo->isVisible());
  EXPECT_EQ(VisibleButtons(), QStringList{"Open &output"});
  EXPECT_FALSE(FileExists("Error.lst"));
  EXPECT_FALSE(FileExists(dir.file("field.out")));
  EXPECT_FALSE(FileExists(dir.file("field.inp")));

  // Shown again: the list is gone and nothing else takes its place, not even a list that
  // appeared in the folder since.
  WriteFileBytes("Error.lst", " a list written by another program\r\n");
  ShowOutputSheetAgain();
  EXPECT_FALSE(MainForm->Output_Memo->isVisible());
  EXPECT_TRUE(MainForm->Output_Memo->toPlainText().isEmpty());
  EXPECT_EQ(VisibleButtons(), QStringList{"Open &output"});
  EXPECT_TRUE(FileExists("Error.lst"));
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(OutputSheetTest, TheErrorListShowsOnceWhateverTheInputFileIsCalled) {
  for (const std::string extension : {".dat", ".INP", ""}) {
    SCOPED_TRACE(extension);
    Run("field", "0.0000", extension);
    EXPECT_TRUE(MainForm->Output_Memo->toPlainText().contains(" Make sure that R > 0."));
    EXPECT_FALSE(FileExists("Error.lst"));
    EXPECT_FALSE(FileExists(dir.file("field" + extension)));
    ShowOutputSheetAgain();
    EXPECT_TRUE(MainForm->Output_Memo->toPlainText().isEmpty());
  }
  EXPECT_TRUE(services.messages.empty());
}

// After a failed run the user names another file (an open that finds no file, a save that the
// checks refuse): the report of that name was never run and stays.
TEST_F(OutputSheetTest, AFileNamedAfterAFailedRunKeepsItsReport) {
  for (QAction* action : {MainForm->InputOpen1, MainForm->InputSave1}) {
    SCOPED_TRACE(action->text().toStdString());
    Run("field", "0.0000");
    WriteFileBytes(dir.file("W.out"), " a report the user keeps\r\n");
    MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
    dialogs.answers.push_back(Q(dir.file("W.inp")));
    action->trigger();
    ASSERT_FALSE(services.messages.empty());
    MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
    EXPECT_EQ(ReadFileBytes(dir.file("W.out")), " a report the user keeps\r\n");
    services.messages.clear();
  }
}

TEST_F(OutputSheetTest, AReportOpenedAfterAnErrorRunIsShownAndKept) {
  Run("field", "0.0000");
  const std::string report = dir.file("chosen.out");
  WriteFileBytes(report, " Chosen report\r\n second line\r\n");
  WriteFileBytes("Error.lst", " a list written by another program\r\n");
  MainForm->PageControl1->setCurrentWidget(MainForm->Intro_Tabsheet);
  dialogs.answers.push_back(Q(report));
  MainForm->OpenOutput1->trigger();

  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Output_TabSheet);
  EXPECT_EQ(MainForm->Output_Memo->toPlainText(), " Chosen report\n second line");
  EXPECT_TRUE(MainForm->Output_Memo->isVisible());
  EXPECT_TRUE(FileExists(report));
  EXPECT_TRUE(FileExists("Error.lst"));
}

TEST_F(OutputSheetTest, SymbolsButtonTogglesTheMemoAndItsCaption) {
  dialogs.answers.push_back(Q(GoldenFile("spacing-lower-bound.out")));
  MainForm->OutputOpen->trigger();
  ASSERT_TRUE(MainForm->Symbols_Button->isVisible());
  EXPECT_FALSE(MainForm->Symbols_Memo->isVisible());

  MainForm->Symbols_Button->click();
  EXPECT_TRUE(MainForm->Symbols_Memo->isVisible());
  EXPECT_EQ(MainForm->Symbols_Button->text(), "Close symbols");
  EXPECT_TRUE(MainForm->Symbols_Memo->toPlainText().contains("G/p   = gradient of F (m/m)"));

  MainForm->Symbols_Button->click();
  EXPECT_FALSE(MainForm->Symbols_Memo->isVisible());
  EXPECT_EQ(MainForm->Symbols_Button->text(), "Symbols");
}

TEST_F(OutputSheetTest, TheReportViewMovesToItsEndsAndSelectsForCopying) {
  dialogs.answers.push_back(Q(GoldenFile("discharge-upper-bound.out")));
  MainForm->OutputOpen->trigger();
  MainForm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));
  QPlainTextEdit* memo = MainForm->Output_Memo;
  memo->setFocus();
  QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(memo->textCursor().position(), memo->document()->characterCount() - 1);
  EXPECT_GT(memo->verticalScrollBar()->value(), 0);
  QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(memo->verticalScrollBar()->value(), 0);
  MainForm->Copy->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), memo->toPlainText());
}

TEST_F(OutputSheetTest, OpeningAReportThroughTheMenuFromAnotherSheet) {
  const std::string report = GoldenFile("discharge-upper-bound.out");
  const QString folder = QFileInfo(Q(report)).absolutePath();
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  dialogs.answers.push_back(Q(report));
  MainForm->OpenOutput1->trigger();

  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].name, "OutputOpen_Dialog");
  EXPECT_EQ(dialogs.asked[0].filter, "Output files (*.out)|*.out");
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Output_TabSheet);
  EXPECT_EQ(MainForm->StatusText(), kSheetStatus); // the sheet's own text replaced the other
  EXPECT_EQ(MainForm->Output_Memo->toPlainText(), MemoTextOf(report));
  EXPECT_TRUE(MainForm->Output_Memo->isVisible());
  EXPECT_EQ(VisibleButtons(), (QStringList{"Figure", "See graph", "Symbols", "Open &output"}));
  EXPECT_TRUE(MainForm->State.OutputShown);
  EXPECT_EQ(DMPumpfield->InputFileName, report);
  EXPECT_EQ(Q(MainForm->engine.Flags.WorkDirectory), folder);
  EXPECT_EQ(MainForm->InputOpen_Dialog.initialFolder, folder);
  EXPECT_EQ(MainForm->InputSave_Dialog.initialFolder, folder);
  EXPECT_EQ(MainForm->OutputOpen_Dialog.initialFolder, folder);
  EXPECT_FALSE(MainForm->InputSave->isEnabled());

  // From the Output sheet itself no show handler runs and the open's own status stays.
  dialogs.answers.push_back(Q(GoldenFile("spacing-lower-bound.out")));
  MainForm->SeeOutput_Button->click();
  EXPECT_EQ(MainForm->StatusText(), "The output file can be imported into spreadsheets");
  EXPECT_EQ(MainForm->Output_Memo->toPlainText(),
            MemoTextOf(GoldenFile("spacing-lower-bound.out")));
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(OutputSheetTest, CancelledOrMissingChoiceLeavesTheMemoHidden) {
  const std::string report = GoldenFile("spacing-lower-bound.out");
  dialogs.answers.push_back(Q(report));
  MainForm->OutputOpen->trigger();
  ASSERT_TRUE(MainForm->Output_Memo->isVisible());

  MainForm->OutputOpen->trigger(); // the script has no answer: cancelled
  EXPECT_FALSE(MainForm->Output_Memo->isVisible());
  EXPECT_EQ(services.messages, std::vector<std::string>{"No output file was selected"});
  EXPECT_EQ(DMPumpfield->InputFileName, report);

  dialogs.answers.push_back(Q(dir.file("missing.out")));
  MainForm->OutputOpen->trigger();
  EXPECT_FALSE(MainForm->Output_Memo->isVisible());
  EXPECT_EQ(services.messages.back(), "File does not exist, please select another one,");
  EXPECT_EQ(DMPumpfield->InputFileName, dir.file("missing.out"));
}

TEST_F(OutputSheetTest, OpeningAReportThatCannotBeReadForgetsTheShownOne) {
  dialogs.answers.push_back(Q(GoldenFile("spacing-lower-bound.out")));
  MainForm->OpenOutput1->trigger();
  ASSERT_TRUE(MainForm->State.OutputShown);
  const std::string locked = dir.file("locked.out");
  WriteFileBytes(locked, " not to be shown\r\n");
  ::chmod(locked.c_str(), 0);
  ::chmod(dir.path().c_str(), 0755);
  {
    UnprivilegedScope user;
    dialogs.answers.push_back(Q(locked));
    MainForm->OpenOutput1->trigger();
  }
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("could not be opened"), std::string::npos);
  ShowOutputSheetAgain();
  EXPECT_TRUE(MainForm->Output_Memo->toPlainText().isEmpty());
  EXPECT_FALSE(MainForm->Output_Memo->isVisible());
  EXPECT_EQ(VisibleButtons(), QStringList{"Open &output"});
  EXPECT_FALSE(MainForm->State.OutputShown);
}

TEST_F(OutputSheetTest, AReportThatCannotBeReadShowsNoTextOfAnEarlierOne) {
  Run("field", "0.0020");
  ASSERT_TRUE(MainForm->Output_Memo->isVisible());
  DeleteFileIfExists(dir.file("field.out"));
  ShowOutputSheetAgain();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find(dir.file("field.out")), std::string::npos);
  EXPECT_TRUE(MainForm->Output_Memo->toPlainText().isEmpty());
  EXPECT_FALSE(MainForm->Output_Memo->isVisible());
  EXPECT_EQ(VisibleButtons(), QStringList{"Open &output"});
  EXPECT_FALSE(MainForm->State.OutputShown);
}

// "Check" shows with the report's buttons and opens the check of the report on view: its figures
// in words and the two water tables; without a report it says so.
TEST_F(OutputSheetTest, CheckShowsTheIndependentCheckOfTheReportOnView) {
  MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
  EXPECT_FALSE(MainForm->Check_Button->isVisible());
  MainForm->Check_ButtonClick();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("There is no output report to check"), std::string::npos);
  EXPECT_EQ(MainForm->CheckForm, nullptr);

  Run("field", "0.0020");
  ASSERT_TRUE(MainForm->Check_Button->isVisible());
  MainForm->Check_Button->click();
  ASSERT_NE(MainForm->CheckForm, nullptr);
  EXPECT_TRUE(MainForm->CheckForm->isVisible());
  const QString text = MainForm->CheckForm->CheckResult_Memo->toPlainText();
  EXPECT_TRUE(text.startsWith("Independent check of \"" + Q(dir.file("field.out")) + "\""))
      << text.toStdString();
  for (const char* line : {"along the longer spacing", "along the diagonal", "centre of the cell"})
    EXPECT_TRUE(text.contains(line)) << line;
  EXPECT_EQ(services.messages.size(), 1u);

  // A report changed on disk into one without tables: a message says why it cannot be checked.
  WriteFileBytes(dir.file("field.out"), "\r\n changed on disk\r\n");
  ShowOutputSheetAgain();
  MainForm->CheckForm->close();
  MainForm->Check_Button->click();
  EXPECT_FALSE(MainForm->CheckForm->isVisible());
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_NE(services.messages[1].find("The report cannot be checked."), std::string::npos);
}
