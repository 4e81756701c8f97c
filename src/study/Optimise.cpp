#include "study/Optimise.h"

#include "core/JsonFile.h"
#include "core/TextFormat.h"
#include "study/ParameterRuns.h"
#include "study/Sweep.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {
constexpr int kSaPosition = 13, kSbPosition = 14, kDwPosition = 4, kRPosition = 1;
const ResultColumn kDepthColumns[] = {ResultColumn::DepthLarger, ResultColumn::DepthShorter,
                                      ResultColumn::DepthDiagonal};

int CellsLimit(double side) {
  return std::clamp(static_cast<int>(std::floor(side)), 1, kMostCellsPerSide);
}

class LayoutSearch {
public:
  LayoutSearch(const TDMPumpfield& base, const OptimiseSettings& settings, const StudyRun& run)
      : base_(base), inputs_(InputsOf(base)), settings_(settings), run_(run) {
    if (!settings.uncertainty.uncertain.empty())
      samples_ = LatinHypercube(settings.uncertainty.uncertain, settings.uncertainty.samples,
                                settings.uncertainty.seed, base.AimCode);
  }

  // False when stopped.
  bool Evaluate(int nL, int nB, double Dw, LayoutOutcome& outcome) {
    const double a = settings_.length / nL, b = settings_.width / nB;
    outcome = LayoutOutcome();
    outcome.nL = nL, outcome.nB = nB, outcome.Dw = Dw;
    outcome.Sa = HeldValue(std::max(a, b), kSaPosition, base_.AimCode);
    outcome.Sb = HeldValue(std::min(a, b), kSbPosition, base_.AimCode);
    outcome.cost = LayoutCost(settings_, outcome.wells(), Dw, base_.Params[kRPosition - 1]);
    const auto key = std::make_tuple(outcome.Sa, outcome.Sb, Dw);
    if (const auto cached = cache_.find(key); cached != cache_.end()) {
      outcome.depths = cached->second.depths;
      outcome.probability = cached->second.probability;
      outcome.feasible = cached->second.feasible;
      return true;
    }
    const size_t count = samples_.empty() ? 1 : samples_.size();
    std::vector<RunRecord> records;
    const auto& uncertain = settings_.uncertainty.uncertain;
    const bool finished = RunParameterSets(
        inputs_, count,
        [&](size_t index, pumpfield::Inputs& inputs) {
          for (size_t i = 0; i < uncertain.size(); ++i)
            inputs.values[uncertain[i].input.position - 1] = samples_[index][i];
          inputs.values[kSaPosition - 1] = outcome.Sa;
          inputs.values[kSbPosition - 1] = outcome.Sb;
          inputs.values[kDwPosition - 1] = Dw;
        },
        records, run_);
    if (!finished)
      return false;
    Judge(records, outcome);
    cache_[key] = outcome;
    return true;
  }

  size_t evaluated() const { return cache_.size(); }

private:
  // Failed runs count as samples that miss the depth.
  void Judge(const std::vector<RunRecord>& records, LayoutOutcome& outcome) const {
    size_t reach = 0;
    std::array<std::vector<double>, 3> depths;
    for (const RunRecord& record : records) {
      bool all = record.status == StudyStatus::Ok;
      for (size_t d = 0; d < 3 && all; ++d) {
        const std::optional<double> depth =
            TextToFloat(record.results[static_cast<size_t>(kDepthColumns[d])], '.');
        all = depth.has_value();
        if (all) {
          depths[d].push_back(*depth);
          all = *depth >= settings_.requiredDepth;
        }
      }
      reach += all;
    }
    outcome.probability = static_cast<double>(reach) / static_cast<double>(records.size());
    const bool uncertain = !samples_.empty();
    // The depth that a fraction P of the samples reaches: at most `spare` samples lie below it.
    const size_t spare = static_cast<size_t>(std::floor(
        static_cast<double>(records.size()) * Unreliability(settings_.uncertainty) + 1e-9));
    for (size_t d = 0; d < 3; ++d)
      if (!depths[d].empty()) {
        std::sort(depths[d].begin(), depths[d].end());
        outcome.depths[d] = depths[d][uncertain ? std::min(spare, depths[d].size() - 1) : 0];
      }
    outcome.feasible = uncertain ? outcome.probability >= settings_.uncertainty.reliability
                                 : reach == records.size();
  }

  const TDMPumpfield& base_;
  pumpfield::Inputs inputs_;
  const OptimiseSettings& settings_;
  const StudyRun& run_;
  std::vector<std::vector<double>> samples_;
  std::map<std::tuple<double, double, double>, LayoutOutcome> cache_;
};
} // namespace

void CheckOptimiseSettings(const OptimiseSettings& settings) {
  if (!(settings.length > 0 && settings.width > 0))
    throw SweepUsageError("The field needs a positive length and width.");
  if (!std::isfinite(settings.requiredDepth))
    throw SweepUsageError("The required depth must be a number.");
  if (!(settings.wellCost > 0))
    throw SweepUsageError("The cost of a well must be positive.");
  if (!(settings.energyPrice >= 0 && settings.years >= 0))
    throw SweepUsageError("The energy price and the years cannot be negative.");
  if (!(settings.levelMin <= settings.levelMax))
    throw SweepUsageError("The lower well level must not be greater than the higher.");
  if ((settings.levelMax - settings.levelMin) / kLevelStep > 1000)
    throw SweepUsageError("The well levels span more than 1000 steps of 0.1 m.");
  for (const UncertainInput& input : settings.uncertainty.uncertain)
    if (input.input.position == kDwPosition || input.input.position == kSaPosition ||
        input.input.position == kSbPosition)
      throw SweepUsageError(std::string(input.input.symbol) +
                            " is chosen by the search; it cannot be uncertain.");
}

