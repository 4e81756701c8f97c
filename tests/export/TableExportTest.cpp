#include "export/TableExport.h"
#include "GoldenFiles.h"
#include "ReportFiles.h"
#include "ScriptedServices.h"
#include "TempDir.h"
#include "core/FileNames.h"
#include "core/TextFormat.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
std::vector<std::string> CsvLines(const std::string& csv) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; start < csv.size(); start = end + 2) {
    end = csv.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
    if (end == std::string::npos)
      break;
    lines.push_back(csv.substr(start, end - start));
  }
  return lines;
}

std::vector<std::string> Fields(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::istringstream stream(line);
  for (std::string field; std::getline(stream, field, separator);)
    fields.push_back(field);
  return fields;
}
} // namespace

// The CSV of every example report, read back, gives the numbers the graph reader takes from the
// same report, table by table.
TEST(TableExport, EveryExampleReportReadsBackAsItsTables) {
  ScriptedServices services;
  for (const std::string& input : GoldenInputs()) {
    const std::string path = ChangeFileExt(input, ".out");
    SCOPED_TRACE(path);
    std::string error;
    const auto report = ReadReport(path, error);
    ASSERT_TRUE(report) << error;
    TDMPumpfield dm;
    dm.LoadGraphData(path);
    const bool field = dm.ReportTag == " Ost";
    EXPECT_EQ(report->aim == Aim::FieldDepths, field);
    const std::vector<std::pair<const DataSetR*, int32_t>> tables = {
        {&dm.Table1X, dm.Count1}, {&dm.Table2X, dm.Count2}, {&dm.Table3X, dm.Count3}};
    const std::vector<const DataSetR*> heads = {&dm.Table1F, &dm.Table2F, &dm.Table3F};
    const std::vector<const DataSetR*> gradients = {&dm.Table1G, &dm.Table2G, &dm.Table3G};

    const std::vector<std::string> lines = CsvLines(TablesCsv(*report));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "profile,distance (m),head (m),gradient (-)");
    size_t line = 1;
    std::vector<std::string> profiles;
    for (size_t t = 0; t < (field ? 3u : 1u); ++t)
      for (int32_t row = 0; row < tables[t].second; ++row, ++line) {
        ASSERT_LT(line, lines.size());
        const std::vector<std::string> fields = Fields(lines[line], ',');
        ASSERT_EQ(fields.size(), 4u) << lines[line];
        if (profiles.empty() || profiles.back() != fields[0])
          profiles.push_back(fields[0]);
        EXPECT_EQ(TextToFloat(fields[1], '.'), (*tables[t].first)[row]);
        EXPECT_EQ(TextToFloat(fields[2], '.'), (*heads[t])[row]);
        EXPECT_EQ(TextToFloat(fields[3], '.'), (*gradients[t])[row]);
      }
    EXPECT_EQ(line, lines.size());
    const std::vector<std::string> expected =
        field ? std::vector<std::string>{"along the longer spacing", "along the shorter spacing",
                                         "along the diagonal"}
              : std::vector<std::string>{"between the wells"};
    EXPECT_EQ(profiles, expected);
  }
}

TEST(TableExport, InputsResultsNoteAndQuotedProfileNamesComeFromThePrintedLines) {
  TempDir dir;
  std::string text = ReportHead("One", "Two", " Trellow input data: ", dir.file("r"));
  text += " Depth watertable midway between wells      Dm       (m) :        1.50\r\n";
  text += ReportTable(" Output data: (along \"A\", B)", {{0.25, 0.5, 1.25}, {12, 1.5, 0}});
  text += " The well spacing (Darcy,  m) is :   103.33\r\n #\r\n";
  text += " The required midway watertable depth was not reached: the well spacing shown is "
          "the lower bound of the search, 2 m.\r\n";
  WriteFileBytes(dir.file("r.out"), text);
  std::string error;
  const auto report = ReadReport(dir.file("r.out"), error);
  ASSERT_TRUE(report) << error;
  EXPECT_EQ(report->aim, Aim::Spacing);
  ASSERT_EQ(report->inputs.size(), 2u);
  EXPECT_EQ(report->inputs[1].name, "Depth watertable midway between wells");
  EXPECT_EQ(report->inputs[1].symbol, "Dm");
  EXPECT_EQ(report->inputs[1].unit, "m");
  EXPECT_EQ(report->inputs[1].value, "1.50");
  ASSERT_EQ(report->results.size(), 1u);
  EXPECT_EQ(report->results[0].words, "The well spacing (Darcy, m) is");
  EXPECT_EQ(report->results[0].figure, "103.33");
  EXPECT_EQ(report->note.substr(0, 53), "The required midway watertable depth was not reached:");
  EXPECT_EQ(TablesCsv(*report), "profile,distance (m),head (m),gradient (-)\r\n"
                                "\"along \"\"A\"\", B\",0.25,0.5000,1.2500\r\n"
                                "\"along \"\"A\"\", B\",12.00,1.5000,0.0000\r\n");
  EXPECT_EQ(TablesTabText(*report, ','), "profile\tdistance (m)\thead (m)\tgradient (-)\n"
                                         "along \"A\", B\t0,25\t0,5000\t1,2500\n"
                                         "along \"A\", B\t12,00\t1,5000\t0,0000\n");
}

// A report is text anyone can edit: a profile named like a formula must reach a spreadsheet as
// text, in the CSV and on the clipboard alike.
TEST(TableExport, ProfileNamesThatWouldStartAFormulaAreWrittenAsText) {
  const std::string text = ReportHead("One", "Two", " Trellow input data: ", "r") +
                           ReportTable(" Output data: (@SUM(1))", {{0.25, -0.5, 1.25}});
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line.substr(0, line.find('\r')));
  std::string error;
  const auto report = ParseReport(lines, "r.out", error);
  ASSERT_TRUE(report) << error;
  EXPECT_EQ(TablesCsv(*report), "profile,distance (m),head (m),gradient (-)\r\n"
                                "'@SUM(1),0.25,-0.5000,1.2500\r\n");
  EXPECT_EQ(TablesTabText(*report, ','), "profile\tdistance (m)\thead (m)\tgradient (-)\n"
                                         "'@SUM(1)\t0,25\t-0,5000\t1,2500\n");
}

TEST(TableExport, ReportsWithoutReadableTablesAreRefusedByName) {
  const std::string head = ReportHead("One", "Two", " Trellow input data: ", "r");
  const std::string table = ReportTable(" Output data:", {{1, 2, 3}});
  const struct {
    std::string text, why;
  } rows[] = {
      {head, "no table marker"},
      {head + table.substr(0, table.size() - 4), "no end line"},
      {head + " Output data:\r\n  1.00  2.00\r\n #\r\n", "line 20 should hold"},
  };
  for (const auto& row : rows) {
    std::istringstream stream(row.text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(stream, line);)
      lines.push_back(line.substr(0, line.find('\r')));
    std::string error;
    EXPECT_FALSE(ParseReport(lines, "r.out", error));
    EXPECT_NE(error.find("\"r.out\""), std::string::npos) << error;
    EXPECT_NE(error.find(row.why), std::string::npos) << error;
  }
}
