#include "run/RunInputFile.h"

#include "calc/Engine.h"
#include "calc/RunFiles.h"
#include "core/FileNames.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "run/AimDispatch.h"
#include "run/CheckBeforeSave.h"

#include <string_view>

namespace {
// The engine's services for its data module, except that a request to end the program (a
// corrupt input file) is only noted: ending is the business of whoever started the run.
class NoteQuit final : public Services {
public:
  explicit NoteQuit(TDMPumpfield& data) : data_(data), inner_(*data.services) {
    data_.services = this;
  }
  ~NoteQuit() override { data_.services = &inner_; }
  void AppendProgress(const std::string& line) override { inner_.AppendProgress(line); }
  // What ends a load is the user's damaged file, not a fault of the program: its message goes
  // without the program-error prefix.
  void ShowMessage(const std::string& text) override {
    const std::string_view prefix = kProgramErrorPrefix;
    inner_.ShowMessage(text.starts_with(prefix) ? text.substr(prefix.size()) : text);
  }
  bool AskYesNo(const std::string& text) override { return inner_.AskYesNo(text); }
  void RequestQuit() override { quitRequested = true; }
  void Pause(int milliseconds) override { inner_.Pause(milliseconds); }
  void ShowPercentDone(int percent) override { inner_.ShowPercentDone(percent); }

  bool quitRequested = false;

private:
  TDMPumpfield& data_;
  Services& inner_;
};

// The window's tests before saving, on the file's values: a file written by hand gets the same
// scrutiny as one the window saved. The first failure becomes the error list.
void RefuseWhatTheWindowWouldNotSave(Engine& engine) {
  const std::string failure = PreSaveFailure(engine.DMPumpfield.AimCode, engine.DMPumpfield.Params);
  if (failure.empty())
    return;
  ErrorList errors(engine);
  errors.Add((" " + failure).c_str());
  errors.Finish();
}

// The check step and, without input errors, the calculation of the loaded parameter set.
void CheckAndCalculate(Engine& engine, RunOutcome& outcome) {
  const AimRun* run = FindAimRun(engine.DMPumpfield.AimCode);
  if (!run) {
    outcome.status = RunStatus::BadInputFile;
    outcome.errorText = "The run file could not be found or opened.  No calculations were made.";
    return;
  }
  try {
    run->check(engine);
    if (!engine.InputErrorFlag)
      RefuseUncountableRun(engine, *run);
    if (!engine.InputErrorFlag)
      RefuseWhatTheWindowWouldNotSave(engine);
    if (engine.InputErrorFlag) {
      outcome.status = RunStatus::InputErrors;
      return;
    }
    if (!engine.Files.ErrorList.empty())
      DeleteFileIfExists(engine.Files.ErrorList);
    Calculate(engine, *run);
  } catch (const ArithmeticError& e) {
    outcome.status = RunStatus::ArithmeticError;
    outcome.errorText = e.what();
  } catch (const InputOutputError& e) {
    outcome.status = RunStatus::BadInputFile;
    outcome.errorText = e.what();
  }
}
} // namespace

RunOutcome RunInputFile(Engine& engine, const std::string& inputName) {
  RunOutcome outcome;
  engine.Output = RunOutput();
  outcome.reportName = ChangeFileExt(inputName, ".out");
  if (const TextReader input(inputName); !input.opened()) {
    outcome.status = RunStatus::BadInputFile;
    outcome.errorText = input.FailureMessage(CouldNotOpenForReadingMessage(inputName));
    return outcome;
  }
  TDMPumpfield& data = engine.DMPumpfield;
  data.InputFileName = inputName;
  {
    NoteQuit services(data);
    data.LoadInputFile();
    outcome.aimCode = data.AimCode;
    if (services.quitRequested) {
      outcome.status = RunStatus::BadInputFile; // its message has been shown
      return outcome;
    }
  }
  // The window's reader takes a missing value as 0; a run of a file cut short must not.
  if (std::string missing = MissingValueMessage(inputName); !missing.empty()) {
    outcome.status = RunStatus::BadInputFile;
    outcome.errorText = std::move(missing);
    return outcome;
  }
  CheckAndCalculate(engine, outcome);
  return outcome;
}

RunOutcome RunParameterSet(Engine& engine) {
  RunOutcome outcome;
  engine.Output = RunOutput();
  TDMPumpfield& data = engine.DMPumpfield;
  outcome.reportName = ChangeFileExt(data.InputFileName, ".out");
  outcome.aimCode = data.AimCode;
  if (AimOfCode(data.AimCode) == Aim::FieldDepths)
    data.AimCode = outcome.aimCode = kFieldDepthsFileCode;
  data.Params.resize(14, 0.0);
  for (int position = 1; position <= 14; ++position) {
    const std::optional<double> saved =
        ValueAsSaved(data.Params[position - 1], position, data.AimCode);
    if (!saved) {
      outcome.status = RunStatus::BadInputFile;
      outcome.errorText = NumbersCorruptMessage(data.InputFileName);
      return outcome;
    }
    data.Params[position - 1] = *saved;
  }
  struct MemoryFiles {
    Engine& engine;
    const RunFiles files = engine.Files;
    explicit MemoryFiles(Engine& e) : engine(e) { engine.Files = {true, std::string(), false}; }
    ~MemoryFiles() { engine.Files = files; }
  } memory(engine);
  CheckAndCalculate(engine, outcome);
  return outcome;
}
