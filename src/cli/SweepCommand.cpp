#include "cli/SweepCommand.h"

#include "cli/OffscreenApplication.h"
#include "cli/RunCommand.h"
#include "cli/StudyTerminal.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "export/FigureData.h"
#include "export/GraphImages.h"
#include "export/SweepPlot.h"
#include "study/Batch.h"
#include "study/ParallelRunner.h"
#include "study/Sweep.h"

#include <ostream>

namespace {
const char* const kUsage = "usage: pumpfield-cli sweep FILE.inp --vary "
                           "SYMBOL=FROM:TO:COUNT|SYMBOL=V1,V2,... [--vary ...]\n"
                           "       [-j N] [--csv TABLE.csv] [--plot PLOT.png|.svg|.pdf] "
                           "[--scale K]\n"
                           "       --scale 2, 3 or 4 draws a PNG plot at that many times the size";

struct SweepArguments {
  std::string input, csv, plot;
  std::vector<std::string> varied;
  int workers = AvailableProcessors();
  int scale = 0; // 0: not given
};

std::string Parse(const std::vector<std::string>& arguments, SweepArguments& sweep) {
  std::string problem;
  for (size_t i = 0; i < arguments.size() && problem.empty(); ++i) {
    const std::string& argument = arguments[i];
    const bool valued = i + 1 < arguments.size();
    if (ReadWorkers(arguments, i, sweep.workers, problem))
      continue;
    if (argument == "--vary" && valued)
      sweep.varied.push_back(arguments[++i]);
    else if (argument == "--csv" && valued)
      sweep.csv = arguments[++i];
    else if (argument == "--plot" && valued)
      sweep.plot = arguments[++i];
    else if (argument == "--scale" && valued && sweep.scale == 0) {
      const std::string& value = arguments[++i];
      sweep.scale = value.size() == 1 && value[0] >= '1' && value[0] <= '0' + kLargestGraphScale
                        ? value[0] - '0'
                        : -1;
      if (sweep.scale < 0)
        problem = "--scale takes 1 to " + std::to_string(kLargestGraphScale);
    } else if (argument.empty() || argument[0] == '-')
      problem = "unknown option \"" + argument + "\"";
    else if (sweep.input.empty())
      sweep.input = argument;
    else
      problem = "a sweep takes one input file";
  }
  if (problem.empty() && sweep.input.empty())
    problem = "no input file given";
  if (problem.empty() && sweep.varied.empty())
    problem = "no --vary given";
  if (problem.empty() && !sweep.plot.empty() && !IsSweepPlotName(sweep.plot))
    problem = "the plot is written as PNG, SVG or PDF: name it .png, .svg or .pdf";
  if (problem.empty() && sweep.scale > 1 &&
      (sweep.plot.empty() || GraphFormatOfPath(sweep.plot) != GraphFormat::Png))
    problem = "--scale sizes a PNG plot";
  const std::string input = FileIdentity(ExpandFileName(sweep.input));
  for (const std::string& output : {sweep.csv, sweep.plot})
    if (problem.empty() && !output.empty() && FileIdentity(ExpandFileName(output)) == input)
      problem = "\"" + output + "\" is the input file";
  if (problem.empty() && !sweep.csv.empty() && !sweep.plot.empty() &&
      FileIdentity(ExpandFileName(sweep.csv)) == FileIdentity(ExpandFileName(sweep.plot)))
    problem = "the table and the plot would be the same file";
  return problem;
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
} // namespace

int SweepCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  SweepArguments sweep;
  std::string problem = Parse(arguments, sweep);
  if (!problem.empty()) {
    err << problem << '\n' << kUsage << '\n';
    return kExitUsage;
  }

  const std::string inputName = ExpandFileName(sweep.input);
  if (!TextReader(inputName).opened()) {
    err << CouldNotOpenForReadingMessage(inputName) << '\n';
    return kExitBadInputFile;
  }
  TDMPumpfield base;
  {
    TerminalServices services(err);
    ScopedDataModule module;
    module.data().InputFileName = inputName;
    module.data().LoadInputFile();
    if (services.quitRequested)
      return kExitBadInputFile;
    base = module.data();
  }

  SweepTable table;
  table.aim = *AimOfCode(base.AimCode);
  try {
    for (const std::string& varied : sweep.varied)
      table.varied.push_back(ParseVaried(varied, base.AimCode));
    GridPoints(table.varied);
  } catch (const SweepUsageError& error) {
    err << error.what() << '\n' << kUsage << '\n';
    return kExitUsage;
  }

  const StopSignals stop;
  ProgressLine progress(err, IsTerminal(err), GridPoints(table.varied));
  StudyRun run;
  run.workers = sweep.workers;
  run.stopRequested = [&stop] { return stop.requested(); };
  run.tick = [&progress] { progress.Tick(); };
  run.finished = [&progress](size_t, const RunRecord&, size_t done) { progress.Done(done); };
  try {
    if (!RunSweep(base, table, run)) {
      progress.Clear();
      err << "Stopped: no table or plot was written.\n";
      return stop.ExitStatus();
    }
  } catch (const std::exception& error) {
    progress.Clear();
    err << error.what() << '\n';
    return kExitBadInputFile;
  }
  progress.Clear();

  int status = kExitReportWritten;
  std::string errorText;
  const std::vector<CsvRow> rows = SweepRows(table);
  if (sweep.csv.empty()) {
    for (const CsvRow& row : rows)
      out << CsvLine(row) << '\n';
  } else if (WriteCsv(sweep.csv, rows, errorText)) {
    out << "Table written: " << ExpandFileName(sweep.csv) << '\n';
  } else {
    err << errorText << '\n';
    status = kExitBadInputFile;
  }
  if (!sweep.plot.empty()) {
    const auto application = OffscreenApplication();
    if (SaveSweepPlot(PlotOf(base, table), sweep.plot, std::max(1, sweep.scale), errorText)) {
      (sweep.csv.empty() ? err : out) << "Plot written: " << ExpandFileName(sweep.plot) << '\n';
    } else {
      err << errorText << '\n';
      status = kExitBadInputFile;
    }
  }
  return status;
}
