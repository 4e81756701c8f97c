#include "run/CheckBeforeSave.h"

#include "core/TextFormat.h"
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
    {Bit(Aim::FieldDepths), "Sb", 1, "Sa", true, "Make sure that Sa >= Sb."},
    {Bit(Aim::Discharge) | Bit(Aim::Spacing), "Dm", 1, "Dw", false,
     "Take care that Dm is less than Dw."},
    {kLayeredAims, "Dw", 1, "Db", false, "Take care that Db is greater than Dw."},
    {Bit(Aim::Conductivity), "W", 2, "S", false, "The spacing S is smaller than 2W."},
};
} // namespace

AimSet AimBit(std::optional<Aim> aim) { return aim ? Bit(*aim) : kUnknownAim; }

std::span<const PreSaveRule> PreSaveRules() { return kRules; }

namespace {
constexpr size_t kFieldWidth = 10;

// "R would be saved as 0.0000." for a value that the file's decimals round to 0 or that is
// wider than its field; "" for one the file holds as it is meant.
std::string SavedValueFailure(const AimInput& input, double value, const std::string& code) {
  const std::string saved = FormatFixed(value, 0, DecimalsOfPosition(input.position, code));
  const std::optional<double> readBack = ValueAsSaved(value, input.position, code);
  if (readBack && saved.size() <= kFieldWidth && (*readBack != 0.0 || value == 0.0))
    return std::string();
  return std::string(input.symbol) + " would be saved as " + saved + ".";
}
} // namespace

std::string PreSaveFailure(const std::string& code, DataSetR params) {
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
  const std::string savedCode = aim ? AimDefinitionOf(*aim).fileCode : code;
  for (const AimInput& input : layout.inputs)
    if (input.position <= layout.valuesRead)
      if (std::string failure = SavedValueFailure(input, params[input.position - 1], savedCode);
          !failure.empty())
        return failure;
  return std::string();
}

void CheckBeforeSave(TDMPumpfield& dm, bool& ChecksPassed) {
  DataSetR& params = dm.Params;
  if (params.size() < kParamCount)
    params.resize(kParamCount, 0.0);
  if (const std::string failure = PreSaveFailure(dm.AimCode, params); !failure.empty()) {
    dm.ShowMessage(failure + kSuffix);
    return;
  }
  ChecksPassed = true;
  if (params[1] == params[2]) {
    params[10] = 0.0;
    params[11] = 0.0;
  }
}
