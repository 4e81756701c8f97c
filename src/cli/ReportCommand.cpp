#include "cli/ReportCommand.h"

#include "cli/OffscreenApplication.h"
#include "core/FileNames.h"
#include "export/CalculationReport.h"
#include "export/ExportTarget.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <ostream>
#include <utility>

namespace {
const char* const kSummary =
    "Write the calculation sheet of a report as an A4 PDF: a title block with the given texts, a "
    "summary, the inputs and the check of the input file beside the report, the method, a "
    "cross-section, the plan of a rectangular field, the water table and the profile tables.";

struct ReportArguments {
  std::string report, pdf;
  ReportTitleBlock titleBlock;
};

// The characters of a UTF-8 text: its bytes that do not continue a character.
size_t Characters(const std::string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

int WriteReport(const ReportArguments& arguments, std::ostream& out, std::ostream& err) {
  const ReportTitleBlock& block = arguments.titleBlock;
  for (const auto& [option, text] : {std::pair{"--project", &block.project},
                                     {"--client", &block.client},
                                     {"--engineer", &block.engineer},
                                     {"--checked", &block.checkedBy},
                                     {"--revision", &block.revision}})
    if (Characters(*text) > kLongestTitleBlockField)
      throw UsageError(std::string(option) + " takes at most " +
                       std::to_string(kLongestTitleBlockField) + " characters");
  const std::string reportName = ExpandFileName(arguments.report);
  const std::string pdfName = ExpandFileName(arguments.pdf);

  const auto application = OffscreenApplication();
  if (!CanDraw()) {
    err << "Reports can only be drawn by a program with a graphical user interface\n";
    return kExitInputErrors;
  }
  std::string errorText;
  if (ReplacesReportOrInput(pdfName, reportName, errorText))
    throw UsageError(errorText);
  const CalculationReportResult result =
      WriteCalculationReport(reportName, pdfName, arguments.titleBlock, errorText);
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
  CLI::App& command = commands.Add("report", kSummary, kFileWrittenStatuses,
                                   [arguments](std::ostream& out, std::ostream& err) {
                                     return WriteReport(*arguments, out, err);
                                   });
  AddFileArgument(command, "FILE.out", arguments->report, "the report");
  AddFileArgument(command, "REPORT.pdf", arguments->pdf, "the PDF to write");
  ReportTitleBlock& block = arguments->titleBlock;
  AddValueOption(command, "--project", block.project, "TEXT", "the project, in the title block");
  AddValueOption(command, "--client", block.client, "TEXT", "the client");
  AddValueOption(command, "--engineer", block.engineer, "TEXT", "the engineer");
  AddValueOption(command, "--checked", block.checkedBy, "TEXT", "who checked the calculation");
  AddValueOption(command, "--revision", block.revision, "TEXT", "the revision of the sheet");
}
