#include "data/AimTable.h"

#include <stdexcept>

namespace {
constexpr AimInput kSpacingInputs[] = {
    {"R", "Time average recharge or discharge", "m/day", 1},
    {"D1", "Bottom depth of 1st layer below s.s.", "m", 2},
    {"D2", "Bottom depth of 2nd layer below s.s.", "m", 3},
    {"Dw", "Depth waterlevel in well below s.s.", "m", 4},
    {"Db", "Depth of well bottom below s.s.", "m", 5},
    {"E", "Entrance resistance at the well", "day/m", 6},
    {"W", "Diameter of the well screen", "m", 7},
    {"Ka", "Permeability above water level in well", "m/day", 8},
    {"Kb1", "Horizontal permeability, 1st soil layer", "m/day", 9},
    {"Kv1", "Vertical permeability, 1st soil layer", "m/day", 10},
    {"Kb2", "Horizontal permeability, 2nd soil layer", "m/day", 11},
    {"Kv2", "Vertical permeability, 2nd soil layer", "m/day", 12},
    {"Dm", "Depth watertable midway between wells", "m", 13},
};

constexpr AimInput kDischargeInputs[] = {
    {"Dm", "Depth watertable midway between wells", "m", 1},
    {"D1", "Bottom depth of 1st layer below s.s.", "m", 2},
    {"D2", "Bottom depth of 2nd layer below s.s.", "m", 3},
    {"Dw", "Depth waterlevel in well below s.s.", "m", 4},
    {"Db", "Depth of well bottom below s.s.", "m", 5},
    {"E", "Entrance resistance at the well", "day/m", 6},
    {"W", "Diamater of well screen", "m", 7},
    {"Ka", "Permeability, above water level in well", "m/day", 8},
    {"Kb1", "Horizontal permeability, 1st soil layer", "m/day", 9},
    {"Kv1", "Vertical permeability, 1st soil layer", "m/day", 10},
    {"Kb2", "Horizontal permeability, 2nd soil layer", "m/day", 11},
    {"Kv2", "Vertical permeability, 2nd soil layer", "m/day", 12},
    {"S", "Spacing betweeen the wells", "m", 13},
};

constexpr AimInput kFieldInputs[] = {
    {"R", "Time average recharge or discharge", "m/day", 1},
    {"D1", "Bottom depth of 1st layer below s.s.", "m", 2},
    {"D2", "Bottom depth of 2nd layer below s.s.", "m", 3},
    {"Dw", "Depth waterlevel in well below s.s.", "m", 4},
    {"Db", "Depth of well bottom below s.s.", "m", 5},
    {"E", "Entrance resistance at the drain", "day/m", 6},
    {"W", "Diameter of well screen", "m", 7},
    {"Ka", "Permeability, above water level in well", "m/day", 8},
    {"Kb1", "Horizontal permeability, 1st soil layer", "m/day", 9},
    {"Kv1", "Vertical permeability, 1st soil layer", "m/day", 10},
    {"Kb2", "Horizontal permeability, 2nd soil layer", "m/day", 11},
    {"Kv2", "Vertical permeability, 2nd soil layer", "m/day", 12},
    {"Sa", "Largest spacing betweeen the wells", "m", 13},
    {"Sb", "Smallest spacing betweeen the wells", "m", 14},
};

constexpr AimInput kConductivityInputs[] = {
    {"R", "Time average recharge or discharge", "m/day", 1},
    {"Dm", "Depth watertable midway between wells", "m", 2},
    {"D2", "Bottom depth of 2nd layer below s.s.", "m", 3},
    {"Dw", "Depth waterlevel in well below s.s.", "m", 4},
    {"Db", "Depth of well bottom below s.s.", "m", 5},
    {"E", "Entrance resistance at the well", "day/m", 6},
    {"W", "Diamater of well screen", "m", 7},
    {"S", "Spacing betweeen the wells", "m", 8},
};

constexpr AimResult kSpacingResults[] = {
    {"S", " The well spacing (Darcy,  m) is :", "spacing", "m", ResultColumn::Spacing},
    {"H", " Midway hydr. head (Darcy,  m) is:", "midway head", "m", std::nullopt},
    {"Dm", " Midway W.T. depth (Darcy,  m) is:", "midway depth", "m", std::nullopt},
    {"Q", " The well discharge  (m3/day)  is:", "discharge", "m3/day", std::nullopt},
};

constexpr AimResult kDischargeResults[] = {
    {"R", " Well discharge (Darcy, m/day) is:", "recharge", "m/day", std::nullopt},
    {"Q", " The well discharge  (m3/day)  is:", "discharge", "m3/day", ResultColumn::Discharge},
    {"H", " Midway hydr. head  (Darcy,  m) is:", "midway head", "m", std::nullopt},
    {"Dm", " Midway W.T. depth  (Darcy,  m) is:", "midway depth", "m", std::nullopt},
};

constexpr AimResult kFieldResults[] = {
    {"Ha", " Midway hydraulic head (m) for the larger spacing is  :",
     "midway head along the larger spacing", "m", std::nullopt},
    {"Dma", " Midway watertable depth (m) for the larger spacing is:",
     "midway depth along the larger spacing", "m", ResultColumn::DepthLarger},
    {"Hb", " Midway hydraulic head (m) for the shorter spacing is  :",
     "midway head along the shorter spacing", "m", std::nullopt},
    {"Dmb", " Midway watertable depth (m) for the shorter spacing is:",
     "midway depth along the shorter spacing", "m", ResultColumn::DepthShorter},
    {"Hd", " Midway hydraulic head (m) for the diagonal is  :", "midway head along the diagonal",
     "m", std::nullopt},
    {"Dmd", " Midway watertable depth (m) for the diagonal is:", "midway depth along the diagonal",
     "m", ResultColumn::DepthDiagonal},
    {"Q", " The well discharge  (m3/day)  is:", "discharge", "m3/day", std::nullopt},
};

constexpr AimResult kConductivityResults[] = {
    {"K", " The average hydraulic conductivity (Darcy, m/d) is:", "conductivity", "m/day",
     ResultColumn::Conductivity},
    {"H", " Midway hydr. head (Darcy,  m) is:", "midway head", "m", std::nullopt},
    {"Dm", " Midway W.T. depth (Darcy,  m) is:", "midway depth", "m", std::nullopt},
    {"Q", " The well discharge  (m3/day)  is:", "discharge", "m3/day", std::nullopt},
};

// R and the vertical permeabilities take four decimals, everything else two; the discharge aim
// holds Dm, not R, in the first place.
constexpr std::array<int, kParamCount> kLayeredDecimals = {4, 2, 2, 2, 2, 2, 2,
                                                           2, 2, 4, 2, 4, 2, 2};
constexpr std::array<int, kParamCount> kDischargeDecimals = {2, 2, 2, 2, 2, 2, 2,
                                                             2, 2, 4, 2, 4, 2, 2};

constexpr AimDefinition kAims[] = {
    {Aim::Spacing, "Spa", "Spa", "Well spacing", " Tre", 13, kLayeredDecimals, kSpacingInputs,
     kSpacingResults, "S (m)"},
    {Aim::Discharge, "Dis", "Dis", "Well discharge", " Qui", 13, kDischargeDecimals,
     kDischargeInputs, kDischargeResults, "Q (m3/day)"},
    {Aim::FieldDepths, "Hyd", kFieldDepthsFileCode,
     "Water-table depths in a rectangular well field", kRectangularReportTag, 14, kLayeredDecimals,
     kFieldInputs, kFieldResults, "Dm along the diagonal (m)"},
    {Aim::Conductivity, "Con", "Con", "Hydraulic conductivity", " Qui", 8, kLayeredDecimals,
     kConductivityInputs, kConductivityResults, "K (m/day)"},
};
} // namespace

