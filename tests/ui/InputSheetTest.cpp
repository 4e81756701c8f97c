#include "InputSheetFixture.h"
#include "SheetTestSupport.h"

#include "ui/UiText.h"

#include <QFileInfo>
#include <QSignalSpy>

namespace {
// The label texts of the relabelling, by number.
const QString kText[18] = {
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

const char* const kEditStatus = "Edit the data. Then use the \"Save\" button. The \"Figure\" "
                                "tabsheet shows an illustration of the data.";
} // namespace

class InputSheet : public InputSheetTest {
protected:
  // Labels 1 to 14 show `texts` (empty: hidden); fields 1 to 14 are visible as `shown` says.
  static void ExpectSheet(const std::vector<QString>& texts, const std::string& shown,
                          bool rectangularNote) {
    for (int i = 1; i <= 14; ++i) {
      SCOPED_TRACE("label and field " + std::to_string(i));
      const QString& text = texts[size_t(i - 1)];
      EXPECT_EQ(Label(i)->isHidden(), text.isEmpty());
      if (!text.isEmpty()) {
        EXPECT_EQ(Label(i)->text(), text);
      }
      EXPECT_EQ(Field(i)->isHidden(), shown[size_t(i - 1)] == '-');
    }
    EXPECT_EQ(MainForm->Label15->isHidden(), !rectangularNote);
  }
};

TEST_F(InputSheet, ChoosingEachAimRelabelsTheFieldsAndSetsTheAimCode) {
  const auto& t = kText;
  EXPECT_FALSE(MainForm->CalcAim_Combobox->isEditable());

  ChooseAim(1);
  EXPECT_EQ(DMPumpfield->AimCode, "Dis");
  EXPECT_EQ(MainForm->State.AimIndex, 1);
  ExpectSheet(
      {t[2], t[4], t[5], t[6], t[7], t[8], t[9], t[10], t[11], t[12], t[13], t[14], t[15], ""},
      "xxxxxxxxxxxxx-", false);
  EXPECT_FALSE(Field(13)->toolTip().contains("rectangular layout"));

  ChooseAim(2);
  EXPECT_EQ(DMPumpfield->AimCode, "Hyd");
  const QString largest = Label(13)->text();
  ExpectSheet(
      {t[1], t[4], t[5], t[6], t[7], t[8], t[9], t[10], t[11], t[12], t[13], t[14], largest, t[17]},
      "xxxxxxxxxxxxxx", true);
  // Field 13 now holds Sa: its caption says so, in the columns of the Sb caption below it.
  EXPECT_TRUE(largest.startsWith("Largest spacing"));
  EXPECT_EQ(largest.indexOf("Sa       (m) : "), t[17].indexOf("Sb       (m) : "));
  EXPECT_EQ(largest.size(), t[17].size());
  EXPECT_TRUE(Field(13)->toolTip().startsWith("Largest spacing in a rectangular layout\n"));
  EXPECT_TRUE(Field(14)->toolTip().startsWith("Shortest spacing in a rectangular layout\n"));
  EXPECT_GE(Label(14)->width(), Label(14)->sizeHint().width()); // the caption is not cut off

  ChooseAim(3);
  EXPECT_EQ(DMPumpfield->AimCode, "Con");
  ExpectSheet({t[1], t[3], t[5], t[6], t[7], t[8], t[9], t[15], "", "", "", "", "", ""},
              "xxxxxxxx------", false);

  // Back from the conductivity aim the labels of fields 9 to 13 reappear with their fields.
  ChooseAim(0);
  EXPECT_EQ(DMPumpfield->AimCode, "Spa");
  ExpectSheet(
      {t[1], t[4], t[5], t[6], t[7], t[8], t[9], t[10], t[11], t[12], t[13], t[14], t[2], ""},
      "xxxxxxxxxxxxx-", false);
  EXPECT_FALSE(Field(13)->toolTip().contains("rectangular layout"));
  ChooseAim(3);
  ChooseAim(2);
  ExpectSheet(
      {t[1], t[4], t[5], t[6], t[7], t[8], t[9], t[10], t[11], t[12], t[13], t[14], largest, t[17]},
      "xxxxxxxxxxxxxx", true);
}

TEST_F(InputSheet, OpeningAFileOfEachAimFillsTheSheet) {
  const std::string numbers = "    0.0030      4.00     18.00      2.50     12.00      0.20"
                              "      0.30      0.80      0.60    0.1500      8.00    2.5000"
                              "    180.00    110.00";
  struct Case {
    const char* code;
    int aim;
    const char* field14; // after the field held "7"
    bool rectangular;
  };
  const Case cases[] = {{"Spa", 0, "7", false},
                        {"Dis", 1, "7", false},
                        {"Hyd", 2, "180", true},
                        {"Hydr", 2, "110", true},
                        {"Con", 3, "7", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    MainForm->PageControl1->setCurrentWidget(MainForm->Figure_TabSheet);
    Field(14)->setText("7");
    services.messages.clear();
    const std::string path = WriteInput(std::string(c.code) + ".inp", c.code, numbers);
    QSignalSpy choices(MainForm->CalcAim_Combobox, &QComboBox::activated);

    Open(path);

    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(choices.count(), 0); // the program's selection is no choice of the user
    EXPECT_EQ(MainForm->CalcAim_Combobox->currentIndex(), c.aim);
    EXPECT_EQ(MainForm->State.AimIndex, c.aim);
    EXPECT_EQ(MainForm->State.LoadedAimIndex, c.aim);
    EXPECT_EQ(DMPumpfield->AimCode, c.code);
    EXPECT_EQ(MainForm->FileName_Edit->text().toStdString(), path);
    EXPECT_TRUE(MainForm->FileName_Edit->isVisible() && MainForm->Filename_Label->isVisible());
    EXPECT_EQ(MainForm->Title1_Edit->text(), "First title");
    EXPECT_EQ(MainForm->Title2_Edit->text(), "Second title");
    const char* expected[13] = {"0.003", "4",   "18",   "2.5", "12",  "0.2", "0.3",
                                "0.8",   "0.6", "0.15", "8",   "2.5", "180"};
    for (int i = 1; i <= 13; ++i)
      EXPECT_EQ(Field(i)->text(), expected[i - 1]) << "field " << i;
    EXPECT_EQ(Field(14)->text(), c.field14);
    EXPECT_EQ(Field(14)->isVisible(), c.rectangular);
    EXPECT_EQ(Label(14)->isVisible(), c.rectangular);
    if (c.rectangular) {
      EXPECT_EQ(Label(14)->text(), kText[17]);
    }
    EXPECT_EQ(Field(9)->isVisible(), c.aim != 3);

    EXPECT_TRUE(MainForm->State.InputLoaded);
    EXPECT_TRUE(MainForm->Filesave_Button->isEnabled());
    EXPECT_TRUE(MainForm->InputSave->isEnabled());
    EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Input_TabSheet);
    EXPECT_EQ(QFileInfo(ToQ(MainForm->engine.Flags.WorkDirectory)).canonicalFilePath(),
              QFileInfo(ToQ(dir.path())).canonicalFilePath());
    EXPECT_EQ(MainForm->InputOpen_Dialog.initialFolder, ToQ(MainForm->engine.Flags.WorkDirectory));
  }

  // From the Input sheet itself the status of the opened file stays.
  Open(WriteInput("again.inp", "Spa", numbers));
  EXPECT_EQ(MainForm->StatusText(), kEditStatus);
}

TEST_F(InputSheet, OpeningNothingOrAMissingFileChangesNothing) {
  MainForm->Fileopen_Button->click(); // the dialog is cancelled
  Open(dir.file("gone.inp"));
  EXPECT_EQ(services.messages,
            (std::vector<std::string>{"No input file was selected",
                                      "File does not exist, please select another one,"}));
  EXPECT_EQ(DMPumpfield->InputFileName, dir.file("gone.inp"));
  EXPECT_FALSE(MainForm->State.InputLoaded);
  EXPECT_TRUE(MainForm->FileName_Edit->isHidden());
  EXPECT_EQ(Field(1)->text(), "0");
}

TEST_F(InputSheet, ASpacingFileThenTheDischargeAimMovesDmToField1AndMarksTheSpacing) {
  Open(WriteInput("spa.inp", "Spa",
                  "0.0030 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 1.5 0")); // Dm = 1.5
  ChooseAim(1);
  EXPECT_EQ(Field(1)->text(), "1.5");
  EXPECT_EQ(Field(8)->text(), "0.8");
  EXPECT_EQ(Field(13)->text(), "-1");
  EXPECT_EQ(Label(1)->text(), kText[2]);
  EXPECT_EQ(Label(13)->text(), kText[15]);
  EXPECT_EQ(MainForm->State.LoadedAimIndex, 0);

  ChooseAim(0); // and back: R and Dm return from the file
  EXPECT_EQ(Field(1)->text(), "0.003");
  EXPECT_EQ(Field(13)->text(), "1.5");
}

TEST_F(InputSheet, AConductivityFileThenAim3AndBackToAim0MarksTheMissingPermeabilities) {
  Open(WriteInput("con.inp", "Con", "0.0020 1.40 16 3 10 0.1 0.25 120 0 0 0 0 0 0"));
  ExpectSheet({kText[1], kText[3], Label(3)->text(), Label(4)->text(), Label(5)->text(),
               Label(6)->text(), Label(7)->text(), kText[16], "", "", "", "", "", ""},
              "xxxxxxxx------", false);
  ChooseAim(3);
  EXPECT_EQ(Field(2)->text(), "1.4");
  EXPECT_EQ(Field(8)->text(), "120");

  ChooseAim(0);
  for (int i : {2, 8, 9, 10, 11, 12})
    EXPECT_EQ(Field(i)->text(), "-1") << "field " << i;
  EXPECT_EQ(Field(13)->text(), "1.4"); // the file's Dm
  EXPECT_EQ(Field(1)->text(), "0.002");
  for (int i = 8; i <= 13; ++i) {
    EXPECT_TRUE(Field(i)->isVisible()) << "field " << i;
    EXPECT_TRUE(Label(i)->isVisible()) << "label " << i;
  }
}

TEST_F(InputSheet, ARectangularFileThenTheConductivityAimTakesSaAsTheSpacing) {
  Open(WriteInput("hydr.inp", "Hydr", "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 180 110"));
  ChooseAim(3);
  EXPECT_EQ(Label(8)->text(), kText[16]);
  EXPECT_EQ(Field(1)->text(), "0.003");
  EXPECT_EQ(Field(2)->text(), "-1");
  EXPECT_EQ(Field(8)->text(), "180");
  ChooseAim(1);
  EXPECT_EQ(Field(1)->text(), "-1");
  EXPECT_EQ(Field(13)->text(), "180");
}

TEST_F(InputSheet, BeforeAnyFileTheAimsMoveOnlyTheStartupZerosAndSetNoMarkers) {
  EnterFields({"0.004", "3", "9", "2", "8", "0.1", "0.3", "0.7", "1", "0.2", "4", "1", "1.2"});
  ChooseAim(1);
  EXPECT_EQ(Field(1)->text(), "0"); // Dm of no file
  EXPECT_EQ(Field(13)->text(), "1.2");
  ChooseAim(2);
  EXPECT_EQ(Field(13)->text(), "1.2");
  EXPECT_EQ(Field(14)->text(), "0");
  ChooseAim(3);
  EXPECT_EQ(Field(8)->text(), "0");
  EXPECT_EQ(Field(4)->text(), "0");
}

TEST_F(InputSheet, LeavingAFieldChecksItsTextAsARealNumber) {
  Enter(5, "1,5");
  EXPECT_EQ(Field(5)->text(), "1.5");
  EXPECT_TRUE(MainForm->Filesave_Button->isEnabled());
  Enter(6, " 2.5E1 ");
  EXPECT_EQ(Field(6)->text(), "25");
  EXPECT_TRUE(services.messages.empty());

  Enter(7, "12x");
  Enter(8, "");
  Enter(9, "1.000,5");
  EXPECT_EQ(services.messages, (std::vector<std::string>{"12x is not a valid real number",
                                                         " is not a valid real number",
                                                         "1.000,5 is not a valid real number"}));
  for (int i : {7, 8, 9})
    EXPECT_EQ(Field(i)->text(), "-1") << "field " << i;
  EXPECT_EQ(MainForm->State.DecimalSeparator, '.');
}

TEST_F(InputSheet, LeavingAFieldWithAStartupCommaShowsNumbersWithTheComma) {
  // The window as a desktop with a decimal comma starts it.
  MainForm->State.DecimalSeparator = MainForm->State.StartupDecimalSeparator = ',';
  MainForm->show();
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  MainForm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));

  Enter(1, "0.25");
  EXPECT_EQ(Field(1)->text(), "0,25");
  Enter(2, "bad");
  EXPECT_EQ(Field(2)->text(), "-1");
  EXPECT_EQ(MainForm->State.DecimalSeparator, ',');
}

