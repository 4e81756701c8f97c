#include "WindowsFixture.h"

#include "TempDir.h"
#include "graph/SystemDecimalSeparator.h"
#include "ui/JpegImage.h"
#include "ui/QtServices.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
QStringList Lines(const QPlainTextEdit* memo) { return memo->toPlainText().split('\n'); }
} // namespace

TEST_F(WindowsTest, StartsOnTheIntroSheetWithSavingDisabledAndFourteenZeroFields) {
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Intro_Tabsheet);
  EXPECT_EQ(MainForm->StatusText(), "Use the Input tabsheet to continue");
  EXPECT_FALSE(MainForm->InputSave->isEnabled());
  EXPECT_FALSE(MainForm->InputSave1->isEnabled());
  EXPECT_FALSE(MainForm->Filesave_Button->isEnabled());

  for (int i = 0; i < 14; ++i) {
    SCOPED_TRACE(i + 1);
    const QLineEdit* field = MainForm->TMaskEdits[static_cast<size_t>(i)];
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), "0");
    EXPECT_EQ(field->parentWidget(), MainForm->Input_TabSheet);
    EXPECT_EQ(field->geometry(), QRect(512, 132 + 20 * i, 121, 21));
    EXPECT_EQ(field->isHidden(), i == 13);
  }
  EXPECT_EQ(MainForm->TMaskEdits[13]->y(), 392);
  EXPECT_TRUE(MainForm->Label14->isHidden());
  EXPECT_TRUE(MainForm->Label15->isHidden());

  EXPECT_FALSE(MainForm->State.OutputShown || MainForm->State.InputLoaded ||
               MainForm->State.RunHadErrors || MainForm->engine.Flags.RunAttempted);
  EXPECT_EQ(MainForm->CalcAim_Combobox->currentIndex(), 0);
  EXPECT_EQ(MainForm->State.AimIndex, 0);
  EXPECT_EQ(MainForm->State.LoadedAimIndex, 0);
  for (const QString* stash :
       {&MainForm->State.StashR, &MainForm->State.StashDm, &MainForm->State.StashD2,
        &MainForm->State.StashDw, &MainForm->State.StashDb, &MainForm->State.StashE,
        &MainForm->State.StashW, &MainForm->State.StashKa, &MainForm->State.StashS,
        &MainForm->State.StashSa, &MainForm->State.StashSb})
    EXPECT_EQ(*stash, "0");
  EXPECT_EQ(MainForm->PlotScale.PlotWidth, 500);
  EXPECT_EQ(MainForm->PlotScale.PlotHeight, 320);
  EXPECT_EQ(MainForm->State.StartDirectory, QDir::currentPath());
}

TEST_F(WindowsTest, StartupTakesTheDecimalSeparatorOfTheDesktop) {
  delete MainForm;
  MainForm = new TMainForm;
  EXPECT_EQ(MainForm->State.StartupDecimalSeparator, SystemDecimalSeparator());
  EXPECT_EQ(MainForm->State.DecimalSeparator, SystemDecimalSeparator());
}

TEST_F(WindowsTest, WindowWidthFollowsTheScreenWidth) {
  EXPECT_EQ(MainForm->windowTitle(), "Pumpfield, subsurface drainage by pumped wells");
  EXPECT_TRUE(MainForm->centralWidget()->isAncestorOf(MainForm->PageControl1));
  EXPECT_EQ(MainForm->PageControl1->height() + MainForm->StatusBar1->height(), 550);
  EXPECT_EQ(MainForm->StatusBar1->height(), 20);

  // Widths of the whole window; the client area is 17 pixels narrower.
  for (const auto& [screen, client] : {std::pair{1024, 708}, {720, 703}, {640, 623}}) {
    MainForm->resize(708, MainForm->height());
    MainForm->PlaceWindow(screen);
    EXPECT_EQ(MainForm->width(), client) << screen;
    EXPECT_EQ(MainForm->pos(), QPoint(50, 100));
  }
  MainForm->PlaceWindow(1024);
  MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
  EXPECT_EQ(MainForm->Output_Memo->geometry(), QRect(22, 8, 590, 441));
}

