// Parameter sweeps: an input file run over a grid of values of some of its inputs. Each point
// runs in memory, on threads, by the same engine as any run, with the aim's own input checks
// and its values rounded as an input file holds them; only its results are kept.
#pragma once

#include "core/Csv.h"
#include "study/RunRecord.h"
#include "study/StudyRun.h"

#include <stdexcept>
#include <string>
#include <vector>

inline constexpr size_t kMaxSweepPoints = 10000;

// A sweep that cannot be made as asked; the text says why and what would do.
class SweepUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// One varied input of the aim, by the symbol its report prints for it, with its values, rounded
// as the input file holds them.
struct VariedInput {
  AimInput input;
  std::vector<double> values;
};

// Reads "SYMBOL=FROM:TO:COUNT" (COUNT evenly spaced values, both ends included) or
// "SYMBOL=V1,V2,..." for an input file of `aimCode`; SweepUsageError names the valid symbols
// when SYMBOL is not one of them.
VariedInput ParseVaried(const std::string& text, const std::string& aimCode);

// The number of points of the grid, all combinations of the varied values; SweepUsageError for
// more than kMaxSweepPoints or a symbol varied twice.
size_t GridPoints(const std::vector<VariedInput>& varied);

// The varied values of point `index`: the first input changes slowest.
std::vector<double> PointValues(const std::vector<VariedInput>& varied, size_t index);

struct SweepTable {
  std::vector<VariedInput> varied;
  Aim aim = Aim::Spacing;
  std::vector<std::optional<RunRecord>> records; // one per point; empty for a stopped run
  bool check = false;                            // the table has the check's columns
};

// Runs every point of the grid around the parameter set `base` (loaded from an input file).
// False when stopped.
bool RunSweep(const TDMPumpfield& base, SweepTable& table, const StudyRun& run);

// The result a plot shows for `aim`: the spacing, the discharge, the midway depth along the
// diagonal (the centre of the field, where the water table is highest), the conductivity.
ResultColumn PlottedResult(Aim aim);
// Its axis label with symbol and unit, e.g. "S (m)".
std::string PlottedResultLabel(Aim aim);

struct SweepCurve {
  std::string label; // the other varied values with units, e.g. "Kv1 = 0.15 m/day"; empty for
                     // a single one
  std::vector<double> x, y; // y is NaN where the run gave no result
  std::vector<bool> failed; // the run did not end converged (its result, if any, is in y)
};

// The plotted result against the first varied input, one curve per combination of the values
// of the others; none when nothing is varied.
std::vector<SweepCurve> SweepCurves(const SweepTable& table);

// The table: a header with symbols and units, then one row per point: the varied values,
// the status, the aim's results and the first message, and with `check` the check's columns.
std::vector<CsvRow> SweepRows(const SweepTable& table);
