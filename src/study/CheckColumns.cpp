#include "study/CheckColumns.h"

#include "check/ReportCheck.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "data/ReportContent.h"
#include "data/ReportMeaning.h"

#include <algorithm>

namespace {
std::string Fixed(double value, int decimals) {
  return FormatFixed(RoundedTo(value, decimals), 0, decimals);
}
} // namespace

CsvRow CheckHeadings() {
  return {"check midway depth (m)", "check difference (% of drawdown)", "check flag",
          "achieved midway depth (m)", "recharge over square share Q/S^2 (m/day)"};
}

CheckCells CheckCellsOfReport(const std::string& reportText) {
  CheckCells cells;
  std::string errorText;
  const std::optional<ReportContent> report = ParseReport(TextLines(reportText), "", errorText);
  if (!report)
    return cells;
  if (const auto achieved = AchievedMidwayDepth(*report))
    cells[3] = Fixed(*achieved, 4);
  if (const auto recharge = SquareShareRecharge(*report))
    cells[4] = Fixed(*recharge, 6);
  const std::optional<DesignCheck> check = CheckReport(*report, errorText);
  if (!check || check->depths.empty()) {
    cells[2] = "not checked";
    return cells;
  }
  const CheckedDepth& worst = *std::max_element(
      check->depths.begin(), check->depths.end(),
      [](const CheckedDepth& a, const CheckedDepth& b) { return a.ofDrawdown < b.ofDrawdown; });
  cells[0] = Fixed(worst.depth, 3);
  cells[1] = Fixed(100 * worst.ofDrawdown, 1);
  cells[2] = check->flagged ? "flagged" : "ok";
  return cells;
}
