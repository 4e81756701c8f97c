// Any bytes as a report: the readers take it whole or raise their format error, and what they
// leave in the data module is consistent (counts within 0..255 that match their tables); the
// report's content is read without failing, its tables' numbers matching their printed rows.
#include "FuzzSupport.h"
#include "core/TextFile.h"
#include "data/ReportContent.h"
#include "data/UDMPumpfield.h"

namespace {
void RequireTable(int32_t count, const DataSetR& x, const DataSetR& f, const DataSetR& g) {
  Require(count >= 0 && count <= 255);
  if (count > 0)
    Require(x.size() == static_cast<size_t>(count) && f.size() == x.size() && g.size() == x.size());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CountingServices services;
  const std::string path = WriteScratchFile("fuzz.out", data, size);
  const ReportContent content = ParseReportLines(TextReader(path).ReadLines());
  for (const ReportProfile& profile : content.profiles)
    Require(profile.rows.size() == profile.distance.size() &&
            profile.head.size() == profile.distance.size() &&
            profile.gradient.size() == profile.distance.size() &&
            (profile.endLine == ReportProfile::kNone || profile.endLine > profile.markerLine));
  std::string errorText;
  Require(ParseReport(content.lines, path, errorText).has_value() == errorText.empty());

  TDMPumpfield dm(&services);
  dm.LoadOutputLines(path);
  Require(dm.OutputLineCount >= 0 &&
          (dm.OutputLineCount == 0 || dm.OutputLines.size() == size_t(dm.OutputLineCount)));
  try {
    dm.LoadGraphData(path);
  } catch (const ReportFormatError&) {
    Require(dm.Count1 == 0 && dm.Count2 == 0 && dm.Count3 == 0 && dm.ReportTag.empty());
    return 0;
  }
  Require(dm.ReportTag.size() <= 4);
  RequireTable(dm.Count1, dm.Table1X, dm.Table1F, dm.Table1G);
  RequireTable(dm.Count2, dm.Table2X, dm.Table2F, dm.Table2G);
  RequireTable(dm.Count3, dm.Table3X, dm.Table3F, dm.Table3G);
  return 0;
}
