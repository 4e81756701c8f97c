// The hints of the Input sheet's fields: what the field holds in the chosen aim, in which unit,
// and which values the checks before saving accept, from the table of aims and the checks' rules.
#include "ui/UMainForm.h"

#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "run/CheckBeforeSave.h"
#include "ui/UiText.h"

#include <QLineEdit>

#include <algorithm>
#include <string_view>

namespace {
struct Quantity {
  const char* symbol;
  const char* name;
};
const Quantity kQuantities[] = {
    {"R", "Time-average recharge or discharge"},
    {"D1", "Bottom depth of the first soil layer below the soil surface"},
    {"D2", "Bottom depth of the second soil layer below the soil surface"},
    {"Dw", "Depth of the water level in the wells below the soil surface"},
    {"Db", "Depth of the well bottoms below the soil surface"},
    {"E", "Entrance resistance at the well"},
    {"W", "Diameter of the well screen (width of the water body in the well)"},
    {"Ka", "Permeability above the water level in the wells"},
    {"Kb1", "Horizontal permeability of the first soil layer"},
    {"Kv1", "Vertical permeability of the first soil layer"},
    {"Kb2", "Horizontal permeability of the second soil layer"},
    {"Kv2", "Vertical permeability of the second soil layer"},
    {"Dm", "Depth of the water table midway between the wells"},
    {"S", "Spacing between the wells"},
    {"Sa", "Largest spacing of the rectangular well field"},
    {"Sb", "Smallest spacing of the rectangular well field"},
};

// The rectangular field's own hints of fields 13 and 14, which the others follow.
const char* const kLargestSpacingHint = "Largest spacing in a rectangular layout";
const char* const kShortestSpacingHint = "Shortest spacing in a rectangular layout";

QString QuantityName(const AimInput& input) {
  for (const Quantity& quantity : kQuantities)
    if (std::string_view(input.symbol) == quantity.symbol)
      return quantity.name;
  return input.name;
}

QString Factor(double factor) { return ToQ(FloatToText(factor)); }

// What `rule` asks of the input `symbol`.
QString RuleText(const PreSaveRule& rule, std::string_view symbol) {
  if (symbol == rule.lower) {
    QString bound = rule.upper;
    if (rule.factor != 1)
      bound += " / " + Factor(rule.factor);
    return (rule.equalAllowed ? "at most " : "less than ") + bound;
  }
  QString bound = rule.lower;
  if (rule.factor != 1)
    bound = Factor(rule.factor) + " × " + bound;
  return (rule.equalAllowed ? "at least " : "more than ") + bound;
}
} // namespace

void TMainForm::DescribeInputFields() {
  const std::string code = AimCodes[std::clamp<int>(State.AimIndex, 0, 3)];
  const std::optional<Aim> aim = AimOfCode(code);
  const AimDefinition& layout = AimDefinitionOf(aim.value_or(Aim::Spacing));
  for (QLineEdit* field : TMaskEdits)
    if (field) {
      field->setToolTip(QString());
      field->setStatusTip(QString());
    }
  for (const AimInput& input : layout.inputs) {
    QLineEdit* field = TMaskEdits[static_cast<size_t>(input.position - 1)];
    if (!field)
      continue;
    QStringList accepted;
    if (input.position <= layout.valuesRead)
      accepted << "at least 0";
    for (const PreSaveRule& rule : PreSaveRules())
      if ((rule.aims & AimBit(aim)) && (std::string_view(rule.lower) == input.symbol ||
                                        std::string_view(rule.upper) == input.symbol))
        accepted << RuleText(rule, input.symbol);

    const QString what = QuantityName(input) + ", " + input.symbol + " (" + input.unit + ")";
    const QString range = accepted.isEmpty() ? QString() : "Accepted: " + accepted.join(", ");
    QStringList lines{what};
    if (aim == Aim::FieldDepths && input.position >= 13)
      lines.prepend(input.position == 13 ? kLargestSpacingHint : kShortestSpacingHint);
    if (!range.isEmpty())
      lines << range;
    lines << QString("Saved with %1 decimals").arg(DecimalsOfPosition(input.position, code));
    field->setToolTip(lines.join('\n'));
    field->setStatusTip(range.isEmpty() ? what : what + ". " + range);
  }
}
