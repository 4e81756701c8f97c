#include "cli/DesignCommand.h"

#include "cli/OffscreenApplication.h"
#include "cli/StudyTerminal.h"
#include "cli/TerminalServices.h"
#include "cli/UncertainOptions.h"
#include "core/FileNames.h"
#include "core/JsonFile.h"
#include "export/DesignCharts.h"
#include "export/GraphImages.h"
#include "export/SweepPlot.h"
#include "study/Design.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>

namespace {
const char* const kSummary =
    "Run the input file for Latin hypercube samples of its uncertain inputs (named by their "
    "symbols in the report) and give the answer that holds with the reliability asked for: the "
    "spacing that keeps the midway depth at least Dm, the discharge needed, the shallowest midway "
    "depth of a rectangular field (with the probability that each depth reaches "
    "--required-depth), or the conductivity; the percentiles 5, 10, 50, 90 and 95 (linear "
    "interpolation between the sorted samples); and for each uncertain input the answer at its "
    "5 % and 95 % values with the others at their medians, and its rank correlation with the "
    "answer. Samples that fail the input checks are counted, not used.";
const char* const kExitStatuses =
    "0 the design ran; 3 the input file cannot be read or an output cannot be written; 64 usage "
    "error; 130 Ctrl+C.";

struct DesignArguments {
  std::string input, json, csv, plot, tornado, jobs, scale, requiredDepth;
  UncertainArguments uncertain;
};

void CheckOutputs(const DesignArguments& design) {
  for (const std::string& chart : {design.plot, design.tornado})
    if (!chart.empty() && !IsSweepPlotName(chart))
      throw UsageError("a chart is written as PNG, SVG or PDF: name it .png, .svg or .pdf");
  const std::vector<std::string> outputs = {design.json, design.csv, design.plot, design.tornado};
  const std::string input = FileIdentity(ExpandFileName(design.input));
  for (size_t i = 0; i < outputs.size(); ++i) {
    if (outputs[i].empty())
      continue;
    const std::string identity = FileIdentity(ExpandFileName(outputs[i]));
    if (identity == input)
      throw UsageError("\"" + outputs[i] + "\" is the input file");
    for (size_t j = 0; j < i; ++j)
      if (!outputs[j].empty() && FileIdentity(ExpandFileName(outputs[j])) == identity)
        throw UsageError("two outputs would be the same file \"" + outputs[i] + "\"");
  }
}

std::string Figure(double value) { return DesignFigure(value); }

std::string AnswerName(const DesignSummary& summary) {
  return summary.symbol + " (" + summary.unit + ")";
}

void PrintSummary(const DesignSummary& summary, const std::string& title, std::ostream& out) {
  out << "Design under uncertainty: " << title << '\n';
  out << "Samples: " << summary.samples << " (seed " << summary.seed
      << "), failed samples: " << summary.failedSamples << '\n';
  out << "Design value, the " << summary.words << " with reliability "
      << PlainNumber(summary.reliability) << ": " << summary.symbol << " = "
      << Figure(summary.designValue) << ' ' << summary.unit << '\n';
  out << "Percentiles of " << AnswerName(summary) << ':';
  for (size_t i = 0; i < summary.percentiles.size(); ++i)
    out << ' ' << kDesignPercents[i] << " %: " << Figure(summary.percentiles[i])
        << (i + 1 < summary.percentiles.size() ? "," : "\n");
  out << "At the medians: " << summary.symbol << " = " << Figure(summary.atMedians) << ' '
      << summary.unit << '\n';
  for (const DepthSummary& depth : summary.depths) {
    out << depth.symbol << " (m):";
    if (depth.probability)
      out << " probability " << PlainNumber(*depth.probability) << " of at least "
          << PlainNumber(*summary.requiredDepth) << " m;";
    for (size_t i = 0; i < depth.percentiles.size(); ++i)
      out << ' ' << kDesignPercents[i] << " %: " << Figure(depth.percentiles[i])
          << (i + 1 < depth.percentiles.size() ? "," : "\n");
  }
  if (summary.probabilityAll)
    out << "Probability that all three depths are at least " << PlainNumber(*summary.requiredDepth)
        << " m: " << PlainNumber(*summary.probabilityAll) << '\n';
  out << "Sensitivity of " << summary.symbol
      << " (at each input's 5 % and 95 % values, the others at their medians):\n";
  for (const TornadoBar& bar : summary.tornado)
    out << "  " << bar.symbol << ' ' << PlainNumber(bar.inputLow) << " / "
        << PlainNumber(bar.inputHigh) << ' ' << bar.unit << ": " << Figure(bar.low) << " / "
        << Figure(bar.high) << ", swing " << Figure(bar.swing) << ", rank correlation "
        << Figure(bar.rankCorrelation) << '\n';
}

int Design(const DesignArguments& design, std::ostream& out, std::ostream& err) {
  CheckOutputs(design);
  const int scale =
      design.scale.empty() ? 1 : WholeNumberOption("--scale", design.scale, 1, kLargestGraphScale);
  const int workers = WorkersOption(design.jobs);
  TDMPumpfield base;
  if (!LoadStudyInput(design.input, base, err))
    return kExitBadInputFile;
  const DesignSettings settings =
      DesignSettingsOf(design.uncertain, design.requiredDepth, base.AimCode);
  int status = kExitReportWritten;
  const std::optional<DesignSummary> designed =
      RunDesignOnTerminal(base, settings, workers, err, status);
  if (!designed)
    return status;
  const DesignSummary& summary = *designed;
  PrintSummary(summary, base.Title1, out);
  OutputsWritten written(out, err);
  std::string& errorText = written.errorText;
  if (!design.json.empty())
    written.Tell(WriteJsonFile(design.json, DesignJson(summary, base.AimCode), errorText), "JSON",
                 design.json);
  if (!design.csv.empty())
    written.Tell(WriteCsv(design.csv, DesignRows(summary), errorText), "Table", design.csv);
  if (!design.plot.empty() || !design.tornado.empty()) {
    const auto application = OffscreenApplication();
    if (!design.plot.empty())
      written.Tell(SaveDistributionChart(DistributionChartOf(summary, base.Title1), design.plot,
                                         scale, errorText),
                   "Plot", design.plot);
    if (!design.tornado.empty())
      written.Tell(
          SaveTornadoChart(TornadoChartOf(summary, base.Title1), design.tornado, scale, errorText),
          "Tornado chart", design.tornado);
  }
  return written.status();
}
} // namespace

void AddDesignCommand(CommandSet& commands) {
  auto design = std::make_shared<DesignArguments>();
  CLI::App& command = commands.Add(
      "design", kSummary, kExitStatuses,
      [design](std::ostream& out, std::ostream& err) { return Design(*design, out, err); });
  AddFileArgument(command, "FILE.inp", design->input, "the input file; it is not changed");
  AddUncertainOptions(command, design->uncertain, true, "1000");
  AddRequiredDepthOption(command, design->requiredDepth);
  AddValueOption(command, "-j,--jobs", design->jobs, "N",
                 "runs at once, 1 to 1024 (default: one per processor)");
  AddValueOption(command, "--json", design->json, "RESULT.json", "write the summary as JSON");
  AddValueOption(command, "--csv", design->csv, "TABLE.csv", "write the summary as a table");
  AddValueOption(command, "--plot", design->plot, "PLOT.png|.svg|.pdf",
                 "draw the distribution of the answer with the design value");
  AddValueOption(command, "--tornado", design->tornado, "CHART.png|.svg|.pdf",
                 "draw the sensitivity to each uncertain input");
  AddValueOption(command, "--scale", design->scale, "K",
                 "draw PNG charts at 2, 3 or 4 times the size");
}
