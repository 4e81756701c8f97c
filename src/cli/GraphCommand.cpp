#include "GraphCommand.h"

#include "FileNames.h"
#include "GraphDrawing.h"
#include "RunCommand.h"
#include "TerminalServices.h"

#include <ostream>

int GraphCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.size() != 2 || arguments[0].empty() || arguments[1].empty()) {
    err << "usage: pumpfield-cli graph FILE.out IMAGE.bmp\n";
    return kExitUsage;
  }
  const std::string reportName = ExpandFileName(arguments[0]);
  const std::string imageName = ExpandFileName(arguments[1]);
  TerminalServices services(out);
  std::string errorText;
  const int status = ExportGraph(reportName, imageName, errorText);
  if (status != 0) {
    err << errorText << '\n';
    return status;
  }
  if (services.quitRequested) // the report's input file is corrupt: its message was printed
    return kExitBadInputFile;
  out << "Graph written: " << imageName << '\n';
  return kExitReportWritten;
}
