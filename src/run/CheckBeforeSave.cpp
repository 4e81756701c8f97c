#include "run/CheckBeforeSave.h"

#include "core/Services.h"
#include "data/UDMPumpfield.h"

#include <algorithm>

namespace {
const char* const kSuffix = " Input not saved. Please correct the data";
} // namespace

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
      return "Data cannot be negative.";
  if (aim != Aim::Conductivity && value("D2") < value("D1"))
    return "Take care that D2 is not less than D1.";
  if (aim != Aim::Discharge && aim != Aim::Conductivity && !(value("Ka") > value("R")))
    return "Take care that Ka is greater than R.";
  if ((aim == Aim::Discharge && 2 * value("W") >= value("S")) ||
      (aim == Aim::FieldDepths && (2 * value("W") >= value("Sa") || 2 * value("W") >= value("Sb"))))
    return "Take care that S, or Sa and Sb, are larger than 2W.";
  if ((aim == Aim::Discharge || aim == Aim::Spacing) && !(value("Dw") > value("Dm")))
    return "Take care that Dm is less than Dw.";
  if (aim != Aim::Conductivity && !(value("Db") > value("Dw")))
    return "Take care that Db is greater than Dw.";
  if (aim == Aim::Conductivity && 2 * value("W") >= value("S"))
    return "The spacing S is smaller than 2W.";
  return nullptr;
}

void CheckBeforeSave(bool& ChecksPassed) {
  DataSetR& params = DMPumpfield->Params;
  if (params.size() < kParamCount)
    params.resize(kParamCount, 0.0);
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
