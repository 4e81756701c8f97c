// The save-and-run workflow: save dialog and file-name rules, fields into the parameter set,
// consistency checks, writing the input file, and the run with its announcements.
#include "ui/MainFormRunWindow.h"
#include "ui/UMainForm.h"

#include "calc/RunSize.h"
#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "run/AimDispatch.h"
#include "run/CheckBeforeSave.h"
#include "ui/UFigureForm.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

void MainFormRunWindow::ShowAndClearWaitMemo() {
  form_.WaitMemo->show();
  form_.WaitMemo->clear();
  form_.WaitMemo->raise();
  form_.WaitMemo->repaint();
}

void MainFormRunWindow::HideWaitMemo() { form_.WaitMemo->hide(); }

void MainFormRunWindow::HideFigures() {
  if (FigureForm)
    FigureForm->hide();
  form_.FigureButton2->hide();
}

void MainFormRunWindow::SetOutputShown(bool shown) { form_.State.OutputShown = shown; }

void MainFormRunWindow::SetRunHadErrors(bool hadErrors) {
  form_.State.RunHadErrors = hadErrors;
  form_.State.FailedRunInput = hadErrors ? form_.DMPumpfield->InputFileName : std::string();
}

void MainFormRunWindow::ActivateOutputSheet() {
  form_.PageControl1->setCurrentWidget(form_.Output_TabSheet);
}

namespace {
class StartupSeparatorOnExit {
public:
  explicit StartupSeparatorOnExit(MainFormState& state) : state_(state) {}
  ~StartupSeparatorOnExit() { state_.DecimalSeparator = state_.StartupDecimalSeparator; }
  StartupSeparatorOnExit(const StartupSeparatorOnExit&) = delete;
  StartupSeparatorOnExit& operator=(const StartupSeparatorOnExit&) = delete;

private:
  MainFormState& state_;
};

class BusyCursor {
public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// Creates `path` as an empty file when nothing of that name exists yet (a link is followed).
// Never waits on a named pipe or device.
void CreateEmptyFile(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) == 0)
    return;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0)
    throw InputOutputError("File \"" + path + "\" could not be created: " + std::strerror(errno));
  ::close(fd);
}

// The bytes of the regular file `path` before it is overwritten; nothing for a new file.
std::optional<std::string> ContentBeforeSave(const std::string& path) {
  if (!FileExists(path))
    return std::nullopt;
  const TextReader file(path);
  if (!file.opened())
    return std::nullopt;
  return file.content();
}

// A run that found errors deletes its input file: one that existed before the save gets its
// previous content back. The line that says so, for the error list.
std::string RestoreInputAfterErrors(const std::string& inputName,
                                    const std::string& previousContent) {
  std::string errorText;
  if (WriteWholeFile(inputName, previousContent, errorText))
    return " The previous content of the file \"" + inputName + "\" was restored.";
  return " The previous content of the file \"" + inputName + "\" could not be restored.";
}
} // namespace

bool TMainForm::AskInputFileName() {
  State.SaveCancelled = false;
  const std::optional<QString> chosen =
      RunFileDialog(StartingAtFile(InputSave_Dialog, ToQ(DMPumpfield->InputFileName)));
  if (!chosen) {
    State.SaveCancelled = true;
    return false;
  }
  DMPumpfield->InputFileName = FromQ(*chosen);
  if (FileExists(DMPumpfield->InputFileName))
    return DMPumpfield->AskConfirmation("The file already exists, overwrite?");
  return true;
}

