#include "study/Design.h"

#include "core/JsonFile.h"
#include "core/TextFormat.h"
#include "study/ParameterRuns.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
const ResultColumn kDepthColumns[] = {ResultColumn::DepthLarger, ResultColumn::DepthShorter,
                                      ResultColumn::DepthDiagonal};
const char* const kDepthSymbols[] = {"Dma", "Dmb", "Dmd"};

std::optional<double> ColumnValue(const RunRecord& record, ResultColumn column) {
  if (record.status != StudyStatus::Ok)
    return std::nullopt;
  return TextToFloat(record.results[static_cast<size_t>(column)], '.');
}

std::vector<double> Ranks(const std::vector<double>& values) {
  std::vector<size_t> order(values.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return values[a] < values[b]; });
  std::vector<double> ranks(values.size());
  for (size_t i = 0; i < order.size();) {
    size_t j = i;
    while (j + 1 < order.size() && values[order[j + 1]] == values[order[i]])
      ++j;
    for (size_t k = i; k <= j; ++k)
      ranks[order[k]] = 0.5 * static_cast<double>(i + j) + 1;
    i = j + 1;
  }
  return ranks;
}

std::vector<double> PercentilesOf(std::vector<double> values, int decimals) {
  std::vector<double> result;
  if (values.empty())
    return std::vector<double>(std::size(kDesignPercents), NAN);
  std::sort(values.begin(), values.end());
  for (int percent : kDesignPercents)
    result.push_back(Rounded(Percentile(values, percent / 100.0), decimals));
  return result;
}

int DecimalsOf(const std::string& figure) {
  const size_t point = figure.find('.');
  return point == std::string::npos ? 0 : static_cast<int>(figure.size() - point - 1);
}

std::string Number(double value) { return std::isfinite(value) ? PlainNumber(value) : ""; }
} // namespace

double Unreliability(const DesignSettings& settings) {
  // 1 - 0.9 is 0.09999999999999998 in binary: rounded, it is the same percentile as "10".
  return Rounded(1 - settings.reliability, 12);
}

double Rounded(double value, int decimals) {
  if (!std::isfinite(value))
    return value;
  return *TextToFloat(FormatFixed(value, 0, decimals), '.');
}

std::vector<double> InputsAtMedians(const DesignSettings& settings, const std::string& aimCode,
                                    std::optional<size_t> varied, double p) {
  std::vector<double> values;
  for (size_t i = 0; i < settings.uncertain.size(); ++i) {
    const UncertainInput& input = settings.uncertain[i];
    const double value = input.distribution.Quantile(varied == i ? p : 0.5);
    values.push_back(HeldValue(value, input.input.position, aimCode));
  }
  return values;
}

bool RunDesign(const TDMPumpfield& base, const DesignSettings& settings, DesignRuns& runs,
               const StudyRun& run) {
  const size_t inputs = settings.uncertain.size();
  runs.samples = LatinHypercube(settings.uncertain, settings.samples, settings.seed, base.AimCode);
  std::vector<std::vector<double>> sets = runs.samples;
  sets.push_back(InputsAtMedians(settings, base.AimCode));
  for (size_t i = 0; i < inputs; ++i) {
    sets.push_back(InputsAtMedians(settings, base.AimCode, i, 0.05));
    sets.push_back(InputsAtMedians(settings, base.AimCode, i, 0.95));
  }
  return RunParameterSets(
      InputsOf(base), sets.size(),
      [&](size_t index, pumpfield::Inputs& point) {
        for (size_t i = 0; i < inputs; ++i)
          point.values[settings.uncertain[i].input.position - 1] = sets[index][i];
      },
      runs.records, run);
}

double Percentile(const std::vector<double>& sorted, double p) {
  const double h = static_cast<double>(sorted.size() - 1) * p;
  const size_t below = static_cast<size_t>(std::floor(h));
  if (below + 1 >= sorted.size())
    return sorted.back();
  return sorted[below] + (h - static_cast<double>(below)) * (sorted[below + 1] - sorted[below]);
}

double RankCorrelation(const std::vector<double>& x, const std::vector<double>& y) {
  const std::vector<double> rx = Ranks(x), ry = Ranks(y);
  const double n = static_cast<double>(x.size());
  const double mean = (n + 1) / 2;
  long double sxy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < rx.size(); ++i) {
    sxy += (rx[i] - mean) * (ry[i] - mean);
    sxx += (rx[i] - mean) * (rx[i] - mean);
    syy += (ry[i] - mean) * (ry[i] - mean);
  }
  if (sxx == 0 || syy == 0)
    return NAN;
  return static_cast<double>(sxy / std::sqrt(sxx * syy));
}

