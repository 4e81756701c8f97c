#include "ui/TitleBlockDialog.h"

#include "ui/Settings.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <array>

namespace {
TitleBlockQuestion& InstalledQuestion() {
  static TitleBlockQuestion question;
  return question;
}

struct Field {
  const char* key; // in the settings, and the edit's objectName with "_Edit"
  const char* label;
  std::string ReportTitleBlock::*text;
};

const std::array<Field, 5> kFields = {{
    {"Project", "&Project:", &ReportTitleBlock::project},
    {"Client", "&Client:", &ReportTitleBlock::client},
    {"Engineer", "&Engineer:", &ReportTitleBlock::engineer},
    {"Checked", "C&hecked by:", &ReportTitleBlock::checkedBy},
    {"Revision", "&Revision:", &ReportTitleBlock::revision},
}};

QString SettingsKey(const Field& field) { return QString("calculationReport/") + field.key; }

std::optional<ReportTitleBlock> RunDialog(QWidget* parent, const ReportTitleBlock& last) {
  QDialog dialog(parent);
  dialog.setObjectName("TitleBlock_Dialog");
  dialog.setWindowTitle("Calculation report");
  auto* form = new QFormLayout;
  std::array<QLineEdit*, kFields.size()> edits{};
  for (size_t i = 0; i < kFields.size(); ++i) {
    edits[i] = new QLineEdit(QString::fromStdString(last.*kFields[i].text), &dialog);
    edits[i]->setObjectName(QString(kFields[i].key) + "_Edit");
    edits[i]->setMaxLength(static_cast<int>(kLongestTitleBlockField));
    edits[i]->setMinimumWidth(320);
    form->addRow(kFields[i].label, edits[i]);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(form);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  ReportTitleBlock block;
  for (size_t i = 0; i < kFields.size(); ++i)
    block.*kFields[i].text = edits[i]->text().trimmed().toStdString();
  return block;
}
} // namespace

void InstallTitleBlockQuestion(TitleBlockQuestion question) {
  InstalledQuestion() = std::move(question);
}

std::optional<ReportTitleBlock> AskTitleBlock(QWidget* parent) {
  QSettings settings = ProgramSettings();
  ReportTitleBlock last;
  for (const Field& field : kFields)
    last.*field.text = settings.value(SettingsKey(field)).toString().toStdString();
  const std::optional<ReportTitleBlock> answer =
      InstalledQuestion() ? InstalledQuestion()(last) : RunDialog(parent, last);
  if (answer)
    for (const Field& field : kFields)
      settings.setValue(SettingsKey(field), QString::fromStdString((*answer).*field.text));
  return answer;
}
