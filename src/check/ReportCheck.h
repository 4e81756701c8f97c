// The independent check of a report: the well, the soil and the result it repeats handed to the
// well-cell model.
#pragma once

#include "check/DesignCheck.h"
#include "data/ReportContent.h"

#include <optional>
#include <string>

// What the report says, as the check takes it. Nothing, with `errorText`, when the report lacks
// a value the check needs.
std::optional<DesignToCheck> DesignOfReport(const ReportContent& report, std::string& errorText);

// The check of the report. Nothing, with `errorText`, when the report lacks a value the check
// needs or the model cannot take the well.
std::optional<DesignCheck> CheckReport(const ReportContent& report, std::string& errorText,
                                       const CellGrid& grid = {});
