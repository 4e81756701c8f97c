#include "InputSheetFixture.h"

#include "core/FileNames.h"
#include "ui/QtServices.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <sys/stat.h>

namespace {
const std::string kSuffix = " Input not saved. Please correct the data";

// Scripted answers, with the progress lines also going through the desktop program's services
// into WaitMemo; each line records what the memo then showed and whether it was painted.
class MemoServices : public ScriptedServices {
public:
  struct Seen {
    bool visible;
    QStringList memoLines;
    int paints;
    int postedDelivered;
    bool busy;        // the busy cursor was on
    int windowPaints; // paints of a control far from the memo, since the run question
    bool cancelShown;
    QRect memoPlace;
  };

  // `elsewhere`: a control of the window that the memo does not cover.
  MemoServices(QPlainTextEdit* memo, QWidget* elsewhere)
      : qt_(memo), memo_(memo), elsewhere_(elsewhere), counter_(this) {
    memo->viewport()->installEventFilter(&counter_);
    elsewhere->installEventFilter(&counter_);
  }

  void AppendProgress(const std::string& line) override {
    NoteThread();
    ScriptedServices::AppendProgress(line);
    qt_.AppendProgress(line);
    const QCursor* cursor = QApplication::overrideCursor();
    seen.push_back({memo_->isVisible(), memo_->toPlainText().split('\n'), paints, postedDelivered,
                    cursor && cursor->shape() == Qt::BusyCursor, windowPaints,
                    MainForm->Cancel_Button->isVisible(), memo_->geometry()});
    if (onLine)
      onLine(line);
  }
  void ShowMessage(const std::string& text) override {
    NoteThread();
    linesBeforeMessage.push_back(progress.size());
    ScriptedServices::ShowMessage(text);
  }
  bool AskYesNoExpectingYes(const std::string& text) override {
    NoteThread();
    windowPaints = 0;
    return ScriptedServices::AskYesNoExpectingYes(text);
  }

  std::vector<Seen> seen;
  int paints = 0;
  int windowPaints = 0;
  int postedDelivered = 0;
  int callsOffWindowThread = 0; // progress lines, messages and questions
  std::vector<size_t> linesBeforeMessage;
  // Called on the window's thread after each progress line.
  std::function<void(const std::string&)> onLine;

  // Counts paints of the memo's text area and deliveries of posted events to itself.
  class Counter : public QObject {
  public:
    explicit Counter(MemoServices* owner) : owner_(owner) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Paint)
        ++(watched == owner_->elsewhere_ ? owner_->windowPaints : owner_->paints);
      return false;
    }
    bool event(QEvent* event) override {
      if (event->type() == QEvent::User)
        ++owner_->postedDelivered;
      return QObject::event(event);
    }

  private:
    MemoServices* owner_;
  };

private:
  void NoteThread() {
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
      ++callsOffWindowThread;
  }

  QtServices qt_;
  QPlainTextEdit* memo_;
  QWidget* elsewhere_;

public:
  Counter counter_;
};

std::vector<std::string> FileLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream in(ReadFileBytes(path));
  for (std::string line; std::getline(in, line);)
    lines.push_back(line.substr(0, line.find('\r')));
  return lines;
}

std::vector<double> FileNumbers(const std::string& path) {
  std::istringstream in(FileLines(path).at(4));
  std::vector<double> numbers;
  for (double value; in >> value;)
    numbers.push_back(value);
  return numbers;
}

std::string RunQuestion(const std::string& path) {
  return "The input data were saved in  " + path + " . Do you wish to do the calculations?";
}

const std::vector<QString> kSpacing{"0.05", "4",   "18",   "2.5", "12",  "0.2", "0.3",
                                    "0.8",  "0.6", "0.15", "8",   "2.5", "1.5"};
} // namespace

class SaveRun : public InputSheetTest {
protected:
  void SetUp() override {
    InputSheetTest::SetUp();
    memo = std::make_unique<MemoServices>(MainForm->WaitMemo, MainForm->Fileopen_Button);
    said = memo.get();
    InstallServices(said);
  }
  void TearDown() override {
    said = &services;
    memo.reset();
    InstallServices(&services);
    InputSheetTest::TearDown();
  }

