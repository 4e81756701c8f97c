#include "study/Sweep.h"

#include "core/TextFormat.h"
#include "study/ParameterRuns.h"

#include <cmath>
#include <span>

namespace {
std::string SymbolList(std::span<const AimInput> inputs) {
  std::string list;
  for (const AimInput& input : inputs)
    list += (list.empty() ? "" : ", ") + std::string(input.symbol);
  return list;
}

double Number(const std::string& text, const std::string& vary) {
  const std::optional<double> value = TextToFloat(text, '.');
  if (!value || !std::isfinite(*value))
    throw SweepUsageError("\"" + text + "\" in \"" + vary +
                          "\" is no number (write numbers with a decimal point)");
  return *value;
}

size_t Count(const std::string& text, const std::string& vary) {
  const std::optional<long long> count = TextToWholeNumber(text);
  if (!count || *count < 2)
    throw SweepUsageError("the COUNT in \"" + vary + "\" must be a whole number of at least 2");
  if (*count > static_cast<long long>(kMaxSweepPoints))
    throw SweepUsageError("\"" + vary + "\" asks for more than " + std::to_string(kMaxSweepPoints) +
                          " values");
  return static_cast<size_t>(*count);
}

std::vector<double> ValuesOf(const std::string& list, const std::string& vary) {
  std::vector<double> values;
  const size_t colon = list.find(':');
  if (colon == std::string::npos) {
    size_t start = 0;
    while (start <= list.size()) {
      const size_t comma = std::min(list.find(',', start), list.size());
      values.push_back(Number(list.substr(start, comma - start), vary));
      start = comma + 1;
    }
    return values;
  }
  const size_t second = list.find(':', colon + 1);
  if (second == std::string::npos)
    throw SweepUsageError("\"" + vary + "\" is neither SYMBOL=FROM:TO:COUNT nor SYMBOL=V1,V2,...");
  const long double from = Number(list.substr(0, colon), vary);
  const long double to = Number(list.substr(colon + 1, second - colon - 1), vary);
  const size_t count = Count(list.substr(second + 1), vary);
  for (size_t i = 0; i < count; ++i)
    values.push_back(i + 1 == count ? static_cast<double>(to)
                                    : static_cast<double>(from + (to - from) * i / (count - 1)));
  return values;
}
} // namespace

VariedInput ParseVaried(const std::string& text, const std::string& aimCode) {
  const AimDefinition* aim = AimDefinitionOfCode(aimCode);
  const std::span<const AimInput> inputs = aim ? aim->inputs : std::span<const AimInput>();
  const size_t equals = text.find('=');
  const std::string name = text.substr(0, equals);
  const AimInput* input = aim ? FindInput(*aim, name) : nullptr;
  if (!input)
    throw SweepUsageError("\"" + name + "\" is no input of the aim \"" + aimCode +
                          "\"; its inputs are " + SymbolList(inputs));
  VariedInput varied{*input, {}};
  if (equals == std::string::npos)
    throw SweepUsageError("\"" + text + "\" gives no values: write " + name + "=FROM:TO:COUNT or " +
                          name + "=V1,V2,...");
  const int decimals = DecimalsOfPosition(varied.input.position, aimCode);
  for (double value : ValuesOf(text.substr(equals + 1), text))
    varied.values.push_back(*TextToFloat(FormatFixed(value, 0, decimals), '.'));
  return varied;
}

size_t GridPoints(const std::vector<VariedInput>& varied) {
  size_t points = 1;
  for (size_t i = 0; i < varied.size(); ++i) {
    for (size_t j = 0; j < i; ++j)
      if (varied[j].input.position == varied[i].input.position)
        throw SweepUsageError(std::string(varied[i].input.symbol) + " is varied twice");
    points *= varied[i].values.size();
    if (points > kMaxSweepPoints)
      throw SweepUsageError("The grid has more than " + std::to_string(kMaxSweepPoints) +
                            " points; vary fewer values");
  }
  return points;
}

