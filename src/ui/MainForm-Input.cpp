// Handlers of the Input sheet.
#include "UMainForm.h"

#include "UDMPumpfield.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

void TMainForm::Input_TabSheetShow() {
  ShowStatus("Enter data or use \"Open\" to see examples under \"Data\" or to edit existing "
             "files. Thereafter use \"Save-Run\". The \"Figure\" tab shows an illustration.");
  InputSave->setEnabled(true);
  if (!InputLoaded) {
    if (DMPumpfield && AimIndex >= 0 && AimIndex < 4)
      DMPumpfield->AimCode = AimCodes[AimIndex];
    Filesave_Button->setEnabled(false);
  }
}

void TMainForm::Input_TabSheetExit() { InputSave->setEnabled(false); }

void TMainForm::CalcAim_ComboboxChange() {
  // TODO(next step): aim index, relabelling, aim code and field texts for the chosen aim.
}

void TMainForm::MaskEdit1Exit(QLineEdit* field) {
  (void)field;
  // TODO(next step): check the field's text as a real number.
}

void TMainForm::MaskEdit2Exit(QLineEdit* field) {
  (void)field;
  // TODO(next step): the real-number check plus the one-layer message for D1 = D2.
}

void TMainForm::InputOpenExecute() {
  // TODO(next step): open dialog, LoadInputFile, fill the sheet from the parameter set.
}

void TMainForm::InputSaveExecute() {
  // TODO(next step): save dialog, pre-save checks, SaveInputFile and the run.
}
