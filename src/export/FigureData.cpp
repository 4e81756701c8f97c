#include "export/FigureData.h"

#include "core/TextFormat.h"

#include <cmath>

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

bool StartsWith(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }
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
  auto number = [](const std::string& text) {
    const std::optional<double> value = TextToFloat(text, '.');
    return value && std::isfinite(*value) ? value : std::nullopt;
  };
  for (const ReportInput& input : report.inputs)
    if (const auto value = number(input.value))
      data.inputs.emplace(input.symbol, *value);
  for (const ReportProfile& table : report.profiles) {
    FigureProfile profile{table.name, {}, {}};
    for (const auto& row : table.rows) {
      profile.x.push_back(number(row[0]).value_or(NAN));
      profile.head.push_back(number(row[1]).value_or(NAN));
    }
    data.profiles.push_back(std::move(profile));
  }
  for (const ReportResult& result : report.results) {
    const auto value = number(result.figure);
    if (!value)
      continue;
    const std::string& words = result.words;
    if (StartsWith(words, "Midway hydr"))
      data.midwayHeads.push_back(*value);
    else if (StartsWith(words, "Midway W.T. depth") || StartsWith(words, "Midway watertable depth"))
      data.midwayDepths.push_back(*value);
    else if (StartsWith(words, "The well spacing"))
      data.spacing = *value;
    else if (StartsWith(words, "The well discharge"))
      data.discharge = *value;
    else if (words.find("hydraulic conductivity") != std::string::npos)
      data.conductivity = *value;
  }
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