std::vector<double> PointValues(const std::vector<VariedInput>& varied, size_t index) {
  std::vector<double> values(varied.size());
  for (size_t i = varied.size(); i-- > 0;) {
    values[i] = varied[i].values[index % varied[i].values.size()];
    index /= varied[i].values.size();
  }
  return values;
}

bool RunSweep(const TDMPumpfield& base, SweepTable& table, const StudyRun& run) {
  const size_t points = GridPoints(table.varied);
  table.records.assign(points, std::nullopt);
  // A point that never ran (a stop) stays empty in the table.
  StudyRun sweepRun = run;
  sweepRun.finished = [&](size_t index, const RunRecord& record, size_t done) {
    table.records[index] = record;
    if (run.finished)
      run.finished(index, record, done);
  };
  std::vector<RunRecord> records;
  return RunParameterSets(
      InputsOf(base), points,
      [&](size_t index, pumpfield::Inputs& point) {
        const std::vector<double> values = PointValues(table.varied, index);
        for (size_t i = 0; i < values.size(); ++i)
          point.values[table.varied[i].input.position - 1] = values[i];
      },
      records, sweepRun);
}

std::vector<CsvRow> SweepRows(const SweepTable& table) {
  CsvRow header;
  for (const VariedInput& varied : table.varied)
    header.push_back(std::string(varied.input.symbol) + " (" + varied.input.unit + ")");
  header.push_back("status");
  const std::vector<ResultColumn> results = ResultsOfAim(table.aim);
  for (ResultColumn column : results)
    header.push_back(ResultHeading(column));
  header.push_back("first error message");
  if (table.check)
    for (const std::string& heading : CheckHeadings())
      header.push_back(heading);
  std::vector<CsvRow> rows = {header};
  for (size_t index = 0; index < table.records.size(); ++index) {
    if (!table.records[index])
      continue;
    const RunRecord& record = *table.records[index];
    CsvRow row;
    for (double value : PointValues(table.varied, index))
      row.push_back(PlainNumber(value));
    row.push_back(StatusName(record.status));
    for (ResultColumn column : results)
      row.push_back(record.results[static_cast<size_t>(column)]);
    row.push_back(record.message);
    if (table.check) {
      const CheckCells cells = record.check.value_or(CheckCells());
      row.insert(row.end(), cells.begin(), cells.end());
    }
    rows.push_back(row);
  }
  return rows;
}

ResultColumn PlottedResult(Aim aim) { return ResultsOfAim(aim).back(); }

std::string PlottedResultLabel(Aim aim) { return AimDefinitionOf(aim).plotLabel; }

std::vector<SweepCurve> SweepCurves(const SweepTable& table) {
  const size_t points = table.records.size();
  const size_t firstValues = table.varied.empty() ? 0 : table.varied[0].values.size();
  const size_t curves = firstValues == 0 ? 0 : points / firstValues;
  if (curves == 0)
    return {};
  std::vector<SweepCurve> result(curves);
  const size_t column = static_cast<size_t>(PlottedResult(table.aim));
  for (size_t index = 0; index < points; ++index) {
    const std::vector<double> values = PointValues(table.varied, index);
    SweepCurve& curve = result[index % curves];
    if (curve.x.empty())
      for (size_t i = 1; i < values.size(); ++i)
        curve.label += (i > 1 ? ", " : "") + std::string(table.varied[i].input.symbol) + " = " +
                       PlainNumber(values[i]) + " " + table.varied[i].input.unit;
    const std::optional<RunRecord>& record = table.records[index];
    const bool ok = record && record->status == StudyStatus::Ok;
    const bool result = ok || (record && record->status == StudyStatus::NotConverged);
    curve.x.push_back(values[0]);
    curve.y.push_back(result ? TextToFloat(record->results[column], '.').value_or(NAN) : NAN);
    curve.failed.push_back(!ok);
  }
  return result;
}