  // All fields back to "0", then the aim and the visible fields as the user types them.
  static void Situation(int aim, const std::vector<QString>& texts) {
    for (int i = 1; i <= 14; ++i)
      Field(i)->setText("0");
    ChooseAim(aim);
    Type(MainForm->Title1_Edit, "Road");
    EnterFields(texts);
  }

  std::unique_ptr<MemoServices> memo;
};

struct RoadCase {
  const char* name;
  int aim;
  const char* code; // in the saved file
  std::vector<QString> fields;
};

void PrintTo(const RoadCase& c, std::ostream* out) { *out << c.name; }

class WholeRoad : public SaveRun, public ::testing::WithParamInterface<RoadCase> {};

TEST_P(WholeRoad, SaveAndRunWritesInputAndReportAndAnnouncesBoth) {
  const RoadCase& c = GetParam();
  Situation(c.aim, c.fields);
  const std::string input = dir.file("case.inp");
  const std::string report = dir.file("case.out");
  memo->postedDelivered = 0;
  QCoreApplication::postEvent(&memo->counter_, new QEvent(QEvent::User));

  Save({input}, {true});

  EXPECT_EQ(memo->questionsExpectingYes, std::vector<std::string>{RunQuestion(input)});
  EXPECT_EQ(memo->messages,
            std::vector<std::string>{"The input is saved in " + input +
                                     "   Calculations were made and the output is saved in " +
                                     report + "   Use Output tabsheet to see the results."});
  ASSERT_TRUE(FileExists(input));
  EXPECT_EQ(FileLines(input).at(0), "Road");
  EXPECT_EQ(FileLines(input).at(3), c.code);
  EXPECT_EQ(FileNumbers(input).at(0), c.fields[0].toDouble());
  ASSERT_TRUE(FileExists(report));
  EXPECT_GT(FileLines(report).size(), 20u);
  EXPECT_FALSE(FileExists(dir.file("Error.lst")));

  const std::vector<std::string>& lines = memo->progress;
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], " Saving data .....");
  EXPECT_EQ(lines[1], " Progress 25% ....");
  EXPECT_EQ(lines[2], " Calculating .....");
  EXPECT_EQ(lines[3], " Please wait .....");
  EXPECT_EQ(lines[lines.size() - 2], " Writing output ..");
  EXPECT_EQ(lines.back(), " Filing results ..");
  for (const std::string& line : lines)
    EXPECT_EQ(line.size(), 18u) << line;

  // Every line was on screen and painted, beside the Cancel button, clear of the file and title
  // fields, while the window's events went on (the one posted before the run was delivered).
  ASSERT_EQ(memo->seen.size(), lines.size());
  for (size_t i = 0; i < memo->seen.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    const MemoServices::Seen& seen = memo->seen[i];
    EXPECT_TRUE(seen.visible);
    ASSERT_EQ(seen.memoLines.size(), qsizetype(i + 1));
    EXPECT_EQ(seen.memoLines.back().toStdString(), lines[i]);
    EXPECT_GT(seen.paints, i == 0 ? 0 : memo->seen[i - 1].paints);
    EXPECT_EQ(seen.postedDelivered, 1);
    EXPECT_TRUE(seen.busy);
    EXPECT_TRUE(seen.cancelShown);
    for (QLineEdit* field : {MainForm->FileName_Edit, MainForm->Title1_Edit, MainForm->Title2_Edit})
      EXPECT_FALSE(seen.memoPlace.intersects(field->geometry()))
          << field->objectName().toStdString();
  }
  // Painted whole once the question was answered, before the first progress line.
  EXPECT_GT(memo->seen[0].windowPaints, 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(MainForm->Cancel_Button->isHidden());
  EXPECT_EQ(memo->callsOffWindowThread, 0);

  EXPECT_TRUE(MainForm->WaitMemo->isHidden());
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Output_TabSheet);
  EXPECT_FALSE(MainForm->State.RunHadErrors);
  EXPECT_TRUE(MainForm->engine.Flags.RunAttempted);
  EXPECT_TRUE(MainForm->engine.Flags.RunConfirmed);
  EXPECT_EQ(MainForm->State.DecimalSeparator, '.');
}

