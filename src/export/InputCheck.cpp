#include "export/InputCheck.h"

#include "core/FileNames.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"

#include <array>
#include <map>

namespace {
int DecimalsOf(const std::string& printed) {
  const size_t point = printed.find('.');
  return point == std::string::npos ? 0 : static_cast<int>(printed.size() - point - 1);
}

std::string AimText(std::optional<Aim> aim) {
  return aim ? AimInWords(*aim) : std::string("an unknown calculation");
}

// The check of the spacing and the rectangular-field calculations prints Kb1 and Kb2 as 0 when
// the vertical permeability above them is not larger than the recharge.
bool ClearedByTheCheck(const std::string& symbol, std::optional<Aim> aim,
                       const std::map<std::string, double>& file) {
  if (aim != Aim::Spacing && aim != Aim::FieldDepths)
    return false;
  auto value = [&file](const char* name) {
    const auto found = file.find(name);
    return found == file.end() ? 0.0 : found->second;
  };
  const bool layer1 = value("Kv1") <= value("R");
  return (symbol == "Kb1" && layer1) || (symbol == "Kb2" && (layer1 || value("Kv2") <= value("R")));
}
} // namespace

InputCheck CheckInputBeside(const ReportContent& report, const std::string& reportPath) {
  InputCheck check;
  check.path = ChangeFileExt(reportPath, ".inp");
  if (!FileExists(check.path))
    return check;
  TextReader file(check.path);
  check.outcome = InputCheck::Outcome::Unreadable;
  if (!file.opened())
    return check;
  file.SkipLine();
  file.SkipLine();
  file.SkipLine();
  const std::optional<Aim> aim = AimOfCode(file.ReadLine());
  if (!aim)
    return check;
  // The values the report prints must all be there; what follows them may be missing.
  std::array<double, kParamCount> numbers{};
  int read = 0;
  while (read < kParamCount) {
    const TextReader::ReadResult result = file.ReadReal(numbers[static_cast<size_t>(read)]);
    if (result == TextReader::ReadResult::Malformed)
      return check;
    if (result == TextReader::ReadResult::EndOfFile)
      break;
    ++read;
  }
  std::map<std::string, double> values;
  for (const ReportInput& input : report.inputs) {
    if (input.position < 1 || input.position > read)
      return check;
    values[input.symbol] = numbers[static_cast<size_t>(input.position - 1)];
  }

  check.outcome = InputCheck::Outcome::Matches;
  if (aim != report.aim)
    check.differences.push_back("the input file is for " + AimText(aim) + ", the report for " +
                                AimText(report.aim));
  for (const ReportInput& input : report.inputs) {
    const std::string inFile = FormatFixed(values[input.symbol], 0, DecimalsOf(input.value));
    const bool same =
        inFile == input.value || (TextToFloat(input.value, '.') == 0.0 &&
                                  ClearedByTheCheck(input.symbol, report.aim, values));
    if (!same)
      check.differences.push_back(input.symbol + " is " + inFile + " in the input file and " +
                                  input.value + " in the report");
  }
  if (!check.differences.empty())
    check.outcome = InputCheck::Outcome::Differs;
  return check;
}
