#include "cli/OptimiseCommand.h"

#include "cli/OffscreenApplication.h"
#include "cli/StudyTerminal.h"
#include "cli/TerminalServices.h"
#include "cli/UncertainOptions.h"
#include "core/FileNames.h"
#include "core/JsonFile.h"
#include "export/DesignCharts.h"
#include "export/SweepPlot.h"
#include "study/Optimise.h"
#include "study/Sweep.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>

namespace {
const char* const kSummary =
    "Find the cheapest well field for the rectangular-field input file: the field of LENGTH by "
    "WIDTH metres is divided into nL x nB equal cells with a well in each (spacings LENGTH/nL and "
    "WIDTH/nB, the larger Sa), and the water level Dw in the wells is taken from --well-level in "
    "steps of 0.1 m. A layout is feasible when its input passes the checks and all three midway "
    "depths are at least D (with probability P over the samples of the uncertain inputs). The "
    "cost is C per well plus E per m3 and metre of lift for lifting the recharge of the whole "
    "field (R x LENGTH x WIDTH m3 a day, 365 days a year) from Dw for Y years. Prints the "
    "cheapest layout and the front of layouts where fewer wells need a deeper level.";
const char* const kExitStatuses =
    "0 the search ran (whether or not a layout is feasible); 3 the input file cannot be read or "
    "an output cannot be written; 64 usage error; 130 Ctrl+C.";

struct OptimiseArguments {
  std::string input, field, requiredDepth, wellCost, energyPrice, years, wellLevel, jobs;
  std::string json, csv, plot;
  UncertainArguments uncertain;
};

std::pair<double, double> PairOption(const std::string& option, const std::string& text,
                                     char separator, const std::string& form) {
  const size_t at = text.find(separator);
  if (at == std::string::npos)
    throw UsageError(option + " is written " + form + ", not \"" + text + "\"");
  return {NumberOption(option, text.substr(0, at)), NumberOption(option, text.substr(at + 1))};
}

OptimiseSettings SettingsOf(const OptimiseArguments& arguments, const TDMPumpfield& base) {
  OptimiseSettings settings;
  std::tie(settings.length, settings.width) =
      PairOption("--field", arguments.field, 'x', "LENGTHxWIDTH");
  settings.requiredDepth = NumberOption("--required-depth", arguments.requiredDepth);
  settings.wellCost = NumberOption("--well-cost", arguments.wellCost);
  if (arguments.energyPrice.empty() != arguments.years.empty())
    throw UsageError("--energy-price and --years go together");
  if (!arguments.energyPrice.empty()) {
    settings.energyPrice = NumberOption("--energy-price", arguments.energyPrice);
    settings.years = NumberOption("--years", arguments.years);
  }
  settings.levelMin = settings.levelMax = base.Params[3];
  if (!arguments.wellLevel.empty())
    std::tie(settings.levelMin, settings.levelMax) =
        PairOption("--well-level", arguments.wellLevel, ':', "MIN:MAX");
  if (!arguments.uncertain.uncertain.empty() || !arguments.uncertain.samples.empty() ||
      !arguments.uncertain.reliability.empty() || !arguments.uncertain.seed.empty())
    settings.uncertainty = ::SettingsOf(arguments.uncertain, base.AimCode, 100);
  try {
    CheckOptimiseSettings(settings);
  } catch (const SweepUsageError& error) {
    throw UsageError(error.what());
  }
  return settings;
}

std::string LayoutLine(const LayoutOutcome& layout) {
  return std::to_string(layout.nL) + " x " + std::to_string(layout.nB) + " = " +
         std::to_string(layout.wells()) + " wells, Sa = " + PlainNumber(layout.Sa) +
         " m, Sb = " + PlainNumber(layout.Sb) + " m, Dw = " + PlainNumber(layout.Dw) +
         " m; depths Dma " + PlainNumber(layout.depths[0]) + ", Dmb " +
         PlainNumber(layout.depths[1]) + ", Dmd " + PlainNumber(layout.depths[2]) + " m; cost " +
         PlainNumber(layout.cost);
}

int Optimise(const OptimiseArguments& optimise, std::ostream& out, std::ostream& err) {
  if (!optimise.plot.empty() && !IsSweepPlotName(optimise.plot))
    throw UsageError("the plot is written as PNG, SVG or PDF: name it .png, .svg or .pdf");
  const int workers = WorkersOption(optimise.jobs);
  TDMPumpfield base;
  if (!LoadStudyInput(optimise.input, base, err))
    return kExitBadInputFile;
  if (AimOfCode(base.AimCode) != Aim::FieldDepths)
    throw UsageError("optimise needs the input file of a rectangular field (aim \"Hydr\")");
  const OptimiseSettings settings = SettingsOf(optimise, base);

  StudyRun run;
  run.workers = workers;
  OptimiseResult result;
  // The search does not know beforehand how many layouts it runs: the line counts the runs.
  if (int status = kExitReportWritten;
      !RunStudyOnTerminal(run, 0, "nothing was written.", err, status, [&](const StudyRun& study) {
        return OptimiseLayout(base, settings, result, study);
      }))
    return status;

  const bool uncertain = !settings.uncertainty.uncertain.empty();
  out << "Layouts run: " << result.layoutsEvaluated << " of " << result.layoutsInRange
      << " within the limits\n";
  if (result.cheapest)
    out << "Cheapest layout: " << LayoutLine(*result.cheapest) << '\n';
  else
    out << "No layout within the limits reaches the required depth.\n";
  out << "Front (fewer wells need a deeper level):\n";
  for (const LayoutOutcome& layout : result.front)
    out << "  " << LayoutLine(layout) << '\n';

  OutputsWritten written(out, err);
  std::string& errorText = written.errorText;
  if (!optimise.json.empty())
    written.Tell(WriteJsonFile(optimise.json, OptimiseJson(result, uncertain), errorText), "JSON",
                 optimise.json);
  if (!optimise.csv.empty())
    written.Tell(WriteCsv(optimise.csv, OptimiseRows(result), errorText), "Table", optimise.csv);
  if (!optimise.plot.empty()) {
    const auto application = OffscreenApplication();
    written.Tell(SaveSweepPlot(OptimiseFrontPlot(result, base.Title1), optimise.plot, 1, errorText),
                 "Plot", optimise.plot);
  }
  return written.status();
}
} // namespace