std::vector<double> WellLevels(const OptimiseSettings& settings, const std::string& aimCode) {
  std::vector<double> levels;
  const long steps =
      std::lround(std::floor((settings.levelMax - settings.levelMin) / kLevelStep + 1e-9));
  for (long k = 0; k <= steps; ++k)
    levels.push_back(
        HeldValue(settings.levelMin + kLevelStep * static_cast<double>(k), kDwPosition, aimCode));
  return levels;
}

double LayoutCost(const OptimiseSettings& settings, int wells, double Dw, double R) {
  const double lifted = R * settings.length * settings.width * kDaysPerYear * settings.years;
  return Rounded(settings.wellCost * wells + settings.energyPrice * lifted * Dw, 2);
}

bool EvaluateLayout(const TDMPumpfield& base, const OptimiseSettings& settings, int nL, int nB,
                    double Dw, LayoutOutcome& outcome, const StudyRun& run) {
  LayoutSearch search(base, settings, run);
  return search.Evaluate(nL, nB, Dw, outcome);
}

bool OptimiseLayout(const TDMPumpfield& base, const OptimiseSettings& settings,
                    OptimiseResult& result, const StudyRun& run) {
  result = OptimiseResult();
  LayoutSearch search(base, settings, run);
  const int mostL = CellsLimit(settings.length), mostB = CellsLimit(settings.width);
  const std::vector<double> levels = WellLevels(settings, base.AimCode);
  result.layoutsInRange = static_cast<size_t>(mostL) * mostB * levels.size();
  // The fewest rows nB that suffice for each nL at the previous (shallower) level.
  std::vector<int> upper(mostL + 1, mostB);
  for (double Dw : levels) {
    std::optional<LayoutOutcome> fewest;
    int previous = mostB;
    for (int nL = 1; nL <= mostL; ++nL) {
      if (fewest && nL >= fewest->wells())
        break;
      int high = std::min(previous, upper[nL]);
      LayoutOutcome outcome;
      if (!search.Evaluate(nL, high, Dw, outcome))
        return false;
      if (!outcome.feasible) {
        upper[nL] = mostB;
        continue;
      }
      LayoutOutcome best = outcome;
      int low = 1;
      while (low < high) {
        const int middle = low + (high - low) / 2;
        if (!search.Evaluate(nL, middle, Dw, outcome))
          return false;
        if (outcome.feasible) {
          high = middle;
          best = outcome;
        } else {
          low = middle + 1;
        }
      }
      previous = upper[nL] = high;
      if (!fewest || best.wells() < fewest->wells())
        fewest = best;
      if (high == 1)
        break;
    }
    if (!fewest)
      continue;
    if (result.front.empty() || fewest->wells() < result.front.back().wells())
      result.front.push_back(*fewest);
    if (!result.cheapest || fewest->cost < result.cheapest->cost)
      result.cheapest = fewest;
  }
  result.layoutsEvaluated = search.evaluated();
  return true;
}

namespace {
Json LayoutJson(const LayoutOutcome& layout, bool uncertain) {
  Json json = {
      {"nL", layout.nL},
      {"nB", layout.nB},
      {"wells", layout.wells()},
      {"Sa", layout.Sa},
      {"Sb", layout.Sb},
      {"Dw", layout.Dw},
      {"depths", {{"Dma", layout.depths[0]}, {"Dmb", layout.depths[1]}, {"Dmd", layout.depths[2]}}},
      {"cost", layout.cost}};
  if (uncertain)
    json["probability"] = layout.probability;
  return json;
}
} // namespace

Json OptimiseJson(const OptimiseResult& result, bool uncertain) {
  Json json = result.cheapest ? LayoutJson(*result.cheapest, uncertain) : Json::object();
  Json front = Json::array();
  for (const LayoutOutcome& layout : result.front)
    front.push_back(LayoutJson(layout, uncertain));
  json["front"] = front;
  return json;
}

std::vector<CsvRow> OptimiseRows(const OptimiseResult& result) {
  std::vector<CsvRow> rows = {{"layout", "nL", "nB", "wells", "Sa (m)", "Sb (m)", "Dw (m)",
                               "Dma (m)", "Dmb (m)", "Dmd (m)", "probability", "cost"}};
  auto add = [&rows](const std::string& kind, const LayoutOutcome& l) {
    rows.push_back({kind, std::to_string(l.nL), std::to_string(l.nB), std::to_string(l.wells()),
                    PlainNumber(l.Sa), PlainNumber(l.Sb), PlainNumber(l.Dw),
                    PlainNumber(l.depths[0]), PlainNumber(l.depths[1]), PlainNumber(l.depths[2]),
                    PlainNumber(l.probability), PlainNumber(l.cost)});
  };
  if (result.cheapest)
    add("cheapest", *result.cheapest);
  for (const LayoutOutcome& layout : result.front)
    add("front", layout);
  return rows;
}
