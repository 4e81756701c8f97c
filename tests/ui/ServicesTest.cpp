#include "WindowsFixture.h"

#include "TempDir.h"
#include "core/Numerics.h"
#include "core/TextFile.h"
#include "ui/PumpfieldApplication.h"
#include "ui/QtServices.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

TEST_F(WindowsTest, MenuItemsAndActionsCarryCaptionsShortcutsHintsAndStates) {
  struct Expected {
    QAction* item;
    const char* itemName;
    QAction* action;
    const char* caption;
    const char* itemShortcut;
    const char* actionShortcut;
    const char* toolTip;
    bool enabled;
  };
  TMainForm& f = *MainForm;
  const Expected rows[] = {
      {f.InputOpen1, "InputOpen1", f.InputOpen, "&InputOpen", "Ctrl+I", "Ctrl+I",
       "Open an existing datafile", true},
      {f.InputSave1, "InputSave1", f.InputSave, "Input&Save", "Ctrl+S", "",
       "Save the data into a datafile", false},
      {f.OpenOutput1, "OpenOutput1", f.OutputOpen, "&OutputOpen", "Ctrl+O", "Ctrl+O",
       "Open an output file", true},
      {f.GraphOpen1, "GraphOpen1", f.GraphOpen, "&GraphOpen", "Ctrl+G", "Ctrl+G",
       "Open a graphis file", true},
      {f.ProgramExit, "ProgramExit", f.FileExit1, "ProgramE&xit", "Ctrl+X", "Ctrl+X", "Exit", true},
      {f.Cut, "Cut", f.EditCut1, "Cu&t\tCtrl+X", "", "Ctrl+X", "Cut", true},
      {f.Copy, "Copy", f.EditCopy1, "&Copy", "Ctrl+C", "Ctrl+C", "Copy", true},
      {f.Paste, "Paste", f.EditPaste1, "&Paste", "Ctrl+V", "Ctrl+V", "Paste", true},
      {f.Delete, "Delete", f.EditDelete1, "&Delete", "Del", "Del", "Delete", true},
  };
  for (const Expected& r : rows) {
    SCOPED_TRACE(r.itemName);
    EXPECT_EQ(r.item->objectName(), r.itemName);
    EXPECT_EQ(r.item->text(), r.caption);
    EXPECT_EQ(r.item->shortcut(), QKeySequence(r.itemShortcut));
    EXPECT_EQ(r.action->shortcut(), QKeySequence(r.actionShortcut));
    EXPECT_EQ(r.item->toolTip(), r.toolTip);
    EXPECT_EQ(r.item->isEnabled(), r.enabled);
    EXPECT_EQ(r.action->isEnabled(), r.enabled);
  }
  EXPECT_EQ(f.ProgramExit->statusTip(), "Quit the application");
  EXPECT_EQ(f.FileExit1->statusTip(), "Quits the application");
  EXPECT_EQ(f.EditCut1->statusTip(), "Cuts the selection and puts it on the Clipboard");
  EXPECT_TRUE(f.GraphOpen->toolTip().isEmpty() || f.GraphOpen->toolTip() == "&GraphOpen" ||
              f.GraphOpen->toolTip() == "GraphOpen");

  const QList<QAction*> menus = f.MainMenu1->actions();
  ASSERT_EQ(menus.size(), 4);
  EXPECT_EQ(menus[0]->text(), "File");
  EXPECT_EQ(menus[1]->text(), "&Edit");
  EXPECT_EQ(menus[2], f.Export1->menuAction()); // added after the menus of old
  EXPECT_EQ(menus[3], f.Help1->menuAction());
  EXPECT_EQ(f.Help1->actions(), (QList<QAction*>{f.UserGuide1, f.About1}));
  EXPECT_EQ(f.UserGuide1->shortcut(), QKeySequence(Qt::Key_F1));
  // The recent files come after the items of old, behind a separator.
  EXPECT_EQ(
      f.File1->actions().mid(0, 5),
      (QList<QAction*>{f.InputOpen1, f.InputSave1, f.OpenOutput1, f.GraphOpen1, f.ProgramExit}));
  ASSERT_EQ(f.File1->actions().size(), 7);
  EXPECT_TRUE(f.File1->actions()[5]->isSeparator());
  EXPECT_EQ(f.File1->actions()[6], f.RecentFiles1->menuAction());
  EXPECT_EQ(f.Edit1->actions(), (QList<QAction*>{f.Cut, f.Copy, f.Paste, f.Delete}));
}

