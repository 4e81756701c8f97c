// The hints of the Input sheet's fields: what the field holds in the chosen aim, in which unit,
// and which values the checks before saving accept.
#include "ui/UMainForm.h"

#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "run/CheckBeforeSave.h"
#include "ui/UiText.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

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

// A label caption as "Depth waterlevel in well below s.s.        Dw       (m) :".
struct Caption {
  QString description, symbol, unit;
};

std::optional<Caption> ParseCaption(const QString& text) {
  static const QRegularExpression pattern(R"(^\s*(.*\S)\s{2,}(\S+)\s+\(([^)]*)\)\s*:\s*$)");
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch())
    return std::nullopt;
  return Caption{match.captured(1), match.captured(2), match.captured(3)};
}

QString QuantityName(const Caption& caption) {
  for (const Quantity& quantity : kQuantities)
    if (caption.symbol == quantity.symbol)
      return quantity.name;
  return caption.description;
}

QString Factor(double factor) { return ToQ(FloatToText(factor)); }

// What `rule` asks of value `position`, in the symbols `symbolOf` gives the positions.
template <class SymbolOf>
QString RuleText(const PreSaveRule& rule, int position, SymbolOf symbolOf) {
  if (position == rule.lower) {
    QString bound = symbolOf(rule.upper);
    if (rule.factor != 1)
      bound += " / " + Factor(rule.factor);
    return (rule.equalAllowed ? "at most " : "less than ") + bound;
  }
  QString bound = symbolOf(rule.lower);
  if (rule.factor != 1)
    bound = Factor(rule.factor) + " × " + bound;
  return (rule.equalAllowed ? "at least " : "more than ") + bound;
}
} // namespace

void TMainForm::DescribeInputFields() {
  const std::string code = AimCodes[std::clamp<int>(State.AimIndex, 0, 3)];
  const std::optional<Aim> aim = AimOfCode(code);
  auto symbolOf = [this](int position) {
    const std::optional<Caption> caption =
        ParseCaption(Labels[static_cast<size_t>(position - 1)]->text());
    return caption ? caption->symbol : QString("value %1").arg(position);
  };

  for (int position = 1; position <= 14; ++position) {
    QLineEdit* field = TMaskEdits[static_cast<size_t>(position - 1)];
    const std::optional<Caption> caption =
        ParseCaption(Labels[static_cast<size_t>(position - 1)]->text());
    if (!field || !caption) {
      if (field)
        field->setToolTip(QString());
      continue;
    }
    QStringList accepted;
    if (position <= UsedValueCount(aim))
      accepted << "at least 0";
    for (const PreSaveRule& rule : PreSaveRules())
      if ((rule.aims & AimBit(aim)) && (rule.lower == position || rule.upper == position))
        accepted << RuleText(rule, position, symbolOf);

    const QString what =
        QuantityName(*caption) + ", " + caption->symbol + " (" + caption->unit + ")";
    const QString range = accepted.isEmpty() ? QString() : "Accepted: " + accepted.join(", ");
    const QString decimals =
        QString("Saved with %1 decimals").arg(DecimalsOfPosition(position, code));
    QStringList lines{what};
    if (aim == Aim::FieldDepths && position >= 13)
      lines.prepend(position == 13 ? kLargestSpacingHint : kShortestSpacingHint);
    if (!range.isEmpty())
      lines << range;
    lines << decimals;
    field->setToolTip(lines.join('\n'));
    field->setStatusTip(range.isEmpty() ? what : what + ". " + range);
  }
}
