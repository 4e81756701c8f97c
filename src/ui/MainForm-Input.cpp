// Handlers of the Input sheet: aim choice, relabelling, field checks and opening input files.
#include "ui/UMainForm.h"

#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "run/AimDispatch.h"
#include "run/CheckBeforeSave.h"
#include "run/RunCalculation.h"
#include "run/RunState.h"
#include "ui/UFigureForm.h"
#include "ui/UiText.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>

namespace {
// Label texts of the relabelling, by number (element 0 unused).
const char* const kLabelText[18] = {
    "",
    "Time average recharge or discharge         R    (m/day) : ",
    "Depth watertable midway between wells      Dm       (m) : ",
    "Depth watertable midway between wells      Dm       (m) :",
    "Bottom depth of 1st layer below s.s.       D1       (m) :",
    "Bottom depth of 2nd layer below s.s.       D2       (m) :",
    "Depth waterlevel in well below s.s.        Dw       (m) :",
    "Depth of well bottom below s.s.            Db       (m) :",
    "Entrance resistance at the drain           E    (day/m) :",
    "Diameter of well screen                    W        (m) :",
    "Permeability above water level in well     Ka   (m/day) :",
    "Horizontal permeability, 1st soil layer    Kb1  (m/day) :",
    "Vertical permeability, 1st soil layer      Kv1  (m/day) :",
    "Horizontal permeability, 2nd soil layer    Kb2  (m/day) :",
    "Vertical permeability, 2nd soil layer      Kv2  (m/day) :",
    "Spacing between the equidistant wells      S        (m) : ",
    "Spacing betweeen the equidistant wells     S        (m) : ",
    "Smallest spacing between the wells         Sb       (m) : ",
};
// Field 13 in the rectangular-field aim, in the columns of the Sb caption.
const char* const kLargestSpacingText =
    "Largest spacing between the wells          Sa       (m) : ";
const char* const kMarker = "-1";

QString NumberText(double value) { return ToQ(FloatToText(value)); }

} // namespace

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
  const int index = CalcAim_Combobox->currentIndex();
  if (index < 0 || index > 3)
    return;
  AimIndex = static_cast<int16_t>(index);
  RelabelFields();
  if (DMPumpfield)
    DMPumpfield->AimCode = AimCodes[AimIndex];
  FillFieldsForAim();
}

void TMainForm::RelabelFields() {
  auto label = [this](int number) { return Labels[static_cast<size_t>(number - 1)]; };
  auto field = [this](int number) { return TMaskEdits[static_cast<size_t>(number - 1)]; };
  // Label14 starts without a caption, so a label grows to fit the one it gets.
  auto setCaption = [](QLabel* target, const QString& text) {
    target->setText(text);
    const QSize hint = target->sizeHint();
    target->resize(std::max(target->width(), hint.width()),
                   std::max(target->height(), hint.height()));
    target->show();
  };
  auto caption = [&](int number, int text) { setCaption(label(number), kLabelText[text]); };

  if (AimIndex == 3) {
    caption(1, 1);
    caption(2, 3);
    caption(8, LoadedAimIndex <= 1 ? 15 : 16);
    for (int i = 9; i <= 14; ++i)
      label(i)->hide();
    Label15->hide();
    for (int i = 1; i <= 8; ++i)
      field(i)->show();
    for (int i = 9; i <= 14; ++i)
      field(i)->hide();
    field(13)->setToolTip(QString());
    return;
  }

  caption(1, AimIndex == 1 ? 2 : 1);
  caption(2, 4);
  for (int i = 3; i <= 7; ++i)
    caption(i, i + 2);
  caption(8, 10);
  if (AimIndex == 2) {
    for (int i = 9; i <= 12; ++i)
      label(i)->show();
    setCaption(label(13), kLargestSpacingText);
    caption(14, 17);
    Label15->show();
  } else {
    for (int i = 9; i <= 12; ++i)
      caption(i, i + 2);
    caption(13, AimIndex == 0 ? 2 : 15);
    Label14->hide();
    Label15->hide();
  }
  for (int i = 1; i <= 13; ++i)
    field(i)->show();
  field(14)->setVisible(AimIndex == 2);
  if (AimIndex == 2) {
    field(13)->setToolTip("Largest spacing in a rectangular layout");
    field(14)->setToolTip("Shortest spacing in a rectangular layout");
  } else {
    field(13)->setToolTip(QString());
  }
}

