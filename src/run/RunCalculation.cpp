#include "run/RunCalculation.h"

#include "calc/CalcFiles.h"
#include "calc/UTrellow.h"
#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "run/AimDispatch.h"
#include "run/RunState.h"

namespace {

void Progress(const char* line, int pauseMilliseconds) {
  AppServices().AppendProgress(line);
  AppServices().Pause(pauseMilliseconds);
}
} // namespace

void RunCalculation(RunWindow& window) {
  window.ShowAndClearWaitMemo();
  Progress(" Saving data .....", 500);
  Progress(" Progress 25% ....", 500);
  const AimRun* run = FindAimRun(DMPumpfield->AimCode);
  if (!run) {
    AppServices().ShowMessage(
        "The run file could not be found or opened.  No calculations were made.");
    return;
  }
  window.SetRunHadErrors(false);
  run->check();
  if (!InputErrorFlag)
    RefuseUncountableRun(*run);
  WellUtils.RunAttempted = true;
  if (InputErrorFlag) {
    ShowRunErrors(window);
    return;
  }
  ShowCalculating();
  Calculate(*run);
  Progress(" Writing output ..", 1000);
}

void ShowCalculating() {
  DeleteFileIfExists(kErrorListName);
  Progress(" Calculating .....", 500);
  Progress(" Please wait .....", 500);
}

void ShowRunErrors(RunWindow& window) {
  TextReader::OpenOrThrow(kErrorListName);
  window.SetOutputShown(false);
  window.HideFigures();
  window.HideWaitMemo();
  window.SetRunHadErrors(true);
  DeleteFileIfExists(DMPumpfield->InputFileName);
  window.ActivateOutputSheet();
}
