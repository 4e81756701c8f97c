// Handlers of the Input sheet: aim choice, relabelling, field checks and opening input files.
#include "ui/UMainForm.h"

#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "run/AimDispatch.h"
#include "run/CheckBeforeSave.h"
#include "run/RunCalculation.h"
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
#include <vector>

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

QString NumberText(double value, char separator) { return ToQ(FloatToText(value, separator)); }

} // namespace

void TMainForm::BuildInputSheet() {
  Input_TabSheet = NewSheet(PageControl1, "Input_TabSheet", " Input ");
  QWidget* sheet = Input_TabSheet;
  sheet->setFont(PixelFont("Courier New", 13, true));

  Filename_Label = NewLabel(sheet, "Filename_Label", "File", 32, 14);
  Filename_Label->hide();
  FileName_Edit = new QLineEdit(sheet);
  FileName_Edit->setObjectName("FileName_Edit");
  FileName_Edit->setReadOnly(true);
  FileName_Edit->setFocusPolicy(Qt::ClickFocus); // selectable for copying, skipped by Tab
  FileName_Edit->setGeometry(112, 10, 577, 21);
  FileName_Edit->hide();
  NewLabel(sheet, "Title1_Label", "Title1", 32, 44);
  Title1_Edit = new QLineEdit(sheet);
  Title1_Edit->setObjectName("Title1_Edit");
  Title1_Edit->setGeometry(112, 38, 577, 21);
  NewLabel(sheet, "Title2_Label", "Title2", 32, 70);
  Title2_Edit = new QLineEdit(sheet);
  Title2_Edit->setObjectName("Title2_Edit");
  Title2_Edit->setGeometry(112, 65, 577, 21);
  NewLabel(sheet, "Options_Label", "Options", 32, 98);

  CalcAim_Combobox = new QComboBox(sheet);
  CalcAim_Combobox->setObjectName("CalcAim_Combobox");
  CalcAim_Combobox->addItems(
      {"The well spacing is to be calculated", "The well discharge is to be calculated",
       "Calculate the depth of the water table", "Calculate the hydraulic conductivity"});
  CalcAim_Combobox->setGeometry(112, 93, 393, 22);
  // activated: only a choice by the user runs the change handler, not one by the program.
  Handle(CalcAim_Combobox, &QComboBox::activated, &TMainForm::CalcAim_ComboboxChange);

  WaitMemo = new QPlainTextEdit(sheet);
  WaitMemo->setObjectName("WaitMemo");
  WaitMemo->setGeometry(512, 0, 177, 118);
  WaitMemo->setReadOnly(true);
  WaitMemo->setFocusPolicy(Qt::NoFocus);
  // Its lines are short; the newest stays in view as lines are added.
  WaitMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  WaitMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  WaitMemo->setFont(PixelFont("Courier New", 13, true));
  QPalette colours = WaitMemo->palette();
  colours.setColor(QPalette::Base, QColor(0, 0, 255));
  colours.setColor(QPalette::Text, QColor(255, 255, 0));
  WaitMemo->setPalette(colours);
  WaitMemo->hide();

  const QStringList captions{"Time average recharge or discharge         R    (m/day) : ",
                             "Bottom depth of 1st layer below s.s.       D1       (m) : ",
                             "Bottom depth of 2nd layer below s.s.       D2       (m) : ",
                             "Depth water level in the well below s.s.   Dw       (m) : ",
                             "Depth of the well bottom below s.s.        Db       (m) : ",
                             "Entrance resistance at the well            E    (day/m) : ",
                             "Max. width of water body in the well       W        (m) : ",
                             "Permeability, above water level in well    Ka   (m/day) : ",
                             "Horizontal permeability, 1st soil layer    Kb1  (m/day) : ",
                             "Vertical permeability, 1st soil layer      Kv1  (m/day) : ",
                             "Horizontal permeability, 2nd soil layer    Kb2  (m/day) : ",
                             "Vertical permeability, 2nd soil layer      Kv2  (m/day) : ",
                             "Depth watertable midway between wells      Dm       (m) : "};
  for (int i = 0; i < 13; ++i) {
    const QByteArray name = "Label" + QByteArray::number(i + 1);
    QLabel* label = NewLabel(sheet, name.constData(), captions[i], 32, 135 + 20 * i);
    label->resize(464, label->height());
    Labels[static_cast<size_t>(i)] = label;
  }
  Labels[13] = NewLabel(sheet, "Label14", "", 32, 392);
  Labels[13]->hide();
  Label14 = Labels[13];
  Label15 = new QLabel("(in a rectangular layout)", sheet);
  Label15->setObjectName("Label15");
  Label15->setFont(PixelFont("Courier New", 11, true));
  Label15->setToolTip(
      "The largest and smallest spacing hold for a rectangular layout of the well field");
  Label15->adjustSize();
  Label15->move(128, 408);
  Label15->hide();

  const QFont buttonFont = PixelFont("Courier New", 16, true);
  FigureButton1 = NewButton(sheet, "FigureButton1", "Figure", QRect(368, 463, 75, 25));
  Filesave_Button = NewButton(sheet, "Filesave_Button", "", QRect(456, 463, 96, 25));
  Fileopen_Button = NewButton(sheet, "Fileopen_Button", "", QRect(568, 463, 114, 25));
  for (QPushButton* button : {FigureButton1, Filesave_Button, Fileopen_Button})
    button->setFont(buttonFont);
  BindButton(Filesave_Button, InputSave, true);
  BindButton(Fileopen_Button, InputOpen, true);
  Handle(FigureButton1, &QPushButton::clicked, &TMainForm::FigureButton1Click);
}

