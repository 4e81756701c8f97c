// The whole program under a desktop locale with a decimal comma (LC_ALL=de_DE.UTF-8, made by the
// test set-up): input files, reports and bitmaps must be the bytes of the C locale, while the
// window and the graph show the comma the desktop asks for.
#include "InputSheetFixture.h"

#include "GoldenFiles.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/FileNames.h"
#include "graph/SystemDecimalSeparator.h"

#include <QDir>
#include <QProcess>

#include <sstream>

namespace {
// The input file `file` as saved again under `path`: its third line names the new path, and the
// rectangular field's code is always written "Hydr".
std::string SavedAgain(const std::string& file, const std::string& path) {
  const size_t start = file.find("\r\n", file.find("\r\n") + 2) + 2;
  const size_t end = file.find("\r\n", start);
  std::string saved = file.substr(0, start) + "File Name: " + path + file.substr(end);
  const size_t code = saved.find("\r\nHyd\r\n", start);
  return code == std::string::npos ? saved : saved.replace(code, 7, "\r\nHydr\r\n");
}

std::string CliGraph(const QStringList& arguments, const QString& locale) {
  QProcess cli;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", locale);
  cli.setProcessEnvironment(environment);
  cli.start(PUMPFIELD_CLI, QStringList{"graph"} + arguments);
  if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
    return "cli failed: " + cli.readAllStandardError().toStdString();
  return ReadFileBytes(arguments[1].toStdString());
}

using CommaLocaleFiles = InputSheetTest;
} // namespace

TEST(CommaLocale, InputFilesAndReportsAreTheBytesOfTheCLocale) {
  ScriptedServices services;
  for (const std::string& input : GoldenInputs()) {
    SCOPED_TRACE(input);
    TempDir dir;
    const std::string name = ExtractFileName(input);
    TDMPumpfield dm(&services);
    dm.InputFileName = input;
    dm.LoadInputFile();
    ASSERT_TRUE(dm.SaveInputFile(dir.file(name)));
    EXPECT_EQ(ReadFileBytes(name), SavedAgain(ReadFileBytes(input), dir.file(name)));

    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine({"run", name}, out, err), kExitReportWritten) << err.str();
    EXPECT_EQ(ReadFileBytes(ChangeFileExt(name, ".out")),
              WithFolder(ReadFileBytes(ChangeFileExt(input, ".out")), dir.path()));
  }
  EXPECT_TRUE(services.messages.empty());
}

TEST(CommaLocale, RunJsonIsTheBytesOfTheCLocale) {
  ScriptedServices services;
  TempDir dir;
  WriteFileBytes("case.inp", ReadFileBytes(std::string(PUMPFIELD_SOURCE_DIR) +
                                           "/Data/spacing-loam-over-sand.inp"));
  std::ostringstream out, err;
  ASSERT_EQ(RunCommandLine({"run", "case.inp", "--json", "comma.json"}, out, err),
            kExitReportWritten)
      << err.str();
  QProcess cli;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", "C");
  cli.setProcessEnvironment(environment);
  cli.start(PUMPFIELD_CLI, {"run", "case.inp", "--json", "point.json"});
  ASSERT_TRUE(cli.waitForFinished(60000));
  ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  const std::string json = ReadFileBytes("comma.json");
  EXPECT_NE(json.find("\"S\": 103.33,"), std::string::npos);
  EXPECT_TRUE(json == ReadFileBytes("point.json"));
}

TEST_F(CommaLocaleFiles, TheWindowShowsCommasAndSavesPoints) {
  {
    const TMainForm desktop; // a window as this desktop starts it
    EXPECT_EQ(desktop.State.StartupDecimalSeparator, ',');
    EXPECT_EQ(desktop.State.DecimalSeparator, ',');
  }
  MainForm->State.DecimalSeparator = MainForm->State.StartupDecimalSeparator = ',';
  const std::string input = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/spacing-loam-over-sand.inp";
  Open(input);
  EXPECT_EQ(Field(1)->text(), "0,003");
  EXPECT_EQ(Field(10)->text(), "0,15");
  Save({dir.file("saved.inp")}, {false});
  EXPECT_EQ(ReadFileBytes(dir.file("saved.inp")),
            SavedAgain(ReadFileBytes(input), dir.file("saved.inp")));
  // Saving leaves the point in force: a field left now shows it, and that is no change.
  Enter(10, "0,15");
  EXPECT_EQ(Field(10)->text(), "0.15");
  EXPECT_FALSE(MainForm->HasUnsavedChanges());
}

TEST_F(CommaLocaleFiles, GraphsMatchTheWindowAndTheCLocale) {
  const QDir data(QString(PUMPFIELD_SOURCE_DIR) + "/Data");
  MainForm->PageControl1->setCurrentWidget(MainForm->Graphics_TabSheet);
  for (const QString& name : data.entryList({"*.out"}, QDir::Files, QDir::Name)) {
    SCOPED_TRACE(name.toStdString());
    const QString report = data.filePath(name);
    auto picture = [&](const char* kind) {
      return QString::fromStdString(dir.file(name.toStdString() + kind));
    };
    const QString window = picture(".window.bmp"), comma = picture(".comma.bmp");
    const QString point = picture(".point.bmp"), plain = picture(".plain.bmp");

    MainForm->State.DecimalSeparator = SystemDecimalSeparator();
    dialogs.answers.push_back(report);
    MainForm->MakeGraphics_Button->click();
    dialogs.answers.push_back(window);
    MainForm->SaveGraphButton->click();

    // The desktop's comma unless a separator is asked for; the C locale gives the point.
    EXPECT_TRUE(CliGraph({report, comma}, "de_DE.UTF-8") == ReadFileBytes(window.toStdString()));
    const std::string cLocale = CliGraph({report, plain}, "C");
    EXPECT_TRUE(CliGraph({report, point, "--decimal-separator=."}, "de_DE.UTF-8") == cLocale);
    EXPECT_FALSE(cLocale == ReadFileBytes(window.toStdString()));
  }
}

