#include "SheetTestSupport.h"
#include "WindowsFixture.h"

#include "core/FileNames.h"
#include "graph/GraphBitmap.h"
#include "ui/Settings.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>

namespace {
const QString kSheetStatus = "Graphics presentations of output data can be seen and saved. Use "
                             "\"Make graph\" to open an output file and make the graphs.";

class GraphicsSheetTest : public WindowsTest {
protected:
  void TearDown() override { WindowsTest::TearDown(); }

  void MakeGraph(const std::string& report) {
    MainForm->PageControl1->setCurrentWidget(MainForm->Graphics_TabSheet);
    dialogs.answers.push_back(Q(report));
    MainForm->MakeGraphics_Button->click();
  }

  void SaveGraphAs(const std::string& path) {
    dialogs.answers.push_back(Q(path));
    MainForm->SaveGraphButton->click();
  }

  QImage ShownGraph() const { return MainForm->GraphImage->pixmap().toImage(); }

  TempDir dir;
};

const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kDarkBlue = qRgb(0, 0, 139);
const QRgb kWhite = qRgb(255, 255, 255);
} // namespace

TEST_F(GraphicsSheetTest, MakeGraphDrawsTheChosenReportWithTheTitleOfItsInputFile) {
  const std::string report = GoldenFile("spacing-lower-bound.out");
  MakeGraph(report);
  EXPECT_EQ(MainForm->StatusText(), kSheetStatus);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].name, "OutputOpen_Dialog");
  EXPECT_TRUE(MainForm->GraphImage->isVisible());
  EXPECT_FALSE(MainForm->PictureImage->isVisible());
  EXPECT_TRUE(MainForm->SaveGraphButton->isVisible());
  EXPECT_EQ(DMPumpfield->InputFileName, report);

  TDMPumpfield input;
  input.InputFileName = GoldenFile("spacing-lower-bound.inp");
  input.LoadInputFile();
  EXPECT_EQ(DMPumpfield->Title1, input.Title1);

  const QImage shown = ShownGraph();
  ASSERT_EQ(shown.size(), QSize(623, 465));
  EXPECT_EQ(shown.pixel(2, 2), kSilver);
  EXPECT_EQ(shown.pixel(20, 19), kDarkBlue);
  EXPECT_EQ(shown.pixel(604, 444), kDarkBlue);
  EXPECT_EQ(shown.pixel(605, 444), kSilver);
  EXPECT_EQ(shown.pixel(70, 200), kWhite);  // vertical axis
  EXPECT_EQ(shown.pixel(300, 390), kWhite); // horizontal axis
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(GraphicsSheetTest, MakeGraphMessagesLeaveTheGraphAlone) {
  MakeGraph(dir.file("missing.out"));
  EXPECT_EQ(services.messages,
            std::vector<std::string>{"File does not exist, please select another one,"});
  EXPECT_EQ(DMPumpfield->InputFileName, dir.file("missing.out"));

  MainForm->MakeGraphics_Button->click(); // cancelled
  EXPECT_EQ(services.messages.back(), "No output file was selected");

  WriteFileBytes(dir.file("notes.out"), " just some notes\r\n");
  MakeGraph(dir.file("notes.out"));
  EXPECT_NE(services.messages.back().find("is not an output report that can be drawn"),
            std::string::npos);
  EXPECT_TRUE(MainForm->GraphBitmap.isNull());
  EXPECT_TRUE(MainForm->SaveGraphButton->isVisible());
}

TEST_F(GraphicsSheetTest, SavingWritesA623By465BitmapOfTheShownGraph) {
  MakeGraph(GoldenFile("field-above-surface.out"));
  const std::string path = dir.file("graph.bmp");
  SaveGraphAs(path);
  ASSERT_EQ(dialogs.asked.size(), 2u);
  EXPECT_EQ(dialogs.asked[1].name, "GraphSave_Dialog");
  EXPECT_EQ(dialogs.asked[1].filter, "Image files (*.bmp)|*.bmp");
  EXPECT_EQ(services.messages, std::vector<std::string>{"The graph was saved in  " + path});
  EXPECT_EQ(ReadFileBytes(path).substr(0, 2), "BM");
  QImage saved(Q(path), "BMP");
  ASSERT_EQ(saved.size(), QSize(623, 465));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
            ShownGraph().convertToFormat(QImage::Format_RGB32));
}

