#include "cli/ReportCommand.h"

#include "cli/OffscreenApplication.h"
#include "cli/RunCommand.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "export/CalculationReport.h"
#include "export/ExportTarget.h"

#include <ostream>

int ReportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  bool usable = arguments.size() == 2;
  for (const std::string& argument : arguments)
    usable = usable && !argument.empty() && argument[0] != '-';
  if (!usable) {
    err << "usage: pumpfield-cli report FILE.out REPORT.pdf\n";
    return kExitUsage;
  }
  const std::string reportName = ExpandFileName(arguments[0]);
  const std::string pdfName = ExpandFileName(arguments[1]);

  const auto application = OffscreenApplication();
  if (!CanDraw()) {
    err << "Reports can only be drawn by a program with a graphical user interface\n";
    return kExitInputErrors;
  }
  TerminalServices services(out);
  std::string errorText;
  CalculationReportResult result = CalculationReportResult::NotWritten;
  if (!ReplacesReportOrInput(pdfName, reportName, errorText))
    result = WriteCalculationReport(reportName, pdfName, errorText);
  switch (result) {
  case CalculationReportResult::Written:
    out << "Calculation report written: " << pdfName << '\n';
    return kExitReportWritten;
  case CalculationReportResult::ReportUnreadable:
    err << errorText << '\n';
    return kExitBadInputFile;
  case CalculationReportResult::NotWritten:
    break;
  }
  err << errorText << '\n';
  return kExitInputErrors;
}