TEST_F(WindowsTest, ClosingTheMainWindowOnlyShowsTheExitWindow) {
  EXPECT_TRUE(CloseForm->isHidden());
  MainForm->close();
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_TRUE(CloseForm->isVisible());
  EXPECT_EQ(CloseForm->StatusText(), "Click on Finish button to end program.");

  CloseForm->hide();
  MainForm->ProgramExit->trigger();
  EXPECT_TRUE(CloseForm->isVisible());
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_FALSE(EventLoopEnds(200));
}

TEST_F(WindowsTest, CtrlXInAnEditFieldShowsTheExitWindowAndCutsNothing) {
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  MainForm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));
  QLineEdit* field = MainForm->Title1_Edit;
  field->setText("Polder");
  field->setFocus();
  field->selectAll();

  QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);

  EXPECT_TRUE(CloseForm->isVisible());
  EXPECT_EQ(field->text(), "Polder");
}

TEST_F(WindowsTest, CutFromTheEditMenuCutsTheSelection) {
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  MainForm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));
  QLineEdit* field = MainForm->Title2_Edit;
  field->setText("Polder 12");
  field->setFocus();
  field->setSelection(6, 3);
  MainForm->Cut->trigger();
  EXPECT_EQ(field->text(), "Polder");
  MainForm->Paste->trigger();
  EXPECT_EQ(field->text(), "Polder 12");
  EXPECT_TRUE(CloseForm->isHidden());
}

TEST_F(WindowsTest, EveryWayOfQuittingBringsTheExitWindowToTheFrontEveryTime) {
  const std::vector<std::pair<const char*, void (*)()>> ways{
      {"Ctrl+X", [] { QTest::keyClick(MainForm, Qt::Key_X, Qt::ControlModifier); }},
      {"ProgramExit", [] { MainForm->ProgramExit->trigger(); }},
      {"close box", [] { MainForm->close(); }}};
  for (int round = 1; round <= 2; ++round)
    for (const auto& [way, quit] : ways) {
      SCOPED_TRACE(std::string(way) + ", round " + std::to_string(round));
      // The user clicks back into the main window, which then covers the exit window.
      MainForm->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm, 1000));
      quit();
      EXPECT_TRUE(QTest::qWaitForWindowActive(CloseForm, 1000));
      EXPECT_EQ(QApplication::focusWidget(), CloseForm->Finish_Button);
    }
  QTest::keyClick(CloseForm->Finish_Button, Qt::Key_Return);
  EXPECT_TRUE(EventLoopEnds());
}

TEST_F(WindowsTest, FinishEndsTheEventLoop) {
  CloseForm->show();
  QTest::mouseClick(CloseForm->Finish_Button, Qt::LeftButton);
  EXPECT_TRUE(EventLoopEnds());
}

TEST_F(WindowsTest, ClosingTheExitWindowEndsTheEventLoop) {
  CloseForm->show();
  CloseForm->close();
  EXPECT_TRUE(EventLoopEnds());
}

TEST_F(WindowsTest, ShowingTheMainWindowWhileTheExitWindowIsOpenEndsTheProgram) {
  MainForm->hide();
  EXPECT_FALSE(EventLoopEnds(100));
  CloseForm->show();
  MainForm->show();
  EXPECT_TRUE(EventLoopEnds());
}

TEST_F(WindowsTest, IntroAndFigureSheetsHideTheFigureWindow) {
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  MainForm->FigureButton1->click();
  ASSERT_TRUE(FigureForm->isVisible());
  MainForm->PageControl1->setCurrentWidget(MainForm->Figure_TabSheet);
  EXPECT_FALSE(FigureForm->isVisible());
  EXPECT_EQ(MainForm->StatusText(),
            "The figure gives explanations of symbols used in the input tabsheet");

  FigureForm->show();
  MainForm->PageControl1->setCurrentWidget(MainForm->Intro_Tabsheet);
  EXPECT_FALSE(FigureForm->isVisible());
  EXPECT_EQ(MainForm->StatusText(), "Use the Input tabsheet to continue");

  MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
  MainForm->FigureButton2Click();
  EXPECT_TRUE(FigureForm->isVisible());
}

