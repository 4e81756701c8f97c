// The few toolkit services that the data module and the calculations need. The window, the
// command-line runner and the tests each hand their own implementation to the engine they run;
// nothing is installed process-wide.
#pragma once

#include <string>
#include <vector>

class Services {
public:
  virtual ~Services() = default;
  // Appends one line to the progress memo (WaitMemo) and shows it at once.
  virtual void AppendProgress(const std::string& line) = 0;
  // Modal message with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // Modal yes/no question with a question icon; true exactly when Yes was chosen.
  virtual bool AskYesNo(const std::string& text) = 0;
  // The same for a question whose expected answer is Yes: a desktop preselects Yes, so that
  // Enter gives it. Questions that replace or delete a file keep No preselected (AskYesNo).
  virtual bool AskYesNoExpectingYes(const std::string& text) { return AskYesNo(text); }
  // Asks the event loop to end once control returns to it; the caller runs on.
  virtual void RequestQuit() = 0;
  // Blocks the calling thread for `milliseconds`.
  virtual void Pause(int milliseconds) = 0;
  // How much of a long run is done (0 to 100), for services that show it: the window in the
  // last line of the progress memo, the command line on a terminal. Others ignore it.
  virtual void ShowPercentDone(int /*percent*/) {}
};

// Shows nothing, answers No, does not pause.
class SilentServices : public Services {
public:
  void AppendProgress(const std::string&) override {}
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void RequestQuit() override {}
  void Pause(int) override {}
};

// Keeps the messages of a run instead of showing them, and notes a request to end the program
// (a corrupt input file); no progress lines, no questions, no pauses.
class CollectedMessages : public SilentServices {
public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  void RequestQuit() override { quitRequested = true; }

  std::vector<std::string> shown;
  bool quitRequested = false;
};

// The progress memo's line for ShowPercentDone.
std::string PercentDoneLine(int percent);