// The print figures with the point asked for are the bytes the C locale gives.
TEST(CommaLocale, PrintFiguresAreTheBytesOfTheCLocale) {
  TempDir dir;
  const QString report = QString(PUMPFIELD_SOURCE_DIR) + "/Data/field-rectangular.out";
  for (const char* figure : {"water-table", "section", "plan"}) {
    SCOPED_TRACE(figure);
    const std::string cLocale = CliGraph({report, "c.svg", "--figure", figure}, "C");
    EXPECT_EQ(cLocale.substr(0, 5), "<?xml");
    EXPECT_TRUE(CliGraph({report, "comma.svg", "--figure", figure, "--decimal-separator=."},
                         "de_DE.UTF-8") == cLocale);
  }
}

// The check's text and JSON file, made in this process under the decimal-comma locale, are those
// of the program under the C locale.
TEST(CommaLocale, CheckWritesTheBytesOfTheCLocale) {
  TempDir dir;
  const std::string report = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/field-rectangular.out";
  std::ostringstream out, err;
  ASSERT_EQ(RunCommandLine({"check", report, "--json", "comma.json"}, out, err), kExitReportWritten)
      << err.str();
  QProcess cli;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", "C");
  cli.setProcessEnvironment(environment);
  cli.start(PUMPFIELD_CLI, {"check", QString::fromStdString(report), "--json", "plain.json"});
  ASSERT_TRUE(cli.waitForFinished(60000));
  ASSERT_EQ(cli.exitCode(), 0);
  EXPECT_EQ(ReadFileBytes("comma.json"), ReadFileBytes("plain.json"));
  const std::string plain = cli.readAllStandardOutput().toStdString();
  const size_t end = plain.find("Check written:");
  EXPECT_EQ(out.str().substr(0, out.str().find("Check written:")), plain.substr(0, end));
  EXPECT_NE(ReadFileBytes("plain.json").find("\"centre_depth\": 0.3"), std::string::npos);
}

// A sweep's table with the check's columns, made in this process under the decimal-comma locale,
// is that of the program under the C locale.
TEST(CommaLocale, SweepCheckColumnsAreTheBytesOfTheCLocale) {
  TempDir dir;
  const std::string input =
      std::string(PUMPFIELD_SOURCE_DIR) + "/Data/discharge-loam-over-sand.inp";
  const std::vector<std::string> arguments = {"sweep", input, "--vary", "S=100,160", "--check"};
  std::ostringstream out, err;
  ASSERT_EQ(RunCommandLine(arguments, out, err), kExitReportWritten) << err.str();
  QProcess cli;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", "C");
  cli.setProcessEnvironment(environment);
  QStringList cliArguments;
  for (const std::string& argument : arguments)
    cliArguments << QString::fromStdString(argument);
  cli.start(PUMPFIELD_CLI, cliArguments);
  ASSERT_TRUE(cli.waitForFinished(60000));
  ASSERT_EQ(cli.exitCode(), 0);
  EXPECT_EQ(out.str(), cli.readAllStandardOutput().toStdString());
  EXPECT_NE(out.str().find("160,ok,31.4,,1.375,12.5,flagged,1.5003,0.001227\n"), std::string::npos)
      << out.str();
}

TEST(CommaLocale, DesignAndOptimiseWriteTheBytesOfTheCLocale) {
  TempDir dir;
  const std::string input = std::string(PUMPFIELD_SOURCE_DIR) + "/Data/field-rectangular.inp";
  const std::vector<std::vector<std::string>> commands = {
      {"design", input, "--uncertain", "Kb2=lognormal:8:1.5", "--uncertain",
       "R=triangular:0.0025:0.003:0.0036", "--samples", "20", "--required-depth", "0.5"},
      {"optimise", input, "--field", "400x300", "--required-depth", "1.0", "--well-cost", "1000",
       "--energy-price", "0.01", "--years", "10", "--well-level", "2.4:2.6"}};
  for (const std::vector<std::string>& command : commands) {
    SCOPED_TRACE(command[0]);
    std::vector<std::string> comma = command;
    comma.insert(comma.end(), {"--json", "comma.json", "--csv", "comma.csv"});
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine(comma, out, err), kExitReportWritten) << err.str();
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    cli.setProcessEnvironment(environment);
    QStringList arguments;
    for (const std::string& word : command)
      arguments << QString::fromStdString(word);
    cli.start(PUMPFIELD_CLI, arguments + QStringList{"--json", "plain.json", "--csv", "plain.csv"});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0);
    EXPECT_EQ(ReadFileBytes("comma.json"), ReadFileBytes("plain.json"));
    EXPECT_EQ(ReadFileBytes("comma.csv"), ReadFileBytes("plain.csv"));
    EXPECT_NE(ReadFileBytes("plain.csv").find("."), std::string::npos);
  }
}
