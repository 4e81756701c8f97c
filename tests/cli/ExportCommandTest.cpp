// pumpfield-cli export, report, and graph in the formats other than the bitmap.
#include "CliTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {

std::string Example(const std::string& name) {
  return std::string(PUMPFIELD_SOURCE_DIR) + "/Data/" + name;
}

bool Holds(const std::string& text, const std::string& words) {
  return text.find(words) != std::string::npos;
}
} // namespace

TEST(ExportCommand, WritesTheTablesAndRefusesWhatItCannotDo) {
  TempDir dir;
  WriteFileBytes("case.out", ReadFileBytes(Example("spacing-loam-over-sand.out")));
  ASSERT_EQ(Cli("export case.out --csv tables.csv"), 0) << ReadFileBytes("err.txt");
  EXPECT_EQ(ReadFileBytes("out.txt"), "Tables written: " + dir.file("tables.csv") + "\n");
  EXPECT_EQ(ReadFileBytes("tables.csv").substr(0, 82),
            "profile,distance (m),head (m),gradient (-)\r\n"
            "between the wells,0.13,0.6739,0.5163\r\n");

  const struct {
    const char* arguments;
    int status;
  } rows[] = {{"", 64},
              {"case.out", 64},
              {"case.out --csv", 64},
              {"case.out --csv a.csv --csv b.csv", 64},
              {"missing.out --csv a.csv", 3},
              {"case.out --csv no/folder/a.csv", 1},
              {"case.out --csv case.out", 64}};
  for (const auto& row : rows)
    EXPECT_EQ(Cli(std::string("export ") + row.arguments), row.status) << row.arguments;
  EXPECT_EQ(ReadFileBytes("case.out"), ReadFileBytes(Example("spacing-loam-over-sand.out")));
  Cli("export case.out --csv no/folder/a.csv");
  EXPECT_NE(ReadFileBytes("err.txt").find("No such file or directory"), std::string::npos)
      << ReadFileBytes("err.txt");
}

// The PDF's text with one blank between words wherever the page wraps them; its page count.
std::string PdfText(const std::string& pdf, int& pages) {
  const std::string tools = "pdfinfo '" + pdf + "' >info.txt && pdftotext '" + pdf + "' text.txt";
  pages = 0;
  if (std::system(tools.c_str()) != 0)
    return std::string();
  const std::string info = ReadFileBytes("info.txt");
  const size_t at = info.find("Pages:");
  if (at != std::string::npos)
    pages = std::atoi(info.c_str() + at + 6);
  EXPECT_TRUE(Holds(info, "(A4)")) << info;
  std::string text;
  for (char c : ReadFileBytes("text.txt")) {
    c = c == '\n' ? ' ' : c;
    if (c != ' ' || text.empty() || text.back() != ' ')
      text += c;
  }
  return text;
}