TEST_F(WindowsTest, SavingIsAvailableOnlyWhileTheInputSheetIsInFront) {
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  EXPECT_EQ(MainForm->StatusText(),
            "Enter data or use \"Open\" to see examples under \"Data\" or to edit existing "
            "files. Thereafter use \"Save-Run\". The \"Figure\" tab shows an illustration.");
  EXPECT_TRUE(MainForm->InputSave->isEnabled());
  EXPECT_TRUE(MainForm->InputSave1->isEnabled());
  EXPECT_FALSE(MainForm->Filesave_Button->isEnabled()); // until a field or file is accepted
  EXPECT_EQ(DMPumpfield->AimCode, "Spa");

  MainForm->PageControl1->setCurrentWidget(MainForm->Graphics_TabSheet);
  EXPECT_FALSE(MainForm->InputSave->isEnabled());
  EXPECT_FALSE(MainForm->InputSave1->isEnabled());
}

TEST_F(WindowsTest, OutputSheetWithoutReportShowsOnlyTheOpenButton) {
  FigureForm->show();
  MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
  EXPECT_FALSE(FigureForm->isVisible());
  EXPECT_TRUE(MainForm->SeeOutput_Button->isVisible());
  for (QWidget* hidden :
       {static_cast<QWidget*>(MainForm->Output_Memo), static_cast<QWidget*>(MainForm->Symbols_Memo),
        static_cast<QWidget*>(MainForm->Symbols_Button),
        static_cast<QWidget*>(MainForm->ViewGraphButton),
        static_cast<QWidget*>(MainForm->FigureButton2)})
    EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();

  MainForm->Symbols_ButtonClick();
  EXPECT_FALSE(MainForm->Symbols_Memo->isHidden());
  EXPECT_EQ(MainForm->Symbols_Button->text(), "Close symbols");
  MainForm->Symbols_ButtonClick();
  EXPECT_TRUE(MainForm->Symbols_Memo->isHidden());
  EXPECT_EQ(MainForm->Symbols_Button->text(), "Symbols");
}

TEST_F(WindowsTest, TheOutputMemoKeepsItsDistanceToTheSheetEdges) {
  MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
  MainForm->Output_Memo->show();
  const QRect before = MainForm->Output_Memo->geometry();
  MainForm->resize(MainForm->width() + 100, MainForm->height() + 40);
  QCoreApplication::processEvents();
  const QRect after = MainForm->Output_Memo->geometry();
  EXPECT_EQ(after.topLeft(), QPoint(22, 8));
  EXPECT_EQ(after.width() - before.width(), 100);
  EXPECT_EQ(after.height() - before.height(), 40);
}

