// The window around its designed layout: field hints, keyboard order, resizing and small screens,
// the dialogs' suggested names, and the Help menu.
#include "InputSheetFixture.h"
#include "SheetTestSupport.h"

#include "core/Version.h"
#include "ui/ScreenFit.h"
#include "ui/UserGuide.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>

namespace {
const std::string kReport = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/field-rectangular.out";

class DesktopWindow : public InputSheetTest {
protected:
  void ShowReportAndGraph() {
    dialogs.answers.push_back(Q(kReport));
    MainForm->OutputOpen->trigger();
    MainForm->ViewGraphButton->click();
  }
  // The controls Tab visits from `first` on, until it comes back to it.
  static QStringList TabStops(QWidget* first) {
    first->setFocus(Qt::TabFocusReason);
    QStringList stops{first->objectName()};
    for (int i = 0; i < 20; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      if (QApplication::focusWidget() == first)
        break;
      stops << QApplication::focusWidget()->objectName();
    }
    return stops;
  }
};
} // namespace

TEST_F(DesktopWindow, FieldHintsNameTheQuantityItsUnitAndWhatTheChecksAccept) {
  struct Row {
    int aim, field;
    std::vector<QString> parts;
  };
  const Row rows[] = {
      {0, 1, {"recharge or discharge, R (m/day)", "Accepted: at least 0, less than Ka", "4 dec"}},
      {0, 2, {", D1 (m)", "Accepted: at least 0, at most D2"}},
      {0, 4, {"Accepted: at least 0, more than Dm, less than Db"}},
      {1, 1, {"midway between the wells, Dm (m)", "less than Dw", "2 decimals"}},
      {1, 7, {", W (m)", "less than S / 2"}},
      {2, 14, {"Shortest spacing in a rectangular layout\n", ", Sb (m)", "more than 2 × W"}},
      {3, 8, {"Spacing between the wells, S (m)", "more than 2 × W"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.aim) + ", field " + std::to_string(row.field));
    ChooseAim(row.aim);
    const QLineEdit* field = Field(row.field);
    for (const QString& part : row.parts)
      EXPECT_TRUE(field->toolTip().contains(part)) << field->toolTip().toStdString();
    // The status line shows the quantity and the accepted values in one line when the pointer
    // rests on the field.
    QStatusTipEvent tip(field->statusTip());
    QApplication::sendEvent(Field(row.field), &tip);
    EXPECT_EQ(MainForm->StatusBar1->currentMessage(), field->statusTip());
    const QString accepted = field->toolTip().split('\n').filter("Accepted: ").value(0);
    EXPECT_TRUE(field->statusTip().endsWith(". " + accepted)) << field->statusTip().toStdString();
  }
}

TEST_F(DesktopWindow, TabRunsLeftToRightOnOutputAndMakesTheGraphFirstOnGraphics) {
  ShowReportAndGraph();
  MainForm->Symbols_Button->click();
  EXPECT_EQ(TabStops(MainForm->MakeGraphics_Button),
            (QStringList{"MakeGraphics_Button", "SaveGraphButton", "SeeGraphButton",
                         "GraphScale_Combobox", "ExportGraph_Button", "PrintView_Checkbox",
                         "qt_tabwidget_tabbar"}));
  MainForm->PageControl1->setCurrentWidget(MainForm->Output_TabSheet);
  EXPECT_EQ(
      TabStops(MainForm->Output_Memo),
      (QStringList{"Output_Memo", "ExportTables_Button", "CopyTables_Button", "ExportReport_Button",
                   "FigureButton2", "ViewGraphButton", "Symbols_Button", "SeeOutput_Button",
                   "Check_Button", "qt_tabwidget_tabbar"}));
}

TEST_F(DesktopWindow, MaximisedTheButtonsStayClearAndAtTheSmallestSizeNothingIsCutOff) {
  ShowReportAndGraph();
  const int menu = MainForm->MainMenu1->sizeHint().height();
  EXPECT_EQ(MainForm->minimumSize(), QSize(708, menu + 550));
  for (const QSize size : {QSize(1900, 1000), MainForm->minimumSize()}) {
    SCOPED_TRACE(size.height());
    MainForm->resize(size);
    // Each sheet with the picture or report that its buttons must stay clear of.
    const std::pair<QWidget*, QWidget*> sheets[] = {
        {MainForm->Input_TabSheet, nullptr},
        {MainForm->Output_TabSheet, MainForm->Output_Memo},
        {MainForm->Graphics_TabSheet, MainForm->GraphImage}};
    for (const auto& [sheet, picture] : sheets) {
      MainForm->PageControl1->setCurrentWidget(sheet);
      QCoreApplication::processEvents();
      for (const QWidget* control : sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->isVisible() && control != MainForm->Symbols_Memo) {
          EXPECT_TRUE(sheet->rect().contains(control->geometry()))
              << control->objectName().toStdString();
          // Below the picture, or ("Check") right of the report.
          if (picture && qobject_cast<const QPushButton*>(control)) {
            EXPECT_FALSE(control->geometry().intersects(picture->geometry()))
                << control->objectName().toStdString();
            EXPECT_TRUE(control->y() > picture->geometry().bottom() ||
                        control->x() > picture->geometry().right())
                << control->objectName().toStdString();
          }
        }
    }
  }
}