TEST_F(WindowsTest, ButtonsFollowTheirActions) {
  MainForm->InputOpen->setEnabled(false);
  EXPECT_FALSE(MainForm->Fileopen_Button->isEnabled());
  EXPECT_FALSE(MainForm->InputOpen1->isEnabled());
  MainForm->InputOpen->setEnabled(true);
  EXPECT_TRUE(MainForm->Fileopen_Button->isEnabled());

  int triggered = 0;
  QObject::connect(MainForm->GraphOpen, &QAction::triggered, [&] { ++triggered; });
  MainForm->SeeGraphButton->click();
  MainForm->GraphOpen1->trigger();
  EXPECT_EQ(triggered, 2);
}

TEST_F(WindowsTest, DialogsHaveTheirFiltersExtensionsAndFolders) {
  using Kind = FileDialogSetup::Kind;
  struct Expected {
    const FileDialogSetup* dialog;
    const char* name;
    Kind kind;
    const char* filter;
    const char* extension;
  };
  const TMainForm& f = *MainForm;
  const Expected rows[] = {
      {&f.InputOpen_Dialog, "InputOpen_Dialog", Kind::Open, "Input files (*.inp)|*.inp", "inp"},
      {&f.InputSave_Dialog, "InputSave_Dialog", Kind::Save, "Input files (*.inp)|*.inp", "inp"},
      {&f.OutputOpen_Dialog, "OutputOpen_Dialog", Kind::Open, "Output files (*.out)|*.out", "out"},
      {&f.GraphOpen_Dialog, "GraphOpen_Dialog", Kind::Open, "Image files (*.bmp)|*.bmp", "bmp"},
      {&f.GraphSave_Dialog, "GraphSave_Dialog", Kind::Save, "Image files (*.bmp)|*.bmp", "bmp"},
  };
  for (const Expected& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.dialog->name, r.name);
    EXPECT_TRUE(r.dialog->kind == r.kind);
    EXPECT_EQ(r.dialog->filter, r.filter);
    EXPECT_EQ(r.dialog->defaultExtension, r.extension);
  }
  EXPECT_EQ(QtNameFilters("Input files (*.inp)|*.inp"), QStringList{"Input files (*.inp)"});
  EXPECT_EQ(QtNameFilters("Pictures|*.bmp;*.png"), QStringList{"Pictures (*.bmp *.png)"});

  const QString start = QDir::currentPath();
  EXPECT_EQ(f.InputOpen_Dialog.initialFolder, start);
  EXPECT_EQ(f.InputSave_Dialog.initialFolder, start);
  EXPECT_EQ(f.OutputOpen_Dialog.initialFolder, start);
  MainForm->SetDialogFolders("/data/polder");
  EXPECT_EQ(f.InputOpen_Dialog.initialFolder, "/data/polder");
  EXPECT_EQ(f.InputSave_Dialog.initialFolder, "/data/polder");
  EXPECT_EQ(f.OutputOpen_Dialog.initialFolder, "/data/polder");
  EXPECT_TRUE(f.GraphOpen_Dialog.initialFolder.isEmpty());
  EXPECT_TRUE(f.GraphSave_Dialog.initialFolder.isEmpty());
}

TEST(FileDialogSeam, AChosenFileMakesItsFolderTheWorkingDirectory) {
  ScriptedFileDialogs dialogs;
  TempDir temp;
  const QString sub = QString::fromStdString(temp.path()) + "/run one";
  ASSERT_TRUE(QDir().mkpath(sub));
  const QString before = QDir::currentPath();

  dialogs.answers = {std::nullopt, sub + "/field.inp"};
  FileDialogSetup setup;
  setup.name = "InputOpen_Dialog";
  EXPECT_FALSE(RunFileDialog(setup).has_value());
  EXPECT_EQ(QDir::currentPath(), before);

  EXPECT_EQ(RunFileDialog(setup), sub + "/field.inp"); // need not exist
  EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(), QFileInfo(sub).canonicalFilePath());
  ASSERT_EQ(dialogs.asked.size(), 2u);
  EXPECT_EQ(dialogs.asked[1].name, "InputOpen_Dialog");
}

namespace {
class Thrower : public QObject {
public:
  std::function<void()> raise;
  int handled = 0;
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) {
      ++handled;
      raise();
    }
    return QObject::event(e);
  }
};
} // namespace

// Installs `services` for the windows while it lives.
struct InstalledForWindows {
  explicit InstalledForWindows(Services& services) { InstallServices(&services); }
  ~InstalledForWindows() { InstallServices(nullptr); }
};

