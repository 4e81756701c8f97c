// Hand-made output reports in the layouts the report readers rely on, with the input file of
// the same name, for the graph export tests.
#pragma once

#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"

#include <string>
#include <vector>

struct ReportRow {
  double x, f, g;
};

inline std::string ReportHead(const std::string& title1, const std::string& title2,
                              const std::string& kindLine, const std::string& path) {
  std::string text = "\r\n Pumpfield, by Quorvath\r\n";
  for (int line = 3; line <= 8; ++line)
    text += " Introduction line " + std::to_string(line) + "\r\n";
  text += "\r\n  " + title1 + "\r\n  " + title2 + "\r\n\r\n";
  text += " Name of input file used:  " + path + ".inp\r\n";
  text += " Name of this output file: " + path + ".out\r\n\r\n";
  text += kindLine + "\r\n\r\n";
  text += " Time average recharge or discharge         R    (m/day) :      0.0020\r\n";
  return text;
}

inline std::string ReportTable(const std::string& marker, const std::vector<ReportRow>& rows) {
  std::string text = "\r\n Output sequence (see also the Symbols button):\r\n";
  text += "   X       F         G/p\r\n" + marker + "\r\n";
  for (const ReportRow& row : rows)
    text +=
        FormatFixed(row.x, 6, 2) + FormatFixed(row.f, 10, 4) + FormatFixed(row.g, 10, 4) + "\r\n";
  return text + " #\r\n";
}

inline void WriteInputFile(const std::string& path, const std::string& code, double sa, double sb) {
  TDMPumpfield input;
  input.Title1 = "Input  title one";
  input.Title2 = "Input title two";
  input.AimCode = code;
  input.Params = {0.002, 2, 10, 3, 8, 0.5, 0.3, 1, 2, 0.5, 5, 1, sa, sb};
  input.SaveInputFile(path);
}
