#include "calc/RunFiles.h"

#include "calc/Engine.h"
#include "core/FileNames.h"
#include "core/Numerics.h"
#include "core/TextFormat.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

namespace {
// The report's name, checked before anything is written to it.
std::string ReportName(const Engine& engine) {
  const std::string input = engine.DMPumpfield.InputFileName;
  const std::string report = ChangeFileExt(input, ".out");
  if (engine.Files.ReportFile && SameFile(input, report))
    throw InputOutputError("The report \"" + report + "\" is the input file \"" + input +
                           "\" itself: the report would replace it. No calculations were made.");
  return report;
}

std::string NotWrittenText(const std::string& name, const TextWriter& file) {
  return "The file \"" + name + "\" could not be written: " + file.failure();
}

// The value a reader of the report gets from a number FormatFixed printed.
double AsPrinted(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  double value = 0.0;
  if (first != std::string::npos)
    std::from_chars(text.data() + first, text.data() + text.size(), value);
  return value;
}
} // namespace

InputNumbers::InputNumbers(Engine& engine) : engine_(engine) {
  if (engine.Files.InputFromParameterSet)
    return;
  file_.emplace(TextReader::OpenOrThrow(engine.DMPumpfield.InputFileName));
  for (int line = 0; line < 4; ++line)
    file_->SkipLine();
}

double InputNumbers::Next() {
  if (file_)
    return file_->ReadRealOrThrow();
  const TDMPumpfield& dm = engine_.DMPumpfield;
  const int position = ++position_;
  if (position > static_cast<int>(dm.Params.size()))
    return 0.0;
  const std::optional<double> value = ValueAsSaved(dm.Params[position - 1], position, dm.AimCode);
  if (!value)
    throw InputOutputError("Invalid numeric input in the file \"" + dm.InputFileName + "\"");
  return *value;
}

ErrorList::ErrorList(Engine& engine) : engine_(engine) {
  engine.Output.errorList.clear();
  if (!engine.Files.ErrorList.empty()) {
    file_.emplace(engine.Files.ErrorList);
    TextWriter::RequireOpened(*file_, engine.Files.ErrorList);
  }
  Line(" THE FOLLOWING ERRORS WERE FOUND IN THE INPUT:");
  Line();
  engine.InputErrorFlag = false;
}

void ErrorList::Line(const std::string& text) {
  engine_.Output.errorList += text + "\r\n";
  if (file_)
    file_->WriteLine(text);
}

void ErrorList::Add(const char* message) {
  Line(message);
  engine_.InputErrorFlag = true;
}

void ErrorList::Finish() {
  if (engine_.InputErrorFlag) {
    Line();
    Line("Please correct the errors.");
  }
  if (file_ && !file_->Close())
    throw InputOutputError("The file \"" + engine_.Files.ErrorList + "\" could not be written");
}

Report::Report(Engine& engine) : engine_(engine), name_(ReportName(engine)) {
  RunOutput& output = engine.Output;
  output.report.clear();
  output.values.clear();
  output.profiles.clear();
  output.note.clear();
  output.unwrittenReport.clear();
  if (engine.Files.ReportFile) {
    file_.emplace(name_, TextWriter::Mode::ReplaceWhenDone);
    TextWriter::RequireOpened(*file_, name_);
  }
}

Report::~Report() {
  if (file_)
    file_->Discard();
}

void Report::Line(const std::string& text) {
  engine_.Output.report += text;
  engine_.Output.report += "\r\n";
  if (file_)
    file_->WriteLine(text);
}

void Report::Value(const std::string& label, double value, int width, int decimals) {
  Line(label + FormatFixed(value, width, decimals));
}

void Report::Result(const char* symbol, const std::string& label, double value, int width,
                    int decimals) {
  const std::string printed = FormatFixed(value, width, decimals);
  Line(label + printed);
  engine_.Output.values.push_back(
      {symbol, printed.substr(printed.find_first_not_of(' ')), AsPrinted(printed)});
}

void Report::Marker(const std::string& line) {
  Line(line);
  engine_.Output.profiles.push_back({line, {}, {}, {}});
}

void Report::Row(double x, double f, double g) {
  const std::string X = FormatFixed(x, 6, 2), F = FormatFixed(f, 10, 4), G = FormatFixed(g, 10, 4);
  Line(X + F + G);
  if (engine_.Output.profiles.empty())
    return;
  ProfileTable& table = engine_.Output.profiles.back();
  table.x.push_back(AsPrinted(X));
  table.head.push_back(AsPrinted(F));
  table.gradient.push_back(AsPrinted(G));
}

void Report::TitlesAndNames() {
  const TDMPumpfield& dm = engine_.DMPumpfield;
  Line("  " + dm.Title1);
  Line("  " + dm.Title2);
  Line();
  Line(" Name of input file used:  " + VisibleFileName(dm.InputFileName));
  Line(" Name of this output file: " + VisibleFileName(name_));
  Line();
}

void Report::Close() {
  if (!file_)
    return;
  const bool written = file_->Close();
  const std::string failure = written ? std::string() : NotWrittenText(name_, *file_);
  file_.reset();
  if (!written)
    throw InputOutputError(failure);
}

void Report::Stopped(const std::string& text) {
  Line(" " + text);
  if (file_ && !file_->Close())
    engine_.Output.unwrittenReport = NotWrittenText(name_, *file_);
  file_.reset();
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
std::string StopReason(const FlowModelState& s, const ArithmeticError& error) {
  const std::string reason = error.what();
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

void WriteReport(Engine& engine, void (*write)(Engine&, Report&)) {
  Report report(engine);
  try {
    write(engine, report);
  } catch (const ArithmeticError& error) {
    const std::string text = "The calculation stopped: " + StopReason(engine.Flow, error) + ".";
    report.Stopped(text);
    throw ArithmeticError(text);
  }
}

void CloseReportWithNote(Report& report, const std::string& text) {
  if (!text.empty())
    report.Line(" " + text);
  report.engine().Output.note = text;
  report.Close();
  if (!text.empty())
    report.engine().services.ShowMessage(text);
}
