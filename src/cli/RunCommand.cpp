#include "cli/RunCommand.h"

#include "cli/BatchCommand.h"
#include "cli/StudyTerminal.h"
#include "cli/TerminalServices.h"

#include "api/Pumpfield.h"
#include "core/FileNames.h"
#include "core/JsonFile.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "data/ReportContent.h"
#include "data/ReportMeaning.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>

namespace {
const char* const kSummary =
    "Check and calculate saved input files. One file alone runs like a run from the window: the "
    "report is FILE.out beside it, Error.lst is written in the working directory. Several files, "
    "or one with -j or --summary, are a batch: N at a time (default: one per processor); each "
    "report is the one a run of that file alone writes, an error list goes beside its input as "
    "FILE.err and nothing is written in the working directory. Ctrl+C stops a batch cleanly, "
    "keeping the reports of the runs that ended.";
const char* const kExitStatuses =
    "0 report written; 1 input errors (the error list is printed and Error.lst kept); 2 "
    "arithmetic error (the report holds what was written until then); 3 unreadable or malformed "
    "input file, or the JSON cannot be written; 64 usage error. For a batch: the most severe "
    "status of its files, 3 also when the summary cannot be written, 128 + the signal's number "
    "when stopped (130 for Ctrl+C).";

struct RunArguments {
  std::vector<std::string> inputs;
  std::string jobs, summary, json;
  bool check = false;
};

// The report of a run as JSON: the aim, the inputs and the results by symbol with their units,
// what two of them stand for (the achieved midway depth where the report prints the required
// one, the recharge over the well's square share where it prints the intensity over a circle),
// whether the search met its tolerance (with the report's note when not), and each profile's
// distances, heads and gradients. Numbers are the report's values.
Json RunResultJson(const ReportContent& report, const std::string& aimCode) {
  Json inputs = Json::object(), results = Json::object(), units = Json::object();
  for (const ReportInput& input : report.inputs) {
    inputs[JsonText(input.symbol)] = input.number;
    units[JsonText(input.symbol)] = JsonText(input.unit);
  }
  for (const ReportResult& result : report.results) {
    // A line the aim does not list keeps its words as its name.
    const std::string name = JsonText(result.symbol.empty() ? result.words : result.symbol);
    results[name] = result.number;
    if (!result.unit.empty())
      units[name] = JsonText(result.unit);
  }
  const std::optional<double> achieved = AchievedMidwayDepth(report);
  const std::optional<double> recharge = SquareShareRecharge(report);
  if (achieved)
    units["achieved_depth"] = "m";
  if (recharge)
    units["recharge_over_square_share"] = "m/day";
  Json profiles = Json::array();
  for (const ReportProfile& profile : report.profiles)
    profiles.push_back({{"name", JsonText(profile.name)},
                        {"distance", profile.distance},
                        {"head", profile.head},
                        {"gradient", profile.gradient}});
  Json json = {{"aim", JsonText(aimCode)},
               {"titles", Json::array({JsonText(report.title1), JsonText(report.title2)})},
               {"inputs", inputs},
               {"results", results}};
  if (achieved)
    json["achieved_depth"] = *achieved;
  if (recharge)
    json["recharge_over_square_share"] = RoundedTo(*recharge, 6);
  json["units"] = units;
  json["converged"] = report.note.empty();
  if (!report.note.empty())
    json["note"] = JsonText(report.note);
  json["profiles"] = profiles;
  return json;
}

void PrintLines(std::ostream& out, const std::string& text) {
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end;
    out << text.substr(start, end - start - (end > start && text[end - 1] == '\r')) << '\n';
    start = end + 1;
  }
}

// Writes the JSON of the report just written; exit status 3 when that cannot be done.
int WriteRunJson(const std::string& reportName, const std::string& aimCode,
                 const std::string& jsonName, std::ostream& out, std::ostream& err) {
  std::string errorText;
  const std::optional<ReportContent> report = ReadReport(reportName, errorText);
  if (!report || !WriteJsonFile(jsonName, RunResultJson(*report, aimCode), errorText)) {
    err << errorText << '\n';
    return kExitBadInputFile;
  }
  out << "JSON written: " << jsonName << '\n';
  return kExitReportWritten;
}

