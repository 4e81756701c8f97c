// The profile tables of a report as a CSV file (RFC 4180, a point as decimal separator, CR LF
// line ends) or as tab-separated text for the clipboard, one row per table row with the name of
// its profile, the numbers as the report prints them. A profile name that a spreadsheet would
// take for a formula gets a leading '.
#pragma once

#include "data/ReportContent.h"

#include <string>

std::string TablesCsv(const ReportContent& report);
// Tab-separated with LF line ends; the numbers take `decimalSeparator`, so that a spreadsheet
// of a decimal-comma desktop reads them as numbers.
std::string TablesTabText(const ReportContent& report, char decimalSeparator);

// Writes TablesCsv to `path`, replacing the file only once all of it is written. False with
// `errorText` set when it cannot be written.
bool SaveTablesCsv(const ReportContent& report, const std::string& path, std::string& errorText);
