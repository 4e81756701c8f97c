#include "cli/ExportCommand.h"

#include "cli/RunCommand.h"
#include "core/FileNames.h"
#include "export/ExportTarget.h"
#include "export/TableExport.h"

#include <ostream>

int ExportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::vector<std::string> reports;
  std::vector<std::string> tables;
  bool usable = true;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--csv" && i + 1 < arguments.size())
      tables.push_back(arguments[++i]);
    else if (argument.rfind("--csv=", 0) == 0)
      tables.push_back(argument.substr(6));
    else if (argument.empty() || argument[0] == '-')
      usable = false;
    else
      reports.push_back(argument);
  }
  if (!usable || reports.size() != 1 || tables.size() != 1 || tables[0].empty()) {
    err << "usage: pumpfield-cli export FILE.out --csv TABLE.csv\n";
    return kExitUsage;
  }
  const std::string reportName = ExpandFileName(reports[0]);
  const std::string tableName = ExpandFileName(tables[0]);
  std::string errorText;
  const auto report = ReadReport(reportName, errorText);
  if (!report) {
    err << errorText << '\n';
    return kExitBadInputFile;
  }
  if (ReplacesReportOrInput(tableName, reportName, errorText) ||
      !SaveTablesCsv(*report, tableName, errorText)) {
    err << errorText << '\n';
    return kExitInputErrors;
  }
  out << "Tables written: " << tableName << '\n';
  return kExitReportWritten;
}
