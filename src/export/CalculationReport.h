// The calculation sheet: an A4 PDF document of an output report to hand to a client. A title
// block, then the sections in order: summary, input data with the check of the input file,
// method and assumptions, the figures (cross-section, plan of a rectangular field, water table),
// the independent check of the design and the profile tables, with numbered figures and tables
// and page numbers. Needs a QGuiApplication.
#pragma once

#include "data/ReportContent.h"
#include "export/InputCheck.h"
#include "study/Design.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>
#include <string>
#include <vector>

// Who the sheet is for and by whom, in UTF-8; any field may be empty.
struct ReportTitleBlock {
  std::string project, client, engineer, checkedBy, revision;
};
// The longest text a title-block field takes, in bytes.
inline constexpr size_t kLongestTitleBlockField = 200;

// A design under uncertainty run on the report's input file, for its own section.
struct ReportDesign {
  DesignSummary summary;
  std::vector<std::string> uncertain; // as given: "Kb2=uniform:6:10"
};

// The facts about the files that the document names.
struct ReportFacts {
  std::string reportPath;   // full name of the output report
  std::string reportSha256; // hexadecimal
  InputCheck input;         // the input file beside the report
  std::string inputSha256;  // of that file, when it holds the report's inputs
  ReportTitleBlock titleBlock;
  QDateTime generated;
  std::optional<ReportDesign> design; // the section "Design under uncertainty" when set
};

// The PDF bytes; everything is drawn from `report` and `facts`.
QByteArray CalculationReportPdf(const ReportContent& report, const ReportFacts& facts);

enum class CalculationReportResult { Written, ReportUnreadable, NotWritten };

// Reads the report at `reportPath` and writes its calculation sheet to `pdfPath`. `errorText`
// tells why when the result is not Written.
CalculationReportResult WriteCalculationReport(const std::string& reportPath,
                                               const std::string& pdfPath,
                                               const ReportTitleBlock& titleBlock,
                                               std::string& errorText,
                                               const std::optional<ReportDesign>& design = {});
