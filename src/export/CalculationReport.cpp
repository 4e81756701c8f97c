#include "export/CalculationReport.h"

#include "core/FileNames.h"
#include "core/TextFormat.h"
#include "core/Version.h"
#include "data/UDMPumpfield.h"
#include "graph/GraphBitmap.h"
#include "graph/GraphDrawing.h"
#include "graph/UWellUtils.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

namespace {
// Device units per inch: a tenth of a point, fine enough for text placed in fractions.
constexpr int kResolution = 720;
constexpr double Mm(double millimetres) { return millimetres * kResolution / 25.4; }

const QColor kInk(0, 0, 0);
const QColor kMuted(90, 90, 90);
const QColor kRule(150, 150, 150);
const QColor kShade(236, 239, 246);
const QColor kWarning(170, 0, 0);

// Reports are single-byte text.
QString Q(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QFont Font(double points, bool bold = false) {
  QFont font("Arial");
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

struct Column {
  QString heading;
  double width; // millimetres
  Qt::Alignment alignment = Qt::AlignLeft;
  bool breakAnywhere = false; // for file names and hashes, which have no blanks
};
using Row = std::vector<QString>;

// A4 pages filled from the top: blocks that do not fit on the rest of a page start the next
// one, and every page gets its footer with the page number.
class Pages {
public:
  Pages(QPdfWriter& pdf, int pageCount, const QString& footer)
      : pdf_(pdf), painter_(&pdf), pageCount_(pageCount), footer_(footer) {
    right_ = pdf.width() - Mm(20);
    bottom_ = pdf.height() - Mm(22);
    y_ = top_;
  }

  QPainter& painter() { return painter_; }
  double width() const { return right_ - left_; }
  int page() const { return page_; }

  void Space(double millimetres) { y_ += Mm(millimetres); }

  void Text(const QString& text, const QFont& font, const QColor& colour = kInk,
            double spaceAfter = 1.5) {
    painter_.setFont(font);
    const int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
    const double height = painter_.boundingRect(QRectF(0, 0, width(), 1e7), flags, text).height();
    Need(height);
    painter_.setFont(font);
    painter_.setPen(colour);
    painter_.drawText(QRectF(left_, y_, width(), height), flags, text);
    y_ += height + Mm(spaceAfter);
  }

  // A section title, kept on one page with the first `keepWith` millimetres that follow it.
  void Heading(const QString& text, double keepWith = 30) {
    Space(4);
    painter_.setFont(Font(12.5, true));
    const double height = painter_.fontMetrics().height();
    Need(height + Mm(2 + keepWith));
    painter_.setFont(Font(12.5, true));
    painter_.setPen(kInk);
    painter_.drawText(QRectF(left_, y_, width(), height), Qt::AlignLeft | Qt::AlignTop, text);
    y_ += height + Mm(0.8);
    painter_.setPen(QPen(kRule, Mm(0.25)));
    painter_.drawLine(QPointF(left_, y_), QPointF(right_, y_));
    y_ += Mm(2);
  }

  // Rows that do not fit start the next page, under the column headings again.
  void Table(const std::vector<Column>& columns, const std::vector<Row>& rows,
             bool withHeadings = true) {
    const double pad = Mm(1.2);
    auto rowHeight = [&](const Row& row, const QFont& font) {
      painter_.setFont(font);
      double height = painter_.fontMetrics().height();
      for (size_t c = 0; c < columns.size() && c < row.size(); ++c) {
        const QRectF cell(0, 0, Mm(columns[c].width) - 2 * pad, 1e7);
        height =
            std::max(height, painter_.boundingRect(cell, CellFlags(columns[c]), row[c]).height());
      }
      return height + 2 * pad;
    };
    Row headings;
    for (const Column& column : columns)
      headings.push_back(column.heading);
    const QFont bodyFont = Font(9.5);
    const QFont headingFont = Font(9.5, true);
    const double headingHeight = withHeadings ? rowHeight(headings, headingFont) : 0;
    bool headingsDrawn = false;
    for (size_t r = 0; r < rows.size(); ++r) {
      const double height = rowHeight(rows[r], bodyFont);
      if (y_ + height + (headingsDrawn ? 0 : headingHeight) > bottom_ && y_ > top_) {
        NewPage();
        headingsDrawn = false;
      }
      if (withHeadings && !headingsDrawn) {
        DrawRow(columns, headings, headingFont, headingHeight, pad, QColor());
        painter_.setPen(QPen(kInk, Mm(0.3)));
        painter_.drawLine(QPointF(left_, y_), QPointF(left_ + TableWidth(columns), y_));
      }
      headingsDrawn = true;
      DrawRow(columns, rows[r], bodyFont, height, pad, r % 2 ? QColor() : kShade);
    }
    y_ += Mm(1);
  }

  // Draws with `draw` in a box `height` units high across the text width.
  template <class Draw> void Block(double height, Draw draw) {
    Need(height);
    painter_.save();
    draw(QRectF(left_, y_, width(), height));
    painter_.restore();
    y_ += height;
  }

  void Finish() {
    Footer();
    painter_.end();
  }

private:
  static int CellFlags(const Column& column) {
    return static_cast<int>(column.alignment) | Qt::AlignTop |
           (column.breakAnywhere ? Qt::TextWrapAnywhere : Qt::TextWordWrap);
  }

  static double TableWidth(const std::vector<Column>& columns) {
    double width = 0;
    for (const Column& column : columns)
      width += Mm(column.width);
    return width;
  }

  void DrawRow(const std::vector<Column>& columns, const Row& row, const QFont& font, double height,
               double pad, const QColor& shade) {
    if (shade.isValid())
      painter_.fillRect(QRectF(left_, y_, TableWidth(columns), height), shade);
    double x = left_;
    painter_.setPen(kInk);
    painter_.setFont(font);
    for (size_t c = 0; c < columns.size(); ++c) {
      if (c < row.size())
        painter_.drawText(
            QRectF(x + pad, y_ + pad, Mm(columns[c].width) - 2 * pad, height - 2 * pad),
            CellFlags(columns[c]), row[c]);
      x += Mm(columns[c].width);
    }
    y_ += height;
  }

  void Need(double height) {
    if (y_ + height > bottom_ && y_ > top_)
      NewPage();
  }

  void NewPage() {
    Footer();
    pdf_.newPage();
    ++page_;
    y_ = top_;
  }

  void Footer() {
    const double y = pdf_.height() - Mm(16);
    painter_.setPen(QPen(kRule, Mm(0.25)));
    painter_.drawLine(QPointF(left_, y), QPointF(right_, y));
    painter_.setFont(Font(8.5));
    painter_.setPen(kMuted);
    const QRectF box(left_, y + Mm(1.5), width(), Mm(6));
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop, footer_);
    const QString number = pageCount_ > 0 ? QString("Page %1 of %2").arg(page_).arg(pageCount_)
                                          : QString("Page %1").arg(page_);
    painter_.drawText(box, Qt::AlignRight | Qt::AlignTop, number);
  }

  QPdfWriter& pdf_;
  QPainter painter_;
  int pageCount_;
  QString footer_;
  double left_ = Mm(20), right_ = 0, top_ = Mm(18), bottom_ = 0, y_ = 0;
  int page_ = 1;
};

std::string Sha256Of(const std::string& path) {
  QFile file(QString::fromLocal8Bit(path.c_str()));
  if (!file.open(QIODevice::ReadOnly))
    return std::string();
  QCryptographicHash hash(QCryptographicHash::Sha256);
  if (!hash.addData(&file))
    return std::string();
  return hash.result().toHex().toStdString();
}

QString SearchOutcome(const ReportContent& report) {
  if (!report.note.empty())
    return "The search did not meet its tolerance. " + Q(report.note);
  if (report.aim == Aim::FieldDepths)
    return "The heads follow from the given spacings; this calculation needs no search.";
  return "The search met its tolerance.";
}

// The document's content, in order, on `pages`.
void WriteContent(Pages& pages, const ReportContent& report, const ReportFacts& facts) {
  pages.Text("Subsurface drainage by pumped wells", Font(9), kMuted, 0.5);
  pages.Text("Calculation report", Font(20, true), kInk, 3);
  pages.Text(Q(report.title1), Font(13, true), kInk, 0.8);
  pages.Text(Q(report.title2), Font(11.5), kInk, 3);

  const QString inputHash =
      facts.inputSha256.empty() ? QString("(the file cannot be read)") : Q(facts.inputSha256);
  pages.Table({{"", 30}, {"", 140, Qt::AlignLeft, true}},
              {{"Aim", report.aim ? Q(AimInWords(*report.aim)) : "Not known"},
               {"Date and time", facts.printed.toString("yyyy-MM-dd HH:mm t")},
               {"Program", QString("Pumpfield ") + kPumpfieldVersion},
               {"Output report", Q(facts.reportPath)},
               {"SHA-256", Q(facts.reportSha256)},
               {"Input file", Q(facts.inputPath)},
               {"SHA-256", inputHash}},
              false);

  pages.Heading("Input data");
  std::vector<Row> inputs;
  for (const ReportInput& input : report.inputs)
    inputs.push_back({Q(input.name), Q(input.symbol), Q(input.unit), Q(input.value)});
  pages.Table({{"Name", 96}, {"Symbol", 20}, {"Unit", 26}, {"Value", 28, Qt::AlignRight}}, inputs);

  pages.Heading("Result");
  std::vector<Row> results;
  for (const ReportResult& result : report.results)
    results.push_back({Q(result.words), Q(result.figure)});
  pages.Table({{"", 142}, {"", 28, Qt::AlignRight}}, results, false);
  pages.Text(SearchOutcome(report), Font(10, !report.note.empty()),
             report.note.empty() ? kInk : kWarning);

  if (DMPumpfield) {
    const double height = pages.width() * kGraphHeight / kGraphWidth;
    pages.Heading("Graph", height / Mm(1));
    pages.Block(height, [&pages](const QRectF& box) {
      QPainter& painter = pages.painter();
      painter.translate(box.topLeft());
      painter.scale(box.width() / kGraphWidth, box.height() / kGraphHeight);
      DrawGraphOn(painter);
    });
  }

  for (const ReportProfile& profile : report.profiles) {
    pages.Heading("Profile " + Q(profile.name), 25);
    std::vector<Row> rows;
    for (const auto& row : profile.rows)
      rows.push_back({Q(row[0]), Q(row[1]), Q(row[2])});
    pages.Table({{"Distance X (m)", 40, Qt::AlignRight},
                 {"Head F (m)", 40, Qt::AlignRight},
                 {"Gradient G/p (-)", 40, Qt::AlignRight}},
                rows);
  }
}

// Renders the document; returns its page count.
int Render(QIODevice& device, const ReportContent& report, const ReportFacts& facts,
           int pageCount) {
  QPdfWriter pdf(&device);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                QPageLayout::Millimeter));
  pdf.setResolution(kResolution);
  pdf.setTitle("Calculation report: " + Q(report.title1));
  pdf.setCreator(QString("Pumpfield ") + kPumpfieldVersion);
  Pages pages(pdf, pageCount,
              "Pumpfield calculation report of " + Q(ExtractFileName(facts.reportPath)));
  WriteContent(pages, report, facts);
  const int count = pages.page();
  pages.Finish();
  return count;
}
} // namespace

