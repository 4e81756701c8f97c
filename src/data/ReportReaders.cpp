// Reading an output report back: all its lines for display, or its titles, tag and profile
// tables for the graph. The graph's reading walks the report's lines by counting them, with the
// report's own markers, end lines and rows. A report is taken whole or not at all: a malformed
// one raises ReportFormatError and leaves the data module as it was.
#include "data/UDMPumpfield.h"

#include "core/TextFile.h"
#include "data/ReportContent.h"

#include <cstddef>
#include <optional>

namespace {
const std::string kTableMarker = kTableMarkerText;
const std::string kTableEnd = kTableEndText;
constexpr int32_t kMaxTableRows = 255;

struct Table {
  DataSetR x, f, g;
  int32_t count = 0;
};

// Every run of blanks shortened to one blank, in one pass.
std::string CollapseBlanks(const std::string& text) {
  std::string collapsed;
  collapsed.reserve(text.size());
  for (const char c : text)
    if (c != ' ' || collapsed.empty() || collapsed.back() != ' ')
      collapsed += c;
  return collapsed;
}

// The report's lines with a cursor, read the way the tables are searched.
class ReportCursor {
public:
  ReportCursor(const std::string& path, std::vector<std::string> lines)
      : path_(path), lines_(std::move(lines)) {}

  void Rewind() { next_ = 0; }
  std::string ReadLine() { return next_ < lines_.size() ? lines_[next_++] : std::string(); }
  void SkipLines(size_t count) {
    for (size_t i = 0; i < count; ++i)
      ReadLine();
  }

  // Moves past the next table marker.
  void SkipPastMarker() {
    while (next_ < lines_.size()) {
      if (IsTableMarker(lines_[next_++]))
        return;
    }
    throw ReportFormatError(NotDrawable("no table marker \"" + kTableMarker + "\" was found"));
  }

  // The number of lines from here up to and including the next table end line.
  int32_t CountThroughEndLine() {
    for (size_t i = next_; i < lines_.size(); ++i)
      if (IsTableEnd(lines_[i])) {
        const size_t count = i - next_ + 1;
        next_ = i + 1;
        return static_cast<int32_t>(count);
      }
    throw ReportFormatError(NotDrawable("a table has no end line \"" + kTableEnd + "\""));
  }

  // Reads `count` rows of three numbers (distance, head, gradient) into `table`.
  void ReadRows(int32_t count, Table& table) {
    if (count < 0)
      throw ReportFormatError(NotDrawable("a table has no marker \"" + kTableMarker + "\""));
    table.count = count;
    if (count > kMaxTableRows)
      throw ReportFormatError("The file \"" + path_ + "\" holds a table of " +
                              std::to_string(count) + " rows; at most " +
                              std::to_string(kMaxTableRows) + " rows can be drawn.");
    if (count <= 0)
      return; // a table without rows leaves the arrays as they were
    table.x.assign(count, 0.0);
    table.f.assign(count, 0.0);
    table.g.assign(count, 0.0);
    for (int32_t index = 0; index < count; ++index) {
      const size_t lineNumber = next_ + 1;
      const std::optional<TableRow> row = ReadTableRow(ReadLine());
      if (!row)
        throw ReportFormatError("The file \"" + path_ + "\" could not be read: line " +
                                std::to_string(lineNumber) +
                                " should hold a distance, a head and a gradient.");
      table.x[index] = row->numbers[0];
      table.f[index] = row->numbers[1];
      table.g[index] = row->numbers[2];
    }
  }

private:
  std::string NotDrawable(const std::string& why) const {
    return "The file \"" + path_ + "\" is not an output report that can be drawn: " + why + ".";
  }

  std::string path_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
};

void Commit(Table& from, DataSetR& x, DataSetR& f, DataSetR& g, int32_t& count) {
  count = from.count;
  if (from.count > 0) {
    x = std::move(from.x);
    f = std::move(from.f);
    g = std::move(from.g);
  }
}

std::optional<std::vector<std::string>> ReadAllLines(TDMPumpfield& dm, const std::string& path) {
  TextReader file(path);
  if (!file.opened()) {
    dm.ShowMessage(file.FailureMessage(CouldNotOpenDamagedMessage(path)));
    return std::nullopt;
  }
  return file.ReadLines();
}
} // namespace

void TDMPumpfield::LoadOutputLines(const std::string& FileName) {
  auto lines = ReadAllLines(*this, FileName);
  if (!lines)
    return;
  OutputLineCount = static_cast<int32_t>(lines->size());
  if (!lines->empty())
    OutputLines = std::move(*lines);
}

void TDMPumpfield::LoadGraphData(const std::string& FileName) {
  auto lines = ReadAllLines(*this, FileName);
  if (!lines)
    return;
  ReportCursor report(FileName, std::move(*lines));

  report.SkipLines(kTitleLineIndex);
  const std::string title1 = CollapseBlanks(report.ReadLine());
  const std::string title2 = CollapseBlanks(report.ReadLine());
  report.SkipLines(kTagLineIndex - kTitleLineIndex - 2);
  std::string tag = report.ReadLine().substr(0, 4);

  Table first, second, third;
  report.SkipPastMarker();
  const int32_t firstCount = report.CountThroughEndLine() - 1;
  report.Rewind();
  report.SkipPastMarker();
  report.ReadRows(firstCount, first);

  bool rectangular = tag == kRectangularReportTag;
  if (rectangular) {
    // After the first table: " #", head line, depth line, " #", an empty line, then the
    // "Output sequence" line of the next table, unless the report ends here.
    report.SkipLines(5);
    if (report.ReadLine().empty()) {
      tag.clear();
      rectangular = false;
    }
  }
  if (rectangular) {
    report.SkipLines(1);
    const int32_t secondCount = report.CountThroughEndLine() - 2;
    report.Rewind();
    report.SkipPastMarker();
    report.SkipPastMarker();
    report.ReadRows(secondCount, second);

    report.SkipPastMarker();
    const int32_t thirdCount = report.CountThroughEndLine() - 1;
    report.Rewind();
    for (int marker = 0; marker < 3; ++marker)
      report.SkipPastMarker();
    report.ReadRows(thirdCount, third);
  }

  Title1 = title1;
  Title2 = title2;
  ReportTag = tag;
  Commit(first, Table1X, Table1F, Table1G, Count1);
  if (rectangular) {
    Commit(second, Table2X, Table2F, Table2G, Count2);
    Commit(third, Table3X, Table3F, Table3G, Count3);
  }
}
