#include "export/ReportCheck.h"

#include "core/TextFormat.h"

#include <cmath>
#include <numbers>

namespace {
class ReportValues {
public:
  explicit ReportValues(const ReportContent& report) : report_(report) {}

  // The input printed with `symbol`; records it as missing when there is none.
  double Input(const std::string& symbol) {
    for (const ReportInput& input : report_.inputs)
      if (input.symbol == symbol)
        return Number(input.value, symbol);
    return Missing(symbol);
  }
  // The figure of the first result line whose words begin with `words`.
  double Result(const std::string& words) {
    for (const ReportResult& result : report_.results)
      if (result.words.rfind(words, 0) == 0)
        return Number(result.figure, words);
    return Missing(words);
  }
  bool HasResult(const std::string& words) const {
    for (const ReportResult& result : report_.results)
      if (result.words.rfind(words, 0) == 0)
        return true;
    return false;
  }
  std::vector<double> Depths() {
    std::vector<double> depths;
    for (const ReportResult& result : report_.results)
      if (result.words.rfind("Midway W.T. depth", 0) == 0 ||
          result.words.rfind("Midway watertable depth", 0) == 0)
        depths.push_back(Number(result.figure, result.words));
    return depths;
  }
  const std::string& missing() const { return missing_; }

private:
  double Number(const std::string& text, const std::string& what) {
    if (const auto value = TextToFloat(text, '.'))
      return *value;
    return Missing(what);
  }
  double Missing(const std::string& what) {
    if (missing_.empty())
      missing_ = what;
    return 0;
  }
  const ReportContent& report_;
  std::string missing_;
};

// The discharge from the printed Q or from the printed intensity over the circle of radius
// S/2, whichever the printing rounded less.
double DischargeOfReport(ReportValues& values, double spacing) {
  const double printed = values.Result("The well discharge");
  if (!values.HasResult("Well discharge (Darcy, m/day)"))
    return printed;
  const double intensity = values.Result("Well discharge (Darcy, m/day)");
  const double fromIntensity = std::numbers::pi * intensity * spacing * spacing / 4;
  return 0.05 / printed < 0.000005 / intensity ? printed : fromIntensity;
}
} // namespace

std::optional<DesignToCheck> DesignOfReport(const ReportContent& report, std::string& errorText) {
  if (!report.aim) {
    errorText = "The report is of no calculation the check knows.";
    return std::nullopt;
  }
  ReportValues values(report);
  DesignToCheck design;
  WellCell& cell = design.cell;
  const Aim aim = *report.aim;
  cell.D2 = values.Input("D2");
  cell.Dw = values.Input("Dw");
  cell.Db = values.Input("Db");
  cell.E = values.Input("E");
  cell.W = values.Input("W");
  if (aim == Aim::Conductivity) {
    cell.D1 = cell.D2;
    cell.Ka = cell.Kb1 = cell.Kv1 = cell.Kb2 = cell.Kv2 =
        values.Result("The average hydraulic conductivity");
  } else {
    cell.D1 = values.Input("D1");
    cell.Ka = values.Input("Ka");
    cell.Kb1 = values.Input("Kb1");
    cell.Kv1 = values.Input("Kv1");
    cell.Kb2 = values.Input("Kb2");
    cell.Kv2 = values.Input("Kv2");
  }
  switch (aim) {
  case Aim::Spacing:
    cell.Sa = cell.Sb = values.Result("The well spacing");
    design.recharge = values.Input("R");
    design.requiredDepth = values.Input("Dm");
    cell.Q = design.recharge * cell.Sa * cell.Sb;
    break;
  case Aim::Discharge:
    cell.Sa = cell.Sb = values.Input("S");
    cell.Q = DischargeOfReport(values, cell.Sa);
    break;
  case Aim::Conductivity:
    cell.Sa = cell.Sb = values.Input("S");
    cell.Q = values.Input("R") * cell.Sa * cell.Sb;
    break;
  case Aim::FieldDepths:
    cell.Sa = values.Input("Sa");
    cell.Sb = values.Input("Sb");
    cell.Q = values.Input("R") * cell.Sa * cell.Sb;
    break;
  }
  const std::vector<double> depths = values.Depths();
  if (aim == Aim::FieldDepths) {
    const double points[3][2] = {{cell.Sa / 2, 0}, {0, cell.Sb / 2}, {cell.Sa / 2, cell.Sb / 2}};
    for (size_t i = 0; i < 3 && i < depths.size() && i < report.profiles.size(); ++i)
      design.reported.push_back({report.profiles[i].name, points[i][0], points[i][1], depths[i]});
  } else if (!depths.empty()) {
    design.reported.push_back({kSingleProfileName, cell.Sa / 2, 0, depths[0]});
  }
  if (!values.missing().empty() || design.reported.size() != (aim == Aim::FieldDepths ? 3 : 1)) {
    errorText = "The report lacks what the check needs: " +
                (values.missing().empty() ? std::string("its midway depths") : values.missing()) +
                ".";
    return std::nullopt;
  }
  const auto& firstRows = report.profiles.front().rows;
  if (!firstRows.empty())
    design.reportFirstHead = TextToFloat(firstRows.front()[1], '.').value_or(0);
  return design;
}

std::optional<DesignCheck> CheckReport(const ReportContent& report, std::string& errorText,
                                       const CellGrid& grid) {
  const auto design = DesignOfReport(report, errorText);
  if (!design)
    return std::nullopt;
  try {
    return CheckDesign(*design, grid);
  } catch (const CellModelError& error) {
    errorText = error.what();
    return std::nullopt;
  }
}
