#include "ui/UnsavedChanges.h"

#include "core/TextFormat.h"

#include <QApplication>
#include <QMessageBox>

#include <optional>

namespace {
class MessageBoxQuestion final : public UnsavedChangesQuestion {
public:
  UnsavedChangesAnswer Ask(const QString& text) override {
    QMessageBox box(QMessageBox::Warning, "Unsaved changes", text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setObjectName("UnsavedChanges_Dialog");
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
      return UnsavedChangesAnswer::Save;
    case QMessageBox::Discard:
      return UnsavedChangesAnswer::Discard;
    default:
      return UnsavedChangesAnswer::Cancel;
    }
  }
};

MessageBoxQuestion messageBox;
UnsavedChangesQuestion* installed = &messageBox;

std::optional<double> FieldValue(const QString& text) {
  const std::string plain = text.toStdString();
  if (auto value = TextToFloat(plain, '.'))
    return value;
  return TextToFloat(plain, ',');
}

bool SameField(const QString& a, const QString& b) {
  if (a == b)
    return true;
  const std::optional<double> x = FieldValue(a), y = FieldValue(b);
  return x && y && *x == *y;
}
} // namespace

UnsavedChangesQuestion& AppUnsavedChangesQuestion() { return *installed; }
void InstallUnsavedChangesQuestion(UnsavedChangesQuestion* question) {
  installed = question ? question : &messageBox;
}

bool InputSheetContent::operator==(const InputSheetContent& other) const {
  if (title1 != other.title1 || title2 != other.title2 || aim != other.aim)
    return false;
  for (size_t i = 0; i < fields.size(); ++i)
    if (!SameField(fields[i], other.fields[i]))
      return false;
  return true;
}