INSTANTIATE_TEST_SUITE_P(
    EachAim, WholeRoad,
    ::testing::Values(
        RoadCase{"Spacing", 0, "Spa", kSpacing},
        RoadCase{
            "Discharge",
            1,
            "Dis",
            {"1.5", "4", "18", "2.5", "12", "0.2", "0.3", "0.8", "0.6", "0.15", "8", "2.5", "10"}},
        RoadCase{
            "Field",
            2,
            "Hydr",
            {"0.002", "2", "10", "3", "8", "0.5", "0.3", "1", "2", "0.5", "5", "1", "12", "8"}},
        RoadCase{"Conductivity", 3, "Con", {"0.002", "1.4", "16", "3", "10", "0.1", "0.25", "10"}}),
    [](const ::testing::TestParamInfo<RoadCase>& info) { return std::string(info.param.name); });

TEST_F(SaveRun, ARunWithInputErrorsRemovesTheInputThenACorrectedRunSucceeds) {
  const std::vector<QString> field{"0", "2", "10",  "3", "8", "0.5", "0.3",
                                   "1", "2", "0.5", "5", "1", "12",  "8"}; // R = 0
  Situation(2, field);
  const std::string input = dir.file("field.inp");
  Save({input}, {true});

  EXPECT_FALSE(FileExists(input));
  EXPECT_FALSE(FileExists(dir.file("field.out")));
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Output_TabSheet);
  EXPECT_TRUE(MainForm->WaitMemo->isHidden());
  EXPECT_TRUE(MainForm->State.RunHadErrors);
  EXPECT_FALSE(MainForm->State.OutputShown);
  EXPECT_TRUE(MainForm->engine.Flags.RunAttempted);
  EXPECT_EQ(memo->progress, (std::vector<std::string>{" Saving data .....", " Progress 25% ...."}));
  EXPECT_TRUE(memo->messages.empty());

  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  Enter(1, "0.002");
  memo->progress.clear();
  Save({input}, {true}); // the file is gone, so no overwrite question
  EXPECT_EQ(memo->questions, (std::vector<std::string>{RunQuestion(input), RunQuestion(input)}));
  EXPECT_FALSE(MainForm->State.RunHadErrors);
  EXPECT_TRUE(FileExists(input));
  EXPECT_TRUE(FileExists(dir.file("field.out")));
  ASSERT_EQ(memo->messages.size(), 1u);
  EXPECT_EQ(memo->messages[0].rfind("The input is saved in " + input, 0), 0u);
  EXPECT_EQ(memo->progress.back(), " Filing results ..");
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Output_TabSheet);
}

TEST_F(SaveRun, ARunWithInputErrorsOverAnExistingFileGivesItsPreviousContentBack) {
  const std::string input = dir.file("field.inp");
  const std::string previous = "Old title\r\nkept by the user\r\n";
  WriteFileBytes(input, previous);
  Situation(
      2, {"0", "2", "10", "3", "8", "0.5", "0.3", "1", "2", "0.5", "5", "1", "12", "8"}); // R = 0
  Save({input}, {true, true});

  EXPECT_TRUE(MainForm->State.RunHadErrors);
  EXPECT_EQ(ReadFileBytes(input), previous);
  const QStringList shown = MainForm->Output_Memo->toPlainText().split('\n');
  EXPECT_TRUE(shown.contains(" Make sure that R > 0.")) << shown.join('|').toStdString();
  EXPECT_EQ(shown.back().toStdString(),
            " The previous content of the file \"" + input + "\" was restored.");
}

