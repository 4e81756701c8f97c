#include "CalcFiles.h"

#include "FileNames.h"
#include "Services.h"
#include "TextFormat.h"
#include "UDMPumpfield.h"
#include "UTrellow.h"

namespace {
constexpr const char* kErrorListName = "Error.lst";

std::string CurrentInputFile() {
  if (!DMPumpfield)
    throw InputOutputError("No input file was given");
  return DMPumpfield->InputFileName;
}
} // namespace

InputNumbers::InputNumbers() : file_(TextReader::OpenOrThrow(CurrentInputFile())) {
  for (int line = 0; line < 4; ++line)
    file_.SkipLine();
}

ErrorList::ErrorList() : file_(kErrorListName) {
  TextWriter::RequireOpened(file_, kErrorListName);
  file_.WriteLine(" THE FOLLOWING ERRORS WERE FOUND IN THE INPUT:");
  file_.WriteLine();
  InputErrorFlag = false;
}

void ErrorList::Add(const char* message) {
  file_.WriteLine(message);
  InputErrorFlag = true;
}

void ErrorList::Finish() {
  if (InputErrorFlag) {
    file_.WriteLine();
    file_.WriteLine("Please correct the errors.");
  }
  if (!file_.Close())
    throw InputOutputError(std::string("The file \"") + kErrorListName + "\" could not be written");
}

Report::Report()
    : name_(ChangeFileExt(CurrentInputFile(), ".out")), file_(name_, TextWriter::Mode::Direct) {
  TextWriter::RequireOpened(file_, name_);
}

void Report::Value(const std::string& label, double value, int width, int decimals) {
  file_.WriteLine(label + FormatFixed(value, width, decimals));
}

void Report::TitlesAndNames() {
  Line("  " + DMPumpfield->Title1);
  Line("  " + DMPumpfield->Title2);
  Line();
  Line(" Name of input file used:  " + DMPumpfield->InputFileName);
  Line(" Name of this output file: " + name_);
  Line();
}

void Report::Close() {
  if (!file_.Close())
    throw InputOutputError("The file \"" + name_ + "\" could not be written");
}

std::string NotConvergedText(SearchEnd end, const std::string& quantity,
                             const std::string& lowerBound, const std::string& upperBound) {
  const std::string head =
      "The required midway watertable depth was not reached: the " + quantity + " shown is ";
  switch (end) {
  case SearchEnd::Converged:
    return std::string();
  case SearchEnd::AtLowerBound:
    return head + "the lower bound of the search, " + lowerBound + ".";
  case SearchEnd::AtUpperBound:
    return head + "the upper bound of the search, " + upperBound + ".";
  case SearchEnd::BetweenBounds:
    break;
  }
  return head + "the last estimate of the search between " + lowerBound + " and " + upperBound +
         ".";
}

void CloseReportWithNote(Report& report, const std::string& text) {
  if (!text.empty())
    report.Line(" " + text);
  report.Close();
  if (!text.empty())
    AppServices().ShowMessage(text);
}
