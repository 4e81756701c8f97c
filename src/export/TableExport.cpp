#include "export/TableExport.h"

#include "core/Csv.h"
#include "core/TextFile.h"

#include <algorithm>

namespace {
const CsvRow kHeader = {"profile", "distance (m)", "head (m)", "gradient (-)"};

std::string WithSeparator(std::string number, char separator) {
  std::replace(number.begin(), number.end(), '.', separator);
  return number;
}
} // namespace

std::string TablesCsv(const ReportContent& report) {
  std::vector<CsvRow> rows = {kHeader};
  for (const ReportProfile& profile : report.profiles)
    for (const auto& row : profile.rows)
      rows.push_back({profile.name, row[0], row[1], row[2]});
  return CsvText(rows);
}

std::string TablesTabText(const ReportContent& report, char decimalSeparator) {
  std::string text;
  for (const std::string& heading : kHeader)
    text += (text.empty() ? "" : "\t") + heading;
  text += "\n";
  for (const ReportProfile& profile : report.profiles)
    for (const auto& row : profile.rows)
      text += SpreadsheetText(profile.name) + '\t' + WithSeparator(row[0], decimalSeparator) +
              '\t' + WithSeparator(row[1], decimalSeparator) + '\t' +
              WithSeparator(row[2], decimalSeparator) + "\n";
  return text;
}

bool SaveTablesCsv(const ReportContent& report, const std::string& path, std::string& errorText) {
  return WriteWholeFile(path, TablesCsv(report), errorText);
}