void TMainForm::CreateInputFields() {
  for (int i = 0; i < 14; ++i) {
    auto* field = new QLineEdit(Input_TabSheet);
    field->setObjectName(QString("MaskEdit%1").arg(i + 1));
    field->setGeometry(512, 132 + 20 * i, 121, 21);
    field->setText("0");
    field->installEventFilter(this);
    TMaskEdits[static_cast<size_t>(i)] = field;
    fieldExitHandlers_[static_cast<size_t>(i)] = &TMainForm::MaskEdit1Exit;
  }
  fieldExitHandlers_[2] = &TMainForm::MaskEdit2Exit;

  // Tab follows the page: the titles, the aim, the fields in order, the buttons.
  std::vector<QWidget*> chain{Title1_Edit, Title2_Edit, CalcAim_Combobox};
  chain.insert(chain.end(), TMaskEdits.begin(), TMaskEdits.end());
  chain.insert(chain.end(), {FigureButton1, Filesave_Button, Fileopen_Button});
  for (size_t i = 1; i < chain.size(); ++i)
    setTabOrder(chain[i - 1], chain[i]);
}

void TMainForm::Input_TabSheetShow() {
  ShowStatus("Enter data or use \"Open\" to see examples under \"Data\" or to edit existing "
             "files. Thereafter use \"Save-Run\". The \"Figure\" tab shows an illustration.");
  InputSave->setEnabled(true);
  if (!State.InputLoaded) {
    if (DMPumpfield && State.AimIndex >= 0 && State.AimIndex < 4)
      DMPumpfield->AimCode = AimCodes[State.AimIndex];
    Filesave_Button->setEnabled(false);
  }
}

void TMainForm::Input_TabSheetExit() { InputSave->setEnabled(false); }

void TMainForm::CalcAim_ComboboxChange() {
  const int index = CalcAim_Combobox->currentIndex();
  if (index < 0 || index > 3)
    return;
  State.AimIndex = static_cast<int16_t>(index);
  RelabelFields();
  if (DMPumpfield)
    DMPumpfield->AimCode = AimCodes[State.AimIndex];
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

  if (State.AimIndex == 3) {
    caption(1, 1);
    caption(2, 3);
    caption(8, State.LoadedAimIndex <= 1 ? 15 : 16);
    for (int i = 9; i <= 14; ++i)
      label(i)->hide();
    Label15->hide();
    for (int i = 1; i <= 8; ++i)
      field(i)->show();
    for (int i = 9; i <= 14; ++i)
      field(i)->hide();
    DescribeInputFields();
    return;
  }

  caption(1, State.AimIndex == 1 ? 2 : 1);
  caption(2, 4);
  for (int i = 3; i <= 7; ++i)
    caption(i, i + 2);
  caption(8, 10);
  if (State.AimIndex == 2) {
    for (int i = 9; i <= 12; ++i)
      label(i)->show();
    setCaption(label(13), kLargestSpacingText);
    caption(14, 17);
    Label15->show();
  } else {
    for (int i = 9; i <= 12; ++i)
      caption(i, i + 2);
    caption(13, State.AimIndex == 0 ? 2 : 15);
    Label14->hide();
    Label15->hide();
  }
  for (int i = 1; i <= 13; ++i)
    field(i)->show();
  field(14)->setVisible(State.AimIndex == 2);
  DescribeInputFields();
}