TEST_F(GraphicsSheetTest, OverwritingAsksFirstAndARefusalWritesNothing) {
  MakeGraph(GoldenFile("spacing-lower-bound.out"));
  const std::string path = dir.file("old.bmp");
  WriteFileBytes(path, "keep me");

  services.answers.push_back(false);
  SaveGraphAs(path);
  EXPECT_EQ(services.questions, std::vector<std::string>{"The file already exists, overwrite?"});
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(ReadFileBytes(path), "keep me");

  services.answers.push_back(true);
  SaveGraphAs(path);
  EXPECT_EQ(services.questions.size(), 2u);
  EXPECT_EQ(services.messages, std::vector<std::string>{"The graph was saved in  " + path});
  EXPECT_EQ(QImage(Q(path)).size(), QSize(623, 465));

  MainForm->SaveGraphButton->click(); // cancelled
  EXPECT_EQ(services.messages.back(), "The graph was not saved");
}

TEST_F(GraphicsSheetTest, SavingBeforeAnyGraphWasDrawnWritesNothing) {
  MainForm->PageControl1->setCurrentWidget(MainForm->Graphics_TabSheet);
  MainForm->MakeGraphics_Button->click(); // cancelled: the save button is visible now
  ASSERT_TRUE(MainForm->SaveGraphButton->isVisible());
  services.messages.clear();
  dialogs.asked.clear();
  SaveGraphAs(dir.file("empty.bmp"));
  EXPECT_EQ(services.messages, std::vector<std::string>{kNoGraphToSaveMessage});
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_FALSE(FileExists(dir.file("empty.bmp")));
}

TEST_F(GraphicsSheetTest, OpeningABitmapShowsItAtNaturalSizeAndMovesTheDialogFolders) {
  MakeGraph(GoldenFile("spacing-lower-bound.out"));
  const std::string path = dir.file("graph.bmp");
  SaveGraphAs(path);
  services.messages.clear();
  MainForm->PageControl1->setCurrentWidget(MainForm->Intro_Tabsheet);

  dialogs.answers.push_back(Q(path));
  MainForm->GraphOpen1->trigger();
  EXPECT_EQ(dialogs.asked.back().name, "GraphOpen_Dialog");
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Graphics_TabSheet);
  EXPECT_TRUE(MainForm->PictureImage->isVisible());
  EXPECT_FALSE(MainForm->GraphImage->isVisible());
  EXPECT_FALSE(MainForm->SaveGraphButton->isVisible());
  EXPECT_EQ(MainForm->PictureImage->pixmap().size(), QSize(623, 465));
  EXPECT_EQ(MainForm->PictureImage->alignment(), Qt::AlignLeft | Qt::AlignTop);
  EXPECT_EQ(MainForm->engine.Flags.WorkDirectory, dir.path());
  EXPECT_EQ(MainForm->OutputOpen_Dialog.initialFolder, Q(dir.path()));
  EXPECT_TRUE(services.messages.empty());

  MainForm->SeeGraphButton->click(); // cancelled
  EXPECT_EQ(services.messages.back(), "No graphics file was selected");
  EXPECT_TRUE(MainForm->SaveGraphButton->isVisible());

  dialogs.answers.push_back(Q(dir.file("missing.bmp")));
  MainForm->SeeGraphButton->click();
  EXPECT_EQ(services.messages.back(), "File does not exist, please select another one,");

  WriteFileBytes(dir.file("text.bmp"), "not a picture");
  dialogs.answers.push_back(Q(dir.file("text.bmp")));
  MainForm->SeeGraphButton->click();
  EXPECT_NE(services.messages.back().find("could not be read as a picture"), std::string::npos);
  EXPECT_EQ(MainForm->PictureImage->pixmap().size(), QSize(623, 465));
}