int RunOneFile(const std::string& input, const std::string& json, std::ostream& out,
               std::ostream& err) {
  const std::string inputName = ExpandFileName(input);
  const std::string reportName = ChangeFileExt(inputName, ".out");
  if (reportName == inputName)
    throw UsageError("The input file \"" + inputName +
                     "\" has the extension of a report; its report would replace it.");
  // The run writes its error list in the working directory, and deletes it after a clean run.
  const std::string errorListName = ExpandFileName(kErrorListName);
  for (const auto& [name, what] : {std::pair{inputName, "input file"}, {reportName, "report"}})
    if (name == errorListName || SameFile(name, errorListName))
      throw UsageError("The " + std::string(what) + " \"" + name +
                       "\" is the error list that the run writes; give it another name.");
  const std::string jsonName = json.empty() ? json : ExpandFileName(json);
  if (!json.empty() && (jsonName == errorListName || SameFile(jsonName, errorListName)))
    throw UsageError("\"" + json +
                     "\" is the error list that the run writes; give the JSON another name");
  if (!json.empty() && (jsonName == inputName || jsonName == reportName ||
                        SameFile(jsonName, inputName) || SameFile(jsonName, reportName)))
    throw UsageError("\"" + json +
                     "\" is the input file or its report; give the JSON another name");

  TerminalServices services(out, IsTerminal(err) ? &err : nullptr);
  pumpfield::RunOptions options;
  options.services = &services;
  const pumpfield::Result run = pumpfield::RunFile(inputName, kErrorListName, options);
  switch (run.status) {
  case RunStatus::ReportWritten:
    out << "Report written: " << reportName << '\n';
    return json.empty() ? kExitReportWritten
                        : WriteRunJson(reportName, run.aimCode, jsonName, out, err);
  case RunStatus::InputErrors:
    PrintLines(out, run.errorList);
    return kExitInputErrors;
  case RunStatus::ArithmeticError:
    // The text says that the calculation stopped, and why.
    err << run.errorText << " The report \"" << reportName
        << "\" holds what was written until then.\n";
    return kExitArithmeticError;
  case RunStatus::BadInputFile:
    break;
  }
  if (!run.errorText.empty())
    err << run.errorText << '\n';
  return kExitBadInputFile;
}
} // namespace

void AddRunCommand(CommandSet& commands) {
  auto run = std::make_shared<RunArguments>();
  CLI::App& command =
      commands.Add("run", kSummary, kExitStatuses, [run](std::ostream& out, std::ostream& err) {
        if (run->check && run->summary.empty())
          throw UsageError("--check adds columns to the summary; give --summary too");
        if (run->inputs.size() == 1 && run->jobs.empty() && run->summary.empty())
          return RunOneFile(run->inputs[0], run->json, out, err);
        if (!run->json.empty())
          throw UsageError("--json is for the run of one input file, not for a batch");
        return BatchCommand({run->inputs, run->summary, WorkersOption(run->jobs), run->check}, out,
                            err);
      });
  AddFileArguments(command, "FILE.inp", run->inputs, "the input files; none is changed");
  AddValueOption(command, "-j,--jobs", run->jobs, "N",
                 "runs at once in a batch, 1 to 1024 (default: one per processor)");
  AddValueOption(command, "--summary", run->summary, "SUMMARY.csv",
                 "write a CSV table with one row per file: the file, the aim, the status, the "
                 "aim's result as the report prints it, the first error message and the seconds "
                 "the run took");
  command.add_flag("--check", run->check,
                   "add the independent check's columns to the summary: its midway depth (for a "
                   "rectangular field where it differs most), its difference as % of the "
                   "drawdown, its flag, the midway depth the report's final profile reaches and "
                   "for a discharge the recharge over the well's square share Q/S^2");
  AddValueOption(command, "--json", run->json, "RESULT.json",
                 "for one file: write the aim, the inputs and the results by symbol, the midway "
                 "depth the final profile reaches (achieved_depth) where the report gives the "
                 "required one, for a discharge the recharge over the well's square share of the "
                 "field Q/S^2 (recharge_over_square_share; the report's m/day is over the circle "
                 "of radius S/2), whether the search met its tolerance and the profiles as JSON");
}
