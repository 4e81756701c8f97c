// The check of a report in words (UTF-8): what the command line prints and the window shows.
#pragma once

#include "check/DesignCheck.h"
#include "data/ReportContent.h"

#include <string>

// RoundedTo(value, decimals) in fixed point, right-aligned in at least `width` characters.
std::string CheckNumber(double value, int width, int decimals);

// Lines, each ending in '\n': the check's depths beside the report's with their difference, the
// centre of the cell, for a spacing the spacing the check needs, the heads at the screen face,
// the flag, and what the report's own figures stand for. `reportName` is the report's file.
std::string CheckText(const std::string& reportName, const ReportContent& report,
                      const DesignCheck& check);
