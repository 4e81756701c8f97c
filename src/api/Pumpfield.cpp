#include "api/Pumpfield.h"

#include "calc/Engine.h"
#include "core/FileNames.h"
#include "data/UDMPumpfield.h"

namespace pumpfield {
namespace {
const std::string kTableMarker = " Output data:";

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ProfileName(const std::string& marker) {
  std::string words = Trimmed(marker.substr(std::min(marker.size(), kTableMarker.size())));
  if (words.size() >= 2 && words.front() == '(' && words.back() == ')')
    words = Trimmed(words.substr(1, words.size() - 2));
  return words.empty() ? "between the wells" : words;
}

TDMPumpfield DataModuleOf(const Inputs& inputs, Services* services) {
  TDMPumpfield dm(services);
  dm.InputFileName = inputs.fileName;
  dm.Title1 = inputs.title1;
  dm.Title2 = inputs.title2;
  dm.AimCode = inputs.aimCode;
  dm.Params.assign(inputs.values.begin(), inputs.values.end());
  return dm;
}

// A run of `run` on an engine of its own, and what it left in the engine.
template <class Start> Result RunOnEngine(const RunOptions& options, Start run) {
  CollectedMessages collected;
  Engine engine(options.services ? *options.services : collected);
  engine.RunProgress.cancel = options.cancel;
  const RunOutcome outcome = run(engine);
  Result result;
  result.status = outcome.status;
  result.aimCode = outcome.aimCode;
  result.reportName = outcome.reportName;
  result.errorText = outcome.errorText;
  RunOutput& output = engine.Output;
  result.note = output.note;
  result.converged = outcome.status == RunStatus::ReportWritten && output.note.empty();
  result.values = std::move(output.values);
  for (ProfileTable& table : output.profiles)
    result.profiles.push_back({ProfileName(table.marker), std::move(table.x), std::move(table.head),
                               std::move(table.gradient)});
  result.report = std::move(output.report);
  result.errorList = std::move(output.errorList);
  if (outcome.status == RunStatus::InputErrors) {
    // After the heading and its empty line, up to the empty line before the closing request.
    const std::vector<std::string> lines = TextLines(result.errorList);
    for (size_t line = 2; line < lines.size() && !Trimmed(lines[line]).empty(); ++line)
      result.errors.push_back(Trimmed(lines[line]));
  }
  result.messages = std::move(collected.shown);
  return result;
}
} // namespace

std::optional<double> Result::Value(const std::string& symbol) const {
  for (const PrintedResult& printed : values)
    if (printed.symbol == symbol)
      return printed.value;
  return std::nullopt;
}

std::string Result::Figure(const std::string& symbol) const {
  for (const PrintedResult& printed : values)
    if (printed.symbol == symbol)
      return printed.figure;
  return std::string();
}

Inputs ReadInput(const std::string& path) {
  CollectedMessages messages;
  TDMPumpfield dm(&messages);
  dm.InputFileName = path;
  if (!dm.LoadChosenInputFile())
    throw InputOutputError(messages.shown.empty() ? "The file \"" + path + "\" could not be read"
                                                  : messages.shown.front());
  Inputs inputs;
  inputs.title1 = dm.Title1;
  inputs.title2 = dm.Title2;
  inputs.aimCode = dm.AimCode;
  for (size_t i = 0; i < inputs.values.size() && i < dm.Params.size(); ++i)
    inputs.values[i] = dm.Params[i];
  inputs.fileName = ExpandFileName(path);
  return inputs;
}

void WriteInput(const Inputs& inputs, const std::string& path) {
  if (!IsKnownAimCode(inputs.aimCode))
    throw InputOutputError(CodeCorruptMessage(path));
  CollectedMessages messages;
  TDMPumpfield dm = DataModuleOf(inputs, &messages);
  if (!dm.SaveInputFile(path))
    throw InputOutputError(messages.shown.empty() ? "The file \"" + path + "\" could not be written"
                                                  : messages.shown.front());
}

Result Run(const Inputs& inputs, const RunOptions& options) {
  return RunOnEngine(options, [&inputs](Engine& engine) {
    for (const std::string* title : {&inputs.title1, &inputs.title2})
      if (title->find_first_of("\r\n") != std::string::npos) {
        RunOutcome refused;
        refused.status = RunStatus::BadInputFile;
        refused.aimCode = inputs.aimCode;
        refused.errorText = "A title holds a line break, which an input file cannot hold.";
        return refused;
      }
    Services* services = engine.DMPumpfield.services;
    engine.DMPumpfield = DataModuleOf(inputs, services);
    return RunParameterSet(engine);
  });
}

Result RunFile(const std::string& inputPath, const std::string& errorListPath,
               const RunOptions& options) {
  return RunOnEngine(options, [&](Engine& engine) {
    engine.Files.ErrorList = errorListPath;
    return RunInputFile(engine, inputPath);
  });
}

ReportFile ReadReport(const std::string& path) {
  CollectedMessages messages;
  TDMPumpfield dm(&messages);
  dm.LoadOutputLines(path);
  if (!messages.shown.empty())
    throw InputOutputError(messages.shown.front());
  dm.LoadGraphData(path);
  ReportFile report;
  report.lines = std::move(dm.OutputLines);
  report.title1 = dm.Title1;
  report.title2 = dm.Title2;
  const bool rectangular = dm.ReportTag == kRectangularReportTag;
  const std::pair<const char*, std::array<const DataSetR*, 3>> tables[] = {
      {rectangular ? "along the longer spacing" : "between the wells",
       {&dm.Table1X, &dm.Table1F, &dm.Table1G}},
      {"along the shorter spacing", {&dm.Table2X, &dm.Table2F, &dm.Table2G}},
      {"along the diagonal", {&dm.Table3X, &dm.Table3F, &dm.Table3G}}};
  const int32_t counts[] = {dm.Count1, rectangular ? dm.Count2 : 0, rectangular ? dm.Count3 : 0};
  for (size_t t = 0; t < 3; ++t) {
    if (t > 0 && !rectangular)
      break;
    Profile profile{tables[t].first, {}, {}, {}};
    const auto& [x, f, g] = tables[t].second;
    for (int32_t row = 0; row < counts[t]; ++row) {
      profile.x.push_back((*x)[row]);
      profile.head.push_back((*f)[row]);
      profile.gradient.push_back((*g)[row]);
    }
    report.profiles.push_back(std::move(profile));
  }
  return report;
}

} // namespace pumpfield
