#include "core/Csv.h"

#include "core/TextFile.h"
#include "core/TextFormat.h"

#include <string_view>

std::string SpreadsheetText(const std::string& text) {
  const char first = text.empty() ? '\0' : text[0];
  const bool signedNumber = (first == '-' || first == '+') && TextToFloat(text, '.');
  if (std::string_view("=+-@\t\r").find(first) == std::string_view::npos || signedNumber)
    return text;
  return "'" + text;
}

std::string CsvLine(const CsvRow& row) {
  std::string line;
  for (size_t i = 0; i < row.size(); ++i) {
    const std::string field = SpreadsheetText(row[i]);
    if (i > 0)
      line += ',';
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
      line += field;
      continue;
    }
    line += '"';
    for (char c : field)
      line += c == '"' ? std::string("\"\"") : std::string(1, c);
    line += '"';
  }
  return line;
}

std::string CsvText(const std::vector<CsvRow>& rows) {
  std::string text;
  for (const CsvRow& row : rows)
    text += CsvLine(row) + "\r\n";
  return text;
}

bool WriteCsv(const std::string& path, const std::vector<CsvRow>& rows, std::string& errorText) {
  return WriteWholeFile(path, CsvText(rows), errorText);
}
