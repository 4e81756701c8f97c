// What one run of an input file came to, as a batch summary row or a sweep table row shows it:
// its status, the aim's results as the report prints them, and the first message.
#pragma once

#include "data/UDMPumpfield.h"
#include "run/RunInputFile.h"
#include "study/ParallelRunner.h"

#include <array>
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
};

// The record of a run that ended with `outcome`: the report beside the input and the error
// list `errorListName` are read; `shown` are the messages the run showed, in order.
RunRecord RecordOfRun(const RunOutcome& outcome, const std::string& errorListName,
                      const std::vector<std::string>& shown);

// A record as text and back, to hand it from one process to another; Decode throws
// std::runtime_error for a text that Encode did not make.
std::string EncodeRecord(const RunRecord& record);
RunRecord DecodeRecord(const std::string& text);

// The record a task handed back; when the task did not end normally or its text cannot be read,
// a record of `status` whose message is `why` followed by the reason.
RunRecord RecordOfTask(const TaskEnd& end, StudyStatus status, const std::string& why);

// Number text with a decimal point whatever the desktop's number format: the shortest that
// reads back as `value`.
std::string PlainNumber(double value);