std::optional<double> DesignAnswer(Aim aim, const RunRecord& record) {
  if (aim != Aim::FieldDepths)
    return ColumnValue(record, ResultsOfAim(aim).front());
  std::optional<double> shallowest;
  for (ResultColumn column : kDepthColumns) {
    const std::optional<double> depth = ColumnValue(record, column);
    if (!depth)
      return std::nullopt;
    shallowest = shallowest ? std::min(*shallowest, *depth) : *depth;
  }
  return shallowest;
}

DesignSummary SummariseDesign(Aim aim, const DesignSettings& settings, const DesignRuns& runs) {
  DesignSummary summary;
  summary.aim = aim;
  summary.samples = runs.samples.size();
  summary.seed = settings.seed;
  summary.reliability = settings.reliability;
  summary.requiredDepth = settings.requiredDepth;
  const AimDefinition& definition = AimDefinitionOf(aim);
  const ResultColumn column = ResultsOfAim(aim).front();
  for (const AimResult& result : definition.results)
    if (result.column == column) {
      summary.symbol = aim == Aim::FieldDepths ? "Dm" : result.symbol;
      summary.unit = result.unit;
      summary.words = aim == Aim::FieldDepths ? "shallowest midway depth" : result.words;
    }
  summary.higherIsSafer = aim == Aim::Discharge;

  std::vector<size_t> answered;
  for (size_t s = 0; s < summary.samples; ++s)
    if (const std::optional<double> answer = DesignAnswer(aim, runs.records[s])) {
      if (answered.empty())
        summary.decimals = DecimalsOf(runs.records[s].results[static_cast<size_t>(column)]);
      summary.answers.push_back(*answer);
      answered.push_back(s);
    }
  summary.failedSamples = summary.samples - answered.size();
  summary.percentiles = PercentilesOf(summary.answers, summary.decimals);
  if (!summary.answers.empty()) {
    std::vector<double> sorted = summary.answers;
    std::sort(sorted.begin(), sorted.end());
    const double p = summary.higherIsSafer ? settings.reliability : Unreliability(settings);
    summary.designValue = Rounded(Percentile(sorted, p), summary.decimals);
  }

  const size_t medians = summary.samples;
  summary.atMedians = DesignAnswer(aim, runs.records[medians]).value_or(NAN);
  for (size_t i = 0; i < settings.uncertain.size(); ++i) {
    const UncertainInput& input = settings.uncertain[i];
    TornadoBar bar;
    bar.symbol = input.input.symbol;
    bar.unit = input.input.unit;
    bar.inputLow = InputsAtMedians(settings, definition.code, i, 0.05)[i];
    bar.inputHigh = InputsAtMedians(settings, definition.code, i, 0.95)[i];
    bar.low = DesignAnswer(aim, runs.records[medians + 1 + 2 * i]).value_or(NAN);
    bar.high = DesignAnswer(aim, runs.records[medians + 2 + 2 * i]).value_or(NAN);
    bar.swing = Rounded(std::fabs(bar.high - bar.low), summary.decimals);
    std::vector<double> x;
    for (size_t s : answered)
      x.push_back(runs.samples[s][i]);
    if (answered.size() > 1)
      bar.rankCorrelation = Rounded(RankCorrelation(x, summary.answers), 4);
    summary.tornado.push_back(bar);
  }
  std::stable_sort(summary.tornado.begin(), summary.tornado.end(),
                   [](const TornadoBar& a, const TornadoBar& b) {
                     if (std::isnan(a.swing) || std::isnan(b.swing))
                       return !std::isnan(a.swing) && std::isnan(b.swing);
                     return a.swing > b.swing;
                   });

  if (aim == Aim::FieldDepths) {
    size_t allReach = 0;
    for (size_t d = 0; d < std::size(kDepthColumns); ++d) {
      DepthSummary depth;
      depth.symbol = kDepthSymbols[d];
      std::vector<double> values;
      size_t reach = 0;
      for (size_t s : answered) {
        values.push_back(*ColumnValue(runs.records[s], kDepthColumns[d]));
        reach += settings.requiredDepth && values.back() >= *settings.requiredDepth;
      }
      depth.percentiles = PercentilesOf(values, summary.decimals);
      if (settings.requiredDepth && !answered.empty())
        depth.probability = static_cast<double>(reach) / static_cast<double>(answered.size());
      summary.depths.push_back(depth);
    }
    for (double answer : summary.answers)
      allReach += settings.requiredDepth && answer >= *settings.requiredDepth;
    if (settings.requiredDepth && !answered.empty())
      summary.probabilityAll = static_cast<double>(allReach) / static_cast<double>(answered.size());
  }
  return summary;
}

