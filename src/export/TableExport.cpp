#include "export/TableExport.h"

#include "core/TextFile.h"

#include <algorithm>

const char* const kTablesCsvHeader = "profile,distance (m),head (m),gradient (-)";

namespace {
// A field quoted when it holds a comma, a double quote or a line end; inner quotes doubled.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos)
    return text;
  std::string quoted = "\"";
  for (char c : text)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string Joined(const std::vector<std::string>& fields, char separator) {
  std::string line;
  for (const std::string& field : fields)
    line += (line.empty() ? "" : std::string(1, separator)) + field;
  return line;
}

std::string WithSeparator(std::string number, char separator) {
  std::replace(number.begin(), number.end(), '.', separator);
  return number;
}
} // namespace

std::string TablesCsv(const ReportContent& report) {
  std::string text = std::string(kTablesCsvHeader) + "\r\n";
  for (const ReportProfile& profile : report.profiles)
    for (const auto& row : profile.rows)
      text += Joined({CsvField(profile.name), row[0], row[1], row[2]}, ',') + "\r\n";
  return text;
}

std::string TablesTabText(const ReportContent& report, char decimalSeparator) {
  std::string header = kTablesCsvHeader;
  std::replace(header.begin(), header.end(), ',', '\t');
  std::string text = header + "\n";
  for (const ReportProfile& profile : report.profiles)
    for (const auto& row : profile.rows)
      text +=
          Joined({profile.name, WithSeparator(row[0], decimalSeparator),
                  WithSeparator(row[1], decimalSeparator), WithSeparator(row[2], decimalSeparator)},
                 '\t') +
          "\n";
  return text;
}

bool SaveTablesCsv(const ReportContent& report, const std::string& path, std::string& errorText) {
  TextWriter file(path, TextWriter::Mode::ReplaceWhenDone);
  if (file.opened())
    file.Write(TablesCsv(report));
  if (file.opened() && file.Close())
    return true;
  errorText = "The file \"" + path + "\" could not be written: " + file.failure();
  return false;
}
