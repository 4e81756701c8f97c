// Starting the calculation of the saved input file: the aim's check step, then either the
// error list or the calculation, with progress lines and fixed pauses.
#pragma once

// What the run control needs of the main window.
class RunWindow {
public:
  virtual ~RunWindow() = default;
  virtual void ShowAndClearWaitMemo() = 0;
  virtual void HideWaitMemo() = 0;
  // Hides the figure window and the Output sheet's "Figure" button.
  virtual void HideFigures() = 0;
  virtual void SetOutputShown(bool shown) = 0;
  virtual void SetRunHadErrors(bool hadErrors) = 0;
  virtual void ActivateOutputSheet() = 0;
};

class Engine;

// Runs the check step of the engine's AimCode and then shows the errors or runs the
// calculation. Errors of the steps (input/output, arithmetic) propagate to the caller.
void RunCalculation(Engine& engine, RunWindow& window);
// The no-error branch: deletes "Error.lst" and announces the calculation.
void ShowCalculating(Engine& engine);
// The error branch: hides the progress, deletes the just-saved input file and brings the
// Output sheet (which shows "Error.lst") to the front.
void ShowRunErrors(Engine& engine, RunWindow& window);