void TMainForm::FillFieldsForAim() {
  auto set = [this](int number, const QString& text) {
    TMaskEdits[static_cast<size_t>(number - 1)]->setText(text);
  };
  auto setIfLoaded = [&](int number, const QString& text) {
    if (InputLoaded)
      set(number, text);
  };
  // Fields 2 to 7 of the conductivity aim come from the stash; field 2 (Dm) is left to the
  // caller.
  auto conductivityFields = [&] {
    set(3, StashD2);
    set(4, StashDw);
    set(5, StashDb);
    set(6, StashE);
    set(7, StashW);
  };
  const QString marker = kMarker;

  switch (LoadedAimIndex * 4 + AimIndex) {
  case 0: // loaded spacing
    set(1, StashR);
    set(8, StashKa);
    set(13, StashDm);
    break;
  case 1:
    set(1, StashDm);
    set(8, StashKa);
    setIfLoaded(13, marker);
    break;
  case 2:
    set(1, StashR);
    set(8, StashKa);
    setIfLoaded(13, marker);
    setIfLoaded(14, marker);
    break;
  case 3:
    set(1, StashR);
    set(2, StashDm);
    conductivityFields();
    setIfLoaded(8, marker);
    break;
  case 4: // loaded discharge
    setIfLoaded(1, marker);
    set(13, StashDm);
    break;
  case 5:
    set(1, StashDm);
    set(8, StashKa);
    set(13, StashS);
    break;
  case 6:
    set(1, marker);
    set(13, StashSa);
    set(14, StashSb);
    break;
  case 7:
    set(1, marker);
    set(2, StashDm);
    conductivityFields();
    set(8, StashS);
    break;
  case 8: // loaded rectangular field
    set(1, StashR);
    set(13, marker);
    break;
  case 9:
    set(1, marker);
    set(13, StashS);
    break;
  case 10:
    set(1, StashR);
    set(8, StashKa);
    set(13, StashSa);
    set(14, StashSb);
    break;
  case 11:
    set(1, StashR);
    setIfLoaded(2, marker);
    conductivityFields();
    set(8, StashSa);
    break;
  case 12: // loaded conductivity
  case 13:
  case 14:
    set(2, marker);
    for (int i = 8; i <= 12; ++i)
      set(i, marker);
    if (AimIndex == 2) {
      set(13, marker);
      set(14, marker);
    } else {
      set(13, AimIndex == 0 ? StashDm : StashS);
    }
    break;
  default:
    break;
  }
  if (LoadedAimIndex == 3 && AimIndex != 3) {
    for (int i = 8; i <= 13; ++i)
      TMaskEdits[static_cast<size_t>(i - 1)]->show();
    for (int i = 9; i <= 13; ++i)
      Labels[static_cast<size_t>(i - 1)]->show();
  }
}

void TMainForm::StashLoadedValues() {
  const DataSetR& params = DMPumpfield->Params;
  auto value = [&params](int position) {
    const size_t index = static_cast<size_t>(position - 1);
    return NumberText(index < params.size() ? params[index] : 0.0);
  };
  for (QString* stash :
       {&StashR, &StashDm, &StashD2, &StashDw, &StashDb, &StashE, &StashW, &StashS})
    *stash = "0";

  StashD2 = value(3);
  StashDw = value(4);
  StashDb = value(5);
  StashE = value(6);
  StashW = value(7);
  switch (LoadedAimIndex) {
  case 0:
    StashR = value(1);
    StashDm = value(13);
    StashKa = value(8);
    break;
  case 1:
    StashDm = value(1);
    StashKa = value(8);
    StashS = value(13);
    StashSa = StashS;
    StashSb = StashS;
    break;
  case 2:
    StashR = value(1);
    StashKa = value(8);
    StashS = value(13);
    if (DMPumpfield->AimCode == kFieldDepthsFileCode) {
      StashSa = value(13);
      StashSb = value(14);
    } else {
      StashSa = StashS;
      StashSb = StashS;
    }
    break;
  case 3:
    StashR = value(1);
    StashDm = value(2);
    StashS = value(8);
    StashSa = StashS;
    StashSb = StashS;
    break;
  default:
    break;
  }
  if (LoadedAimIndex != 3) {
    const bool rectangular = LoadedAimIndex == 2;
    Label14->setVisible(rectangular);
    Label15->setVisible(rectangular);
    TMaskEdits[13]->setVisible(rectangular);
  }
}

