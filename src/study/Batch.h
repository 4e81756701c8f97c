// Batch runs: many input files, each run exactly like a run of that file alone, several at a
// time on threads. A batch writes no shared file: each run keeps its error list to itself, and
// a file with input errors gets it beside it as FILE.err. Input files are never changed.
#pragma once

#include "core/Csv.h"
#include "study/RunRecord.h"
#include "study/StudyRun.h"

#include <optional>
#include <string>
#include <vector>

// The error list of `inputName` in a batch: the name with ".err".
std::string BatchErrorListName(const std::string& inputName);

// Why the input files (absolute names) cannot run as one batch with the summary `summary`
// (none when empty): a file given twice, two files that would write the same report or error
// list, or a file that would be written over an input. Empty when they can.
std::string BatchConflict(const std::vector<std::string>& inputs,
                          const std::string& summary = std::string());

// Runs the input files (absolute names); `records[i]` is file i's, empty for a run that was
// stopped. FILE.err is written for input errors and a stale one removed otherwise; a run that
// is stopped leaves its old report as it was and no file of its own. What runs killed earlier
// left beside the reports and error lists is removed first. False when stopped.
bool RunBatch(const std::vector<std::string>& inputs, const StudyRun& run,
              std::vector<std::optional<RunRecord>>& records);

// The summary: a header with units, then one row per file, `names` as the files were given;
// with `check`, the check's columns last.
std::vector<CsvRow> BatchSummary(const std::vector<std::string>& names,
                                 const std::vector<RunRecord>& records, bool check = false);
