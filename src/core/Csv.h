// Tables as comma-separated values (RFC 4180) that a spreadsheet opens safely: a field holding a
// comma, a double quote or a line end is quoted, its double quotes doubled, and a text that a
// spreadsheet would take for a formula gets a leading '. Numbers are written by the caller,
// always with a decimal point, and stay numbers.
#pragma once

#include <string>
#include <vector>

using CsvRow = std::vector<std::string>;

// `text` as a spreadsheet cell that starts no formula: a text beginning with =, +, -, @, a tab
// or a carriage return gets a leading '; a plain decimal number is left as it is.
std::string SpreadsheetText(const std::string& text);

// One row without its line end.
std::string CsvLine(const CsvRow& row);
// The rows, each ended by CR LF.
std::string CsvText(const std::vector<CsvRow>& rows);

// Writes CsvText to `path`, replacing the file only once the whole table is written. False with
// `errorText` set when it cannot be written.
bool WriteCsv(const std::string& path, const std::vector<CsvRow>& rows, std::string& errorText);
