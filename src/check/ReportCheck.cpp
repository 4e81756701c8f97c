#include "check/ReportCheck.h"

#include "data/ReportMeaning.h"

namespace {
// The numbers of a report's inputs and results by their symbols, noting the first one missing.
class ReportValues {
public:
  explicit ReportValues(const ReportContent& report) : report_(report) {}

  double Input(const std::string& symbol) { return Number(report_.Input(symbol), symbol); }
  double Result(const std::string& symbol) { return Number(report_.Result(symbol), symbol); }
  const std::string& missing() const { return missing_; }

private:
  template <typename Value> double Number(const Value* value, const std::string& symbol) {
    if (value)
      return value->number;
    if (missing_.empty())
      missing_ = symbol;
    return 0;
  }
  const ReportContent& report_;
  std::string missing_;
};
} // namespace

std::optional<DesignToCheck> DesignOfReport(const ReportContent& report, std::string& errorText) {
  if (!report.aim || report.profiles.empty()) {
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
    cell.Ka = cell.Kb1 = cell.Kv1 = cell.Kb2 = cell.Kv2 = values.Result("K");
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
    cell.Sa = cell.Sb = values.Result("S");
    design.recharge = values.Input("R");
    design.requiredDepth = values.Input("Dm");
    cell.Q = design.recharge * cell.Sa * cell.Sb;
    design.reported.push_back({kSingleProfileName, cell.Sa / 2, 0, values.Result("Dm")});
    break;
  case Aim::Discharge: {
    cell.Sa = cell.Sb = values.Input("S");
    const double printedDischarge = values.Result("Q");
    cell.Q = WellDischargeOfReport(report).value_or(printedDischarge);
    design.reported.push_back({kSingleProfileName, cell.Sa / 2, 0, values.Result("Dm")});
    break;
  }
  case Aim::Conductivity:
    cell.Sa = cell.Sb = values.Input("S");
    cell.Q = values.Input("R") * cell.Sa * cell.Sb;
    design.reported.push_back({kSingleProfileName, cell.Sa / 2, 0, values.Result("Dm")});
    break;
  case Aim::FieldDepths:
    cell.Sa = values.Input("Sa");
    cell.Sb = values.Input("Sb");
    cell.Q = values.Input("R") * cell.Sa * cell.Sb;
    design.reported = {{"along the longer spacing", cell.Sa / 2, 0, values.Result("Dma")},
                       {"along the shorter spacing", 0, cell.Sb / 2, values.Result("Dmb")},
                       {"along the diagonal", cell.Sa / 2, cell.Sb / 2, values.Result("Dmd")}};
    break;
  }
  if (!values.missing().empty()) {
    errorText = "The report lacks what the check needs: its value " + values.missing() + ".";
    return std::nullopt;
  }
  const ReportProfile& first = report.profiles.front();
  if (!first.head.empty())
    design.reportFirstHead = first.head.front();
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