TEST_F(SaveRun, EachInconsistencyIsRefusedWithItsMessageAndNothingIsWritten) {
  auto with = [](std::vector<QString> texts, std::initializer_list<std::pair<int, QString>> set) {
    for (const auto& [number, text] : set)
      texts[size_t(number - 1)] = text;
    return texts;
  };
  const std::vector<QString> discharge{"1.5", "4",   "18",   "2.5", "12",  "0.2", "0.3",
                                       "0.8", "0.6", "0.15", "8",   "2.5", "10"};
  const std::vector<QString> field{"0.002", "2", "10",  "3", "8", "0.5", "0.3",
                                   "1",     "2", "0.5", "5", "1", "12",  "8"};
  const std::vector<QString> conductivity{"0.002", "1.4", "16", "3", "10", "0.1", "0.25", "10"};
  struct Case {
    int aim;
    std::vector<QString> fields;
    const char* message;
  };
  const Case cases[] = {
      {0, with(kSpacing, {{6, "-0.2"}}), "Data cannot be negative."},
      {0, with(kSpacing, {{3, "3"}}), "Take care that D2 is not less than D1."},
      {0, with(kSpacing, {{8, "0.05"}}), "Take care that Ka is greater than R."},
      {1, with(discharge, {{13, "0.6"}}), "Take care that S, or Sa and Sb, are larger than 2W."},
      {2, with(field, {{13, "100"}, {14, "0.5"}}),
       "Take care that S, or Sa and Sb, are larger than 2W."},
      {1, with(discharge, {{1, "2.5"}}), "Take care that Dm is less than Dw."},
      {0, with(kSpacing, {{13, "3"}, {4, "2"}}), "Take care that Dm is less than Dw."},
      {0, with(kSpacing, {{5, "2.5"}}), "Take care that Db is greater than Dw."},
      {3, with(conductivity, {{7, "1"}, {8, "1.5"}}), "The spacing S is smaller than 2W."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Situation(c.aim, c.fields);
    memo->messages.clear();
    Save({dir.file("case.inp")}, {true});
    EXPECT_EQ(memo->messages, std::vector<std::string>{c.message + kSuffix});
    EXPECT_TRUE(memo->questions.empty());
    EXPECT_FALSE(FileExists(dir.file("case.inp")));
  }
}

TEST_F(SaveRun, AHiddenFieldDoesNotBlockTheSave) {
  // Field 14 gets the marker in the rectangular-field aim and keeps it, hidden, when a
  // conductivity file is opened.
  Open(WriteInput("spa.inp", "Spa", "0.05 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 1.5 0"));
  ChooseAim(2);
  Open(WriteInput("con.inp", "Con", "0.002 1.4 16 3 10 0.1 0.25 10 0 0 0 0 0"));
  ASSERT_TRUE(Field(14)->isHidden());
  ASSERT_EQ(Field(14)->text(), "-1");
  Save({dir.file("case.inp")}, {false});
  EXPECT_EQ(memo->questions, std::vector<std::string>{RunQuestion(dir.file("case.inp"))});
  EXPECT_EQ(FileNumbers(dir.file("case.inp")).at(7), 10.0);
}

TEST_F(SaveRun, ASingleLayerIsSavedWithoutSecondLayerPermeabilitiesAndARefusedRunRunsNothing) {
  std::vector<QString> oneLayer = kSpacing;
  oneLayer[1] = "5";
  oneLayer[2] = "5";
  oneLayer[10] = "2";
  Situation(0, oneLayer);
  const std::string input = dir.file("one_layer.inp");
  memo->messages.clear(); // the one-layer note of field 3
  Save({input}, {false});

  EXPECT_EQ(memo->questions, std::vector<std::string>{RunQuestion(input)});
  EXPECT_EQ(memo->messages,
            std::vector<std::string>{"The calculations were not made, output is not available"});
  EXPECT_EQ(MainForm->FileName_Edit->text(), ToQ(input)); // the name the data were saved to
  EXPECT_TRUE(MainForm->FileName_Edit->isVisible() && MainForm->Filename_Label->isVisible());
  const std::vector<double> numbers = FileNumbers(input);
  ASSERT_EQ(numbers.size(), 14u);
  EXPECT_EQ(numbers[8], 0.6);
  EXPECT_EQ(numbers[10], 0.0);
  EXPECT_EQ(numbers[11], 0.0);
  EXPECT_EQ(Field(11)->text(), "2");
  EXPECT_EQ(Field(12)->text(), "2.5");
  EXPECT_TRUE(memo->progress.empty());
  EXPECT_FALSE(FileExists(dir.file("one_layer.out")));
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Input_TabSheet);
  EXPECT_FALSE(MainForm->engine.Flags.RunAttempted);
}

