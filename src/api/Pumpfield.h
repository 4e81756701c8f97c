// The public C++ interface of the program: read and write an input file, run a parameter set
// into a result, read a report. Each run has an engine of its own, so runs may go in threads
// side by side. No Qt. The command line, the window, the tests and the Python module use it.
#pragma once

#include "calc/Engine.h"
#include "calc/RunSize.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "run/RunInputFile.h"

#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pumpfield {

// A parameter set: what an input file holds.
struct Inputs {
  std::string title1, title2;
  std::string aimCode = "Spa"; // "Spa", "Dis", "Hyd" or "Hydr" (the same aim), "Con"
  // Positions 1 to 14 of the input file; what each means depends on the aim.
  std::array<double, 14> values{};
  // The input file's full name, which lines 13 and 14 of a report name (the report with
  // ".out"); a run in memory neither reads nor writes it.
  std::string fileName;
};

// Reads an input file; InputOutputError, with the program's message, for a file that cannot be
// read or whose aim code or numbers are corrupt.
Inputs ReadInput(const std::string& path);
// Writes `inputs` as the window saves them ("Hyd" becomes "Hydr"), replacing `path` only once
// the whole file is written; InputOutputError when the aim code is unknown or the file cannot
// be written.
void WriteInput(const Inputs& inputs, const std::string& path);

// One profile table of a report: distance (m), head (m) and gradient (-) of each row, as
// printed.
struct Profile {
  std::string name; // "between the wells", or "along the diagonal" and the like
  std::vector<double> x, head, gradient;
};

struct Result {
  RunStatus status = RunStatus::ReportWritten;
  std::string aimCode;    // as the input holds it
  std::string reportName; // the input's name with ".out"
  // A report was written and its search met its tolerance.
  bool converged = false;
  // Why the run stopped, when it ended neither with a report nor with a list of input errors.
  std::string errorText;
  // Why the search missed the required depth; empty when it converged.
  std::string note;
  // The results by the symbols of the table of aims (data/AimTable.h), as the report prints
  // them: spacing "S", discharge "Q", recharge "R" (discharge aim), conductivity "K", midway
  // head "H" and depth "Dm" (rectangular field: "Ha", "Dma", "Hb", "Dmb", "Hd", "Dmd"); each
  // with its figure as printed ("103.33") and that figure read back.
  std::vector<PrintedResult> values;
  std::vector<Profile> profiles;
  std::string report;                // the exact text of the report, CR LF line ends
  std::string errorList;             // the exact text of the error list
  std::vector<std::string> errors;   // the input errors it lists, blanks trimmed
  std::vector<std::string> messages; // what the run showed, when no services were given

  // The result of `symbol`; nothing when the run has none of that name.
  std::optional<double> Value(const std::string& symbol) const;
  // Its figure as the report prints it; empty when the run has none of that name.
  std::string Figure(const std::string& symbol) const;
};

struct RunOptions {
  // Where progress lines and messages go; none: they are kept in Result::messages.
  Services* services = nullptr;
  // A flag that, once set (from any thread), stops the run within a fraction of a second: the
  // run raises RunCancelled and leaves no file of its own behind.
  const std::atomic<bool>* cancel = nullptr;
};

// Runs `inputs` in memory, each value rounded as the input file holds it: nothing is read or
// written. The report is the one a run of that file, saved as inputs.fileName, writes.
Result Run(const Inputs& inputs, const RunOptions& options = RunOptions());

// Runs the saved input file `inputPath` as the window does: its report is written beside it
// (replacing the old one only when the run ends), its error list goes to `errorListPath` (a
// relative name lies in the working directory; empty: kept in the result only).
Result RunFile(const std::string& inputPath, const std::string& errorListPath,
               const RunOptions& options = RunOptions());

// A report read back: its lines, titles and profile tables.
struct ReportFile {
  std::vector<std::string> lines;
  std::string title1, title2; // blank runs shortened
  std::vector<Profile> profiles;
};

// Reads a report; InputOutputError when it cannot be read, ReportFormatError when its tables
// cannot.
ReportFile ReadReport(const std::string& path);

} // namespace pumpfield
