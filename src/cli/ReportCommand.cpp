#include "cli/ReportCommand.h"

#include "cli/OffscreenApplication.h"
#include "cli/RunCommand.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "export/CalculationReport.h"
#include "export/ExportTarget.h"

#include <ostream>

namespace {
const char* const kUsage =
    "usage: pumpfield-cli report FILE.out REPORT.pdf [--project TEXT] [--client TEXT]\n"
    "       [--engineer TEXT] [--checked TEXT] [--revision TEXT]";

// The field of the title block that `option` names; nothing for another option.
std::string* TitleBlockField(ReportTitleBlock& block, const std::string& option) {
  if (option == "--project")
    return &block.project;
  if (option == "--client")
    return &block.client;
  if (option == "--engineer")
    return &block.engineer;
  if (option == "--checked")
    return &block.checkedBy;
  if (option == "--revision")
    return &block.revision;
  return nullptr;
}

// The files and the title block; the problem in words when the arguments do not make sense.
std::string Parse(const std::vector<std::string>& arguments, std::vector<std::string>& files,
                  ReportTitleBlock& block) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const size_t equals = argument.find('=');
    const std::string option = argument.substr(0, equals);
    if (std::string* field = TitleBlockField(block, option)) {
      const bool joined = equals != std::string::npos;
      if (!joined && i + 1 >= arguments.size())
        return option + " needs a text";
      *field = joined ? argument.substr(equals + 1) : arguments[++i];
      if (field->size() > kLongestTitleBlockField)
        return option + " takes at most " + std::to_string(kLongestTitleBlockField) + " characters";
    } else if (argument.empty() || argument[0] == '-') {
      return "unknown option \"" + argument + "\"";
    } else {
      files.push_back(argument);
    }
  }
  return files.size() == 2 ? std::string() : "a report takes an output report and a PDF file";
}
} // namespace

int ReportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  ReportTitleBlock titleBlock;
  if (const std::string problem = Parse(arguments, files, titleBlock); !problem.empty()) {
    err << problem << '\n' << kUsage << '\n';
    return kExitUsage;
  }
  const std::string reportName = ExpandFileName(files[0]);
  const std::string pdfName = ExpandFileName(files[1]);

  const auto application = OffscreenApplication();
  if (!CanDraw()) {
    err << "Reports can only be drawn by a program with a graphical user interface\n";
    return kExitInputErrors;
  }
  TerminalServices services(out);
  std::string errorText;
  CalculationReportResult result = CalculationReportResult::NotWritten;
  if (!ReplacesReportOrInput(pdfName, reportName, errorText))
    result = WriteCalculationReport(reportName, pdfName, titleBlock, errorText);
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
