#include "data/ReportMeaning.h"

#include "core/TextFormat.h"

#include <cmath>
#include <numbers>

std::optional<double> WellDischargeOfReport(const ReportContent& report) {
  const ReportResult* printed = report.Result("Q");
  const ReportResult* intensity = report.aim == Aim::Discharge ? report.Result("R") : nullptr;
  const ReportInput* spacing = report.Input("S");
  if (!printed)
    return std::nullopt;
  if (!intensity || !spacing || !(printed->number > 0) || !(intensity->number > 0))
    return printed->number;
  // Q is printed to 0.1 m3/day, the intensity to 0.00001 m/day.
  if (0.05 / printed->number < 0.000005 / intensity->number)
    return printed->number;
  return std::numbers::pi * intensity->number * spacing->number * spacing->number / 4;
}

std::optional<double> SquareShareRecharge(const ReportContent& report) {
  const ReportInput* spacing = report.Input("S");
  const std::optional<double> discharge = WellDischargeOfReport(report);
  if (report.aim != Aim::Discharge || !spacing || !(spacing->number > 0) || !discharge)
    return std::nullopt;
  return *discharge / (spacing->number * spacing->number);
}

std::optional<double> AchievedMidwayDepth(const ReportContent& report) {
  const ReportInput* dw = report.Input("Dw");
  if (!report.aim || report.aim == Aim::FieldDepths || !dw || report.profiles.empty() ||
      report.profiles.front().head.empty())
    return std::nullopt;
  // Dw has two decimals, the head four: the difference is exact at four.
  const double depth = RoundedTo(dw->number - report.profiles.front().head.back(), 4);
  return std::isfinite(depth) ? std::optional<double>(depth) : std::nullopt;
}

std::vector<double> HeadDistances(std::optional<Aim> aim, const std::vector<double>& printedX) {
  const double share = aim == Aim::FieldDepths ? 0.885 : 0.855;
  std::vector<double> distances;
  for (double x : printedX)
    distances.push_back(x / share);
  if (aim == Aim::Spacing && !distances.empty())
    distances.back() = printedX.back();
  return distances;
}
