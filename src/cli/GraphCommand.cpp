#include "cli/GraphCommand.h"

#include "cli/Commands.h"
#include "cli/OffscreenApplication.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "export/GraphImages.h"
#include "graph/GraphBitmap.h"
#include "graph/GraphExport.h"
#include "graph/SystemDecimalSeparator.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <ostream>
#include <sys/stat.h>

namespace {
const char* const kSummary =
    "Draw the water-table graph of a report like \"Make graph\" and save it as a 623 x 465 "
    "bitmap like \"Save graph\"; no display is needed. The extension chooses the format: .png "
    "has the bitmap's pixels, or with --scale 2, 3 or 4 is the print figure at that many times "
    "the size; .svg and .pdf are the print figure with real lines and text, drawn from the "
    "report alone; any other extension gives the bitmap. --figure section draws a cross-section "
    "between two wells, --figure plan the plan of a rectangular well field (as .png, .svg or "
    ".pdf). The numbers use the decimal separator of the desktop's locale, as the window does, "
    "unless one is given.";

struct GraphArguments {
  std::string report, image, scale, figure, separator;
};

// Why `imageName` must not be written: it is the report, the report's input file, or something
// other than a regular file (a device, a pipe, a folder). Empty for a regular file or a new name.
std::string ImageRefusal(const std::string& imageName, const std::string& reportName) {
  const std::string picture =
      GraphFormatOfPath(imageName) == GraphFormat::Bmp ? "bitmap" : "picture";
  struct stat status;
  if (::stat(imageName.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
    return "\"" + imageName + "\" is not a regular file; the " + picture + " is not written there.";
  for (const std::string& file : {reportName, ChangeFileExt(reportName, ".inp")})
    if (imageName == file || SameFile(imageName, file))
      return "\"" + imageName + "\" is the file \"" + file + "\"; the " + picture +
             " would replace it. Give another name for the " + picture + ".";
  return std::string();
}

int ExitStatusOf(GraphExportResult result) {
  switch (result) {
  case GraphExportResult::Written:
    return kExitReportWritten;
  case GraphExportResult::ReportUnreadable:
    return kExitBadInputFile;
  case GraphExportResult::ImageNotWritten:
    break;
  }
  return kExitInputErrors;
}

// The print figure `kind` of the report, read from the report alone, written to `imageName`.
int WritePrintFigure(const std::string& reportName, const std::string& imageName, int scale,
                     FigureKind kind, char separator, std::ostream& out, std::ostream& err) {
  std::string errorText;
  std::optional<FigureData> data = ReadFigureData(reportName, errorText);
  if (!data) {
    err << errorText << '\n';
    return kExitBadInputFile;
  }
  if (const std::string why = FigureUnavailable(kind, *data); !why.empty()) {
    const std::string problem = "\"" + reportName + "\" has no such figure: " + why;
    // Asking for the plan of another aim is a usage error; a report short of a value is not.
    if (kind == FigureKind::Plan && data->aim != Aim::FieldDepths)
      throw UsageError(problem);
    err << problem << ".\n";
    return kExitBadInputFile;
  }
  data->decimalSeparator = separator;
  const QByteArray bytes = FigureFileBytes(GraphFormatOfPath(imageName), scale, kind, *data);
  if (!SaveGraphFile(bytes, imageName, errorText)) {
    err << errorText << '\n';
    return kExitInputErrors;
  }
  out << "Graph written: " << imageName << '\n';
  return kExitReportWritten;
}

int Graph(const GraphArguments& graph, std::ostream& out, std::ostream& err) {
  const int scale =
      graph.scale.empty() ? 1 : WholeNumberOption("--scale", graph.scale, 1, kLargestGraphScale);
  const GraphFormat format = GraphFormatOfPath(graph.image);
  // Only a PNG has a size to choose; the bitmap stays the window's picture.
  if (scale != 1 && format != GraphFormat::Png)
    throw UsageError("--scale draws a PNG at that many times the size; \"" + graph.image +
                     "\" is no .png");
  const std::optional<FigureKind> kind =
      graph.figure.empty() ? FigureKind::WaterTable : FigureKindOfName(graph.figure);
  if (!kind)
    throw UsageError("--figure takes section or plan");
  if (kind != FigureKind::WaterTable && format == GraphFormat::Bmp)
    throw UsageError("the cross-section and the plan are drawn as PNG, SVG or PDF: name the "
                     "picture .png, .svg or .pdf");
  if (!graph.separator.empty() && graph.separator != "." && graph.separator != ",")
    throw UsageError("--decimal-separator takes . or ,");
  const char separator = graph.separator.empty() ? 0 : graph.separator[0];
  const std::string reportName = ExpandFileName(graph.report);
  const std::string imageName = ExpandFileName(graph.image);
  if (const std::string refusal = ImageRefusal(imageName, reportName); !refusal.empty())
    throw UsageError(refusal);

  const auto application = OffscreenApplication();
  if (!CanDraw()) {
    err << "Graphs can only be drawn by a program with a graphical user interface\n";
    return kExitInputErrors;
  }
  const char decimalSeparator = separator ? separator : SystemDecimalSeparator();
  if (kind != FigureKind::WaterTable || !IsScreenBitmap(format, scale))
    return WritePrintFigure(reportName, imageName, scale, *kind, decimalSeparator, out, err);

  TerminalServices services(out);
  TDMPumpfield dm(&services);
  std::string errorText;
  GraphExportResult result = GraphExportResult::ReportUnreadable;
  // A corrupt input file beside the report has had its message: nothing is drawn for it.
  if (LoadReportGraph(dm, reportName, errorText) && !services.quitRequested)
    result = SaveLoadedGraph(dm, decimalSeparator, imageName, errorText,
                             format == GraphFormat::Png ? "PNG" : "BMP");
  if (services.quitRequested)
    return kExitBadInputFile;
  if (result != GraphExportResult::Written) {
    err << errorText << '\n';
    return ExitStatusOf(result);
  }
  out << "Graph written: " << imageName << '\n';
  return kExitReportWritten;
}
} // namespace

void AddGraphCommand(CommandSet& commands) {
  auto graph = std::make_shared<GraphArguments>();
  CLI::App& command = commands.Add(
      "graph", kSummary, kFileWrittenStatuses,
      [graph](std::ostream& out, std::ostream& err) { return Graph(*graph, out, err); });
  AddFileArgument(command, "FILE.out", graph->report, "the report");
  AddFileArgument(command, "IMAGE.bmp|.png|.svg|.pdf", graph->image,
                  "the picture to write; it may not be the report or its input file");
  AddValueOption(command, "--scale", graph->scale, "K",
                 "draw the print figure as a PNG at 2, 3 or 4 times the size (1: the bitmap's "
                 "pixels)");
  AddValueOption(command, "--figure", graph->figure, "section|plan",
                 "draw a cross-section between two wells, or the plan of a rectangular well "
                 "field, instead of the water table");
  AddValueOption(command, "--decimal-separator", graph->separator, ".|,",
                 "the decimal separator of the numbers (default: the desktop's)");
}
