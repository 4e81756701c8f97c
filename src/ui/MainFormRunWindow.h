// The main window as the run control sees it: the progress memo, the figure window, the run
// flags and the Output sheet.
#pragma once

#include "run/RunCalculation.h"

class TMainForm;

class MainFormRunWindow final : public RunWindow {
public:
  explicit MainFormRunWindow(TMainForm& form) : form_(form) {}

  void ShowAndClearWaitMemo() override;
  void HideWaitMemo() override;
  void HideFigures() override;
  void SetOutputShown(bool shown) override;
  // A run with errors also remembers which input file failed, for the Output sheet.
  void SetRunHadErrors(bool hadErrors) override;
  void ActivateOutputSheet() override;

private:
  TMainForm& form_;
};