TEST_F(GraphicsSheetTest, ABitmapOpenedFromAnotherSheetStaysShownOverTheRedrawnGraph) {
  MakeGraph(GoldenFile("spacing-lower-bound.out"));
  const std::string path = dir.file("graph.bmp");
  SaveGraphAs(path);
  dialogs.answers.push_back(Q(GoldenFile("discharge-upper-bound.out")));
  MainForm->OutputOpen->trigger(); // State.OutputShown: showing the Graphics sheet redraws
  ASSERT_TRUE(MainForm->State.OutputShown);
  const QImage before = MainForm->GraphBitmap;

  dialogs.answers.push_back(Q(path));
  MainForm->GraphOpen1->trigger();
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Graphics_TabSheet);
  EXPECT_NE(MainForm->GraphBitmap, before); // the discharge report was drawn
  EXPECT_TRUE(MainForm->PictureImage->isVisible());
  EXPECT_FALSE(MainForm->GraphImage->isVisible());
  EXPECT_FALSE(MainForm->SaveGraphButton->isVisible());
}

TEST_F(GraphicsSheetTest, SeeGraphDrawsTheReportTheOutputSheetShows) {
  dialogs.answers.push_back(Q(GoldenFile("field-above-surface.out")));
  MainForm->OutputOpen->trigger();
  ASSERT_TRUE(MainForm->ViewGraphButton->isVisible());
  MainForm->ViewGraphButton->click();
  EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->Graphics_TabSheet);
  EXPECT_EQ(MainForm->StatusText(), kSheetStatus);
  EXPECT_TRUE(MainForm->GraphImage->isVisible());
  EXPECT_TRUE(MainForm->SaveGraphButton->isVisible());
  EXPECT_EQ(DMPumpfield->ReportTag, " Ost");
  EXPECT_GT(DMPumpfield->Count3, 0);
  EXPECT_EQ(ShownGraph().size(), QSize(623, 465));
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(GraphicsSheetTest, AWrongFileGetsItsMessageOnceAndTheProgramGoesOn) {
  const std::string report = dir.file("field.out"); // a rectangular field
  WriteFileBytes(report, ReadFileBytes(GoldenFile("field-above-surface.out")));
  MakeGraph(report); // no input file beside it
  EXPECT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages.back().find("could not be opened"), std::string::npos);

  WriteFileBytes(dir.file("field.inp"), "T\r\nT\r\nFile Name: x\r\nSpa \r\n");
  MakeGraph(report);
  dialogs.answers.push_back(Q(report));
  MainForm->OutputOpen->trigger();
  MainForm->ViewGraphButton->click();
  const std::string corrupt =
      "The code in the inputfile \"" + dir.file("field.inp") + "\" is corrupt";
  EXPECT_EQ(services.messages, (std::vector<std::string>{services.messages[0], corrupt, corrupt}));
  EXPECT_EQ(services.quitRequests, 0);
  EXPECT_TRUE(MainForm->GraphImage->isVisible());

  // A file that is no report leaves the report drawn before as the current one.
  WriteFileBytes(dir.file("notes.out"), " just some notes\r\n");
  MakeGraph(dir.file("notes.out"));
  EXPECT_EQ(DMPumpfield->InputFileName, report);
}

// "Print view" shows the print figure in place of the drawing and is remembered; the drawing
// that "Save graph" writes stays the same.
TEST_F(GraphicsSheetTest, PrintViewShowsThePrintFigureAndIsRemembered) {
  QCheckBox* printView = MainForm->PrintView_Checkbox;
  EXPECT_FALSE(printView->isChecked());
  MakeGraph(GoldenFile("field-above-surface.out"));
  const QImage drawing = MainForm->GraphBitmap;
  EXPECT_EQ(ShownGraph().pixel(1, 1), kSilver);

  printView->click();
  EXPECT_EQ(ShownGraph().pixel(1, 1), kWhite);
  EXPECT_TRUE(MainForm->GraphBitmap == drawing);
  const std::string bmp = dir.file("graph.bmp");
  SaveGraphAs(bmp);
  EXPECT_EQ(QImage(Q(bmp)).pixel(1, 1), kSilver);

  EXPECT_TRUE(ProgramSettings().value("graphics/printView").toBool());
  printView->click();
  EXPECT_EQ(ShownGraph().pixel(1, 1), kSilver);
  EXPECT_FALSE(ProgramSettings().value("graphics/printView").toBool());
}
