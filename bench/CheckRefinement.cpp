// The grid-refinement table of the independent check: the check's midway depth of each example
// on grids of a quarter, half, once, twice and four times as many cells in each direction as
// the default, as a Markdown table (docs/method.md shows it). Takes a few minutes.
#include "check/ReportCheck.h"
#include "core/TextFormat.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

int main() {
  const char* const reports[] = {"Data/spacing-deep-well.out",
                                 "Data/spacing-loam-over-sand.out",
                                 "tests/fixtures/golden/spacing-loam-over-sand-anisotropic.out",
                                 "tests/fixtures/golden/spacing-loam-over-sand-thick-loam.out",
                                 "Data/discharge-loam-over-sand.out",
                                 "Data/conductivity-observed-field.out",
                                 "Data/field-rectangular.out",
                                 "Data/field-shallow-wells.out"};
  const double factors[] = {0.25, 0.5, 1, 2, 4};
  const CellGrid standard;
  std::printf("| report | ×¼ | ×½ | default | ×2 | ×4 | default − ×4 (mm) | default (ms) |\n"
              "|---|---|---|---|---|---|---|---|\n");
  for (const char* path : reports) {
    std::string errorText;
    const auto report = ReadReport(std::string(PUMPFIELD_SOURCE_DIR) + "/" + path, errorText);
    auto design = report ? DesignOfReport(*report, errorText) : std::nullopt;
    if (!design) {
      std::fprintf(stderr, "%s\n", errorText.c_str());
      return 1;
    }
    design->requiredDepth.reset(); // the depth at the report's design only
    std::vector<double> depths;
    double milliseconds = 0;
    for (double factor : factors) {
      const CellGrid grid{int(std::lround(standard.radial * factor)),
                          int(std::lround(standard.vertical * factor)),
                          std::max(1, int(std::lround(standard.aboveWellLevel * factor)))};
      const auto start = std::chrono::steady_clock::now();
      depths.push_back(CheckDesign(*design, grid).depths.front().depth);
      if (factor == 1)
        milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
    }
    std::string name = path;
    name = name.substr(name.rfind('/') + 1);
    std::printf("| %s |", name.c_str());
    for (double depth : depths)
      std::printf(" %s |", FormatFixed(depth, 1, 4).c_str());
    std::printf(" %s | %s |\n",
                FormatFixed(std::round(1e5 * (depths[2] - depths[4])) / 100 + 0.0, 1, 2).c_str(),
                FormatFixed(milliseconds, 1, 0).c_str());
  }
  return 0;
}
