#include "check/CheckText.h"

#include "core/FileNames.h"
#include "core/TextFormat.h"
#include "data/ReportMeaning.h"

#include <algorithm>

namespace {
std::string Metres(double value) { return CheckNumber(value, 8, 3); }
} // namespace

std::string CheckNumber(double value, int width, int decimals) {
  return FormatFixed(RoundedTo(value, decimals), width, decimals);
}

std::string CheckText(const std::string& reportName, const ReportContent& report,
                      const DesignCheck& check) {
  const Aim aim = report.aim.value_or(Aim::Spacing);
  std::string text = "Independent check of \"" + VisibleFileName(reportName) + "\" (" +
                     AimInWords(aim) + ")\n" +
                     "Water-table depth (m)            check   report  difference  of drawdown\n";
  for (const CheckedDepth& depth : check.depths) {
    std::string line = "  " + depth.reported.line;
    line.resize(std::max<size_t>(line.size(), 30), ' ');
    text += line + Metres(depth.depth) + ' ' + Metres(depth.reported.depth) + "    " +
            Metres(depth.difference) + CheckNumber(100 * depth.ofDrawdown, 11, 1) + " %" +
            (depth.flagged ? "  flagged" : "") + '\n';
  }
  text += "  centre of the cell          " + Metres(check.centreDepth) + '\n';
  if (aim == Aim::Spacing)
    text +=
        "Spacing the check needs for the required depth: " +
        (check.spacingNeeded ? CheckNumber(*check.spacingNeeded, 1, 2) + " m"
                             : std::string("none (no spacing the check can model reaches it)")) +
        '\n';
  text += "Head at the screen face: " + CheckNumber(check.screenFaceHead, 1, 4) +
          " m in the check, " + CheckNumber(check.reportFirstHead, 1, 4) +
          " m in the report's first row.\n" +
          "A positive difference: the check's water table stands higher than the report's.\n";
  if (check.flagged)
    text += "Flagged: the check differs from the report by more than " +
            CheckNumber(100 * kFlaggedShareOfDrawdown, 1, 0) + " % of the drawdown.\n";
  if (const auto achieved = AchievedMidwayDepth(report))
    text += "The report's midway depth is the one its search aimed at; its final profile\n"
            "reaches " +
            CheckNumber(*achieved, 1, 4) + " m there (Dw minus the last head).\n";
  if (const auto recharge = SquareShareRecharge(report))
    text += "The report's \"m/day\" is the recharge over the circle of radius S/2; over the\n"
            "well's square share of the field, Q/S², it is " +
            CheckNumber(*recharge, 1, 5) + " m/day.\n";
  return text;
}
