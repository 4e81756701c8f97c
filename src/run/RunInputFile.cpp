#include "run/RunInputFile.h"

#include "calc/CalcFiles.h"
#include "calc/UTrellow.h"
#include "core/FileNames.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "run/AimDispatch.h"
#include "run/CheckBeforeSave.h"

namespace {
// The services in force, except that a request to end the program (a corrupt input file) is
// only noted: ending is the business of whoever started the run.
class NoteQuit final : public Services {
public:
  NoteQuit() : inner_(AppServices()) { InstallServices(this); }
  ~NoteQuit() override { InstallServices(&inner_); }
  void AppendProgress(const std::string& line) override { inner_.AppendProgress(line); }
  void ShowMessage(const std::string& text) override { inner_.ShowMessage(text); }
  bool AskYesNo(const std::string& text) override { return inner_.AskYesNo(text); }
  void RequestQuit() override { quitRequested = true; }
  void Pause(int milliseconds) override { inner_.Pause(milliseconds); }
  void ShowPercentDone(int percent) override { inner_.ShowPercentDone(percent); }

  bool quitRequested = false;

private:
  Services& inner_;
};

// The window's tests before saving, on the file's values: a file written by hand gets the same
// scrutiny as one the window saved. The first failure becomes the error list.
void RefuseWhatTheWindowWouldNotSave(const TDMPumpfield& data) {
  const char* failure = PreSaveFailure(data.AimCode, data.Params);
  if (!failure)
    return;
  ErrorList errors;
  errors.Add((" " + std::string(failure)).c_str());
  errors.Finish();
}
} // namespace

RunOutcome RunInputFile(const std::string& inputName) {
  RunOutcome outcome;
  outcome.reportName = ChangeFileExt(inputName, ".out");
  if (const TextReader input(inputName); !input.opened()) {
    outcome.status = RunStatus::BadInputFile;
    outcome.errorText = input.FailureMessage(CouldNotOpenForReadingMessage(inputName));
    return outcome;
  }
  NoteQuit services;
  ScopedDataModule module;
  TDMPumpfield& data = module.data();
  data.InputFileName = inputName;
  data.LoadInputFile();
  outcome.aimCode = data.AimCode;
  if (services.quitRequested) {
    outcome.status = RunStatus::BadInputFile; // its message has been shown
    return outcome;
  }
  const AimRun* run = FindAimRun(data.AimCode);
  if (!run) {
    outcome.status = RunStatus::BadInputFile;
    outcome.errorText = "The run file could not be found or opened.  No calculations were made.";
    return outcome;
  }
  try {
    run->check();
    if (!InputErrorFlag)
      RefuseWhatTheWindowWouldNotSave(data);
    if (!InputErrorFlag)
      RefuseUncountableRun(*run);
    if (InputErrorFlag) {
      outcome.status = RunStatus::InputErrors;
      return outcome;
    }
    DeleteFileIfExists(kErrorListName);
    Calculate(*run);
  } catch (const ArithmeticError& e) {
    outcome.status = RunStatus::ArithmeticError;
    outcome.errorText = e.what();
  } catch (const InputOutputError& e) {
    outcome.status = RunStatus::BadInputFile;
    outcome.errorText = e.what();
  }
  return outcome;
}
