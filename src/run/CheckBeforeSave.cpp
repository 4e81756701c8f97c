#include "run/CheckBeforeSave.h"

#include "data/UDMPumpfield.h"

#include <algorithm>

namespace {
const char* const kSuffix = " Input not saved. Please correct the data";

constexpr AimSet Bit(Aim aim) { return AimSet{1} << static_cast<unsigned>(aim); }
constexpr AimSet kUnknownAim = AimSet{1} << 4;
constexpr AimSet kAllAims = Bit(Aim::Spacing) | Bit(Aim::Discharge) | Bit(Aim::FieldDepths) |
                            Bit(Aim::Conductivity) | kUnknownAim;
constexpr AimSet kLayeredAims = kAllAims & ~Bit(Aim::Conductivity);

const char* const kSpacingsMessage = "Take care that S, or Sa and Sb, are larger than 2W.";

constexpr PreSaveRule kRules[] = {
    {kLayeredAims, "D1", 1, "D2", true, "Take care that D2 is not less than D1."},
    {kLayeredAims & ~Bit(Aim::Discharge), "R", 1, "Ka", false,
     "Take care that Ka is greater than R."},
    {Bit(Aim::Discharge), "W", 2, "S", false, kSpacingsMessage},
    {Bit(Aim::FieldDepths), "W", 2, "Sa", false, kSpacingsMessage},
    {Bit(Aim::FieldDepths), "W", 2, "Sb", false, kSpacingsMessage},
    {Bit(Aim::Discharge) | Bit(Aim::Spacing), "Dm", 1, "Dw", false,
     "Take care that Dm is less than Dw."},
    {kLayeredAims, "Dw", 1, "Db", false, "Take care that Db is greater than Dw."},
    {Bit(Aim::Conductivity), "W", 2, "S", false, "The spacing S is smaller than 2W."},
};
} // namespace

AimSet AimBit(std::optional<Aim> aim) { return aim ? Bit(*aim) : kUnknownAim; }

std::span<const PreSaveRule> PreSaveRules() { return kRules; }

const char* PreSaveFailure(const std::string& code, DataSetR params) {
  params.resize(std::max<size_t>(params.size(), kParamCount), 0.0);
  const std::optional<Aim> aim = AimOfCode(code);
  // An unknown code is tested in the spacing aim's layout.
  const AimDefinition& layout = AimDefinitionOf(aim.value_or(Aim::Spacing));
  auto value = [&](const char* symbol) {
    const AimInput* input = FindInput(layout, symbol);
    return input ? params[input->position - 1] : 0.0;
  };
  // The window hides the fields of the values the aim does not read, whatever they hold.
  for (int position = 1; position <= layout.valuesRead; ++position)
    if (params[position - 1] < 0)
      return kNegativeDataMessage;
  for (const PreSaveRule& rule : kRules) {
    if (!(rule.aims & AimBit(aim)))
      continue;
    const double lower = rule.factor * value(rule.lower), upper = value(rule.upper);
    if (rule.equalAllowed ? upper < lower : !(upper > lower))
      return rule.message;
  }
  return nullptr;
}

void CheckBeforeSave(TDMPumpfield& dm, bool& ChecksPassed) {
  DataSetR& params = dm.Params;
  if (params.size() < kParamCount)
    params.resize(kParamCount, 0.0);
  if (const char* failure = PreSaveFailure(dm.AimCode, params)) {
    dm.ShowMessage(std::string(failure) + kSuffix);
    return;
  }
  ChecksPassed = true;
  if (params[1] == params[2]) {
    params[10] = 0.0;
    params[11] = 0.0;
  }
}
