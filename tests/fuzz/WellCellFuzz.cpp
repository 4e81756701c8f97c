// Any numbers as a well, its soil, its pattern, its discharge and the depth a report gave: the
// check either refuses the well with its reason or gives finite depths, on a small grid.
#include "FuzzSupport.h"
#include "check/DesignCheck.h"
#include "core/TextFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream words(std::string(reinterpret_cast<const char*>(data), size));
  double v[17] = {};
  int count = 0;
  for (std::string word; count < 17 && words >> word;)
    v[count++] = TextToFloat(word, '.').value_or(0);
  DesignToCheck design;
  design.cell = {v[0], v[1], v[2], v[3],  v[4],  v[5],  v[6],
                 v[7], v[8], v[9], v[10], v[11], v[12], v[13]};
  design.reported.push_back({"between the wells", v[11] / 2, 0, v[14]});
  if (v[15] > 0) { // a spacing: the required depth and the recharge
    design.requiredDepth = v[14];
    design.recharge = v[16];
  }
  try {
    const DesignCheck check = CheckDesign(design, {6, 4, 1});
    Require(std::isfinite(check.centreDepth) && std::isfinite(check.depths[0].depth) &&
            std::isfinite(check.depths[0].ofDrawdown));
    Require(!check.spacingNeeded || std::isfinite(*check.spacingNeeded));
  } catch (const CellModelError&) {
  }
  return 0;
}