const char* const AimCodes[4] = {kAims[0].code, kAims[1].code, kAims[2].code, kAims[3].code};

std::span<const AimDefinition> AimDefinitions() { return kAims; }

const AimDefinition& AimDefinitionOf(Aim aim) { return kAims[static_cast<size_t>(aim)]; }

const AimDefinition* AimDefinitionOfCode(const std::string& code) {
  for (const AimDefinition& aim : kAims)
    if (code == aim.code || code == aim.fileCode)
      return &aim;
  return nullptr;
}

std::optional<Aim> AimOfCode(const std::string& code) {
  if (const AimDefinition* aim = AimDefinitionOfCode(code))
    return aim->aim;
  return std::nullopt;
}

int DecimalsOfPosition(int position, const std::string& aimCode) {
  const AimDefinition* aim = AimDefinitionOfCode(aimCode);
  if (position < 1 || position > kParamCount)
    throw std::out_of_range("an input file holds values 1 to 14");
  return (aim ? *aim : AimDefinitionOf(Aim::Spacing)).decimals[position - 1];
}

const AimInput* FindInput(const AimDefinition& aim, const std::string& symbol) {
  for (const AimInput& input : aim.inputs)
    if (symbol == input.symbol)
      return &input;
  return nullptr;
}

const AimResult* FindResult(const AimDefinition& aim, const std::string& symbol) {
  for (const AimResult& result : aim.results)
    if (symbol == result.symbol)
      return &result;
  return nullptr;
}

std::string AimInWords(Aim aim) { return AimDefinitionOf(aim).inWords; }

std::vector<ResultColumn> ResultsOfAim(Aim aim) {
  std::vector<ResultColumn> columns;
  for (const AimResult& result : AimDefinitionOf(aim).results)
    if (result.column)
      columns.push_back(*result.column);
  return columns;
}

std::string ResultHeading(ResultColumn column) {
  for (const AimDefinition& aim : kAims)
    for (const AimResult& result : aim.results)
      if (result.column == column)
        return std::string(result.words) + " (" + result.unit + ")";
  return std::string();
}
