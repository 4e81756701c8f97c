// Edits of the Input sheet are not lost unasked: quitting and opening another input file first
// offer to save them.
#include "ui/UMainForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace {
const char* QuestionText(TMainForm::UnsavedChangesReason reason) {
  return reason == TMainForm::UnsavedChangesReason::Quit
             ? "The input data were changed since they were last opened or saved. Save them "
               "before quitting?"
             : "The input data were changed since they were last opened or saved. Save them "
               "before opening another input file?";
}
} // namespace

InputSheetContent TMainForm::InputContent() const {
  InputSheetContent content;
  content.title1 = Title1_Edit->text();
  content.title2 = Title2_Edit->text();
  content.aim = CalcAim_Combobox->currentIndex();
  for (size_t i = 0; i < TMaskEdits.size(); ++i)
    content.fields[i] = TMaskEdits[i] ? TMaskEdits[i]->text() : QString();
  return content;
}

bool TMainForm::HasUnsavedChanges() const {
  return !(savedContent_ && *savedContent_ == InputContent());
}

void TMainForm::MarkInputSaved() {
  savedContent_ = InputContent();
  discardedContent_.reset();
}

void TMainForm::MarkInputUnsaved() { savedContent_.reset(); }

bool TMainForm::SettleUnsavedChanges(UnsavedChangesReason reason) {
  if (unsavedChangesSettled_ || !HasUnsavedChanges() ||
      (discardedContent_ && *discardedContent_ == InputContent()))
    return true;
  switch (AppUnsavedChangesQuestion().Ask(QuestionText(reason))) {
  case UnsavedChangesAnswer::Save: {
    // Saving is all the user asked for here: no question whether to calculate.
    const QScopedValueRollback saveOnly(saveWithoutRun_, true);
    InputSaveExecute();
    return !HasUnsavedChanges();
  }
  case UnsavedChangesAnswer::Discard:
    discardedContent_ = InputContent();
    return true;
  case UnsavedChangesAnswer::Cancel:
    break;
  }
  return false;
}