namespace {
// Replaces the field's text by the number text of its value; false (with the message and the
// marker) when the text is no real number.
bool CheckRealField(TMainForm& form, QLineEdit* field) {
  try {
    const double value = StringToFloat(FromQ(field->text()));
    field->setText(NumberText(value));
    form.InputSave->setEnabled(true);
    form.Filesave_Button->setEnabled(true);
    return true;
  } catch (...) {
    AppServices().ShowMessage(FromQ(field->text()) + " is not a valid real number");
    field->setText(kMarker);
    SetDecimalSeparator(form.StartupDecimalSeparator);
    return false;
  }
}
} // namespace

void TMainForm::MaskEdit1Exit(QLineEdit* field) { CheckRealField(*this, field); }

void TMainForm::MaskEdit2Exit(QLineEdit* field) {
  if (!CheckRealField(*this, field))
    return;
  auto convert = [this](QLineEdit* edit) {
    try {
      const double value = StringToFloat(FromQ(edit->text()));
      SetDecimalSeparator(StartupDecimalSeparator);
      return value;
    } catch (...) {
      SetDecimalSeparator(StartupDecimalSeparator);
      throw;
    }
  };
  const double d1 = convert(TMaskEdits[1]);
  const double d2 = convert(TMaskEdits[2]);
  if (d1 == d2 && d2 > 0)
    AppServices().ShowMessage("When D1 and D2 are equal, there is only one layer. The values of "
                              "Kb2 and Kv2 are immaterial.");
}

void TMainForm::InputOpenExecute() {
  if (!ChooseFileAsInputFileName(InputOpen_Dialog, "No input file was selected"))
    return;
  TDMPumpfield& dm = *DMPumpfield;
  // LoadInputFile reports a file it cannot open and leaves the parameter set as it was; the
  // sheet then keeps showing what it showed rather than another file's values under this name.
  const bool readable = TextReader(dm.InputFileName).opened();
  dm.LoadInputFile();
  if (!readable || !IsKnownAimCode(dm.AimCode) || dm.Params.size() < 14)
    return;

  FileName_Edit->setText(ToQ(dm.InputFileName));
  FileName_Edit->show();
  Filename_Label->show();
  ShowStatus("Edit the data. Then use the \"Save\" button. The \"Figure\" tabsheet shows an "
             "illustration of the data.");

  const int index = static_cast<int>(*AimOfCode(dm.AimCode));
  CalcAim_Combobox->setCurrentIndex(index);
  AimIndex = static_cast<int16_t>(index);
  LoadedAimIndex = AimIndex;

  StashLoadedValues();
  RelabelFields();
  Title1_Edit->setText(ToQ(dm.Title1));
  Title2_Edit->setText(ToQ(dm.Title2));
  for (size_t i = 0; i < 13; ++i)
    TMaskEdits[i]->setText(NumberText(dm.Params[i]));
  // Files of the older code "Hyd" hold one spacing, which the field of Sb shows too.
  if (dm.AimCode == AimCodes[static_cast<int>(Aim::FieldDepths)])
    TMaskEdits[13]->setText(NumberText(dm.Params[12]));
  else if (dm.AimCode == kFieldDepthsFileCode)
    TMaskEdits[13]->setText(NumberText(dm.Params[13]));

  WellUtils.WorkDirectory = GetCurrentDir();
  SetDialogFolders(ToQ(WellUtils.WorkDirectory));
  Filesave_Button->setEnabled(true);
  InputSave->setEnabled(true);
  InputLoaded = true;
  CalcAim_Combobox->setEnabled(true);
  PageControl1->setCurrentWidget(Input_TabSheet);
}
