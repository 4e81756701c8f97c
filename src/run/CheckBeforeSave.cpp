#include "run/CheckBeforeSave.h"

#include "data/UDMPumpfield.h"

#include <algorithm>

namespace {
const char* const kSuffix = " Input not saved. Please correct the data";

// The values an aim's calculation reads (positions 1 to this count); the window hides the
// fields of the others, whatever they hold.
int UsedValueCount(std::optional<Aim> aim) {
  if (aim == Aim::FieldDepths)
    return 14;
  if (aim == Aim::Conductivity)
    return 8;
  return 13;
}
} // namespace

const char* PreSaveFailure(const std::string& code, DataSetR params) {
  params.resize(std::max<size_t>(params.size(), 14), 0.0);
  auto value = [&params](int position) { return params[position - 1]; };
  const std::optional<Aim> aim = AimOfCode(code);
  const bool rectangular = aim == Aim::FieldDepths;
  for (int position = 1; position <= UsedValueCount(aim); ++position)
    if (value(position) < 0)
      return "Data cannot be negative.";
  if (aim != Aim::Conductivity && value(3) < value(2))
    return "Take care that D2 is not less than D1.";
  if (aim != Aim::Discharge && aim != Aim::Conductivity && !(value(8) > value(1)))
    return "Take care that Ka is greater than R.";
  if ((rectangular || aim == Aim::Discharge) &&
      (2 * value(7) >= value(13) || (rectangular && 2 * value(7) >= value(14))))
    return "Take care that S, or Sa and Sb, are larger than 2W.";
  if (aim == Aim::Discharge && !(value(4) > value(1)))
    return "Take care that Dm is less than Dw.";
  if (aim == Aim::Spacing && !(value(4) > value(13)))
    return "Take care that Dm is less than Dw.";
  if (aim != Aim::Conductivity && !(value(5) > value(4)))
    return "Take care that Db is greater than Dw.";
  if (aim == Aim::Conductivity && 2 * value(7) >= value(8))
    return "The spacing S is smaller than 2W.";
  return nullptr;
}

void CheckBeforeSave(TDMPumpfield& dm, bool& ChecksPassed) {
  DataSetR& params = dm.Params;
  if (params.size() < 14)
    params.resize(14, 0.0);
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
