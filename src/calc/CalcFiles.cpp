#include "calc/CalcFiles.h"

#include "calc/UTrellow.h"
#include "core/FileNames.h"
#include "core/Numerics.h"
#include "core/Services.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <utility>

namespace {

std::string CurrentInputFile() {
  if (!DMPumpfield)
    throw InputOutputError("No input file was given");
  return DMPumpfield->InputFileName;
}

// The report's name, checked before anything is written to it.
std::string ReportName() {
  const std::string input = CurrentInputFile();
  const std::string report = ChangeFileExt(input, ".out");
  if (SameFile(input, report))
    throw InputOutputError("The report \"" + report + "\" is the input file \"" + input +
                           "\" itself: the report would replace it. No calculations were made.");
  return report;
}

std::string unwrittenReportText;

std::string NotWrittenText(const std::string& name, const TextWriter& file) {
  return "The file \"" + name + "\" could not be written: " + file.failure();
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

Report::Report() : name_(ReportName()), file_(name_, TextWriter::Mode::ReplaceWhenDone) {
  TextWriter::RequireOpened(file_, name_);
}

Report::~Report() {
  if (file_.opened() && !file_.Close())
    unwrittenReportText = NotWrittenText(name_, file_);
}

std::string Report::TakeUnwrittenReportText() { return std::exchange(unwrittenReportText, {}); }

void Report::Value(const std::string& label, double value, int width, int decimals) {
  file_.WriteLine(label + FormatFixed(value, width, decimals));
}

void Report::TitlesAndNames() {
  Line("  " + DMPumpfield->Title1);
  Line("  " + DMPumpfield->Title2);
  Line();
  Line(" Name of input file used:  " + VisibleFileName(DMPumpfield->InputFileName));
  Line(" Name of this output file: " + VisibleFileName(name_));
  Line();
}

void Report::Close() {
  if (!file_.Close())
    throw InputOutputError(NotWrittenText(name_, file_));
}

void Report::Stopped(const std::string& text) {
  file_.WriteLine(" " + text);
  if (!file_.Close())
    unwrittenReportText = NotWrittenText(name_, file_);
}

namespace {
// Number texts of the stop line, as every report writes them: with a point, never localised.
// A length or step in metres is as short as reads back exactly.
std::string Metres(double value) {
  char text[64];
  return std::string(text,
                     std::to_chars(text, std::end(text), value, std::chars_format::fixed).ptr);
}

std::string Count(long long value) {
  char text[24];
  return std::string(text, std::to_chars(text, std::end(text), value).ptr);
}

// Why a calculation stopped. A range error while the flow model's steps over its distance do
// not fit the step counter names that count.
std::string StopReason(const ArithmeticError& error) {
  const std::string reason = error.what();
  const FlowModelState& s = Flow;
  const long long largest = std::numeric_limits<int32_t>::max();
  if (!dynamic_cast<const RangeError*>(&error) || !(s.p > 0.0))
    return reason;
  const long double steps = std::nearbyintl(LD(s.S) / s.p);
  if (!(steps > largest && steps < 1e18L))
    return reason;
  return reason + ": " + Count(static_cast<long long>(steps)) + " integration steps of " +
         Metres(s.p) + " m from the well to the midway point (" + Metres(s.S) +
         " m) exceed the largest step count, " + Count(largest);
}
} // namespace

void WriteReport(void (*write)(Report&)) {
  Report report;
  try {
    write(report);
  } catch (const ArithmeticError& error) {
    const std::string text = "The calculation stopped: " + StopReason(error) + ".";
    report.Stopped(text);
    throw ArithmeticError(text);
  }
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

void CheckLayerGeometry(ErrorList& errors, const char* layerOrderMessage) {
  FlowModelState& s = Flow;
  s.T1 = Store(LD(s.D1) - s.Dw);
  s.T2 = Store(LD(s.D2) - s.D1);
  if (s.T2 < 0.0)
    errors.Add(layerOrderMessage);
  s.Lw = Store(LD(s.Db) - s.Dw);
  if (s.Lw <= 0.0)
    errors.Add(" Make sure that Db > Dw.");
  s.L2 = Store(LD(s.Db) - s.D1);
  if (s.E < 0.0)
    errors.Add(" Make sure that E >= 0.");
  s.rw = Store(LD(s.W) / 2.0L);
  if (s.T2 != 0.0 && s.Db < s.D1 && s.D1 < LD(s.Db) + s.rw)
    errors.Add(" Make sure that D1 > Db+Wd/2 or D1 < Db.");
  if (s.Db < s.D2 && s.D2 < LD(s.Db) + s.rw)
    errors.Add(" Make sure that D2 < Db or D2 > Db+Wd/2.");
}

void StillWorkingMessages::Update(double S, double diff, double tol) {
  if (!first_ && S <= 25.0 && diff < 1000.0L * tol) {
    AppServices().AppendProgress(" Still working ...");
    first_ = true;
  }
  if (!second_ &&
      ((S > 25.0 && S < 50.0 && diff < 100.0L * tol) || (S >= 50.0 && diff < 1000.0L * tol))) {
    AppServices().AppendProgress(" Still working ...");
    second_ = true;
  }
}
