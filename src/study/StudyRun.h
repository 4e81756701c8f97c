// How a batch or a sweep runs: how many runs at once, what stops them, and whom to tell.
#pragma once

#include "study/RunRecord.h"

#include <functional>
#include <string>

struct StudyRun {
  int workers = 1;
  // Check each report written with the independent model (RunRecord::check).
  bool check = false;
  // Asked often; true stops the runs: those under way are cancelled and leave no file behind.
  std::function<bool()> stopRequested;
  // After each run, in the order the runs end, with the number of runs done so far.
  std::function<void(size_t index, const RunRecord& record, size_t done)> finished;
  // About five times a second while runs are under way.
  std::function<void()> tick;
};
