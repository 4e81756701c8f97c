// Tables as comma-separated values (RFC 4180): a field holding a comma, a double quote or a line
// end is quoted, its double quotes doubled. Numbers in the fields are written by the caller,
// always with a decimal point.
#pragma once

#include <string>
#include <vector>

using CsvRow = std::vector<std::string>;

// One row without its line end.
std::string CsvLine(const CsvRow& row);

// Writes the rows with CR LF line ends, replacing `path` only once the whole table is written.
// False with `errorText` set when it cannot be written.
bool WriteCsv(const std::string& path, const std::vector<CsvRow>& rows, std::string& errorText);
