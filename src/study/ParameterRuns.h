// Many parameter sets run in memory on the pool of threads, each from a base set with some of its
// values changed: the runs of a design under uncertainty and of a layout search.
#pragma once

#include "study/RunRecord.h"
#include "study/StudyRun.h"

#include <functional>
#include <vector>

// The parameter set of a loaded input file.
pumpfield::Inputs InputsOf(const TDMPumpfield& base);

// Runs `count` parameter sets: set `index` is `base` changed by `change(index, inputs)` (called on
// a worker thread). `records` gets one record per set, in index order whatever the number of
// workers. False when stopped.
bool RunParameterSets(const pumpfield::Inputs& base, size_t count,
                      const std::function<void(size_t index, pumpfield::Inputs& inputs)>& change,
                      std::vector<RunRecord>& records, const StudyRun& run);
