// pumpfield-cli check: the well-cell model's depths beside a report's, on the command line and
// in the JSON file.
#include "CliTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

namespace {
std::string Example(const std::string& name) {
  return std::string(PUMPFIELD_SOURCE_DIR) + "/Data/" + name;
}

std::string Golden(const std::string& name) {
  return std::string(PUMPFIELD_TEST_DATA) + "/golden/" + name;
}

nlohmann::json CheckJson(const std::string& report) {
  const CliRun run = Call("check", {report, "--json", "check.json"});
  EXPECT_EQ(run.status, 0) << run.err;
  return nlohmann::json::parse(ReadFileBytes("check.json"));
}

std::set<std::string> Keys(const nlohmann::json& json) {
  std::set<std::string> keys;
  for (const auto& item : json.items())
    keys.insert(item.key());
  return keys;
}
} // namespace

// The spacings of a fully penetrating well in one aquifer and of a partially penetrating one
// below loam: as it is, twenty times less permeable vertically, and with the loam down to 10 m.
// Each partially penetrating design is optimistic: the check's water table stands higher and
// its wells closer.
TEST(CheckCommand, FindsTheWaterTableOfEachSpacingDesign) {
  TempDir dir;
  const struct {
    std::string report;
    const char* spacing;
    double drawdown, midwayDepth, ofDrawdown;
    bool flag;
  } rows[] = {{Example("spacing-deep-well.out"), "270.14", 2.2, 1.766, 0.015, false},
              {Example("spacing-loam-over-sand.out"), "103.33", 1, 1.351, 0.149, true},
              {Golden("spacing-loam-over-sand-anisotropic.out"), "101.94", 1, 1.217, 0.283, true},
              {Golden("spacing-loam-over-sand-thick-loam.out"), "86.18", 1, 0.726, 0.774, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    const std::string spacingLine =
        " is : " + std::string(8 - std::strlen(row.spacing), ' ') + row.spacing + "\r\n";
    ASSERT_NE(ReadFileBytes(row.report).find(spacingLine), std::string::npos);
    const nlohmann::json json = CheckJson(row.report);
    EXPECT_NEAR(json["midway_depth"], row.midwayDepth, 0.03);
    EXPECT_NEAR(json["difference_of_drawdown"], row.ofDrawdown, 0.03 / row.drawdown);
    EXPECT_NEAR(json["difference"], double(json["report_depth"]) - double(json["midway_depth"]),
                0.00015);
    EXPECT_EQ(json["flag"], row.flag);
    EXPECT_LT(json["spacing_needed"], std::stod(row.spacing));
    EXPECT_NEAR(json["screen_face_head"], json["report_first_head"], 0.001);
  }
}

TEST(CheckCommand, WritesTheKeysOfEachAim) {
  TempDir dir;
  const std::set<std::string> common = {
      "aim",          "midway_depth",     "centre_depth",
      "report_depth", "difference",       "difference_of_drawdown",
      "flag",         "screen_face_head", "report_first_head"};
  const struct {
    std::string report, aim;
    double reportDepth;
  } rows[] = {{Example("spacing-loam-over-sand.out"), "spacing", 1.5},
              {Example("discharge-loam-over-sand.out"), "discharge", 1.5},
              {Example("conductivity-observed-field.out"), "conductivity", 1.4},
              {Example("field-rectangular.out"), "field_depths", 0.604}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    const nlohmann::json json = CheckJson(row.report);
    std::set<std::string> keys = common;
    if (row.aim == "spacing")
      keys.insert("spacing_needed");
    // What the report's figures stand for: the depth its final profile reaches where it gives
    // the required one, and the recharge over the well's square share beside the intensity.
    if (row.aim != "field_depths")
      keys.insert("achieved_depth");
    if (row.aim == "discharge") {
      keys.insert("recharge_over_square_share");
      EXPECT_EQ(json["recharge_over_square_share"], 0.001227);
      EXPECT_EQ(json["achieved_depth"], 1.5003);
    }
    EXPECT_EQ(Keys(json), keys);
    EXPECT_EQ(json["aim"], row.aim);
    if (row.aim != "field_depths") {
      EXPECT_EQ(json["report_depth"], row.reportDepth);
      continue;
    }
    for (const char* key : {"midway_depth", "report_depth", "difference", "difference_of_drawdown"})
      EXPECT_EQ(Keys(json[key]),
                (std::set<std::string>{"longer_spacing", "shorter_spacing", "diagonal"}))
          << key;
    EXPECT_EQ(json["report_depth"]["longer_spacing"], row.reportDepth);
    // The diagonal's midway point is the centre of the cell.
    EXPECT_EQ(json["midway_depth"]["diagonal"], json["centre_depth"]);
  }
}

TEST(CheckCommand, RefusesWhatItCannotDo) {
  TempDir dir;
  const std::string report = ReadFileBytes(Example("spacing-loam-over-sand.out"));
  WriteFileBytes("case.out", report);
  WriteFileBytes("case.inp", ReadFileBytes(Example("spacing-loam-over-sand.inp")));
  std::string withoutKa = report;
  const size_t ka = withoutKa.find("0.800");
  withoutKa.replace(ka, 5, "0.000");
  WriteFileBytes("no-ka.out", withoutKa);
  const struct {
    const char* arguments;
    int status;
  } rows[] = {{"", 64},
              {"case.out other.out", 64},
              {"case.out --json", 64},
              {"case.out --json=", 64},
              {"case.out --json a.json --json b.json", 64},
              {"case.out --grid 10", 64},
              {"missing.out", 3},
              {"case.inp", 3},
              {"no-ka.out", 3},
              {"case.out --json no/folder/c.json", 1},
              {"case.out --json case.out", 64},
              {"case.out --json case.inp", 64},
              {"case.out --json=c.json", 0}};
  for (const auto& row : rows)
    EXPECT_EQ(Cli(std::string("check ") + row.arguments), row.status) << row.arguments;
  EXPECT_EQ(ReadFileBytes("case.out"), report);
  EXPECT_NE(ReadFileBytes("out.txt").find("Check written: " + dir.file("c.json")),
            std::string::npos);
  EXPECT_EQ(Cli("check no-ka.out"), 3);
  EXPECT_NE(ReadFileBytes("err.txt").find("The check cannot model this well: no water can flow"),
            std::string::npos)
      << ReadFileBytes("err.txt");
}
