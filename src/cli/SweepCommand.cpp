#include "cli/SweepCommand.h"

#include "cli/Commands.h"
#include "cli/OffscreenApplication.h"
#include "cli/StudyTerminal.h"
#include "cli/TerminalServices.h"
#include "cli/UncertainOptions.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "export/FigureData.h"
#include "export/GraphImages.h"
#include "export/SweepPlot.h"
#include "study/Batch.h"
#include "study/Sweep.h"
#include "study/ThreadPool.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace {
const char* const kSummary =
    "Run the input file for every combination of the values of the inputs named by their symbols "
    "in the report (R, D1, ..., S, Sa, Sb); at most 10000 points. The table (standard output "
    "without --csv) has one row per point; the plot shows the result against the first symbol, "
    "one line per value of the second, with hollow markers for runs without a converged "
    "result.";
const char* const kExitStatuses =
    "0 the sweep ran (each point's status is in its row); 3 the input file cannot be read or the "
    "table or plot cannot be written; 64 usage error; 130 Ctrl+C.";

struct SweepArguments {
  std::string input, csv, plot, jobs, scale;
  std::vector<std::string> varied;
  bool check = false;
};

// Refuses outputs that cannot be written as asked.
void CheckOutputs(const SweepArguments& sweep) {
  if (!sweep.plot.empty() && !IsSweepPlotName(sweep.plot))
    throw UsageError("the plot is written as PNG, SVG or PDF: name it .png, .svg or .pdf");
  if (!sweep.scale.empty() &&
      (sweep.plot.empty() || GraphFormatOfPath(sweep.plot) != GraphFormat::Png))
    throw UsageError("--scale sizes a PNG plot");
  const std::string inputName = ExpandFileName(sweep.input);
  const std::string input = FileIdentity(inputName);
  const std::pair<std::string, const char*> runFiles[] = {
      {FileIdentity(ChangeFileExt(inputName, ".out")), "the input file's report"},
      {FileIdentity(BatchErrorListName(inputName)), "the input file's error list"},
      {FileIdentity(ExpandFileName(kErrorListName)), "the error list of a run"}};
  for (const std::string& output : {sweep.csv, sweep.plot}) {
    if (output.empty())
      continue;
    const std::string identity = FileIdentity(ExpandFileName(output));
    if (identity == input)
      throw UsageError("\"" + output + "\" is the input file");
    for (const auto& [written, what] : runFiles)
      if (identity == written)
        throw UsageError("\"" + output + "\" is " + what);
  }
  if (!sweep.csv.empty() && !sweep.plot.empty() &&
      FileIdentity(ExpandFileName(sweep.csv)) == FileIdentity(ExpandFileName(sweep.plot)))
    throw UsageError("the table and the plot would be the same file");
}

// The result of `aim` in words, for the title and the vertical axis.
std::string PlottedResultWords(Aim aim) {
  switch (aim) {
  case Aim::Spacing:
    return "Well spacing";
  case Aim::Discharge:
    return "Discharge of a well";
  case Aim::FieldDepths:
    return "Midway depth of the water table along the diagonal";
  case Aim::Conductivity:
    break;
  }
  return "Hydraulic conductivity";
}

// "Depth of the bottom of layer 2, D2 (m)": the input in words with its symbol and unit.
std::string InputInWords(const AimInput& input, Aim aim) {
  const std::optional<QuantityName> name = QuantityOf(input.symbol, aim);
  return (name ? std::string(name->words) + ", " : std::string()) + input.symbol + " (" +
         input.unit + ")";
}

std::string LowerFirst(std::string text) {
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
    text[0] = static_cast<char>(text[0] - 'A' + 'a');
  return text;
}

SweepPlot PlotOf(const TDMPumpfield& base, const SweepTable& table) {
  SweepPlot plot;
  plot.title1 = base.Title1;
  const VariedInput& first = table.varied.front();
  plot.xLabel = InputInWords(first.input, table.aim);
  const std::string result = PlottedResultWords(table.aim);
  plot.yLabel = result + ", " + PlottedResultLabel(table.aim);
  const std::optional<QuantityName> firstName = QuantityOf(first.input.symbol, table.aim);
  plot.title2 = result + " against " +
                (firstName ? LowerFirst(firstName->words) + " " : std::string()) +
                first.input.symbol;
  if (table.varied.size() > 1)
    plot.title2 += ", one line per value of " + std::string(table.varied[1].input.symbol);
  for (size_t i = 2; i < table.varied.size(); ++i)
    plot.title2 += " and " + std::string(table.varied[i].input.symbol);
  for (const SweepCurve& curve : SweepCurves(table))
    plot.curves.push_back({curve.label, curve.x, curve.y, curve.failed});
  return plot;
}

