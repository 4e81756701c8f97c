#include "core/Csv.h"

#include <gtest/gtest.h>

TEST(Csv, QuotesOnlyFieldsThatNeedIt) {
  EXPECT_EQ(CsvLine({"a.inp", "", "1.5"}), "a.inp,,1.5");
  EXPECT_EQ(CsvLine({"x,y", "say \"hi\"", "two\nlines"}),
            "\"x,y\",\"say \"\"hi\"\"\",\"two\nlines\"");
  EXPECT_EQ(CsvText({{"a", "b"}, {"1"}}), "a,b\r\n1\r\n");
}

// A spreadsheet runs a cell that starts with =, +, - or @ as a formula (a tab or a carriage
// return in front does not stop it); numbers must stay numbers.
TEST(Csv, TextsThatWouldStartAFormulaGetAQuoteNumbersStayNumbers) {
  const struct {
    const char* field;
    const char* written;
  } rows[] = {
      {"=1+2.inp", "'=1+2.inp"},
      {"@SUM(1)", "'@SUM(1)"},
      {"+cmd", "'+cmd"},
      {"-2+3", "'-2+3"},
      {"\t=1", "'\t=1"},
      {"\r=1", "\"'\r=1\""},
      {"=HYPERLINK(\"x\",\"y\")", "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},
      {"-0.604", "-0.604"},
      {"+1.5E3", "+1.5E3"},
      {"103.33", "103.33"},
      {"a=b", "a=b"},
      {"", ""},
  };
  for (const auto& row : rows)
    EXPECT_EQ(CsvLine({row.field}), row.written) << row.field;
}