void AddOptimiseCommand(CommandSet& commands) {
  auto optimise = std::make_shared<OptimiseArguments>();
  CLI::App& command = commands.Add(
      "optimise", kSummary, kExitStatuses,
      [optimise](std::ostream& out, std::ostream& err) { return Optimise(*optimise, out, err); });
  AddFileArgument(command, "FILE.inp", optimise->input,
                  "the input file of a rectangular field; it is not changed");
  AddValueOption(command, "--field", optimise->field, "LENGTHxWIDTH",
                 "the field's length and width (m)")
      ->required();
  AddValueOption(command, "--required-depth", optimise->requiredDepth, "D",
                 "the depth (m) every midway depth must reach")
      ->required();
  AddValueOption(command, "--well-cost", optimise->wellCost, "C", "the cost of one well")
      ->required();
  AddValueOption(command, "--energy-price", optimise->energyPrice, "E",
                 "the price of lifting one m3 by one metre (default: 0)");
  AddValueOption(command, "--years", optimise->years, "Y", "the years the energy is paid for");
  AddValueOption(command, "--well-level", optimise->wellLevel, "MIN:MAX",
                 "the water levels Dw (m) to try, in steps of 0.1 m (default: the file's)");
  AddUncertainOptions(command, optimise->uncertain, false, "100");
  AddValueOption(command, "-j,--jobs", optimise->jobs, "N",
                 "runs at once, 1 to 1024 (default: one per processor)");
  AddValueOption(command, "--json", optimise->json, "RESULT.json",
                 "write the cheapest layout and the front as JSON");
  AddValueOption(command, "--csv", optimise->csv, "TABLE.csv",
                 "write the cheapest layout and the front as a table");
  AddValueOption(command, "--plot", optimise->plot, "PLOT.png|.svg|.pdf",
                 "draw the fewest wells against the water level");
}