TEST_F(SaveRun, TheErrorListsNameOpensTheDialogAgain) {
  Situation(0, kSpacing);
  const std::string errorList = dir.file("Error.lst");
  Save({errorList, dir.file("well.inp")}, {false});
  ASSERT_EQ(memo->messages.size(), 2u);
  EXPECT_EQ(memo->messages[0], "The run writes its error list in \"" + errorList +
                                   "\"; please choose another name for the input file.");
  EXPECT_FALSE(FileExists(errorList));
  EXPECT_TRUE(FileExists(dir.file("well.inp")));
}

TEST_F(SaveRun, TwoDotsInTheNameOpenTheDialogAgain) {
  Situation(0, kSpacing);
  Save({dir.file("well.field.inp"), dir.file("well_field.inp")}, {false});
  ASSERT_EQ(memo->messages.size(), 2u);
  EXPECT_EQ(memo->messages[0], "The number of dots (.) in the file name should not be greater "
                               "than 1. Please adjust.");
  ASSERT_EQ(dialogs.asked.size(), 2u);
  EXPECT_EQ(dialogs.asked[1].name, "InputSave_Dialog");
  EXPECT_FALSE(FileExists(dir.file("well.field.inp")));
  EXPECT_TRUE(FileExists(dir.file("well_field.inp")));
  // The dots rule looks at the file name only, not at the folder.
  const std::string dotted = dir.path() + "/v1.2";
  ASSERT_TRUE(QDir().mkpath(ToQ(dotted)));
  Save({dotted + "/run.inp"}, {false});
  EXPECT_TRUE(FileExists(dotted + "/run.inp"));
  EXPECT_EQ(MainForm->InputSave_Dialog.initialFolder.toStdString(), dotted);
}

TEST_F(SaveRun, CancelOrARefusedOverwriteSavesNothing) {
  Situation(0, kSpacing);
  const std::string old = dir.file("old.inp");
  WriteFileBytes(old, "keep");
  Save({}, {});
  Save({old}, {false});
  EXPECT_EQ(memo->questions, std::vector<std::string>{"The file already exists, overwrite?"});
  EXPECT_EQ(memo->messages, (std::vector<std::string>{"The input data were not saved",
                                                      "The input data were not saved"}));
  EXPECT_EQ(ReadFileBytes(old), "keep");

  Save({old}, {true, false});
  EXPECT_EQ(FileLines(old).at(0), "Road");
}

TEST_F(SaveRun, ABadTextStillInItsFieldStopsTheSaveAndTheSeparatorStays) {
  Situation(0, kSpacing);
  Type(Field(4), "2,5x"); // Ctrl+S while the field still has the focus
  Save({dir.file("case.inp")}, {true});
  EXPECT_EQ(memo->messages, std::vector<std::string>{"'2,5x' is not a valid floating point value"});
  EXPECT_FALSE(FileExists(dir.file("case.inp")));
  EXPECT_EQ(MainForm->State.DecimalSeparator, '.');
}

TEST_F(SaveRun, NumbersTypedWithACommaAreSavedWithAPointWhichStaysInForce) {
  MainForm->State.StartupDecimalSeparator = ',';
  MainForm->State.DecimalSeparator = ',';
  Situation(
      0, {"0,05", "4", "18", "2,5", "12", "0,2", "0,3", "0,8", "0,6", "0,15", "8", "2,5", "1,5"});
  EXPECT_EQ(Field(4)->text(), "2,5");
  Save({dir.file("comma.inp")}, {false});
  const std::vector<double> numbers = FileNumbers(dir.file("comma.inp"));
  EXPECT_EQ(numbers.at(3), 2.5);
  EXPECT_EQ(numbers.at(12), 1.5);
  EXPECT_EQ(MainForm->State.DecimalSeparator, '.');
  Enter(4, "3,5");
  EXPECT_EQ(Field(4)->text(), "3.5");
}

