#include "cli/ReportCommand.h"

#include "cli/OffscreenApplication.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "export/CalculationReport.h"
#include "export/ExportTarget.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace {
const char* const kSummary =
    "Write the calculation report of a report as an A4 PDF: titles, aim, date, program version, "
    "the report and input files with their SHA-256, inputs, result, graph and profile tables.";

struct ReportArguments {
  std::string report, pdf;
};

int Report(const ReportArguments& arguments, std::ostream& out, std::ostream& err) {
  const std::string reportName = ExpandFileName(arguments.report);
  const std::string pdfName = ExpandFileName(arguments.pdf);

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
} // namespace

void AddReportCommand(CommandSet& commands) {
  auto arguments = std::make_shared<ReportArguments>();
  CLI::App& command = commands.Add(
      "report", kSummary, kFileWrittenStatuses,
      [arguments](std::ostream& out, std::ostream& err) { return Report(*arguments, out, err); });
  AddFileArgument(command, "FILE.out", arguments->report, "the report");
  AddFileArgument(command, "REPORT.pdf", arguments->pdf, "the PDF to write");
}
