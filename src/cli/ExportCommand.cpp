#include "cli/ExportCommand.h"

#include "core/FileNames.h"
#include "export/ExportTarget.h"
#include "export/TableExport.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace {
const char* const kSummary =
    "Write every profile table of a report to a CSV file: a header row with units, one row per "
    "table row with the profile's name, distance, head and gradient as the report prints them "
    "(always with a decimal point).";

struct ExportArguments {
  std::string report, table;
};

int Export(const ExportArguments& arguments, std::ostream& out, std::ostream& err) {
  const std::string reportName = ExpandFileName(arguments.report);
  const std::string tableName = ExpandFileName(arguments.table);
  std::string errorText;
  if (ReplacesReportOrInput(tableName, reportName, errorText))
    throw UsageError(errorText);
  const auto report = ReadReport(reportName, errorText);
  if (!report) {
    err << errorText << '\n';
    return kExitBadInputFile;
  }
  if (!SaveTablesCsv(*report, tableName, errorText)) {
    err << errorText << '\n';
    return kExitInputErrors;
  }
  out << "Tables written: " << tableName << '\n';
  return kExitReportWritten;
}
} // namespace

void AddExportCommand(CommandSet& commands) {
  auto arguments = std::make_shared<ExportArguments>();
  CLI::App& command = commands.Add(
      "export", kSummary, kFileWrittenStatuses,
      [arguments](std::ostream& out, std::ostream& err) { return Export(*arguments, out, err); });
  AddFileArgument(command, "FILE.out", arguments->report, "the report");
  AddValueOption(command, "--csv", arguments->table, "TABLE.csv", "the CSV file to write")
      ->required();
}