TEST_F(SaveRun, AFileThatCannotBeWrittenIsNotOfferedForARun) {
  Situation(0, kSpacing);
  const std::string input = dir.file("blocked.inp");
  ASSERT_EQ(::mkfifo(input.c_str(), 0666), 0); // a named pipe is never replaced nor waited on
  Save({input}, {true});
  EXPECT_TRUE(memo->questions.empty());
  ASSERT_EQ(memo->messages.size(), 1u);
  EXPECT_NE(memo->messages[0].find("could not be opened. It may be damaged"), std::string::npos);
  EXPECT_TRUE(memo->progress.empty());
  EXPECT_FALSE(FileExists(dir.file("blocked.out")));
}

namespace {
// Input queued for the window as the desktop queues what the user does during a run.
void QueueKey(QWidget* widget, int key, const QString& text = QString()) {
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}
} // namespace

TEST_F(SaveRun, ACancelledRunLeavesTheOldReportAsItWasAndNoOtherFile) {
  enum class Stop { CancelButton, Escape, CloseBox };
  struct Row {
    const char* name;
    const char* line; // the progress line after which the user stops the run
    Stop stop;
  };
  const std::string input = dir.file("case.inp");
  const std::string report = dir.file("case.out");
  for (const Row& row : {Row{"Cancel button", " Saving data .....", Stop::CancelButton},
                         Row{"Escape", " Please wait .....", Stop::Escape},
                         Row{"close box", " Progress 25% ....", Stop::CloseBox}}) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove(input);
    WriteFileBytes(report, "old report\r\n");
    std::set<std::string> files = FilesIn(dir.file(""));
    memo->messages.clear();
    memo->onLine = [&row](const std::string& line) {
      if (line != row.line)
        return;
      if (row.stop == Stop::CancelButton)
        QueueClick(MainForm->Cancel_Button);
      else if (row.stop == Stop::Escape)
        QueueKey(MainForm->Title1_Edit, Qt::Key_Escape);
      else
        MainForm->close();
    };
    Situation(0, kSpacing);
    Save({input}, {true});
    QCoreApplication::processEvents();

    EXPECT_EQ(ReadFileBytes(report), "old report\r\n");
    files.insert("case.inp");
    EXPECT_EQ(FilesIn(dir.file("")), files);
    EXPECT_TRUE(memo->messages.empty());
    EXPECT_TRUE(MainForm->WaitMemo->isHidden());
    EXPECT_TRUE(MainForm->Cancel_Button->isHidden());
    EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Input_TabSheet);
    // A window closed during the run closes as ever once the run has stopped.
    EXPECT_EQ(CloseForm->isVisible(), row.stop == Stop::CloseBox);
    CloseForm->hide();
  }
}

TEST_F(SaveRun, InputDuringARunIsDiscardedNotReplayedAfterwards) {
  Situation(0, kSpacing);
  memo->onLine = [](const std::string& line) {
    if (line != " Saving data .....")
      return;
    QueueKey(MainForm->Title1_Edit, Qt::Key_X, "x");
    QueueClick(MainForm->Fileopen_Button);
  };
  Save({dir.file("case.inp")}, {true});
  QCoreApplication::processEvents();

  EXPECT_EQ(MainForm->Title1_Edit->text(), "Road");
  EXPECT_EQ(memo->messages.size(), 1u); // the announcement of the results alone
  EXPECT_TRUE(dialogs.answers.empty() && dialogs.asked.size() == 1);
}

TEST_F(SaveRun, AMessageOfTheRunComesOnTheWindowThreadBetweenItsProgressLines) {
  Situation(2, {"0.5", "2", "10", "3", "8", "0.5", "0.3", "1", "2", "0.5", "5", "1", "12", "8"});
  const std::string input = dir.file("wet.inp");
  Save({input}, {true});

  ASSERT_EQ(memo->messages.size(), 2u);
  EXPECT_EQ(memo->messages[0], " Watertable above soil surface, adjust the data.");
  EXPECT_EQ(memo->messages[1].rfind("The input is saved in " + input, 0), 0u);
  EXPECT_EQ(memo->linesBeforeMessage, (std::vector<size_t>{6, 8}));
  EXPECT_EQ(memo->progress.at(5), " Almost done .....");
  EXPECT_EQ(memo->callsOffWindowThread, 0);
}
