#include "cli/CheckCommand.h"

#include "check/ReportCheck.h"
#include "core/FileNames.h"
#include "core/JsonFile.h"
#include "core/TextFormat.h"
#include "export/ExportTarget.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cmath>
#include <memory>
#include <optional>
#include <ostream>

namespace {
const char* const kSummary =
    "Check a report of any aim against an independent numerical model of one well cell "
    "(method.md in the documentation tells how): the water-table depth midway between "
    "neighbouring wells (for a rectangular field along each of the three lines) and at the centre "
    "of the cell, the report's depth, their difference in m and as a share of the drawdown, "
    "flagged above 5 %, and for a spacing the spacing the check needs for the required depth.";
const char* const kExitStatuses =
    "0 the check was made, flagged or not; 1 the JSON file cannot be "
    "written; 3 the report cannot be read or checked; 64 usage error.";

struct CheckArguments {
  std::string report, json;
};

// Short JSON keys of the rectangular field's three lines, in the report's order.
const char* const kFieldLineKeys[3] = {"longer_spacing", "shorter_spacing", "diagonal"};

std::string AimKey(Aim aim) {
  switch (aim) {
  case Aim::Spacing:
    return "spacing";
  case Aim::Discharge:
    return "discharge";
  case Aim::FieldDepths:
    return "field_depths";
  case Aim::Conductivity:
    break;
  }
  return "conductivity";
}

// `value` to `decimals` decimals: the nearest double to the decimal, so that the JSON shows
// 1.4 and not 1.4000000000000001; adding 0 turns a rounded −0 into 0.
double Rounded(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale + 0.0;
}

std::string Fixed(double value, int width, int decimals) {
  return FormatFixed(Rounded(value, decimals), width, decimals);
}

std::string Metres(double value) { return Fixed(value, 8, 3); }

void PrintCheck(std::ostream& out, const std::string& reportName, Aim aim,
                const DesignCheck& check) {
  out << "Independent check of \"" << VisibleFileName(reportName) << "\" (" << AimInWords(aim)
      << ")\n"
      << "Water-table depth (m)            check   report  difference  of drawdown\n";
  for (const CheckedDepth& depth : check.depths) {
    std::string line = "  " + depth.reported.line;
    line.resize(std::max<size_t>(line.size(), 30), ' ');
    out << line << Metres(depth.depth) << ' ' << Metres(depth.reported.depth) << "    "
        << Metres(depth.difference) << Fixed(100 * depth.ofDrawdown, 11, 1) << " %"
        << (depth.flagged ? "  flagged" : "") << '\n';
  }
  out << "  centre of the cell          " << Metres(check.centreDepth) << '\n';
  if (aim == Aim::Spacing)
    out << "Spacing the check needs for the required depth: "
        << (check.spacingNeeded ? Fixed(*check.spacingNeeded, 1, 2) + " m"
                                : std::string("none (no spacing the check can model reaches it)"))
        << '\n';
  out << "Head at the screen face: " << Fixed(check.screenFaceHead, 1, 4) << " m in the check, "
      << Fixed(check.reportFirstHead, 1, 4) << " m in the report's first row.\n"
      << "A positive difference: the check's water table stands higher than the report's.\n";
  if (check.flagged)
    out << "Flagged: the check differs from the report by more than "
        << Fixed(100 * kFlaggedShareOfDrawdown, 1, 0) << " % of the drawdown.\n";
}

Json CheckJson(Aim aim, const DesignCheck& check) {
  Json json;
  json["aim"] = AimKey(aim);
  const bool field = aim == Aim::FieldDepths;
  // One number for a report of one line, one per line of a rectangular field.
  auto perLine = [&](int decimals, auto value) {
    Json result;
    for (size_t i = 0; i < check.depths.size(); ++i) {
      const double rounded = Rounded(value(check.depths[i]), decimals);
      if (field)
        result[kFieldLineKeys[i]] = rounded;
      else
        result = rounded;
    }
    return result;
  };
  json["midway_depth"] = perLine(4, [](const CheckedDepth& d) { return d.depth; });
  json["centre_depth"] = Rounded(check.centreDepth, 4);
  json["report_depth"] = perLine(4, [](const CheckedDepth& d) { return d.reported.depth; });
  json["difference"] = perLine(4, [](const CheckedDepth& d) { return d.difference; });
  json["difference_of_drawdown"] = perLine(4, [](const CheckedDepth& d) { return d.ofDrawdown; });
  if (aim == Aim::Spacing)
    json["spacing_needed"] = check.spacingNeeded ? Json(Rounded(*check.spacingNeeded, 2)) : nullptr;
  json["flag"] = check.flagged;
  json["screen_face_head"] = Rounded(check.screenFaceHead, 4);
  json["report_first_head"] = Rounded(check.reportFirstHead, 4);
  return json;
}

int Check(const CheckArguments& arguments, std::ostream& out, std::ostream& err) {
  const std::string reportName = ExpandFileName(arguments.report);
  const std::string jsonName = arguments.json.empty() ? "" : ExpandFileName(arguments.json);
  std::string errorText;
  if (!jsonName.empty() && ReplacesReportOrInput(jsonName, reportName, errorText))
    throw UsageError(errorText);
  const auto report = ReadReport(reportName, errorText);
  const auto check = report ? CheckReport(*report, errorText) : std::nullopt;
  if (!check) {
    err << errorText << '\n';
    return kExitBadInputFile;
  }
  PrintCheck(out, reportName, *report->aim, *check);
  if (arguments.json.empty())
    return kExitReportWritten;
  if (!WriteJsonFile(jsonName, CheckJson(*report->aim, *check), errorText)) {
    err << errorText << '\n';
    return kExitInputErrors;
  }
  out << "Check written: " << jsonName << '\n';
  return kExitReportWritten;
}
} // namespace

void AddCheckCommand(CommandSet& commands) {
  auto arguments = std::make_shared<CheckArguments>();
  CLI::App& command = commands.Add(
      "check", kSummary, kExitStatuses,
      [arguments](std::ostream& out, std::ostream& err) { return Check(*arguments, out, err); });
  AddFileArgument(command, "FILE.out", arguments->report, "the report");
  AddValueOption(command, "--json", arguments->json, "CHECK.json",
                 "write the check to this JSON file too");
}
