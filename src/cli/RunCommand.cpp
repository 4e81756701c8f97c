#include "cli/RunCommand.h"

#include "cli/BatchCommand.h"
#include "cli/TerminalServices.h"

#include "calc/CalcFiles.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "run/RunInputFile.h"

#include <ostream>

namespace {

void PrintErrorList(std::ostream& out) {
  for (const std::string& line : TextReader(kErrorListName).ReadLines())
    out << line << '\n';
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
  const RunOutcome run = RunInputFile(inputName);
  switch (run.status) {
  case RunStatus::ReportWritten:
    out << "Report written: " << reportName << '\n';
    return kExitReportWritten;
  case RunStatus::InputErrors:
    PrintErrorList(out);
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
