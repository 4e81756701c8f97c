#include "run/CheckBeforeSave.h"

#include "core/Services.h"
#include "data/UDMPumpfield.h"

#include <algorithm>

namespace {
const char* const kSuffix = " Input not saved. Please correct the data";

constexpr AimSet Bit(Aim aim) { return AimSet{1} << static_cast<unsigned>(aim); }
constexpr AimSet kUnknownAim = AimSet{1} << 4;
constexpr AimSet kAllAims = Bit(Aim::Spacing) | Bit(Aim::Discharge) | Bit(Aim::FieldDepths) |
                            Bit(Aim::Conductivity) | kUnknownAim;

const char* const kSpacingsMessage = "Take care that S, or Sa and Sb, are larger than 2W.";
const char* const kDmDwMessage = "Take care that Dm is less than Dw.";

constexpr PreSaveRule kRules[] = {
    {kAllAims & ~Bit(Aim::Conductivity), 2, 1, 3, true, "Take care that D2 is not less than D1."},
    {kAllAims & ~Bit(Aim::Discharge) & ~Bit(Aim::Conductivity), 1, 1, 8, false,
     "Take care that Ka is greater than R."},
    {Bit(Aim::FieldDepths) | Bit(Aim::Discharge), 7, 2, 13, false, kSpacingsMessage},
    {Bit(Aim::FieldDepths), 7, 2, 14, false, kSpacingsMessage},
    {Bit(Aim::Discharge), 1, 1, 4, false, kDmDwMessage},
    {Bit(Aim::Spacing), 13, 1, 4, false, kDmDwMessage},
    {kAllAims & ~Bit(Aim::Conductivity), 4, 1, 5, false, "Take care that Db is greater than Dw."},
    {Bit(Aim::Conductivity), 7, 2, 8, false, "The spacing S is smaller than 2W."},
};

bool Holds(const PreSaveRule& rule, const DataSetR& params) {
  const double lower = rule.factor * params[rule.lower - 1];
  const double upper = params[rule.upper - 1];
  return rule.equalAllowed ? !(upper < lower) : upper > lower;
}
} // namespace

AimSet AimBit(std::optional<Aim> aim) { return aim ? Bit(*aim) : kUnknownAim; }

int UsedValueCount(std::optional<Aim> aim) {
  if (aim == Aim::FieldDepths)
    return 14;
  if (aim == Aim::Conductivity)
    return 8;
  return 13;
}

std::span<const PreSaveRule> PreSaveRules() { return kRules; }

const char* PreSaveFailure(const std::string& code, DataSetR params) {
  params.resize(std::max<size_t>(params.size(), 14), 0.0);
  const std::optional<Aim> aim = AimOfCode(code);
  for (int position = 1; position <= UsedValueCount(aim); ++position)
    if (params[position - 1] < 0)
      return kNegativeDataMessage;
  for (const PreSaveRule& rule : kRules)
    if ((rule.aims & AimBit(aim)) && !Holds(rule, params))
      return rule.message;
  return nullptr;
}

void CheckBeforeSave(bool& ChecksPassed) {
  DataSetR& params = DMPumpfield->Params;
  if (params.size() < 14)
    params.resize(14, 0.0);
  if (const char* failure = PreSaveFailure(DMPumpfield->AimCode, params)) {
    AppServices().ShowMessage(std::string(failure) + kSuffix);
    return;
  }
  ChecksPassed = true;
  if (params[1] == params[2]) {
    params[10] = 0.0;
    params[11] = 0.0;
  }
}