TEST_F(InputSheet, LeavingField3WithEqualLayerDepthsGivesTheOneLayerMessage) {
  const std::string oneLayer =
      "When D1 and D2 are equal, there is only one layer. The values of Kb2 and Kv2 are "
      "immaterial.";
  Enter(2, "3");
  Enter(3, "3,0");
  EXPECT_EQ(services.messages, std::vector<std::string>{oneLayer});

  services.messages.clear();
  Enter(3, "4"); // two layers
  Enter(2, "0");
  Enter(3, "0");
  EXPECT_TRUE(services.messages.empty());

  Enter(3, "x3"); // a bad field 3 gives its own message only
  EXPECT_EQ(services.messages, std::vector<std::string>{"x3 is not a valid real number"});

  // Field 2 is checked when left too, so a one-layer message follows the last one typed.
  services.messages.clear();
  ChooseAim(3);
  Enter(2, "5");
  Enter(3, "5");
  EXPECT_EQ(services.messages, std::vector<std::string>{oneLayer});
}

TEST_F(InputSheet, AFileThatIsNoInputFileGetsItsMessageAndTheSheetStaysAsItWas) {
  const std::string good =
      WriteInput("good.inp", "Dis", "1.5 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 100");
  Open(good);
  Enter(4, "3");
  const std::string report = GoldenFile("spacing-lower-bound.out"); // no aim code on line 4
  const std::string numbers = WriteInput("numbers.inp", "Spa", "0.003 4 1,8 2.5");
  Open(report);
  Open(numbers);
  EXPECT_EQ(
      services.messages,
      (std::vector<std::string>{"The code in the inputfile \"" + report + "\" is corrupt",
                                "Real numbers in the inputfile \"" + numbers + "\" are corrupt"}));
  EXPECT_EQ(services.quitRequests, 0);
  const TDMPumpfield& dm = *DMPumpfield;
  EXPECT_EQ(dm.InputFileName + dm.AimCode + dm.Title1, good + "Dis" + "First title");
  EXPECT_EQ(dm.Params.at(12), 100.0);
  EXPECT_EQ(MainForm->FileName_Edit->text(), Q(good));
  EXPECT_EQ(MainForm->CalcAim_Combobox->currentIndex(), 1);
  EXPECT_EQ(Field(4)->text(), "3");
}
