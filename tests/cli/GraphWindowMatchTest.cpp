// `pumpfield-cli graph` against the window's "Make graph" and "Save graph" on every example
// report: the two bitmaps must be the same bytes.
#include "WindowsFixture.h"

#include "TempDir.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>

namespace {
class GraphWindowMatchTest : public WindowsTest {
protected:
  TempDir dir;
};
} // namespace

TEST_F(GraphWindowMatchTest, CommandLineBitmapEqualsTheWindowsForEveryExampleReport) {
  const QDir data(QString(PUMPFIELD_SOURCE_DIR) + "/Data");
  const QStringList reports = data.entryList({"*.out"}, QDir::Files, QDir::Name);
  ASSERT_GE(reports.size(), 4);
  MainForm->PageControl1->setCurrentWidget(MainForm->Graphics_TabSheet);
  for (const QString& name : reports) {
    SCOPED_TRACE(name.toStdString());
    const QString report = data.filePath(name);
    const std::string windowBmp = dir.file(name.toStdString() + ".window.bmp");
    const std::string cliBmp = dir.file(name.toStdString() + ".cli.bmp");

    dialogs.answers.push_back(report);
    MainForm->MakeGraphics_Button->click();
    dialogs.answers.push_back(QString::fromStdString(windowBmp));
    MainForm->SaveGraphButton->click();
    ASSERT_EQ(services.messages.back(), "The graph was saved in  " + windowBmp);

    QProcess cli;
    cli.start(PUMPFIELD_CLI, {"graph", report, QString::fromStdString(cliBmp)});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

    const std::string windowBytes = ReadFileBytes(windowBmp);
    ASSERT_GT(windowBytes.size(), 623u * 465u * 3u);
    EXPECT_TRUE(windowBytes == ReadFileBytes(cliBmp));
  }
  EXPECT_EQ(services.messages.size(), static_cast<size_t>(reports.size()));
}
