// Speed of the independent check: one check of each example report at the model's default grid,
// the well spacing's search for the spacing the check needs included.
#include "check/ReportCheck.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {
void CheckExample(benchmark::State& state, const std::string& path) {
  std::string errorText;
  const auto report = ReadReport(std::string(PUMPFIELD_SOURCE_DIR) + "/" + path, errorText);
  if (!report) {
    state.SkipWithError(errorText.c_str());
    return;
  }
  for (auto _ : state) {
    const auto check = CheckReport(*report, errorText);
    if (!check) {
      state.SkipWithError(errorText.c_str());
      return;
    }
    benchmark::DoNotOptimize(check->centreDepth);
    state.counters["free_surface_steps"] = check->solution.freeSurfaceIterations;
  }
}
} // namespace

#define PUMPFIELD_CHECK_BENCH(name, path)                                                          \
  BENCHMARK_CAPTURE(CheckExample, name, std::string(path))->Unit(benchmark::kMillisecond)

PUMPFIELD_CHECK_BENCH(SpacingLoamOverSand, "Data/spacing-loam-over-sand.out");
PUMPFIELD_CHECK_BENCH(SpacingDeepWell, "Data/spacing-deep-well.out");
PUMPFIELD_CHECK_BENCH(SpacingAnisotropic,
                      "tests/fixtures/golden/spacing-loam-over-sand-anisotropic.out");
PUMPFIELD_CHECK_BENCH(SpacingThickLoam,
                      "tests/fixtures/golden/spacing-loam-over-sand-thick-loam.out");
PUMPFIELD_CHECK_BENCH(SpacingWellInLayer1, "tests/fixtures/golden/spacing-well-in-layer-1.out");
PUMPFIELD_CHECK_BENCH(Discharge, "Data/discharge-loam-over-sand.out");
PUMPFIELD_CHECK_BENCH(FieldRectangular, "Data/field-rectangular.out");
PUMPFIELD_CHECK_BENCH(FieldShallowWells, "Data/field-shallow-wells.out");
PUMPFIELD_CHECK_BENCH(Conductivity, "Data/conductivity-observed-field.out");

BENCHMARK_MAIN();