TEST(ReportCommand, WritesAnA4PdfWithTitlesResultOutcomeAndPageNumbers) {
  TempDir dir;
  const struct {
    std::string report;
    std::vector<std::string> words;
  } rows[] = {
      {Example("spacing-loam-over-sand.out"),
       {"Polder De Kolk, loam over fine sand", "Aim", "Well spacing",
        "The well spacing (Darcy, m) is", "103.33", "The search met its tolerance.",
        "Wells 103.3 m apart keep the midway water table 1.50 m below the surface; each well "
        "pumps 32.0 m³/day."}},
      {Example("field-rectangular.out"),
       {"Glasshouse district, rectangular well field", "Profile along the diagonal",
        "Midway watertable depth (m) for the diagonal is", "0.591", "needs no search",
        "0.59 m below the surface at the centre between four wells"}},
      {Example("discharge-loam-over-sand.out"),
       {"Wells 160.0 m apart keep the midway water table 1.50 m below the surface when each "
        "well pumps 31.4 m\u00b3/day."}},
      {Example("conductivity-observed-field.out"),
       {"A uniform soil with a hydraulic conductivity of 2.043 m/day explains the observed "
        "midway water table 1.40 m below the surface with wells 120.0 m apart; each well pumps "
        "28.8 m\u00b3/day."}},
      {std::string(PUMPFIELD_TEST_DATA) + "/golden/spacing-lower-bound.out",
       {"Heavy clay, high recharge", "The search did not meet its tolerance.",
        "the well spacing shown is the lower bound of the search, 2 m."}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    ASSERT_EQ(Cli("report " + row.report + " report.pdf"), 0) << ReadFileBytes("err.txt");
    EXPECT_EQ(ReadFileBytes("err.txt"), "");
    ASSERT_EQ(std::system(("sha256sum <'" + row.report + "' >sha.txt").c_str()), 0);
    int pages = 0;
    const std::string text = PdfText("report.pdf", pages);
    for (const std::string& words : row.words)
      EXPECT_TRUE(Holds(text, words)) << words;
    EXPECT_TRUE(Holds(text, "Calculation report"));
    EXPECT_TRUE(Holds(text, ReadFileBytes("sha.txt").substr(0, 64)));
    EXPECT_TRUE(Holds(text, "Page 1 of " + std::to_string(pages)));
    EXPECT_TRUE(Holds(text, "Page " + std::to_string(pages) + " of " + std::to_string(pages)));
  }
  EXPECT_EQ(Cli("report"), 64);
  EXPECT_EQ(Cli("report missing.out report.pdf"), 3);
  EXPECT_EQ(Cli("report " + rows[0].report + " no/folder/report.pdf"), 1);
}

// The title block as given, the sections in their order (the plan for a rectangular field
// only), and a title too long for one page that flows on from the first page.
TEST(ReportCommand, TitleBlockAndSectionsInOrder) {
  TempDir dir;
  const std::string block = "--project 'Polder drainage, phase 2' --client 'Water board' "
                            "--engineer 'A. Jansen' --checked='B. de Vries' --revision C";
  for (const char* name : {"spacing-loam-over-sand", "field-rectangular"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(Cli("report " + Example(std::string(name) + ".out") + " r.pdf " + block), 0)
        << ReadFileBytes("err.txt");
    int pages = 0;
    const std::string text = PdfText("r.pdf", pages);
    for (const char* words :
         {"Project Polder drainage, phase 2", "Client Water board", "Engineer A. Jansen",
          "Checked by B. de Vries", "Revision C", "Report generated"})
      EXPECT_TRUE(Holds(text, words)) << words;
    std::vector<std::string> headings = {"Summary",       "Input data",  "Method and assumptions",
                                         "Cross-section", "Water table", "Independent check",
                                         "Tables"};
    const bool field = std::string(name) == "field-rectangular";
    if (field)
      headings.insert(headings.begin() + 4, "Plan of the well field");
    EXPECT_EQ(Holds(text, "Plan of the well field"), field);
    size_t at = 0;
    for (const std::string& heading : headings) {
      const size_t next = text.find(heading, at);
      EXPECT_NE(next, std::string::npos) << heading << " after position " << at;
      at = next == std::string::npos ? at : next;
    }
  }
  EXPECT_EQ(Cli("report " + Example("field-rectangular.out") + " r.pdf --client " +
                std::string(201, 'x')),
            64);
  EXPECT_TRUE(Holds(ReadFileBytes("err.txt"), "--client takes at most 200 characters"));

  std::string report = ReadFileBytes(Example("spacing-loam-over-sand.out"));
  const std::string title = "Polder De Kolk, loam over fine sand";
  std::string longTitle;
  while (longTitle.size() < 12000)
    longTitle += "very long title " + std::to_string(longTitle.size()) + " ";
  report.replace(report.find(title), title.size(), longTitle);
  WriteFileBytes("long.out", report);
  ASSERT_EQ(Cli("report long.out long.pdf"), 0) << ReadFileBytes("err.txt");
  ASSERT_EQ(std::system("pdftotext -f 1 -l 1 long.pdf first.txt"), 0);
  const std::string first = ReadFileBytes("first.txt");
  EXPECT_TRUE(Holds(first, "very long title 0 ")) << "the title starts on the first page";
}

// The accuracy statement of the note on the method, one paragraph with its Markdown code marks
// taken off.
std::string AccuracyStatementOfTheNote() {
  const std::string note = ReadFileBytes(PUMPFIELD_SOURCE_DIR "/docs/method.md");
  const std::string heading = "## Accuracy statement\n\n";
  const size_t start = note.find(heading) + heading.size();
  std::string statement;
  for (char c : note.substr(start, note.find("\n\n", start) - start))
    if (c != '`')
      statement += c == '\n' ? ' ' : c;
  return statement;
}

// The check's figures beside the report's, its flag, and for a spacing the spacing it needs;
// the method quotes the note's accuracy statement word for word. A report whose well the check
// cannot model still gets its PDF, which says why.
TEST(ReportCommand, IndependentCheckAndTheAccuracyStatement) {
  TempDir dir;
  const std::string statement = AccuracyStatementOfTheNote();
  ASSERT_GT(statement.size(), 200u);
  const struct {
    std::string report;
    std::vector<std::string> words;
  } rows[] = {
      {Example("spacing-loam-over-sand.out"),
       {"Midway between the wells", "1.351", "0.149", "14.9 % flagged",
        "Spacing the check needs for the required depth: 96.3",
        "Flagged: the check differs from the report by more than 5 % of the drawdown.",
        "Achieved midway depth of the water table, Dw minus the final head of the profile (m)."}},
      {Example("spacing-deep-well.out"),
       {"Not flagged: the check agrees with the report within 5 % of the drawdown."}},
      {Example("discharge-loam-over-sand.out"),
       {"Recharge over the well's square share of the field, Q/S² (m/day).", "0.00123"}},
      {Example("field-rectangular.out"),
       {"Midway along the diagonal", "Centre of the cell", "along the diagonal, check"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    ASSERT_EQ(Cli("report " + row.report + " r.pdf"), 0) << ReadFileBytes("err.txt");
    int pages = 0;
    const std::string text = PdfText("r.pdf", pages);
    EXPECT_TRUE(Holds(text, "“" + statement + "”"));
    const size_t section = text.find("Independent check An independent numerical model");
    ASSERT_NE(section, std::string::npos);
    for (const std::string& words : row.words)
      EXPECT_TRUE(Holds(text, words)) << words;
  }
  std::string report = ReadFileBytes(Example("spacing-loam-over-sand.out"));
  report.replace(report.find("0.800"), 5, "0.000");
  WriteFileBytes("no-ka.out", report);
  ASSERT_EQ(Cli("report no-ka.out r.pdf"), 0) << ReadFileBytes("err.txt");
  int pages = 0;
  EXPECT_TRUE(Holds(PdfText("r.pdf", pages),
                    "The check cannot be made for this report: The check cannot model this well"));
}

// The input file beside the report is named and hashed only when it holds the report's inputs.
TEST(ReportCommand, WarnsWhenTheInputFileBesideTheReportDoesNotMatchIt) {
  TempDir dir;
  const std::string input = ReadFileBytes(Example("spacing-loam-over-sand.inp"));
  std::string changed = input;
  changed.replace(changed.rfind("1.50"), 4, "1.60");
  const struct {
    const char* content; // none: no input file
    std::vector<std::string> present, absent;
  } rows[] = {
      {input.c_str(), {"holds these inputs; its SHA-256 is"}, {"does not match this report"}},
      {changed.c_str(),
       {"does not match this report", "Dm is 1.60 in the input file and 1.50 in the report"},
       {"holds these inputs"}},
      {nullptr, {"No input file lies beside the report"}, {"does not match", "holds these"}},
  };
  WriteFileBytes("case.out", ReadFileBytes(Example("spacing-loam-over-sand.out")));
  for (const auto& row : rows) {
    std::remove("case.inp");
    if (row.content)
      WriteFileBytes("case.inp", row.content);
    ASSERT_EQ(Cli("report case.out r.pdf"), 0) << ReadFileBytes("err.txt");
    int pages = 0;
    const std::string text = PdfText("r.pdf", pages);
    for (const std::string& words : row.present)
      EXPECT_TRUE(Holds(text, words)) << words;
    for (const std::string& words : row.absent)
      EXPECT_FALSE(Holds(text, words)) << words;
    EXPECT_TRUE(Holds(
        text, "names its input file as /usr/share/pumpfield/Data/spacing-loam-over-sand.inp"));
    if (row.content) {
      ASSERT_EQ(std::system("sha256sum <case.inp >sha.txt"), 0);
      EXPECT_EQ(Holds(text, ReadFileBytes("sha.txt").substr(0, 64)), row.content == input);
    }
  }
}

// A design asked of the report command runs on the input file that made the report, as the
// design command runs it, and only on that file.
TEST(ReportCommand, HoldsTheDesignOfTheInputFileThatMadeTheReport) {
  TempDir dir;
  const std::string input = ReadFileBytes(Example("spacing-loam-over-sand.inp"));
  WriteFileBytes("case.out", ReadFileBytes(Example("spacing-loam-over-sand.out")));
  WriteFileBytes("case.inp", input);
  const std::string design = " --uncertain Kb2=uniform:6:10 --samples 20 --seed 7";
  ASSERT_EQ(Cli("design case.inp" + design + " --json d.json"), 0) << ReadFileBytes("err.txt");
  const std::string json = ReadFileBytes("d.json");
  const size_t at = json.find("\"design_value\":");
  ASSERT_NE(at, std::string::npos) << json;
  const std::string designValue = json.substr(at + 15, json.find(',', at) - at - 15);

  ASSERT_EQ(Cli("report case.out r.pdf" + design), 0) << ReadFileBytes("err.txt");
  int pages = 0;
  const std::string text = PdfText("r.pdf", pages);
  EXPECT_TRUE(Holds(text, "Design under uncertainty")) << text;
  EXPECT_TRUE(Holds(text, "Kb2=uniform:6:10"));
  EXPECT_TRUE(Holds(text, designValue)) << designValue;

  std::string changed = input;
  changed.replace(changed.rfind("1.50"), 4, "1.60");
  WriteFileBytes("case.inp", changed);
  std::remove("r.pdf");
  EXPECT_EQ(Cli("report case.out r.pdf" + design), 3);
  EXPECT_TRUE(Holds(ReadFileBytes("err.txt"), "Dm is 1.60 in the input file"))
      << ReadFileBytes("err.txt");
  EXPECT_EQ(Cli("report case.out r.pdf --samples 20"), 64);
  EXPECT_FALSE(std::ifstream("r.pdf").good());
}

TEST(GraphCommand, ChoosesTheFormatByExtension) {
  TempDir dir;
  const std::string report = Example("spacing-deep-well.out");
  ASSERT_EQ(Cli("graph " + report + " big.png --scale 3"), 0) << ReadFileBytes("err.txt");
  const std::string png = ReadFileBytes("big.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x07\x4d\0\0\x05\x73", 8)); // 1869 x 1395
  ASSERT_EQ(Cli("graph " + report + " drawing.svg"), 0);
  EXPECT_EQ(ReadFileBytes("drawing.svg").substr(0, 5), "<?xml");
  for (const char* arguments :
       {" big.bmp --scale 2", " big.png --scale 5", " big.png --scale", " x.bmp --figure section",
        " x.svg --figure side", " x.svg --figure plan"})
    EXPECT_EQ(Cli("graph " + report + arguments), 64) << arguments;
  EXPECT_TRUE(Holds(ReadFileBytes("err.txt"), "rectangular well field only"));
}

// Print figures need nothing but the report, and the commands say nothing on standard error.
TEST(GraphCommand, PrintFiguresFromTheReportAloneAndQuietly) {
  TempDir dir;
  // Without a runtime folder in the environment Qt would warn at every start.
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string previous = runtime ? runtime : "";
  ::unsetenv("XDG_RUNTIME_DIR");
  WriteFileBytes("field.out", ReadFileBytes(Example("field-rectangular.out")));
  for (const char* arguments :
       {"field.svg", "field.pdf", "field.png --scale 2", "section.svg --figure section",
        "plan.pdf --figure=plan", "plan.png --figure plan"}) {
    EXPECT_EQ(Cli(std::string("graph field.out ") + arguments), 0) << arguments;
    EXPECT_EQ(ReadFileBytes("err.txt"), "") << arguments;
    EXPECT_TRUE(Holds(ReadFileBytes("out.txt"), "Graph written: ")) << ReadFileBytes("out.txt");
  }
  EXPECT_EQ(ReadFileBytes("section.svg").substr(0, 5), "<?xml");
  EXPECT_EQ(ReadFileBytes("plan.pdf").substr(0, 5), "%PDF-");
  if (runtime)
    ::setenv("XDG_RUNTIME_DIR", previous.c_str(), 1);
}
