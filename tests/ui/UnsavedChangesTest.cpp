// Edits are not lost unasked, the exit window always comes back, and files dropped on the window
// open as if named on the command line.
#include "InputSheetFixture.h"
#include "SheetTestSupport.h"

#include "core/FileNames.h"

#include <QAction>
#include <QApplication>
#include <QMimeData>
#include <QUrl>

namespace {
const std::string kData = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/";
using Answer = UnsavedChangesAnswer;

class UnsavedChanges : public InputSheetTest {
protected:
  // Drags `paths` over `target` and drops them there; true when the window took the drop.
  static bool Drop(QWidget* target, const QStringList& paths) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& path : paths)
      urls << QUrl::fromLocalFile(path);
    mime.setUrls(urls);
    mime.setText(paths.join('\n'));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return enter.isAccepted() && drop.isAccepted();
  }

  const std::string example = kData + "spacing-loam-over-sand.inp";
};
} // namespace

TEST_F(UnsavedChanges, EveryWayOfQuittingAsksAndEachAnswerDoesWhatItSays) {
  const std::vector<std::pair<const char*, void (*)()>> ways{
      {"Ctrl+X", [] { QTest::keyClick(MainForm, Qt::Key_X, Qt::ControlModifier); }},
      {"ProgramExit", [] { MainForm->ProgramExit->trigger(); }},
      {"close box", [] { MainForm->close(); }}};
  Open(example); // a situation the checks before saving accept
  for (const auto& [way, quit] : ways)
    for (Answer answer : {Answer::Cancel, Answer::Discard, Answer::Save}) {
      CloseForm->hide();
      MainForm->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm, 1000));
      const QString title = QString("%1, answer %2").arg(way).arg(int(answer));
      SCOPED_TRACE(title.toStdString());
      Type(MainForm->Title1_Edit, title);
      const std::string saved = dir.file("saved.inp");
      DeleteFileIfExists(saved);
      dialogs.answers.push_back(Q(saved));
      unsaved.answers = {answer};
      unsaved.asked.clear();
      services.questions.clear();
      quit();
      ASSERT_EQ(unsaved.asked.size(), 1u);
      EXPECT_TRUE(unsaved.asked[0].endsWith("Save them before quitting?"));
      EXPECT_EQ(CloseForm->isVisible(), answer != Answer::Cancel);
      EXPECT_EQ(FileExists(saved), answer == Answer::Save);
      EXPECT_TRUE(services.questions.empty()); // saving for quitting asks for no run
      EXPECT_EQ(MainForm->Title1_Edit->text(), title);
      dialogs.answers.clear();
    }
  // What was saved or discarded is not asked about again.
  QTest::keyClick(CloseForm->Finish_Button, Qt::Key_Return);
  EXPECT_EQ(unsaved.asked.size(), 1u);
  EXPECT_TRUE(EventLoopEnds());
}

TEST_F(UnsavedChanges, NothingIsAskedWithoutEditsSinceTheLastOpenOrSave) {
  MainForm->ProgramExit->trigger(); // fresh start
  Open(example);
  Type(Field(1), "0,003"); // the same value, typed with a comma
  MainForm->ProgramExit->trigger();
  Enter(2, "5");
  Save({dir.file("case.inp")}, {false});
  MainForm->ProgramExit->trigger();
  EXPECT_TRUE(unsaved.asked.empty());
  EXPECT_TRUE(CloseForm->isVisible());
}

TEST_F(UnsavedChanges, OpeningAnotherInputFileAsksFirstAndCancelOrAFailedSaveKeepsTheEdits) {
  Open(example);
  Type(MainForm->Title2_Edit, "mine");
  unsaved.answers = {Answer::Cancel};
  Open(kData + "discharge-loam-over-sand.inp");
  EXPECT_EQ(dialogs.answers.size(), 1u); // no open dialog was shown
  Enter(1, "-5");                        // fails the checks before saving
  unsaved.answers = {Answer::Save};
  dialogs.answers = {Q(dir.file("bad.inp"))};
  MainForm->OpenFile(Q(kData + "discharge-loam-over-sand.inp"));
  EXPECT_EQ(dialogs.asked.back().name, "InputSave_Dialog"); // not answered by the dropped file
  EXPECT_EQ(MainForm->Title2_Edit->text(), "mine");
  ASSERT_EQ(unsaved.asked.size(), 2u);
  EXPECT_TRUE(unsaved.asked[0].endsWith("before opening another input file?"));

  unsaved.answers = {Answer::Discard};
  EXPECT_TRUE(Drop(MainForm->Title1_Edit, {Q(kData + "discharge-loam-over-sand.inp")}));
  EXPECT_EQ(MainForm->Title2_Edit->text(), "Discharge per well at 160 m spacing");
}

TEST_F(UnsavedChanges, ARunWithInputErrorsDeletesTheFileSoTheDataCountAsUnsaved) {
  ChooseAim(2);
  EnterFields({"0", "2", "10", "3", "8", "0.5", "0.3", "1", "2", "0.5", "5", "1", "12", "8"});
  Save({dir.file("field.inp")}, {true});
  ASSERT_TRUE(MainForm->State.RunHadErrors);
  MainForm->ProgramExit->trigger();
  EXPECT_EQ(unsaved.asked.size(), 1u);
}

TEST_F(UnsavedChanges, TheExitWindowComesBackFromMinimisedAndEscapeOrCancelReturnToTheProgram) {
  MainForm->ProgramExit->trigger();
  CloseForm->showMinimized();
  MainForm->ProgramExit->trigger();
  EXPECT_FALSE(CloseForm->isMinimized());
  EXPECT_TRUE(QTest::qWaitForWindowActive(CloseForm, 1000));
  QTest::keyClick(CloseForm, Qt::Key_Escape);
  EXPECT_TRUE(CloseForm->isHidden());
  EXPECT_TRUE(QTest::qWaitForWindowActive(MainForm, 1000));

  MainForm->ProgramExit->trigger();
  Type(MainForm->Title1_Edit, "typed while the exit window was open");
  unsaved.answers = {Answer::Cancel};
  CloseForm->Finish_Button->click();
  EXPECT_EQ(unsaved.asked.size(), 1u);
  EXPECT_TRUE(CloseForm->isHidden());
  EXPECT_FALSE(EventLoopEnds(200));
}

TEST_F(UnsavedChanges, DropsOfOtherFilesAreRefusedWithoutTouchingTheFields) {
  WriteFileBytes(dir.file("notes.txt"), "nothing of ours\r\n");
  EXPECT_FALSE(Drop(MainForm->Title1_Edit, {Q(dir.file("notes.txt"))}));
  EXPECT_FALSE(Drop(MainForm->Title1_Edit, {Q(example), Q(example)}));
  EXPECT_TRUE(MainForm->Title1_Edit->text().isEmpty());
  EXPECT_TRUE(services.messages.empty());

  MainForm->PageControl1->setCurrentWidget(MainForm->Intro_Tabsheet);
  EXPECT_TRUE(Drop(MainForm->Intro_Memo->viewport(), {Q(kData + "field-rectangular.out")}));
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Output_TabSheet);
  EXPECT_TRUE(MainForm->Output_Memo->isVisible());
}
