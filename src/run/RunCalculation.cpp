#include "run/RunCalculation.h"

#include "calc/Engine.h"
#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "run/AimDispatch.h"

namespace {

void Progress(Engine& engine, const char* line, int pauseMilliseconds) {
  engine.services.AppendProgress(line);
  engine.services.Pause(pauseMilliseconds);
}
} // namespace

void RunCalculation(Engine& engine, RunWindow& window) {
  window.ShowAndClearWaitMemo();
  Progress(engine, " Saving data .....", 500);
  Progress(engine, " Progress 25% ....", 500);
  const AimRun* run = FindAimRun(engine.DMPumpfield.AimCode);
  if (!run) {
    engine.services.ShowMessage(
        "The run file could not be found or opened.  No calculations were made.");
    return;
  }
  // A run cancelled during the opening lines writes no error list.
  engine.RunProgress.StopIfCancelled();
  window.SetRunHadErrors(false);
  engine.Output = RunOutput();
  run->check(engine);
  if (!engine.InputErrorFlag)
    RefuseUncountableRun(engine, *run);
  engine.Flags.RunAttempted = true;
  if (engine.InputErrorFlag) {
    ShowRunErrors(engine, window);
    return;
  }
  ShowCalculating(engine);
  engine.RunProgress.StopIfCancelled();
  Calculate(engine, *run);
  Progress(engine, " Writing output ..", 1000);
}

void ShowCalculating(Engine& engine) {
  DeleteFileIfExists(engine.Files.ErrorList);
  Progress(engine, " Calculating .....", 500);
  Progress(engine, " Please wait .....", 500);
}

void ShowRunErrors(Engine& engine, RunWindow& window) {
  TextReader::OpenOrThrow(engine.Files.ErrorList);
  window.SetOutputShown(false);
  window.HideFigures();
  window.HideWaitMemo();
  window.SetRunHadErrors(true);
  DeleteFileIfExists(engine.DMPumpfield.InputFileName);
  window.ActivateOutputSheet();
}
