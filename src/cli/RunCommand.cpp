#include "cli/RunCommand.h"

#include "cli/TerminalServices.h"

#include "calc/CalcFiles.h"
#include "calc/UTrellow.h"
#include "core/FileNames.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "run/AimDispatch.h"

#include <ostream>

namespace {

void PrintErrorList(std::ostream& out) {
  TextReader list(kErrorListName);
  while (list.opened() && !list.AtEnd())
    out << list.ReadLine() << '\n';
}
} // namespace

int RunCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
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
  if (!TextReader(inputName).opened()) {
    err << CouldNotOpenForReadingMessage(inputName) << '\n';
    return kExitBadInputFile;
  }

  TerminalServices services(out);
  ScopedDataModule module;
  TDMPumpfield& data = module.data();
  data.InputFileName = inputName;
  data.LoadInputFile();
  if (services.quitRequested)
    return kExitBadInputFile;
  const AimRun* run = FindAimRun(data.AimCode);
  if (!run) {
    err << "The run file could not be found or opened.  No calculations were made.\n";
    return kExitBadInputFile;
  }

  try {
    run->check();
    if (InputErrorFlag) {
      PrintErrorList(out);
      return kExitInputErrors;
    }
    DeleteFileIfExists(kErrorListName);
    run->calculate();
  } catch (const ArithmeticError& e) {
    err << "The calculation stopped: " << e.what() << ". The report \"" << reportName
        << "\" holds what was written until then.\n";
    return kExitArithmeticError;
  } catch (const InputOutputError& e) {
    err << e.what() << '\n';
    return kExitBadInputFile;
  }
  out << "Report written: " << reportName << '\n';
  return kExitReportWritten;
}
