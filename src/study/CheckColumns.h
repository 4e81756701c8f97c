// The columns that the independent check adds to a batch summary or a sweep table when asked
// for: the check's midway depth, its difference as a share of the drawdown and the flag, then
// what the report's figures stand for (the midway depth its final profile reaches, and for a
// discharge the recharge over the well's square share of the field).
#pragma once

#include "core/Csv.h"

#include <array>
#include <string>

inline constexpr size_t kCheckColumns = 5;
using CheckCells = std::array<std::string, kCheckColumns>;

// The headings of the check's columns, with units.
CsvRow CheckHeadings();

// The cells for the report `reportText` (its lines ending in LF or CR LF). For a rectangular
// field the depth is the one along the line where the check differs most from the report.
// Cells of what cannot be had are empty; a report the check cannot take says so in the flag.
CheckCells CheckCellsOfReport(const std::string& reportText);
