// What the sweep, design, optimise and report commands share: the input file loaded for a study,
// and the options that describe uncertain inputs.
#pragma once

#include "data/UDMPumpfield.h"
#include "study/Design.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// Loads `name` (expanded) into `base`; false, with the message and the system's reason on `err`,
// when it cannot be opened or read or ends before its last value.
bool LoadStudyInput(const std::string& name, TDMPumpfield& base, std::ostream& err);

struct UncertainArguments {
  std::vector<std::string> uncertain;
  std::string samples, seed, reliability;
};

// The settings the options ask for; a UsageError for a bad distribution, an unknown symbol, an
// input given twice, a sample count or seed out of range, or a reliability outside (0, 1).
DesignSettings SettingsOf(const UncertainArguments& arguments, const std::string& aimCode,
                          size_t defaultSamples);

// A number of an option, written with a decimal point; a UsageError otherwise.
double NumberOption(const std::string& option, const std::string& text);

// The settings of a design (1000 samples unless asked otherwise); a UsageError as SettingsOf
// gives, or for a required depth of an input file that is not a rectangular field's.
DesignSettings DesignSettingsOf(const UncertainArguments& arguments,
                                const std::string& requiredDepth, const std::string& aimCode);

// Runs the design of `base` with a progress line on `err` that Ctrl+C and other stop signals
// end. The summary; nothing, with `status` set after a message on `err`, when it was stopped or
// failed.
std::optional<DesignSummary> RunDesignOnTerminal(const TDMPumpfield& base,
                                                 const DesignSettings& settings, int workers,
                                                 std::ostream& err, int& status);

namespace CLI {
class App;
}
// The options --uncertain (required or not), --samples, --seed and --reliability.
void AddUncertainOptions(CLI::App& command, UncertainArguments& uncertain, bool required,
                         const std::string& samplesDefault);
// The option --required-depth of a design.
void AddRequiredDepthOption(CLI::App& command, std::string& requiredDepth);
