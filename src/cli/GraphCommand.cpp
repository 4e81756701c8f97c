#include "cli/GraphCommand.h"

#include "cli/OffscreenApplication.h"
#include "cli/RunCommand.h"
#include "cli/TerminalServices.h"
#include "core/FileNames.h"
#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "export/GraphImages.h"
#include "graph/GraphBitmap.h"
#include "graph/GraphExport.h"
#include "graph/SystemDecimalSeparator.h"

#include <optional>
#include <ostream>
#include <sys/stat.h>

namespace {
const char* const kUsage = "usage: pumpfield-cli graph FILE.out IMAGE.bmp|.png|.svg|.pdf "
                           "[--scale K] [--figure section|plan] [--decimal-separator=.|,]\n"
                           "       --scale 2, 3 or 4 draws a PNG at that many times the size";

// The K of "--scale K" or "--scale=K": 1 to 4; nothing otherwise.
std::optional<int> ScaleOf(const std::string& text) {
  if (text.size() != 1 || text[0] < '1' || text[0] > '0' + kLargestGraphScale)
    return std::nullopt;
  return text[0] - '0';
}

// Why `imageName` must not be written: it is the report, the report's input file, or something
// other than a regular file (a device, a pipe, a folder). Empty for a regular file or a new name.
std::string ImageRefusal(const std::string& imageName, const std::string& reportName) {
  struct stat status;
  if (::stat(imageName.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
    return "\"" + imageName + "\" is not a regular file; the bitmap is not written there.";
  for (const std::string& file : {reportName, ChangeFileExt(reportName, ".inp")})
    if (imageName == file || SameFile(imageName, file))
      return "\"" + imageName + "\" is the file \"" + file +
             "\"; the bitmap would replace it. Give another name for the bitmap.";
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
} // namespace

namespace {
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
    err << "\"" << reportName << "\" has no such figure: " << why << ".\n";
    // Asking for the plan of another aim is a usage error; a report short of a value is not.
    if (kind == FigureKind::Plan && data->aim != Aim::FieldDepths) {
      err << kUsage << '\n';
      return kExitUsage;
    }
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
} // namespace

int GraphCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  char separator = 0;
  bool usable = true;
  std::optional<int> scale;
  std::optional<FigureKind> figure;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::string option = "--decimal-separator=";
    if (argument == "--scale" || argument.rfind("--scale=", 0) == 0) {
      const bool joined = argument.size() > 7;
      const std::string value = joined                     ? argument.substr(8)
                                : i + 1 < arguments.size() ? arguments[++i]
                                                           : std::string();
      usable = usable && !scale && ScaleOf(value);
      scale = ScaleOf(value);
    } else if (argument == "--figure" || argument.rfind("--figure=", 0) == 0) {
      const bool joined = argument.size() > 8;
      const std::string value = joined                     ? argument.substr(9)
                                : i + 1 < arguments.size() ? arguments[++i]
                                                           : std::string();
      usable = usable && !figure && FigureKindOfName(value);
      figure = FigureKindOfName(value);
    } else if (argument.rfind(option, 0) == 0) {
      const std::string value = argument.substr(option.size());
      usable = usable && (value == "." || value == ",");
      separator = value.empty() ? 0 : value[0];
    } else if (argument.empty() || argument[0] == '-') {
      usable = false;
    } else {
      files.push_back(argument);
    }
  }
  const FigureKind kind = figure.value_or(FigureKind::WaterTable);
  // Only a PNG has a size to choose; the bitmap stays the window's picture.
  if (usable && files.size() == 2) {
    const GraphFormat format = GraphFormatOfPath(files[1]);
    if (scale.value_or(1) != 1 && format != GraphFormat::Png)
      usable = false;
    if (kind != FigureKind::WaterTable && format == GraphFormat::Bmp) {
      err << "the cross-section and the plan are drawn as PNG, SVG or PDF: name the picture "
             ".png, .svg or .pdf\n";
      usable = false;
    }
  }
  if (!usable || files.size() != 2) {
    err << kUsage << '\n';
    return kExitUsage;
  }
  const std::string reportName = ExpandFileName(files[0]);
  const std::string imageName = ExpandFileName(files[1]);
  if (const std::string refusal = ImageRefusal(imageName, reportName); !refusal.empty()) {
    err << refusal << '\n';
    return kExitUsage;
  }

  const auto application = OffscreenApplication();
  if (!CanDraw()) {
    err << "Graphs can only be drawn by a program with a graphical user interface\n";
    return kExitInputErrors;
  }
  const GraphFormat format = GraphFormatOfPath(imageName);
  const char decimalSeparator = separator ? separator : SystemDecimalSeparator();
  if (kind != FigureKind::WaterTable || !IsScreenBitmap(format, scale.value_or(1)))
    return WritePrintFigure(reportName, imageName, scale.value_or(1), kind, decimalSeparator, out,
                            err);

  const char previousSeparator = DecimalSeparator();
  SetDecimalSeparator(decimalSeparator);
  TerminalServices services(out);
  ScopedDataModule module;
  std::string errorText;
  GraphExportResult result = GraphExportResult::ReportUnreadable;
  // A corrupt input file beside the report has had its message: nothing is drawn for it.
  if (LoadReportGraph(reportName, errorText) && !services.quitRequested)
    result = SaveLoadedGraph(imageName, errorText, format == GraphFormat::Png ? "PNG" : "BMP");
  SetDecimalSeparator(previousSeparator);
  if (services.quitRequested)
    return kExitBadInputFile;
  if (result != GraphExportResult::Written) {
    err << errorText << '\n';
    return ExitStatusOf(result);
  }
  out << "Graph written: " << imageName << '\n';
  return kExitReportWritten;
}
