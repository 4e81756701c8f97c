// The calculation report: an A4 PDF document of an output report to file with a design. It holds
// the titles, the aim, the date and time, the program version, the report and input files with
// their SHA-256, the inputs, the results with the search's outcome, the graph as a drawing, the
// profile tables and page numbers. Needs a QGuiApplication.
#pragma once

#include "data/ReportContent.h"

#include <QByteArray>
#include <QDateTime>

#include <string>

// The facts about the files that the document names.
struct ReportFacts {
  std::string reportPath;   // full name of the output report
  std::string reportSha256; // hexadecimal
  std::string inputPath;    // full name of the input file beside it
  std::string inputSha256;  // empty when that file cannot be read
  QDateTime printed;
};

// The PDF bytes. The graph is drawn from the tables and parameter set that DMPumpfield holds;
// without a data module the document has no graph.
QByteArray CalculationReportPdf(const ReportContent& report, const ReportFacts& facts);

enum class CalculationReportResult { Written, ReportUnreadable, NotWritten };

// Reads the report at `reportPath` and writes its calculation report to `pdfPath`, with a data
// module of its own for the graph (the one in force is left as it was). `errorText` tells why
// when the result is not Written.
CalculationReportResult WriteCalculationReport(const std::string& reportPath,
                                               const std::string& pdfPath, std::string& errorText);
