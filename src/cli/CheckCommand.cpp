#include "cli/CheckCommand.h"

#include "check/CheckText.h"
#include "check/ReportCheck.h"
#include "core/FileNames.h"
#include "core/JsonFile.h"
#include "core/TextFormat.h"
#include "data/ReportMeaning.h"
#include "export/ExportTarget.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

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

Json CheckJson(const ReportContent& report, const DesignCheck& check) {
  const Aim aim = *report.aim;
  Json json;
  json["aim"] = AimKey(aim);
  const bool field = aim == Aim::FieldDepths;
  // One number for a report of one line, one per line of a rectangular field.
  auto perLine = [&](int decimals, auto value) {
    Json result;
    for (size_t i = 0; i < check.depths.size(); ++i) {
      const double rounded = RoundedTo(value(check.depths[i]), decimals);
      if (field)
        result[kFieldLineKeys[i]] = rounded;
      else
        result = rounded;
    }
    return result;
  };
  json["midway_depth"] = perLine(4, [](const CheckedDepth& d) { return d.depth; });
  json["centre_depth"] = RoundedTo(check.centreDepth, 4);
  json["report_depth"] = perLine(4, [](const CheckedDepth& d) { return d.reported.depth; });
  json["difference"] = perLine(4, [](const CheckedDepth& d) { return d.difference; });
  json["difference_of_drawdown"] = perLine(4, [](const CheckedDepth& d) { return d.ofDrawdown; });
  if (aim == Aim::Spacing)
    json["spacing_needed"] =
        check.spacingNeeded ? Json(RoundedTo(*check.spacingNeeded, 2)) : nullptr;
  json["flag"] = check.flagged;
  json["screen_face_head"] = RoundedTo(check.screenFaceHead, 4);
  json["report_first_head"] = RoundedTo(check.reportFirstHead, 4);
  if (const auto achieved = AchievedMidwayDepth(report))
    json["achieved_depth"] = RoundedTo(*achieved, 4);
  if (const auto recharge = SquareShareRecharge(report))
    json["recharge_over_square_share"] = RoundedTo(*recharge, 6);
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
  out << CheckText(reportName, *report, *check);
  if (arguments.json.empty())
    return kExitReportWritten;
  if (!WriteJsonFile(jsonName, CheckJson(*report, *check), errorText)) {
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
                 "write the check to this JSON file too, with the midway depth the report's "
                 "final profile reaches (achieved_depth) and for a discharge the recharge over "
                 "the well's square share Q/S^2 (recharge_over_square_share)");
}