void TMainForm::InputSaveExecute() {
  TDMPumpfield& dm = *DMPumpfield;
  for (;;) {
    if (!AskInputFileName() || State.SaveCancelled) {
      AppServices().ShowMessage("The input data were not saved");
      return;
    }
    State.InputFileTitle = ToQ(ExtractFileName(dm.InputFileName));
    if (State.InputFileTitle.count('.') > 1) {
      AppServices().ShowMessage(
          "The number of dots (.) in the file name should not be greater than 1. Please adjust.");
      continue;
    }
    // The run would write its error list over the input file, then delete it.
    const std::string errorList = ExpandFileName(engine.Files.ErrorList);
    if (ExpandFileName(dm.InputFileName) != errorList && !SameFile(dm.InputFileName, errorList))
      break;
    AppServices().ShowMessage("The run writes its error list in \"" + errorList +
                              "\"; please choose another name for the input file.");
  }

  dm.Title1 = FromQ(Title1_Edit->text());
  dm.Title2 = FromQ(Title2_Edit->text());
  if (!State.InputLoaded)
    dm.Params.resize(std::max<size_t>(dm.Params.size(), 15));
  if (dm.Params.size() < 14)
    dm.Params.resize(14);
  {
    // A text that converts under neither separator leaves the other one in force; the
    // start-up separator returns on that path too.
    const StartupSeparatorOnExit restore(State);
    for (size_t i = 0; i < 14; ++i) {
      dm.Params[i] = StringToFloat(FromQ(TMaskEdits[i]->text()), State.DecimalSeparator);
      State.DecimalSeparator = State.StartupDecimalSeparator;
    }
  }

  RunFlags& flags = engine.Flags;
  flags.ChecksPassed = false;
  CheckBeforeSave(dm, flags.ChecksPassed);
  if (!flags.ChecksPassed)
    return;

  const std::optional<std::string> previousContent = ContentBeforeSave(dm.InputFileName);
  CreateEmptyFile(dm.InputFileName);
  flags.WorkDirectory = GetCurrentDir();
  SetDialogFolders(ToQ(flags.WorkDirectory));
  State.DecimalSeparator = '.';
  // A file that could not be written has been reported; asking to run it would claim it was
  // saved.
  if (!dm.SaveInputFile(dm.InputFileName))
    return;
  FileName_Edit->setText(ToQ(dm.InputFileName));
  FileName_Edit->show();
  Filename_Label->show();
  RememberRecentFile(dm.InputFileName);
  MarkInputSaved();
  if (saveWithoutRun_)
    return;

  // A run is what the user saved for: Yes is preselected.
  flags.RunConfirmed =
      AppServices().AskYesNoExpectingYes("The input data were saved in  " + dm.InputFileName +
                                         " . Do you wish to do the calculations?");
  if (!flags.RunConfirmed) {
    AppServices().ShowMessage("The calculations were not made, output is not available");
    return;
  }

  // An aim code the run cannot start gets its message from RunCalculation and no announcement
  // of results here.
  const bool runnable = FindAimRun(dm.AimCode) != nullptr;
  const std::string inputName = dm.InputFileName; // the Output sheet renames it to the report
  MainFormRunWindow window(*this);
  RunWindowOnWindowThread windowOfRun(window);
  // The window shows that it is busy, and is painted whole once more where the question box was.
  const BusyCursor busy;
  RepaintWhole();
  try {
    RunInBackground([&] {
      RunCalculation(engine, windowOfRun);
      if (runnable && !State.RunHadErrors) {
        engine.services.AppendProgress(" Filing results ..");
        engine.services.Pause(1000);
      }
    });
  } catch (const RunCancelled&) {
    WaitMemo->hide();
    ShowStatus("The calculation was cancelled; the previous output is unchanged.");
    return;
  } catch (...) {
    WaitMemo->hide(); // the error's message follows; the progress lines no longer apply
    throw;
  }
  // The run deleted the input file it found errors in: the data are in the fields alone.
  if (State.RunHadErrors) {
    if (previousContent)
      Output_Memo->appendPlainText('\n' +
                                   ToQ(RestoreInputAfterErrors(inputName, *previousContent)));
    MarkInputUnsaved();
  }
  if (!runnable)
    return;
  if (!State.RunHadErrors) {
    WaitMemo->hide();
    State.InputFileTitle = ToQ(ChangeFileExt(dm.InputFileName, ".inp"));
    AppServices().ShowMessage("The input is saved in " + FromQ(State.InputFileTitle) +
                              "   Calculations were made and the output is saved in " +
                              ChangeFileExt(dm.InputFileName, ".out") +
                              "   Use Output tabsheet to see the results.");
  }
  PageControl1->setCurrentWidget(Output_TabSheet);
}