QByteArray CalculationReportPdf(const ReportContent& report, const ReportFacts& facts) {
  SetPlotFrame(kPlotWidth, kPlotHeight);
  // The texts of the graph take a point, like every number of the report.
  struct PointSeparator {
    char previous = DecimalSeparator();
    PointSeparator() { SetDecimalSeparator('.'); }
    ~PointSeparator() { SetDecimalSeparator(previous); }
  } point;
  QBuffer draft;
  draft.open(QIODevice::WriteOnly);
  const int pageCount = Render(draft, report, facts, 0);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  Render(buffer, report, facts, pageCount);
  return bytes;
}

CalculationReportResult WriteCalculationReport(const std::string& reportPath,
                                               const std::string& pdfPath, std::string& errorText) {
  const std::optional<ReportContent> report = ReadReport(reportPath, errorText);
  if (!report)
    return CalculationReportResult::ReportUnreadable;
  ReportFacts facts;
  facts.reportPath = ExpandFileName(reportPath);
  facts.reportSha256 = Sha256Of(reportPath);
  facts.inputPath = ChangeFileExt(facts.reportPath, ".inp");
  facts.inputSha256 = Sha256Of(facts.inputPath);
  facts.printed = QDateTime::currentDateTime();

  ScopedDataModule module;
  TDMPumpfield& dm = module.data();
  try {
    dm.LoadGraphData(reportPath);
  } catch (const std::exception& error) {
    errorText = error.what();
    return CalculationReportResult::ReportUnreadable;
  }
  // The spacings decide the legend of a rectangular field; the report states them.
  const ReportInput* sa = report->Input("Sa");
  const ReportInput* sb = report->Input("Sb");
  if (sa && sb) {
    dm.Params.assign(kParamCount, 0.0);
    dm.Params[12] = sa->number;
    dm.Params[13] = sb->number;
  }
  QByteArray bytes;
  try {
    bytes = CalculationReportPdf(*report, facts);
  } catch (const std::exception& error) {
    errorText = error.what();
    return CalculationReportResult::NotWritten;
  }
  return SaveGraphFile(bytes, pdfPath, errorText) ? CalculationReportResult::Written
                                                  : CalculationReportResult::NotWritten;
}
