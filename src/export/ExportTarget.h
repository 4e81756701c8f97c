// Where an export may be written: never over the report it is made from, nor its input file.
#pragma once

#include <string>

// True when writing `target` would replace the report at `reportPath` or the input file beside
// it (the files are compared, not their names). `errorText` then says so.
bool ReplacesReportOrInput(const std::string& target, const std::string& reportPath,
                           std::string& errorText);
