#include "cli/UncertainOptions.h"

#include "cli/Commands.h"
#include "cli/StudyTerminal.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "study/Sweep.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <ostream>

bool LoadStudyInput(const std::string& name, TDMPumpfield& base, std::ostream& err) {
  const std::string inputName = ExpandFileName(name);
  if (const TextReader input(inputName); !input.opened()) {
    err << input.FailureMessage(CouldNotOpenForReadingMessage(inputName)) << '\n';
    return false;
  }
  TerminalServices services(err);
  base.services = &services;
  base.InputFileName = inputName;
  base.LoadInputFile();
  base.services = nullptr;
  if (services.quitRequested)
    return false;
  // The window's reader takes a missing value as 0; a study of a file cut short must not.
  if (const std::string missing = MissingValueMessage(inputName); !missing.empty()) {
    err << missing << '\n';
    return false;
  }
  return true;
}

double NumberOption(const std::string& option, const std::string& text) {
  const std::optional<double> value = TextToFloat(text, '.');
  if (!value || !std::isfinite(*value))
    throw UsageError(option + " needs a number written with a decimal point, not \"" + text + "\"");
  return *value;
}

DesignSettings SettingsOf(const UncertainArguments& arguments, const std::string& aimCode,
                          size_t defaultSamples) {
  DesignSettings settings;
  try {
    for (const std::string& text : arguments.uncertain) {
      settings.uncertain.push_back(ParseUncertain(text, aimCode));
      for (size_t i = 0; i + 1 < settings.uncertain.size(); ++i)
        if (settings.uncertain[i].input.position == settings.uncertain.back().input.position)
          throw UsageError(std::string(settings.uncertain.back().input.symbol) +
                           " is given twice as uncertain");
    }
  } catch (const SweepUsageError& error) {
    throw UsageError(error.what());
  }
  settings.samples =
      arguments.samples.empty()
          ? defaultSamples
          : static_cast<size_t>(WholeNumberOption("--samples", arguments.samples, 2,
                                                  static_cast<int>(kMaxDesignSamples)));
  if (!arguments.seed.empty())
    settings.seed =
        static_cast<uint64_t>(WholeNumberOption("--seed", arguments.seed, 0, 2147483647));
  if (!arguments.reliability.empty()) {
    settings.reliability = NumberOption("--reliability", arguments.reliability);
    if (!(settings.reliability > 0 && settings.reliability < 1))
      throw UsageError("--reliability is a probability between 0 and 1, both excluded, not " +
                       arguments.reliability);
  }
  return settings;
}

DesignSettings DesignSettingsOf(const UncertainArguments& arguments,
                                const std::string& requiredDepth, const std::string& aimCode) {
  DesignSettings settings = SettingsOf(arguments, aimCode, 1000);
  if (!requiredDepth.empty()) {
    if (AimOfCode(aimCode) != Aim::FieldDepths)
      throw UsageError("--required-depth is for the input file of a rectangular field");
    settings.requiredDepth = NumberOption("--required-depth", requiredDepth);
  }
  return settings;
}

std::optional<DesignSummary> RunDesignOnTerminal(const TDMPumpfield& base,
                                                 const DesignSettings& settings, int workers,
                                                 std::ostream& err, int& status) {
  StudyRun run;
  run.workers = workers;
  DesignRuns runs;
  if (!RunStudyOnTerminal(
          run, settings.samples + 1 + 2 * settings.uncertain.size(), "nothing was written.", err,
          status, [&](const StudyRun& study) { return RunDesign(base, settings, runs, study); }))
    return std::nullopt;
  return SummariseDesign(*AimOfCode(base.AimCode), settings, runs);
}

void AddUncertainOptions(CLI::App& command, UncertainArguments& uncertain, bool required,
                         const std::string& samplesDefault) {
  CLI::Option* option = AddRepeatedOption(
      command, "--uncertain", uncertain.uncertain,
      "SYMBOL=uniform:LOW:HIGH|triangular:LOW:MODE:HIGH|normal:MEAN:SD|lognormal:MEDIAN:FACTOR",
      "an uncertain input and its distribution (FACTOR: the geometric standard deviation); "
      "sampled values are rounded as the input file holds them");
  if (required)
    option->required();
  AddValueOption(command, "--samples", uncertain.samples, "N",
                 "Latin hypercube samples, 2 to 100000 (default: " + samplesDefault + ")");
  AddValueOption(command, "--seed", uncertain.seed, "S",
                 "seed of the sampling; the same seed gives the same results (default: 1)");
  AddValueOption(command, "--reliability", uncertain.reliability, "P",
                 "the probability the design must hold with, between 0 and 1 (default: 0.9)");
}

void AddRequiredDepthOption(CLI::App& command, std::string& requiredDepth) {
  AddValueOption(command, "--required-depth", requiredDepth, "D",
                 "rectangular field: the depth (m) each midway depth must reach");
}