TEST_F(DesktopWindow, WindowsLargerThanTheScreenOpenOnItAndTheSheetsScroll) {
  const QRect screen = MainForm->screen()->availableGeometry();
  QDialog dialog(MainForm);
  dialog.resize(screen.size() * 2);
  dialog.show();
  QCoreApplication::processEvents(); // a dialog is fitted once it has taken its size
  EXPECT_TRUE(screen.contains(dialog.geometry()));
  EXPECT_EQ(FitFrame({-50, 900, 400, 300}, {0, 0, 1280, 1024}), QRect(0, 724, 400, 300));
  EXPECT_EQ(FitFrame({100, 100, 2000, 300}, {0, 30, 1280, 994}), QRect(0, 100, 1280, 300));

  MainForm->setMinimumSize(300, 300);
  MainForm->resize(400, 350);
  QCoreApplication::processEvents();
  EXPECT_EQ(MainForm->PageControl1->size(), QSize(708, 530)); // scrolled, not squeezed
}

TEST_F(DesktopWindow, SaveAndExportDialogsStartWithTheShownFilesNameAndFolder) {
  ShowReportAndGraph();
  const QString folder = Q(std::string(PUMPFIELD_SOURCE_DIR) + "/Data");
  const std::vector<std::pair<QAction*, QString>> rows{
      {MainForm->ExportTables1, "field-rectangular.csv"},
      {MainForm->ExportReport1, "field-rectangular.pdf"},
      {MainForm->ExportGraph1, "field-rectangular.png"}};
  titleBlocks.answers.push_back(ReportTitleBlock());
  for (const auto& [action, name] : rows)
    action->trigger();
  MainForm->SaveGraphButton->click();
  MainForm->PageControl1->setCurrentWidget(MainForm->Input_TabSheet);
  MainForm->InputSave1->trigger();
  const std::vector<QString> names{"field-rectangular.csv", "field-rectangular.pdf",
                                   "field-rectangular.png", "field-rectangular.bmp",
                                   "field-rectangular.inp"};
  ASSERT_EQ(dialogs.asked.size(), 6u); // after the output dialog
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(dialogs.asked[i + 1].initialName, names[i]);
    EXPECT_EQ(dialogs.asked[i + 1].initialFolder, folder);
  }
}

TEST_F(DesktopWindow, TheUserGuideShowsWithItsPicturesOrSaysWhereItWasLookedFor) {
  const QStringList places = UserGuidePlaces("/opt/pumpfield/bin");
  EXPECT_EQ(places.value(0), "/opt/pumpfield/share/doc/pumpfield/guide.md");
  EXPECT_EQ(places.value(1), "/opt/pumpfield/bin/docs/guide.md");
  MainForm->OpenUserGuide({Q(dir.file("guide.md"))});
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0],
            "The user guide is not installed: it was looked for as\n" + dir.file("guide.md"));

  // The build's program finds the guide copied beside it.
  const QString build = QCoreApplication::applicationDirPath() + "/..";
  EXPECT_FALSE(FindUserGuide(UserGuidePlaces(build)).isEmpty());
  MainForm->OpenUserGuide(
      {Q(dir.file("guide.md")), Q(std::string(PUMPFIELD_SOURCE_DIR) + "/docs/guide.md")});
  ASSERT_NE(MainForm->GuideForm, nullptr);
  EXPECT_TRUE(MainForm->GuideForm->isVisible());
  EXPECT_EQ(MainForm->GuideForm->windowTitle(), "Pumpfield user guide");
  QTextBrowser* browser = MainForm->GuideForm->Guide_Browser;
  EXPECT_TRUE(browser->toPlainText().startsWith("Pumpfield user guide"));
  const QVariant picture =
      browser->loadResource(QTextDocument::ImageResource, QUrl("screenshots/input.png"));
  EXPECT_FALSE(QImage::fromData(picture.toByteArray()).isNull());

  MainForm->About1->trigger();
  auto* about = MainForm->findChild<QMessageBox*>("About_Dialog");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->windowTitle(), "About Pumpfield");
  for (const QString& part : {QString("Pumpfield ") + kPumpfieldVersion, QString("MIT licence"),
                              QString("Qt ") + qVersion(), QString("libjpeg")})
    EXPECT_TRUE(about->text().contains(part)) << part.toStdString();
  about->close();
}
