#include "cli/ReportCommand.h"

#include "cli/OffscreenApplication.h"
#include "cli/StudyTerminal.h"
#include "cli/UncertainOptions.h"
#include "core/FileNames.h"
#include "export/CalculationReport.h"
#include "export/ExportTarget.h"
#include "export/InputCheck.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <ostream>
#include <utility>

namespace {
const char* const kSummary =
    "Write the calculation sheet of a report as an A4 PDF: a title block with the given texts, a "
    "summary, the inputs and the check of the input file beside the report, the method, a "
    "cross-section, the plan of a rectangular field, the water table and the profile tables. "
    "With --uncertain it runs a design under uncertainty of the input file beside the report, as "
    "the design command does, and adds the section \"Design under uncertainty\".";
const char* const kExitStatuses =
    "0 file written; 1 the file cannot be written; 3 the report cannot be read, or (with "
    "--uncertain) the input file beside it cannot be read or does not hold the report's inputs; "
    "64 usage error; 130 Ctrl+C.";

struct ReportArguments {
  std::string report, pdf;
  ReportTitleBlock titleBlock;
  UncertainArguments uncertain; // a design for the report, when given
  std::string requiredDepth, jobs;
};

// The design of the input file the report was made from; nothing, with `status` set after a
// message, when that file cannot be read, does not hold the report's inputs, or the design
// stopped.
std::optional<ReportDesign> DesignOfReport(const ReportArguments& arguments,
                                           const std::string& reportName, std::ostream& err,
                                           int& status) {
  const int workers = WorkersOption(arguments.jobs);
  status = kExitBadInputFile;
  std::string errorText;
  const std::optional<ReportContent> report = ReadReport(reportName, errorText);
  if (!report) {
    err << errorText << '\n';
    return std::nullopt;
  }
  TDMPumpfield base;
  if (!LoadStudyInput(ChangeFileExt(reportName, ".inp"), base, err))
    return std::nullopt;
  const DesignSettings settings =
      DesignSettingsOf(arguments.uncertain, arguments.requiredDepth, base.AimCode);
  if (const InputCheck check = CheckInputBeside(*report, reportName);
      check.outcome != InputCheck::Outcome::Matches) {
    err << "The input file \"" << check.path
        << "\" does not hold the inputs of the report; run it again before a design of it";
    for (size_t i = 0; i < check.differences.size(); ++i)
      err << (i ? "; " : ": ") << check.differences[i];
    err << '\n';
    return std::nullopt;
  }
  std::optional<DesignSummary> summary = RunDesignOnTerminal(base, settings, workers, err, status);
  if (!summary)
    return std::nullopt;
  return ReportDesign{std::move(*summary), arguments.uncertain.uncertain};
}

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
  const UncertainArguments& uncertain = arguments.uncertain;
  std::optional<ReportDesign> design;
  if (!uncertain.uncertain.empty()) {
    int status = kExitReportWritten;
    design = DesignOfReport(arguments, reportName, err, status);
    if (!design)
      return status;
  } else if (!uncertain.samples.empty() || !uncertain.seed.empty() ||
             !uncertain.reliability.empty() || !arguments.requiredDepth.empty() ||
             !arguments.jobs.empty()) {
    throw UsageError("--samples, --seed, --reliability, --required-depth and -j belong to a "
                     "design: give --uncertain too");
  }
  const CalculationReportResult result =
      WriteCalculationReport(reportName, pdfName, arguments.titleBlock, errorText, design);
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
  CLI::App& command = commands.Add("report", kSummary, kExitStatuses,
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
  AddUncertainOptions(command, arguments->uncertain, false, "1000");
  AddRequiredDepthOption(command, arguments->requiredDepth);
  AddValueOption(command, "-j,--jobs", arguments->jobs, "N",
                 "runs of the design at once, 1 to 1024 (default: one per processor)");
}
