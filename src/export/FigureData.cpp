#include "export/FigureData.h"

#include "core/TextFormat.h"

#include <cmath>
#include <utility>

namespace {
const QuantityName kQuantities[] = {
    {"R", "Recharge, time average", "m/day"},
    {"D1", "Depth of the bottom of layer 1", "m"},
    {"D2", "Depth of the bottom of layer 2", "m"},
    {"Dw", "Depth of the water level in the well", "m"},
    {"Db", "Depth of the well bottom", "m"},
    {"E", "Entrance resistance of the well", "day/m"},
    {"W", "Diameter of the well screen", "m"},
    {"Ka", "Permeability above the water level in the well", "m/day"},
    {"Kb1", "Horizontal permeability of layer 1", "m/day"},
    {"Kv1", "Vertical permeability of layer 1", "m/day"},
    {"Kb2", "Horizontal permeability of layer 2", "m/day"},
    {"Kv2", "Vertical permeability of layer 2", "m/day"},
    {"Dm", "Required depth of the water table midway between wells", "m"},
    {"S", "Well spacing", "m"},
    {"Sa", "Largest well spacing", "m"},
    {"Sb", "Smallest well spacing", "m"},
};

} // namespace

std::optional<double> FigureData::Input(const std::string& symbol) const {
  const auto found = inputs.find(symbol);
  return found == inputs.end() ? std::nullopt : std::optional<double>(found->second);
}

std::optional<double> FigureData::WellSpacing() const {
  if (spacing)
    return spacing;
  if (const auto s = Input("S"))
    return s;
  return Input("Sa");
}

std::optional<double> FigureData::MidwayDistance(size_t index) const {
  if (aim != Aim::FieldDepths) {
    const auto s = WellSpacing();
    return s ? std::optional<double>(*s / 2) : std::nullopt;
  }
  const auto sa = Input("Sa"), sb = Input("Sb");
  if (!sa || !sb)
    return std::nullopt;
  if (index == 0)
    return *sa / 2;
  if (index == 1)
    return *sb / 2;
  return std::sqrt(*sa * *sa + *sb * *sb) / 2;
}

std::string FigureData::Number(double value, int decimals) const {
  std::string text = FormatFixed(value, 0, decimals);
  for (char& c : text)
    if (c == '.')
      c = decimalSeparator;
  return text;
}

FigureData FigureDataOfReport(const ReportContent& report) {
  FigureData data;
  data.title1 = report.title1;
  data.title2 = report.title2;
  data.aim = report.aim;
  // Numbers too large for a double are left out, as if the report did not state them.
  auto finite = [](double value) { return std::isfinite(value) ? value : NAN; };
  for (const ReportInput& input : report.inputs)
    if (std::isfinite(input.number))
      data.inputs.emplace(input.symbol, input.number);
  for (const ReportProfile& table : report.profiles) {
    FigureProfile profile{table.name, {}, {}};
    for (size_t row = 0; row < table.distance.size() && row < table.head.size(); ++row) {
      profile.x.push_back(finite(table.distance[row]));
      profile.head.push_back(finite(table.head[row]));
    }
    data.profiles.push_back(std::move(profile));
  }
  auto result = [&report](const char* symbol) {
    const ReportResult* found = report.Result(symbol);
    return found && std::isfinite(found->number) ? std::optional<double>(found->number)
                                                 : std::nullopt;
  };
  // The heads and depths of the profiles in their order: one, or three for a rectangular field.
  for (const auto& [head, depth] :
       {std::pair{"H", "Dm"}, {"Ha", "Dma"}, {"Hb", "Dmb"}, {"Hd", "Dmd"}}) {
    if (const auto value = result(head))
      data.midwayHeads.push_back(*value);
    if (const auto value = result(depth))
      data.midwayDepths.push_back(*value);
  }
  if (report.aim == Aim::Spacing)
    data.spacing = result("S");
  if (report.aim == Aim::Conductivity)
    data.conductivity = result("K");
  data.discharge = result("Q");
  return data;
}

std::optional<QuantityName> QuantityOf(const std::string& symbol, std::optional<Aim> aim) {
  for (const QuantityName& quantity : kQuantities) {
    if (symbol != quantity.symbol)
      continue;
    if (symbol == "Dm" && aim == Aim::Conductivity)
      return QuantityName{"Dm", "Observed depth of the water table midway between wells", "m"};
    return quantity;
  }
  return std::nullopt;
}
