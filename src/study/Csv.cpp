#include "study/Csv.h"

#include "core/TextFile.h"

std::string CsvLine(const CsvRow& row) {
  std::string line;
  for (size_t i = 0; i < row.size(); ++i) {
    const std::string& field = row[i];
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

bool WriteCsv(const std::string& path, const std::vector<CsvRow>& rows, std::string& errorText) {
  TextWriter file(path, TextWriter::Mode::ReplaceWhenDone);
  for (const CsvRow& row : rows)
    file.WriteLine(CsvLine(row));
  if (file.Close())
    return true;
  errorText = "The file \"" + path + "\" could not be written: " + file.failure();
  return false;
}