int Sweep(const SweepArguments& sweep, std::ostream& out, std::ostream& err) {
  CheckOutputs(sweep);
  const int scale =
      sweep.scale.empty() ? 1 : WholeNumberOption("--scale", sweep.scale, 1, kLargestGraphScale);
  const int workers = WorkersOption(sweep.jobs);

  TDMPumpfield base;
  if (!LoadStudyInput(sweep.input, base, err))
    return kExitBadInputFile;
  // Every point is computed before anything is written: a table that cannot be written is
  // known now.
  for (const std::string& output : {sweep.csv, sweep.plot})
    if (const std::string failure = output.empty() ? "" : WriteFailureBeforehand(output);
        !failure.empty()) {
      err << "The file \"" << ExpandFileName(output) << "\" could not be written: " << failure
          << '\n';
      return kExitBadInputFile;
    }

  SweepTable table;
  table.aim = *AimOfCode(base.AimCode);
  try {
    for (const std::string& varied : sweep.varied)
      table.varied.push_back(ParseVaried(varied, base.AimCode));
    GridPoints(table.varied);
  } catch (const SweepUsageError& error) {
    throw UsageError(error.what());
  }

  StudyRun run;
  run.workers = workers;
  run.check = table.check = sweep.check;
  int status = kExitReportWritten;
  if (!RunStudyOnTerminal(run, GridPoints(table.varied), "no table or plot was written.", err,
                          status,
                          [&](const StudyRun& study) { return RunSweep(base, table, study); }))
    return status;

  std::string errorText;
  const std::vector<CsvRow> rows = SweepRows(table);
  if (sweep.csv.empty()) {
    for (const CsvRow& row : rows)
      out << CsvLine(row) << '\n';
  } else if (WriteCsv(sweep.csv, rows, errorText)) {
    out << "Table written: " << ExpandFileName(sweep.csv) << '\n';
  } else {
    // The points were computed: the table goes to standard output rather than nowhere.
    err << errorText << "\nThe table follows on standard output.\n";
    for (const CsvRow& row : rows)
      out << CsvLine(row) << '\n';
    status = kExitBadInputFile;
  }
  if (!sweep.plot.empty()) {
    const auto application = OffscreenApplication();
    if (SaveSweepPlot(PlotOf(base, table), sweep.plot, scale, errorText)) {
      (sweep.csv.empty() ? err : out) << "Plot written: " << ExpandFileName(sweep.plot) << '\n';
    } else {
      err << errorText << '\n';
      status = kExitBadInputFile;
    }
  }
  return status;
}
} // namespace

void AddSweepCommand(CommandSet& commands) {
  auto sweep = std::make_shared<SweepArguments>();
  CLI::App& command =
      commands.Add("sweep", kSummary, kExitStatuses, [sweep](std::ostream& out, std::ostream& err) {
        return Sweep(*sweep, out, err);
      });
  AddFileArgument(command, "FILE.inp", sweep->input, "the input file; it is not changed");
  AddRepeatedOption(command, "--vary", sweep->varied, "SYMBOL=FROM:TO:COUNT|SYMBOL=V1,V2,...",
                    "vary the input SYMBOL over COUNT evenly spaced values from FROM to TO, or "
                    "over the values listed; rounded as the input file holds them")
      ->required();
  AddValueOption(command, "-j,--jobs", sweep->jobs, "N",
                 "points run at once, 1 to 1024 (default: one per processor)");
  AddValueOption(command, "--csv", sweep->csv, "TABLE.csv",
                 "write the table to this CSV file instead of standard output");
  command.add_flag("--check", sweep->check,
                   "add the independent check's columns to the table: its midway depth (for a "
                   "rectangular field where it differs most), its difference as % of the "
                   "drawdown, its flag, the midway depth the report's final profile reaches and "
                   "for a discharge the recharge over the well's square share Q/S^2");
  AddValueOption(command, "--plot", sweep->plot, "PLOT.png|.svg|.pdf",
                 "draw the result against the first varied input");
  AddValueOption(command, "--scale", sweep->scale, "K",
                 "draw a PNG plot at 2, 3 or 4 times the size");
}