namespace {
// One cell of the table of aim changes: the aim whose layout the fields hold, and the aim chosen.
constexpr int Cell(Aim loaded, Aim chosen) {
  return static_cast<int>(loaded) * 4 + static_cast<int>(chosen);
}
} // namespace

void TMainForm::FillFieldsForAim() {
  auto set = [this](int number, const QString& text) {
    TMaskEdits[static_cast<size_t>(number - 1)]->setText(text);
  };
  auto setIfLoaded = [&](int number, const QString& text) {
    if (State.InputLoaded)
      set(number, text);
  };
  // Fields 2 to 7 of the conductivity aim come from the stash; field 2 (Dm) is left to the
  // caller.
  auto conductivityFields = [&] {
    set(3, State.StashD2);
    set(4, State.StashDw);
    set(5, State.StashDb);
    set(6, State.StashE);
    set(7, State.StashW);
  };
  const QString marker = kMarker;

  switch (Cell(static_cast<Aim>(State.LoadedAimIndex), static_cast<Aim>(State.AimIndex))) {
  case Cell(Aim::Spacing, Aim::Spacing):
    set(1, State.StashR);
    set(8, State.StashKa);
    set(13, State.StashDm);
    break;
  case Cell(Aim::Spacing, Aim::Discharge):
    set(1, State.StashDm);
    set(8, State.StashKa);
    setIfLoaded(13, marker);
    break;
  case Cell(Aim::Spacing, Aim::FieldDepths):
    set(1, State.StashR);
    set(8, State.StashKa);
    setIfLoaded(13, marker);
    setIfLoaded(14, marker);
    break;
  case Cell(Aim::Spacing, Aim::Conductivity):
    set(1, State.StashR);
    set(2, State.StashDm);
    conductivityFields();
    setIfLoaded(8, marker);
    break;
  case Cell(Aim::Discharge, Aim::Spacing):
    setIfLoaded(1, marker);
    set(13, State.StashDm);
    break;
  case Cell(Aim::Discharge, Aim::Discharge):
    set(1, State.StashDm);
    set(8, State.StashKa);
    set(13, State.StashS);
    break;
  case Cell(Aim::Discharge, Aim::FieldDepths):
    set(1, marker);
    set(13, State.StashSa);
    set(14, State.StashSb);
    break;
  case Cell(Aim::Discharge, Aim::Conductivity):
    set(1, marker);
    set(2, State.StashDm);
    conductivityFields();
    set(8, State.StashS);
    break;
  case Cell(Aim::FieldDepths, Aim::Spacing):
    set(1, State.StashR);
    set(13, marker);
    break;
  case Cell(Aim::FieldDepths, Aim::Discharge):
    set(1, marker);
    set(13, State.StashS);
    break;
  case Cell(Aim::FieldDepths, Aim::FieldDepths):
    set(1, State.StashR);
    set(8, State.StashKa);
    set(13, State.StashSa);
    set(14, State.StashSb);
    break;
  case Cell(Aim::FieldDepths, Aim::Conductivity):
    set(1, State.StashR);
    setIfLoaded(2, marker);
    conductivityFields();
    set(8, State.StashSa);
    break;
  case Cell(Aim::Conductivity, Aim::Spacing):
  case Cell(Aim::Conductivity, Aim::Discharge):
  case Cell(Aim::Conductivity, Aim::FieldDepths):
    set(2, marker);
    for (int i = 8; i <= 12; ++i)
      set(i, marker);
    if (State.AimIndex == 2) {
      set(13, marker);
      set(14, marker);
    } else {
      set(13, State.AimIndex == 0 ? State.StashDm : State.StashS);
    }
    break;
  default:
    break;
  }
  if (State.LoadedAimIndex == 3 && State.AimIndex != 3) {
    for (int i = 8; i <= 13; ++i)
      TMaskEdits[static_cast<size_t>(i - 1)]->show();
    for (int i = 9; i <= 13; ++i)
      Labels[static_cast<size_t>(i - 1)]->show();
  }
}