std::vector<CsvRow> DesignRows(const DesignSummary& summary) {
  std::vector<CsvRow> rows = {{"item", "symbol", "unit", "value", "input at 5 %", "input at 95 %",
                               "answer at 5 %", "answer at 95 %", "swing", "rank correlation"}};
  auto add = [&rows](const std::string& item, const std::string& symbol, const std::string& unit,
                     const std::string& value) {
    rows.push_back({item, symbol, unit, value, "", "", "", "", "", ""});
  };
  add("samples", "", "", std::to_string(summary.samples));
  add("seed", "", "", std::to_string(summary.seed));
  add("reliability", "", "", PlainNumber(summary.reliability));
  add("failed samples", "", "", std::to_string(summary.failedSamples));
  add("design value", summary.symbol, summary.unit, Number(summary.designValue));
  add("at the medians", summary.symbol, summary.unit, Number(summary.atMedians));
  for (size_t i = 0; i < summary.percentiles.size(); ++i)
    add("percentile " + std::to_string(kDesignPercents[i]), summary.symbol, summary.unit,
        Number(summary.percentiles[i]));
  if (summary.requiredDepth)
    add("required depth", "D", "m", PlainNumber(*summary.requiredDepth));
  if (summary.probabilityAll)
    add("probability all depths reach D", "", "", PlainNumber(*summary.probabilityAll));
  for (const DepthSummary& depth : summary.depths) {
    if (depth.probability)
      add("probability of reaching D", depth.symbol, "", PlainNumber(*depth.probability));
    for (size_t i = 0; i < depth.percentiles.size(); ++i)
      add("percentile " + std::to_string(kDesignPercents[i]), depth.symbol, summary.unit,
          Number(depth.percentiles[i]));
  }
  for (const TornadoBar& bar : summary.tornado)
    rows.push_back({"sensitivity", bar.symbol, bar.unit, "", PlainNumber(bar.inputLow),
                    PlainNumber(bar.inputHigh), Number(bar.low), Number(bar.high),
                    Number(bar.swing), Number(bar.rankCorrelation)});
  return rows;
}

namespace {
Json NumberOrNull(double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); }

Json PercentilesJson(const std::vector<double>& percentiles) {
  Json json = Json::object();
  for (size_t i = 0; i < percentiles.size(); ++i)
    json[std::to_string(kDesignPercents[i])] = NumberOrNull(percentiles[i]);
  return json;
}
} // namespace

Json DesignJson(const DesignSummary& summary, const std::string& aimCode) {
  Json tornado = Json::array();
  for (const TornadoBar& bar : summary.tornado)
    tornado.push_back({{"symbol", bar.symbol},
                       {"low", NumberOrNull(bar.low)},
                       {"high", NumberOrNull(bar.high)},
                       {"swing", NumberOrNull(bar.swing)},
                       {"input_low", bar.inputLow},
                       {"input_high", bar.inputHigh},
                       {"rank_correlation", NumberOrNull(bar.rankCorrelation)}});
  Json json = {{"aim", JsonText(aimCode)},
               {"samples", summary.samples},
               {"seed", summary.seed},
               {"reliability", summary.reliability},
               {"failed_samples", summary.failedSamples},
               {"design_value", NumberOrNull(summary.designValue)},
               {"percentiles", PercentilesJson(summary.percentiles)},
               {"tornado", tornado}};
  if (!summary.depths.empty()) {
    Json depths = Json::object();
    for (const DepthSummary& depth : summary.depths)
      depths[depth.symbol] = {
          {"probability", depth.probability ? Json(*depth.probability) : Json(nullptr)},
          {"percentiles", PercentilesJson(depth.percentiles)}};
    json["required_depth"] = summary.requiredDepth ? Json(*summary.requiredDepth) : Json(nullptr);
    json["probability_all"] =
        summary.probabilityAll ? Json(*summary.probabilityAll) : Json(nullptr);
    json["depths"] = depths;
  }
  return json;
}
