#include "cli/GraphCommand.h"

#include "cli/OffscreenApplication.h"
#include "cli/RunCommand.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "graph/GraphDrawing.h"

#include <ostream>

namespace {
const char* const kUsage =
    "usage: pumpfield-cli graph FILE.out IMAGE.bmp [--decimal-separator=.|,]";

int ExitStatusOf(GraphExportResult result) {
  switch (result) {
  case GraphExportResult::Written:
    return kExitReportWritten;
  case GraphExportResult::ReportUnreadable:
    return kExitBadInputFile;
  case GraphExportResult::ImageNotWritten:
    break;
  }
  return kExitInputErrors;
}
} // namespace

int GraphCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  char separator = 0;
  bool usable = true;
  for (const std::string& argument : arguments) {
    const std::string option = "--decimal-separator=";
    if (argument.rfind(option, 0) == 0) {
      const std::string value = argument.substr(option.size());
      usable = usable && (value == "." || value == ",");
      separator = value.empty() ? 0 : value[0];
    } else if (argument.empty() || argument[0] == '-') {
      usable = false;
    } else {
      files.push_back(argument);
    }
  }
  if (!usable || files.size() != 2) {
    err << kUsage << '\n';
    return kExitUsage;
  }
  const std::string reportName = ExpandFileName(files[0]);
  const std::string imageName = ExpandFileName(files[1]);

  const auto application = OffscreenApplication();
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    err << "Graphs can only be drawn by a program with a graphical user interface\n";
    return kExitInputErrors;
  }
  const char previousSeparator = DecimalSeparator();
  SetDecimalSeparator(separator ? separator : SystemDecimalSeparator());
  TerminalServices services(out);
  ScopedDataModule module;
  std::string errorText;
  GraphExportResult result = LoadReportGraph(reportName, errorText);
  // A corrupt input file beside the report has had its message: nothing is drawn for it.
  if (result == GraphExportResult::Written && !services.quitRequested)
    result = SaveLoadedGraph(imageName, errorText);
  SetDecimalSeparator(previousSeparator);
  if (services.quitRequested)
    return kExitBadInputFile;
  if (result != GraphExportResult::Written) {
    err << errorText << '\n';
    return ExitStatusOf(result);
  }
  out << "Graph written: " << imageName << '\n';
  return kExitReportWritten;
}
