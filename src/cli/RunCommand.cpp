#include "cli/RunCommand.h"

#include "api/Pumpfield.h"
#include "cli/BatchCommand.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"

#include <ostream>

namespace {
// The error list file of a run from the command line, in the working directory.
constexpr const char* kErrorListName = "Error.lst";

void PrintLines(std::ostream& out, const std::string& text) {
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end;
    out << text.substr(start, end - start - (end > start && text[end - 1] == '\r')) << '\n';
    start = end + 1;
  }
}
} // namespace

int RunCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (IsBatchRun(arguments))
    return BatchCommand(arguments, out, err);
  if (arguments.size() != 1 || arguments[0].empty()) {
    err << "usage: pumpfield-cli run FILE.inp\n";
    return kExitUsage;
  }
  const std::string inputName = ExpandFileName(arguments[0]);
  const std::string reportName = ChangeFileExt(inputName, ".out");
  if (reportName == inputName) {
    err << "The input file \"" << inputName
        << "\" has the extension of a report; its report would replace it.\n";
    return kExitUsage;
  }
  TerminalServices services(out, IsTerminal(err) ? &err : nullptr);
  pumpfield::RunOptions options;
  options.services = &services;
  const pumpfield::Result run = pumpfield::RunFile(inputName, kErrorListName, options);
  switch (run.status) {
  case RunStatus::ReportWritten:
    out << "Report written: " << reportName << '\n';
    return kExitReportWritten;
  case RunStatus::InputErrors:
    PrintLines(out, run.errorList);
    return kExitInputErrors;
  case RunStatus::ArithmeticError:
    // The text says that the calculation stopped, and why.
    err << run.errorText << " The report \"" << reportName
        << "\" holds what was written until then.\n";
    return kExitArithmeticError;
  case RunStatus::BadInputFile:
    break;
  }
  if (!run.errorText.empty())
    err << run.errorText << '\n';
  return kExitBadInputFile;
}
