// What one run of an input file came to, as a batch summary row or a sweep table row shows it:
// its status, the aim's results as the report prints them, and the first message.
#pragma once

#include "api/Pumpfield.h"
#include "data/UDMPumpfield.h"
#include "study/CheckColumns.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// From the mildest to the most severe.
enum class StudyStatus { Ok, NotConverged, InputErrors, ArithmeticError, Unreadable };

// "ok", "not-converged", "input-errors", "arithmetic-error", "unreadable".
const char* StatusName(StudyStatus status);

struct RunRecord {
  std::string aimCode; // as the input file holds it
  StudyStatus status = StudyStatus::Ok;
  // The aim's results as printed in the report, blanks removed; empty where it has none.
  std::array<std::string, kResultColumns> results;
  std::string message;   // the first input error, the reason of a failure, or the note of an
                         // unconverged search
  std::string errorList; // the error list's text, for input errors
  double seconds = 0;
  // The independent check's cells, when asked for and the run wrote a report.
  std::optional<CheckCells> check;
};

// The record of a run that ended with `result`: the results and note it printed, its error list
// and the messages it showed, in order.
RunRecord RecordOfRun(const pumpfield::Result& result);

// The record of a run that failed unexpectedly (it ran out of memory, say), in a batch and in a
// sweep alike: an arithmetic error whose message gives `failure`.
RunRecord FailedRunRecord(const std::string& failure);

// Number text with a decimal point whatever the desktop's number format: the shortest that
// reads back as `value`.
std::string PlainNumber(double value);