TEST(TopLevelHandler, AnEscapedErrorBecomesAMessageAndTheProgramGoesOn) {
  ScriptedServices services;
  const InstalledForWindows installed(services);
  Thrower thrower;
  QEvent event(QEvent::User);

  thrower.raise = [] { throw ArithmeticError("Floating point division by zero"); };
  QCoreApplication::sendEvent(&thrower, &event);
  thrower.raise = [] { throw InputOutputError("File not found"); };
  QCoreApplication::sendEvent(&thrower, &event);
  thrower.raise = [] { throw 42; };
  QCoreApplication::sendEvent(&thrower, &event);
  EXPECT_EQ(services.messages,
            (std::vector<std::string>{"Floating point division by zero", "File not found",
                                      "An unknown error occurred."}));

  // A posted event after the failures is still delivered by the running loop.
  thrower.raise = [] { QCoreApplication::exit(7); };
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  EXPECT_EQ(QCoreApplication::exec(), 7);
  EXPECT_EQ(thrower.handled, 4);
}

TEST(TopLevelHandler, AnErrorInAButtonHandlerIsReported) {
  ScriptedServices services;
  const InstalledForWindows installed(services);
  QPushButton button("Run");
  // As the windows connect their buttons: the error is caught before it reaches the toolkit.
  QObject::connect(&button, &QPushButton::clicked, [] {
    RunGuarded([] { throw std::runtime_error("'12x' is not a valid floating point value"); });
  });
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[0], "'12x' is not a valid floating point value");

  bool ranOn = false;
  RunGuarded([] { throw RangeError("Range check error"); });
  RunGuarded([&] { ranOn = true; });
  EXPECT_TRUE(ranOn);
  EXPECT_EQ(services.messages.back(), "Range check error");
}

TEST(QtServicesTest, ProgressLinesGoToTheMemoAndQuestionsAreYesOnlyOnYes) {
  QPlainTextEdit memo;
  QtServices services(&memo);
  services.AppendProgress(" Saving data .....");
  services.AppendProgress(" Progress 25% ....");
  EXPECT_EQ(memo.toPlainText(), " Saving data .....\n Progress 25% ....");

  auto answer = [](QMessageBox::StandardButton which) {
    QTimer::singleShot(0, [which] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      if (which == QMessageBox::NoButton)
        box->reject(); // closed without an answer
      else
        box->button(which)->click();
    });
  };
  answer(QMessageBox::Yes);
  EXPECT_TRUE(services.AskYesNo("The file already exists, overwrite?"));
  answer(QMessageBox::No);
  EXPECT_FALSE(services.AskYesNo("The file already exists, overwrite?"));
  answer(QMessageBox::NoButton);
  EXPECT_FALSE(services.AskYesNo("The file already exists, overwrite?"));

  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "No input file was selected");
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    box->accept();
  });
  services.ShowMessage("No input file was selected");
}

TEST(QtServicesTest, EnterGivesThePreselectedAnswerWithThePointerOverTheBox) {
  QtServices services(nullptr);
  Qt::CursorShape pointer = Qt::BlankCursor;
  auto pressEnter = [&pointer] {
    QTimer::singleShot(0, [&pointer] {
      pointer = QApplication::overrideCursor()->shape();
      QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);
    });
  };
  QApplication::setOverrideCursor(Qt::WaitCursor); // as during a run
  pressEnter();
  EXPECT_FALSE(services.AskYesNo("The file already exists, overwrite?"));
  EXPECT_EQ(pointer, Qt::ArrowCursor);
  pressEnter();
  EXPECT_TRUE(services.AskYesNoExpectingYes("Do you wish to do the calculations?"));
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::restoreOverrideCursor();
}

TEST(QtServicesTest, ThePercentDoneStaysTheMemosLastLine) {
  QPlainTextEdit memo;
  QtServices services(&memo);
  services.AppendProgress(" Please wait .....");
  services.ShowPercentDone(10);
  services.ShowPercentDone(40);
  services.AppendProgress(" Almost done .....");
  services.ShowPercentDone(70);
  EXPECT_EQ(memo.toPlainText(), " Please wait .....\n Almost done .....\n Done 70% .....");
  memo.clear();
  services.ShowPercentDone(80);
  EXPECT_EQ(memo.toPlainText(), " Done 80% .....");
}

TEST(QtServicesTest, AQuitRequestedBeforeTheLoopRunsEndsItOnceItRuns) {
  QtServices services(nullptr);
  services.RequestQuit();
  bool timedOut = false;
  QTimer::singleShot(3000, [&] {
    timedOut = true;
    QCoreApplication::exit(1);
  });
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_FALSE(timedOut);
}
