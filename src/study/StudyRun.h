// How a batch or a sweep runs: how many runs at once, what stops them, and whom to tell.
#pragma once

#include "study/RunRecord.h"

#include <functional>
#include <string>

struct StudyRun {
  int workers = 1;
  // Asked often; true stops the runs: those under way are abandoned and leave no file behind.
  std::function<bool()> stopRequested;
  // After each run, in the order the runs end, with the number of runs done so far.
  std::function<void(size_t index, const RunRecord& record, size_t done)> finished;
  // About five times a second while runs are under way.
  std::function<void()> tick;
};

// A private folder for the runs' own files, removed with everything in it when this ends.
class PrivateFolder {
public:
  PrivateFolder(); // throws InputOutputError when no folder can be made
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  const std::string& path() const { return path_; }

private:
  std::string path_;
};

// Runs the input file `inputName` (absolute) in the working directory `folder`, which it makes
// and removes, so that the run's error list goes there; its messages are collected, not shown.
RunRecord RunInFolder(const std::string& inputName, const std::string& folder);
