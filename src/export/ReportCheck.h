// The independent check of a report: the well and soil it repeats, its discharge and its
// water-table depths handed to the well-cell model of check/.
#pragma once

#include "check/DesignCheck.h"
#include "export/ReportContent.h"

#include <optional>
#include <string>

// What the report says, as the check takes it. Nothing, with `errorText`, when the report
// lacks a value the check needs.
std::optional<DesignToCheck> DesignOfReport(const ReportContent& report, std::string& errorText);

// The check of the report. Nothing, with `errorText`, when the report lacks a value the check
// needs or the model cannot take the well.
std::optional<DesignCheck> CheckReport(const ReportContent& report, std::string& errorText,
                                       const CellGrid& grid = {});