void TMainForm::StashLoadedValues() {
  const DataSetR& params = DMPumpfield->Params;
  auto value = [this, &params](int position) {
    const size_t index = static_cast<size_t>(position - 1);
    return NumberText(index < params.size() ? params[index] : 0.0, State.DecimalSeparator);
  };
  for (QString* stash : {&State.StashR, &State.StashDm, &State.StashD2, &State.StashDw,
                         &State.StashDb, &State.StashE, &State.StashW, &State.StashS})
    *stash = "0";

  State.StashD2 = value(3);
  State.StashDw = value(4);
  State.StashDb = value(5);
  State.StashE = value(6);
  State.StashW = value(7);
  switch (State.LoadedAimIndex) {
  case 0:
    State.StashR = value(1);
    State.StashDm = value(13);
    State.StashKa = value(8);
    break;
  case 1:
    State.StashDm = value(1);
    State.StashKa = value(8);
    State.StashS = value(13);
    State.StashSa = State.StashS;
    State.StashSb = State.StashS;
    break;
  case 2:
    State.StashR = value(1);
    State.StashKa = value(8);
    State.StashS = value(13);
    if (DMPumpfield->AimCode == kFieldDepthsFileCode) {
      State.StashSa = value(13);
      State.StashSb = value(14);
    } else {
      State.StashSa = State.StashS;
      State.StashSb = State.StashS;
    }
    break;
  case 3:
    State.StashR = value(1);
    State.StashDm = value(2);
    State.StashS = value(8);
    State.StashSa = State.StashS;
    State.StashSb = State.StashS;
    break;
  default:
    break;
  }
  if (State.LoadedAimIndex != 3) {
    const bool rectangular = State.LoadedAimIndex == 2;
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
    const double value = StringToFloat(FromQ(field->text()), form.State.DecimalSeparator);
    field->setText(NumberText(value, form.State.DecimalSeparator));
    form.InputSave->setEnabled(true);
    form.Filesave_Button->setEnabled(true);
    return true;
  } catch (...) {
    AppServices().ShowMessage(FromQ(field->text()) + " is not a valid real number");
    field->setText(kMarker);
    form.State.DecimalSeparator = form.State.StartupDecimalSeparator;
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
      const double value = StringToFloat(FromQ(edit->text()), State.DecimalSeparator);
      State.DecimalSeparator = State.StartupDecimalSeparator;
      return value;
    } catch (...) {
      State.DecimalSeparator = State.StartupDecimalSeparator;
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
  if (!SettleUnsavedChanges(UnsavedChangesReason::OpenInput))
    return;
  TDMPumpfield& dm = *DMPumpfield;
  const std::string shownName = dm.InputFileName;
  if (!ChooseFileAsInputFileName(InputOpen_Dialog, "No input file was selected"))
    return;
  // A file that cannot be read, or is no input file, has had its message; the sheet and the
  // data module stay with the data they held, under their name.
  if (!dm.LoadChosenInputFile()) {
    dm.InputFileName = shownName;
    return;
  }

  FileName_Edit->setText(ToQ(dm.InputFileName));
  FileName_Edit->show();
  Filename_Label->show();
  ShowStatus("Edit the data. Then use the \"Save\" button. The \"Figure\" tabsheet shows an "
             "illustration of the data.");

  const int index = static_cast<int>(*AimOfCode(dm.AimCode));
  CalcAim_Combobox->setCurrentIndex(index);
  State.AimIndex = static_cast<int16_t>(index);
  State.LoadedAimIndex = State.AimIndex;

  StashLoadedValues();
  RelabelFields();
  Title1_Edit->setText(ToQ(dm.Title1));
  Title2_Edit->setText(ToQ(dm.Title2));
  for (size_t i = 0; i < 13; ++i)
    TMaskEdits[i]->setText(NumberText(dm.Params[i], State.DecimalSeparator));
  // Files of the older code "Hyd" hold one spacing, which the field of Sb shows too.
  if (dm.AimCode == AimCodes[static_cast<int>(Aim::FieldDepths)])
    TMaskEdits[13]->setText(NumberText(dm.Params[12], State.DecimalSeparator));
  else if (dm.AimCode == kFieldDepthsFileCode)
    TMaskEdits[13]->setText(NumberText(dm.Params[13], State.DecimalSeparator));

  engine.Flags.WorkDirectory = GetCurrentDir();
  SetDialogFolders(ToQ(engine.Flags.WorkDirectory));
  Filesave_Button->setEnabled(true);
  InputSave->setEnabled(true);
  State.InputLoaded = true;
  CalcAim_Combobox->setEnabled(true);
  RememberRecentFile(dm.InputFileName);
  MarkInputSaved();
  PageControl1->setCurrentWidget(Input_TabSheet);
}