TEST_F(WindowsTest, SheetsCarryTheirCaptionsInOrder) {
  const QStringList captions{" Intro ",  " Figure ",   " Input ",
                             " Output ", " Graphics ", " Design "};
  const QStringList names{"Intro_Tabsheet",  "Figure_TabSheet",   "Input_TabSheet",
                          "Output_TabSheet", "Graphics_TabSheet", "Design_Sheet"};
  ASSERT_EQ(MainForm->PageControl1->count(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(MainForm->PageControl1->tabText(i), captions[i]);
    EXPECT_EQ(MainForm->PageControl1->widget(i)->objectName(), names[i]);
  }
}

TEST_F(WindowsTest, ComponentsHaveTheirNamesPlacesAndInitialVisibility) {
  struct Expected {
    const char* name;
    QRect geometry; // width or height 0: not checked
    bool hidden;
    const char* caption;
  };
  const Expected components[] = {
      {"Intro_Memo", QRect(48, 24, 505, 313), false, nullptr},
      {"LogoImage", QRect(576, 352, 109, 96), false, nullptr},
      {"Figure_Image", QRect(48, 8, 540, 462), false, nullptr},
      {"Filename_Label", QRect(32, 14, 0, 0), true, "File"},
      {"FileName_Edit", QRect(112, 10, 577, 0), true, nullptr},
      {"Title1_Label", QRect(32, 44, 0, 0), false, "Title1"},
      {"Title1_Edit", QRect(112, 38, 577, 0), false, nullptr},
      {"Title2_Label", QRect(32, 70, 0, 0), false, "Title2"},
      {"Title2_Edit", QRect(112, 65, 577, 0), false, nullptr},
      {"Options_Label", QRect(32, 98, 0, 0), false, "Options"},
      {"CalcAim_Combobox", QRect(112, 93, 393, 0), false, nullptr},
      {"WaitMemo", QRect(512, 0, 177, 118), true, nullptr},
      {"Label1", QRect(32, 135, 464, 0), false,
       "Time average recharge or discharge         R    (m/day) : "},
      {"Label13", QRect(32, 375, 464, 0), false,
       "Depth watertable midway between wells      Dm       (m) : "},
      {"Label14", QRect(32, 392, 0, 0), true, nullptr},
      {"Label15", QRect(128, 408, 0, 0), true, "(in a rectangular layout)"},
      {"FigureButton1", QRect(368, 463, 75, 25), false, "Figure"},
      {"Filesave_Button", QRect(456, 463, 96, 25), false, "Input&Save"},
      {"Fileopen_Button", QRect(568, 463, 114, 25), false, "&InputOpen"},
      {"Output_Memo", QRect(22, 8, 0, 0), true, nullptr},
      {"Symbols_Memo", QRect(407, 329, 185, 96), true, nullptr},
      {"SeeOutput_Button", QRect(592, 469, 97, 25), false, "Open &output"},
      {"Symbols_Button", QRect(480, 469, 97, 25), true, "Symbols"},
      {"ViewGraphButton", QRect(375, 469, 89, 25), false, "See graph"},
      {"FigureButton2", QRect(280, 469, 75, 25), true, "Figure"},
      {"GraphImage", QRect(0, 0, 623, 465), true, nullptr},
      {"PictureImage", QRect(8, 0, 625, 465), true, nullptr},
      {"MakeGraphics_Button", QRect(592, 471, 97, 25), false, "Make graph"},
      {"SaveGraphButton", QRect(392, 471, 89, 25), true, "Save graph"},
      {"SeeGraphButton", QRect(488, 471, 97, 25), false, "Open graph "},
  };
  for (const Expected& c : components) {
    SCOPED_TRACE(c.name);
    const auto* widget = MainForm->findChild<QWidget*>(c.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->pos(), c.geometry.topLeft());
    if (c.geometry.width() > 0) {
      EXPECT_EQ(widget->width(), c.geometry.width());
    }
    if (c.geometry.height() > 0) {
      EXPECT_EQ(widget->height(), c.geometry.height());
    }
    EXPECT_EQ(widget->isHidden(), c.hidden);
    if (const auto* label = qobject_cast<const QLabel*>(widget); label && c.caption) {
      EXPECT_EQ(label->text(), c.caption);
    } else if (const auto* button = qobject_cast<const QPushButton*>(widget); button && c.caption) {
      EXPECT_EQ(button->text(), c.caption);
    }
  }

  const QStringList aims{
      "The well spacing is to be calculated", "The well discharge is to be calculated",
      "Calculate the depth of the water table", "Calculate the hydraulic conductivity"};
  ASSERT_EQ(MainForm->CalcAim_Combobox->count(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(MainForm->CalcAim_Combobox->itemText(i), aims[i]);

  EXPECT_EQ(MainForm->Label15->toolTip(),
            "The largest and smallest spacing hold for a rectangular layout of the well field");
  EXPECT_EQ(MainForm->Input_TabSheet->font().family(), "Courier New");
  EXPECT_TRUE(MainForm->Input_TabSheet->font().bold());
  EXPECT_EQ(MainForm->Input_TabSheet->font().pixelSize(), 13);
  EXPECT_EQ(MainForm->FigureButton1->font().pixelSize(), 16);
  const QPalette waitColours = MainForm->WaitMemo->palette();
  EXPECT_EQ(waitColours.color(QPalette::Base), QColor(0, 0, 255));
  EXPECT_EQ(waitColours.color(QPalette::Text), QColor(255, 255, 0));
  EXPECT_EQ(MainForm->Symbols_Memo->palette().color(QPalette::Base), QColor(255, 251, 221));
  EXPECT_EQ(Lines(MainForm->Symbols_Memo),
            (QStringList{"Output symbols         ", " ", "X       = distance from well (m)",
                         "p       = small increment of X (m)", "F       = hydraulic head (m)",
                         "G/p   = gradient of F (m/m)", ""}));
}

TEST_F(WindowsTest, IntroMemoHoldsTheIntroductionLineByLine) {
  const QStringList lines = Lines(MainForm->Intro_Memo);
  ASSERT_EQ(lines.size(), 18);
  EXPECT_EQ(lines[0], "   ");
  EXPECT_EQ(lines[1], "                INTRODUCTION TO THE Pumpfield PROGRAM");
  EXPECT_TRUE(lines[2].startsWith(QString(33, ' ') + "on ")) << lines[2].toStdString();
  EXPECT_NE(lines[2][36], ' ');
  EXPECT_EQ(lines[8], "   The calculations are based onthe Darcy and waterbalance (continuity) ");
  EXPECT_EQ(lines[13], "   The last two layers can also have different horizontal and vertical "
                       "permeabilities.");
  EXPECT_TRUE(lines[15].startsWith("   Reference : "));
  for (int empty : {3, 7, 10, 14, 16})
    EXPECT_TRUE(lines[empty].isEmpty()) << empty;
  EXPECT_TRUE(lines[17].startsWith("   ") && lines[17].contains('@'));
}

TEST_F(WindowsTest, ExitAndFigureWindowsLookAsDesigned) {
  EXPECT_EQ(CloseForm->windowTitle(), "Pumpfield exit");
  EXPECT_EQ(CloseForm->size(), QSize(287, 251));
  EXPECT_EQ(CloseForm->pos(), QPoint(241, 172));
  EXPECT_EQ(CloseForm->Finish_Button->text(), "Finish");
  EXPECT_EQ(CloseForm->Finish_Button->geometry(), QRect(176, 160, 57, 25));
  EXPECT_EQ(CloseForm->Finish_MemoMemo->geometry(), QRect(32, 32, 201, 113));
  const QStringList memo = Lines(CloseForm->Finish_MemoMemo);
  ASSERT_EQ(memo.size(), 7);
  EXPECT_EQ(memo[1], "  Thank you for using Pumpfield.");
  EXPECT_EQ(memo[3], "  Quorvath");
  EXPECT_EQ(memo[6], "  ");

  EXPECT_EQ(FigureForm->windowTitle(), "Pumpfield figure");
  EXPECT_EQ(FigureForm->size(), QSize(542, 468));
  EXPECT_EQ(FigureForm->pos(), QPoint(520, 1));
  EXPECT_TRUE(FigureForm->isHidden());
  EXPECT_EQ(FigureForm->Figure_Image->pos(), QPoint(8, 8));
  EXPECT_EQ(FigureForm->Figure_Image->pixmap().size(), QSize(540, 462));
}

TEST(Figure, EmbeddedFigureIsABaselineJfifDecodedTo540By462) {
  QFile file(":/assets/figure.jpg");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("\xFF\xD8\xFF\xE0"));
  EXPECT_EQ(bytes.mid(6, 5), QByteArray("JFIF\0", 5));
  EXPECT_TRUE(bytes.contains("\xFF\xC0"));  // baseline frame
  EXPECT_FALSE(bytes.contains("\xFF\xC2")); // no progressive frame

  const QImage figure = DecodeJpeg(bytes);
  EXPECT_EQ(figure.size(), QSize(540, 462));
  // White paper at the corner.
  EXPECT_GT(qGray(figure.pixel(2, 2)), 230);
  EXPECT_EQ(IntroPicture().size(), QSize(109, 96));
}

TEST(Figure, BytesThatAreNoJpegGiveANullImage) {
  EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
  EXPECT_TRUE(DecodeJpeg(QByteArray("BM not a jpeg at all")).isNull());
  const char truncated[] = "\xFF\xD8\xFF\xE0\x00\x10JFIF"; // the heading and no more
  EXPECT_TRUE(DecodeJpeg(QByteArray(truncated, sizeof truncated)).isNull());
}

TEST_F(WindowsTest, TheFigureWindowOpensWhollyOnTheScreen) {
  MainForm->FigureButton1Click();
  const QRect screen = FigureForm->screen()->availableGeometry();
  ASSERT_LT(screen.width(), 520 + 542); // the designed place does not fit this screen
  EXPECT_TRUE(screen.contains(FigureForm->frameGeometry()));
  const QRect designed(520, 1, 542, 468);
  EXPECT_EQ(TFigureForm::PositionOnScreen(designed, {0, 0, 1920, 1080}), QPoint(520, 1));
  EXPECT_EQ(TFigureForm::PositionOnScreen(designed, {0, 0, 1024, 400}), QPoint(482, 0));
  EXPECT_EQ(TFigureForm::PositionOnScreen(designed, {100, 50, 400, 300}), QPoint(100, 50));
}

TEST_F(WindowsTest, ALongStatusTextIsElidedWithTheWholeTextAsItsToolTip) {
  const auto* shown = MainForm->StatusBar1->findChild<QLabel*>("StatusBar1Text");
  const QString whole = "Enter data or use \"Open\" to see examples under \"Data\" or to edit "
                        "existing files. Thereafter use \"Save-Run\". The \"Figure\" tab shows "
                        "an illustration.";
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  EXPECT_EQ(MainForm->StatusText(), whole);
  EXPECT_TRUE(shown->text().endsWith(QChar(0x2026)));
  EXPECT_LE(shown->fontMetrics().horizontalAdvance(shown->text()), shown->width());
  EXPECT_EQ(shown->toolTip(), whole);
  MainForm->ShowStatus("Use the Input tabsheet to continue");
  EXPECT_EQ(shown->text(), MainForm->StatusText());
  EXPECT_TRUE(shown->toolTip().isEmpty());
}

TEST_F(WindowsTest, TabFollowsTheInputSheetAndEnterPressesTheFocusedButton) {
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  MainForm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));
  MainForm->FileName_Edit->show(); // as after a file was opened; Tab passes it by
  QStringList expected{"Title2_Edit", "CalcAim_Combobox"};
  for (int i = 1; i <= 13; ++i) // field 14 is hidden in the spacing aim
    expected << QString("MaskEdit%1").arg(i);
  expected << "FigureButton1"
           << "Filesave_Button"
           << "Fileopen_Button";
  MainForm->Title1_Edit->setFocus(Qt::TabFocusReason);
  QStringList visited;
  for (qsizetype i = 0; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(visited, expected);
  MainForm->Title1_Edit->setFocus(Qt::TabFocusReason);
  QTest::keyClick(MainForm->Title1_Edit, Qt::Key_Backtab);
  EXPECT_NE(QApplication::focusWidget(), MainForm->FileName_Edit);

  MainForm->FigureButton1->setFocus(Qt::TabFocusReason);
  QTest::keyClick(MainForm->FigureButton1, Qt::Key_Return);
  EXPECT_TRUE(FigureForm->isVisible());
}

TEST_F(WindowsTest, TheSymbolsAndProgressMemosShowTheirLinesWithoutScrollBars) {
  auto expectLinesShown = [](const QPlainTextEdit* memo, int fromLine) {
    QCoreApplication::processEvents();
    EXPECT_FALSE(memo->verticalScrollBar()->isVisible() ||
                 memo->horizontalScrollBar()->isVisible());
    for (QTextBlock line = memo->document()->findBlockByNumber(fromLine); line.isValid();
         line = line.next()) {
      QTextCursor end(line);
      end.movePosition(QTextCursor::EndOfBlock);
      EXPECT_TRUE(line.text().isEmpty() || memo->viewport()->rect().contains(memo->cursorRect(end)))
          << line.text().toStdString();
    }
  };
  MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
  MainForm->Symbols_Memo->show();
  expectLinesShown(MainForm->Symbols_Memo, 0);
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  MainForm->WaitMemo->show();
  QtServices progress(MainForm->WaitMemo);
  for (int line = 0; line < 9; ++line) // the most a run writes
    progress.AppendProgress(" Please wait .....");
  expectLinesShown(MainForm->WaitMemo, 8); // the newest
}
