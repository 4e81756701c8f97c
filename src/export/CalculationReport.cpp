#include "export/CalculationReport.h"

#include "check/AccuracyStatement.h"
#include "check/CheckText.h"
#include "check/ReportCheck.h"
#include "core/FileNames.h"
#include "core/TextFormat.h"
#include "core/Version.h"
#include "data/ReportMeaning.h"
#include "export/CheckFigure.h"
#include "export/DesignCharts.h"
#include "export/FigureData.h"
#include "export/GraphImages.h"
#include "export/PrintFigures.h"
#include "graph/GraphBitmap.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

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

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), text.size()); }

QFont Font(double points, bool bold = false, bool italic = false) {
  QFont font("Arial");
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setItalic(italic);
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
// one, text flows on line by line, and every page gets its footer with the page number.
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

  // Wrapped at blanks, or anywhere in a word longer than the line; a page ends between lines.
  void Text(const QString& text, const QFont& font, const QColor& colour = kInk,
            double spaceAfter = 1.5) {
    QTextLayout layout(text, font, &pdf_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (double top = 0;;) {
      QTextLine line = layout.createLine();
      if (!line.isValid())
        break;
      line.setLineWidth(width());
      line.setPosition(QPointF(0, top));
      top += line.height();
    }
    layout.endLayout();
    for (int i = 0; i < layout.lineCount(); ++i) {
      const QTextLine line = layout.lineAt(i);
      Need(line.height());
      painter_.setPen(colour); // a new page's footer has set its own
      line.draw(&painter_, QPointF(left_, y_ - line.y()));
      y_ += line.height();
    }
    y_ += Mm(spaceAfter);
  }

  // A section title, kept on one page with the first `keepWith` device units that follow it.
  void Heading(const QString& text, double keepWith = Mm(30)) {
    Space(4);
    painter_.setFont(Font(12.5, true));
    const double height = painter_.fontMetrics().height();
    Need(height + Mm(2) + keepWith);
    painter_.setFont(Font(12.5, true)); // a new page's footer has set its own
    painter_.setPen(kInk);
    painter_.drawText(QRectF(left_, y_, width(), height), Qt::AlignLeft | Qt::AlignTop, text);
    y_ += height + Mm(0.8);
    painter_.setPen(QPen(kRule, Mm(0.25)));
    painter_.drawLine(QPointF(left_, y_), QPointF(right_, y_));
    y_ += Mm(2);
  }

  // Rows that do not fit start the next page, under the column headings again. A row taller
  // than a page is cut at the page's end.
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
      const double height =
          std::min(rowHeight(rows[r], bodyFont), bottom_ - top_ - headingHeight - Mm(1));
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
    painter_.save();
    painter_.setClipRect(QRectF(left_, y_, TableWidth(columns), height));
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
    painter_.restore();
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
    const QString number = pageCount_ > 0 ? QString("Page %1 of %2").arg(page_).arg(pageCount_)
                                          : QString("Page %1").arg(page_);
    const QFontMetricsF metrics(painter_.font(), &pdf_);
    const QString footer = metrics.elidedText(footer_, Qt::ElideMiddle,
                                              width() - metrics.horizontalAdvance(number) - Mm(8));
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop, footer);
    painter_.drawText(box, Qt::AlignRight | Qt::AlignTop, number);
  }

  QPdfWriter& pdf_;
  QPainter painter_;
  int pageCount_;
  QString footer_;
  double left_ = Mm(20), right_ = 0, top_ = Mm(18), bottom_ = 0, y_ = 0;
  int page_ = 1;
};

// The independent check of the report, made once for both renderings of the document.
struct ReportCheckResult {
  std::optional<DesignCheck> check;
  std::string errorText; // why there is none
};

// What the sections draw on, with the running numbers of figures and tables.
struct ReportDocument {
  const ReportContent& report;
  const ReportFacts& facts;
  const ReportCheckResult& checked;
  FigureData figure;
  int figures = 0;
  int tables = 0;

  QString Number(double value, int decimals) const { return Q(FormatFixed(value, 0, decimals)); }
};

void Caption(Pages& pages, const QString& text) {
  pages.Space(1);
  pages.Text(text, Font(9, false, true), kMuted, 2);
}

// A figure across the text width that `paint` draws in kFigureWidth x kFigureHeight pixels,
// kept on one page with its caption.
void Figure(Pages& pages, ReportDocument& document, const FigurePainter& paint,
            const QString& caption) {
  const double height = pages.width() * kFigureHeight / kFigureWidth;
  pages.Block(height, [&](const QRectF& box) {
    QPainter& painter = pages.painter();
    painter.translate(box.topLeft());
    painter.scale(box.width() / kFigureWidth, box.height() / kFigureHeight);
    paint(painter, QSizeF(kFigureWidth, kFigureHeight));
  });
  Caption(pages, QString("Figure %1. ").arg(++document.figures) + caption);
}

void Figure(Pages& pages, ReportDocument& document, FigureKind kind, const QString& caption) {
  Figure(
      pages, document,
      [&](QPainter& painter, QSizeF size) { PaintFigure(painter, size, kind, document.figure); },
      caption);
}

double FigureSpace(Pages& pages) { return pages.width() * kFigureHeight / kFigureWidth + Mm(10); }

QString SearchOutcome(const ReportContent& report) {
  if (!report.note.empty())
    return "The search did not meet its tolerance. " + Q(report.note);
  if (report.aim == Aim::FieldDepths)
    return "The heads follow from the given spacings; this calculation needs no search.";
  return "The search met its tolerance.";
}

// Below the surface, or above it for a negative depth.
QString DepthWords(const ReportDocument& document, double depth) {
  return depth < 0 ? document.Number(-depth, 2) + " m above the surface"
                   : document.Number(depth, 2) + " m below the surface";
}

QString SummarySentence(const ReportDocument& document) {
  const FigureData& data = document.figure;
  auto number = [&](const std::optional<double>& value, int decimals) {
    return value ? document.Number(*value, decimals) : QString("?");
  };
  const std::vector<double>& depths = data.midwayDepths;
  const QString spacing = number(data.WellSpacing(), 1);
  const QString pumps = "each well pumps " + number(data.discharge, 1) + " m³/day";
  switch (data.aim.value_or(Aim::Spacing)) {
  case Aim::Spacing:
    if (!data.spacing || depths.empty())
      break;
    return "Wells " + spacing + " m apart keep the midway water table " +
           DepthWords(document, depths.back()) + "; " + pumps + ".";
  case Aim::Discharge:
    if (!data.discharge || depths.empty())
      break;
    return "Wells " + spacing + " m apart keep the midway water table " +
           DepthWords(document, depths.back()) + " when " + pumps + ".";
  case Aim::FieldDepths:
    if (depths.size() < 3)
      break;
    return "In a rectangular field of wells " + number(data.Input("Sa"), 1) + " m by " +
           number(data.Input("Sb"), 1) + " m apart, where " + pumps + ", the water table lies " +
           DepthWords(document, depths[0]) + " midway along the longer spacing, " +
           DepthWords(document, depths[1]) + " midway along the shorter spacing and " +
           DepthWords(document, depths[2]) + " at the centre between four wells.";
  case Aim::Conductivity:
    if (!data.conductivity || depths.empty())
      break;
    return "A uniform soil with a hydraulic conductivity of " + number(data.conductivity, 3) +
           " m/day explains the observed midway water table " +
           DepthWords(document, depths.back()) + " with wells " + spacing + " m apart; " + pumps +
           ".";
  }
  return "The report states no complete result.";
}

// What two of the results stand for: the intensity of a discharge report is the recharge over
// the circle of radius S/2, and the midway depth of a search is the one it aimed at.
void WriteMeaning(Pages& pages, ReportDocument& document) {
  std::vector<Row> rows;
  if (const auto recharge = SquareShareRecharge(document.report))
    rows.push_back({"Recharge over the well's square share of the field, Q/S² (m/day). The "
                    "report's \"m/day\" above is the recharge intensity over the circle of radius "
                    "S/2, 4/π times as much.",
                    document.Number(*recharge, 5)});
  if (const auto achieved = AchievedMidwayDepth(document.report))
    rows.push_back({"Achieved midway depth of the water table, Dw minus the final head of the "
                    "profile (m). The report's midway depth is the one its search aimed at.",
                    document.Number(*achieved, 4)});
  if (rows.empty())
    return;
  pages.Table({{"Beside the results", 142}, {"Value", 28, Qt::AlignRight}}, rows);
  Caption(pages, QString("Table %1. What the results stand for, from the report's own figures.")
                     .arg(++document.tables));
}

void WriteSummary(Pages& pages, ReportDocument& document) {
  pages.Text(SummarySentence(document), Font(11));
  pages.Text(SearchOutcome(document.report), Font(10, !document.report.note.empty()),
             document.report.note.empty() ? kInk : kWarning);
  for (double depth : document.figure.midwayDepths)
    if (depth < 0) {
      pages.Text("The water table rises above the soil surface: adjust the design.", Font(10, true),
                 kWarning);
      break;
    }
  std::vector<Row> results;
  for (const ReportResult& result : document.report.results)
    results.push_back({Q(result.words), Q(result.figure)});
  pages.Table({{"Result as the report states it", 142}, {"Value", 28, Qt::AlignRight}}, results);
  Caption(pages, QString("Table %1. The results of the calculation.").arg(++document.tables));
  WriteMeaning(pages, document);
}

QString InputCheckText(const ReportDocument& document) {
  const InputCheck& check = document.facts.input;
  switch (check.outcome) {
  case InputCheck::Outcome::Matches:
    return "The input file beside the report, " + Q(check.path) +
           ", holds these inputs; its SHA-256 is " + Q(document.facts.inputSha256) + ".";
  case InputCheck::Outcome::Differs: {
    QString text = "Warning: the input file beside the report, " + Q(check.path) +
                   ", does not match this report: ";
    for (size_t i = 0; i < check.differences.size(); ++i)
      text += (i ? "; " : "") + Q(check.differences[i]);
    return text + ". The inputs above are those of the report.";
  }
  case InputCheck::Outcome::Unreadable:
    return "The file " + Q(check.path) +
           " beside the report cannot be read as an input file; the inputs above are those "
           "of the report.";
  case InputCheck::Outcome::Missing:
    break;
  }
  return "No input file lies beside the report (" + Q(check.path) +
         "); the inputs above are those of the report.";
}

void WriteInputData(Pages& pages, ReportDocument& document) {
  std::vector<Row> inputs;
  for (const ReportInput& input : document.report.inputs) {
    const std::optional<QuantityName> quantity = QuantityOf(input.symbol, document.report.aim);
    inputs.push_back({quantity ? QString(quantity->words) : Q(input.name), Q(input.symbol),
                      Q(input.value), quantity ? QString(quantity->unit) : Q(input.unit)});
  }
  pages.Table({{"Quantity", 100}, {"Symbol", 20}, {"Value", 26, Qt::AlignRight}, {"Unit", 24}},
              inputs);
  Caption(pages, QString("Table %1. The inputs as the report states them; depths are measured "
                         "down from the soil surface.")
                     .arg(++document.tables));
  const bool warn = document.facts.input.outcome == InputCheck::Outcome::Differs;
  pages.Text(InputCheckText(document), Font(10, warn), warn ? kWarning : kInk);
  if (!document.report.inputFile.empty())
    pages.Text("The report names its input file as " + Q(document.report.inputFile) + ".",
               Font(10));
}

QString MethodText(const ReportDocument& document) {
  const std::optional<Aim> aim = document.report.aim;
  const bool field = aim == Aim::FieldDepths;
  QString text =
      "Steady flow. The time-average recharge R falls uniformly on the area that one well "
      "drains and flows to that well, which pumps it out while its water level stays at depth "
      "Dw below the soil surface. Darcy's law and the water balance at each distance from the "
      "well give the gradient of the head; the head is integrated from the well face to the "
      "midway point.\n";
  text += field ? "Regular pattern. The wells stand on a rectangular grid of Sa by Sb. Along "
                  "each of three lines from a well (the longer spacing, the shorter spacing "
                  "and the diagonal) the area is replaced by a circle whose radius is half "
                  "that line, with the recharge of the Sa by Sb rectangle spread over it.\n"
                : "Regular pattern. The wells stand on a square grid of spacing S. The square "
                  "of S by S that one well drains is replaced by the circle of radius S/2, the "
                  "distance to the midway point, over which the recharge intensity is raised "
                  "to 4R/π so that the circle receives the same discharge R·S².\n";
  if (aim == Aim::Conductivity)
    text += "Soil. One uniform, isotropic soil from the surface down to D2, with the same "
            "hydraulic conductivity K above and below the water level in the well; K is the "
            "unknown. No water flows below D2.\n";
  else
    text += "Layered anisotropic soil. Above the water level in the well the permeability is "
            "Ka; layer 1 reaches down to D1 with horizontal and vertical permeabilities Kb1 "
            "and Kv1, layer 2 from D1 to D2 with Kb2 and Kv2. No water flows below D2. Vertical "
            "distances are stretched by the square root of Kb/Kv, so that each layer counts as "
            "isotropic with the geometric mean of its permeabilities.\n";
  if (aim == Aim::Spacing || field)
    text += "When Kv1 is not larger than R, Kb1 and Kb2 are taken as 0 (Kb2 alone when only "
            "Kv2 is not larger than R); the inputs table shows the values used.\n";
  text += "Well. The well of diameter W reaches depth Db; where it ends above D2, the water "
          "also passes under its bottom (partial penetration). The entrance resistance E at "
          "the well face makes the water table start above the water level in the well by the "
          "head that the water loses passing it.\n";
  text += field ? "Distance. X is measured from the axis of the well along each of the three "
                  "lines towards its midway point. The tables print X as 0.885 times the "
                  "distance of the integration step, which is 0.01 m.\n"
                : "Distance. X is measured from the axis of the well along the straight line "
                  "to the midway point between two wells. The tables print X as 0.855 times "
                  "the distance of the integration step, which is 0.00001 m";
  if (!field)
    text += aim == Aim::Spacing ? "; their last row is the midway point itself.\n" : ".\n";
  switch (aim.value_or(Aim::FieldDepths)) {
  case Aim::Spacing:
    text += "Search. The spacing is found by bisection between 2 m and 2000 m. Each pass "
            "integrates in steps of 0.01 m; the search ends when the midway head is within "
            "0.00001 m of the required height H = Dw - Dm, or after 40 passes. A final pass "
            "in steps of 0.00001 m gives the table.";
    break;
  case Aim::Discharge:
    text += "Search. The recharge intensity that the wells can take is found by bisection "
            "between 0.0001 and 1 m/day. Each pass integrates in steps of 0.01 m; the search "
            "ends when the midway head is within 0.00001 m of the required height H = Dw - Dm, "
            "or after 40 passes. A final pass in steps of 0.00001 m gives the table.";
    break;
  case Aim::Conductivity:
    text += "Search. K is found by bisection between 0.001 and 1000 m/day, starting from K = R. "
            "Each pass integrates in steps of 0.0001 m; the search ends when the midway head "
            "is within 0.00001 m of the observed height H = Dw - Dm, or after 100 passes. A "
            "final pass in steps of 0.00001 m gives the table.";
    break;
  case Aim::FieldDepths:
    text += "No search. The heads follow from the given spacings, with one integration of "
            "each profile; the discharge of a well is R times Sa times Sb.";
    break;
  }
  return text;
}

void WriteMethod(Pages& pages, ReportDocument& document) {
  for (const QString& paragraph : MethodText(document).split('\n'))
    pages.Text(paragraph, Font(10));
  pages.Text("Accuracy, in the words of the note on the method (method.md, installed with the "
             "documentation):",
             Font(10), kInk, 0.8);
  pages.Text("“" + Utf8(kAccuracyStatement) + "”", Font(10, false, true));
  pages.Text("The section \"Independent check\" gives the figure for this report.", Font(10));
}

void WriteSection(Pages& pages, ReportDocument& document) {
  const bool field = document.report.aim == Aim::FieldDepths;
  Figure(pages, document, FigureKind::Section,
         QString("Cross-section between two wells") +
             (field ? " along the longer spacing Sa" : "") +
             ": the soil layers, the wells down to Db with their water level Dw, and the "
             "computed water table with the midway depth. Depths below the soil surface; the "
             "vertical scale is stretched.");
}

void WritePlan(Pages& pages, ReportDocument& document) {
  Figure(pages, document, FigureKind::Plan,
         "Plan of the well field: the wells on the Sa by Sb grid, the three profile lines from a "
         "well and the computed depth of the water table at their midway points.");
}

void WriteWaterTable(Pages& pages, ReportDocument& document) {
  Figure(pages, document, FigureKind::WaterTable,
         "Height of the water table above the water level in the well against the distance X "
         "from the well: every row of the tables, with the soil surface, the water level in the "
         "well and the midway depth. The right-hand scale gives the depth below the surface.");
}

void WriteIndependentCheck(Pages& pages, ReportDocument& document) {
  if (!document.checked.check) {
    pages.Text("The check cannot be made for this report: " + Utf8(document.checked.errorText),
               Font(10, true), kWarning);
    return;
  }
  const DesignCheck& check = *document.checked.check;
  auto number = [](double value, int decimals) { return Utf8(CheckNumber(value, 0, decimals)); };
  pages.Text("An independent numerical model of one well cell (steady axisymmetric flow in the "
             "circle of the well's share of the field, with a free water table, the soil and "
             "the screen as the report has them) run for the well, the soil and the result of "
             "this report.",
             Font(10));
  std::vector<Row> rows;
  for (const CheckedDepth& depth : check.depths)
    rows.push_back({"Midway " + Q(depth.reported.line), number(depth.depth, 3),
                    number(depth.reported.depth, 3), number(depth.difference, 3),
                    number(100 * depth.ofDrawdown, 1) + " %", depth.flagged ? "flagged" : ""});
  rows.push_back({"Centre of the cell", number(check.centreDepth, 3)});
  pages.Table({{"Water-table depth (m)", 62},
               {"Check", 20, Qt::AlignRight},
               {"Report", 20, Qt::AlignRight},
               {"Difference", 22, Qt::AlignRight},
               {"Of drawdown", 25, Qt::AlignRight},
               {"", 21}},
              rows);
  Caption(pages, QString("Table %1. Depth of the water table below the soil surface midway "
                         "between neighbouring wells and at the centre of the cell: the "
                         "check's, the report's and their difference, in m and as a share of "
                         "the drawdown, Dw minus the report's depth. A positive difference: the "
                         "check's water table stands higher than the report's.")
                     .arg(++document.tables));
  if (document.report.aim == Aim::Spacing)
    pages.Text("Spacing the check needs for the required depth: " +
                   (check.spacingNeeded ? number(*check.spacingNeeded, 2) + " m"
                                        : QString("none (no spacing the check can model "
                                                  "reaches it)")) +
                   ".",
               Font(10));
  pages.Text("Head at the screen face: " + number(check.screenFaceHead, 4) + " m in the check, " +
                 number(check.reportFirstHead, 4) + " m in the report's first row.",
             Font(10));
  const QString limit = number(100 * kFlaggedShareOfDrawdown, 0) + " % of the drawdown";
  if (check.flagged)
    pages.Text("Flagged: the check differs from the report by more than " + limit + ".",
               Font(10, true), kWarning);
  else
    pages.Text("Not flagged: the check agrees with the report within " + limit + ".", Font(10));
  Figure(
      pages, document,
      [&](QPainter& painter, QSizeF size) {
        PaintCheckFigure(painter, size, document.figure, check);
      },
      "The water table of the report and of the check: height above the water level in the "
      "well against the distance from the well. The report's rows are drawn at the distance "
      "their heads belong to (the printed X divided by " +
          QString(document.report.aim == Aim::FieldDepths ? "0.885" : "0.855") +
          "); the check's line runs from the screen to the midway point.");
}

void WriteTables(Pages& pages, ReportDocument& document) {
  for (const ReportProfile& profile : document.report.profiles) {
    std::vector<Row> rows;
    for (const auto& row : profile.rows)
      rows.push_back({Q(row[0]), Q(row[1]), Q(row[2])});
    pages.Text("Profile " + Q(profile.name), Font(10.5, true), kInk, 1);
    pages.Table({{"Distance X (m)", 40, Qt::AlignRight},
                 {"Head F (m)", 40, Qt::AlignRight},
                 {"Gradient G/p (-)", 40, Qt::AlignRight}},
                rows);
    Caption(pages, QString("Table %1. Profile %2: distance from the well, height of the water "
                           "table above the water level in the well and its gradient, as the "
                           "report prints them.")
                       .arg(++document.tables)
                       .arg(Q(profile.name)));
  }
}

void WriteDesign(Pages& pages, ReportDocument& document) {
  const ReportDesign& design = *document.facts.design;
  const DesignSummary& summary = design.summary;
  QString inputs;
  for (size_t i = 0; i < design.uncertain.size(); ++i)
    inputs += (i ? ", " : "") + Q(design.uncertain[i]);
  pages.Text(QString("The input file was run for %1 Latin hypercube samples (seed %2) of its "
                     "uncertain inputs %3; %4 samples failed the input checks and were not "
                     "used. The design value is the %5 that a fraction %6 of the samples is "
                     "served by.")
                 .arg(summary.samples)
                 .arg(summary.seed)
                 .arg(inputs)
                 .arg(summary.failedSamples)
                 .arg(Q(summary.words))
                 .arg(Q(PlainNumber(summary.reliability))),
             Font(10));
  std::vector<Row> rows;
  for (const CsvRow& row : DesignRows(summary))
    if (row.size() > 3 && row[0] != "item" && row[0] != "sensitivity" && !row[3].empty())
      rows.push_back({Q(row[0]), Q(row[1]), Q(row[3]), Q(row[2])});
  pages.Table({{"Item", 70}, {"Symbol", 24}, {"Value", 30, Qt::AlignRight}, {"Unit", 24}}, rows);
  Caption(pages, QString("Table %1. The design value, the percentiles of the %2 over the samples "
                         "and, for a rectangular field, the probability of each depth reaching "
                         "the required depth.")
                     .arg(++document.tables)
                     .arg(Q(summary.words)));
  std::vector<Row> bars;
  for (const TornadoBar& bar : summary.tornado)
    bars.push_back({Q(bar.symbol) + " (" + Q(bar.unit) + ")",
                    Q(PlainNumber(bar.inputLow)) + " / " + Q(PlainNumber(bar.inputHigh)),
                    Q(DesignFigure(bar.low)) + " / " + Q(DesignFigure(bar.high)),
                    Q(DesignFigure(bar.swing)), Q(DesignFigure(bar.rankCorrelation))});
  pages.Table({{"Input", 32},
               {"Input at 5 % / 95 %", 40, Qt::AlignRight},
               {"Answer at 5 % / 95 %", 40, Qt::AlignRight},
               {"Swing", 24, Qt::AlignRight},
               {"Rank correlation", 34, Qt::AlignRight}},
              bars);
  Caption(pages, QString("Table %1. Sensitivity of the %2 (%3, %4) to each uncertain input, the "
                         "others at their medians, largest swing first.")
                     .arg(++document.tables)
                     .arg(Q(summary.words), Q(summary.symbol), Q(summary.unit)));
  const DistributionChart distribution = DistributionChartOf(summary, document.report.title1);
  Figure(
      pages, document,
      [&](QPainter& painter, QSizeF size) { PaintDistributionChart(painter, size, distribution); },
      "Distribution of the " + Q(summary.words) +
          " over the samples, with the fraction of samples at or below each value and the "
          "design value.");
  const TornadoChart tornado = TornadoChartOf(summary, document.report.title1);
  Figure(
      pages, document,
      [&](QPainter& painter, QSizeF size) { PaintTornadoChart(painter, size, tornado); },
      "Sensitivity of the " + Q(summary.words) + " to each uncertain input.");
}

bool HasDesign(const ReportDocument& document) { return document.facts.design.has_value(); }

bool IsRectangularField(const ReportDocument& document) {
  return document.report.aim == Aim::FieldDepths;
}

// The sections of the document in order; a section with `applies` appears only where it holds.
struct ReportSection {
  const char* heading;
  void (*write)(Pages&, ReportDocument&);
  bool (*applies)(const ReportDocument&) = nullptr;
  bool keepWithFigure = false; // the heading goes to the page where the figure fits
  double keepWith = 30;        // mm that follow the heading on its page, without a figure
};

const ReportSection kSections[] = {
    {"Summary", WriteSummary},
    {"Input data", WriteInputData},
    {"Method and assumptions", WriteMethod},
    {"Cross-section", WriteSection, nullptr, true},
    {"Plan of the well field", WritePlan, IsRectangularField, true},
    {"Water table", WriteWaterTable, nullptr, true},
    {"Independent check", WriteIndependentCheck},
    {"Tables", WriteTables},
    // Its sentence and a good part of its table start together.
    {"Design under uncertainty", WriteDesign, HasDesign, false, 90},
};

void WriteTitleBlock(Pages& pages, ReportDocument& document) {
  const ReportContent& report = document.report;
  const ReportFacts& facts = document.facts;
  const ReportTitleBlock& block = facts.titleBlock;
  pages.Text("Subsurface drainage by pumped wells", Font(9), kMuted, 0.5);
  pages.Text("Calculation report", Font(20, true), kInk, 3);
  pages.Text(Q(report.title1), Font(13, true), kInk, 0.8);
  pages.Text(Q(report.title2), Font(11.5), kInk, 3);
  const double label = 31, value = 54;
  pages.Table({{"", label},
               {"", value, Qt::AlignLeft, true},
               {"", label},
               {"", value, Qt::AlignLeft, true}},
              {{"Project", Utf8(block.project), "Client", Utf8(block.client)},
               {"Engineer", Utf8(block.engineer), "Checked by", Utf8(block.checkedBy)},
               {"Revision", Utf8(block.revision), "Report generated",
                facts.generated.toString("yyyy-MM-dd HH:mm t")},
               {"Aim", report.aim ? Q(AimInWords(*report.aim)) : "Not known", "Program",
                QString("Pumpfield ") + kPumpfieldVersion}},
              false);
  pages.Text("Output report: " + Q(facts.reportPath), Font(9), kMuted, 0.3);
  pages.Text("SHA-256: " + Q(facts.reportSha256), Font(9), kMuted, 1);
}

// The document's content, in order, on `pages`.
void WriteContent(Pages& pages, const ReportContent& report, const ReportFacts& facts,
                  const ReportCheckResult& checked) {
  ReportDocument document{report, facts, checked, FigureDataOfReport(report)};
  WriteTitleBlock(pages, document);
  for (const ReportSection& section : kSections) {
    if (section.applies && !section.applies(document))
      continue;
    if (section.keepWithFigure)
      pages.Heading(section.heading, FigureSpace(pages));
    else
      pages.Heading(section.heading, Mm(section.keepWith));
    section.write(pages, document);
  }
}

// Renders the document; returns its page count.
int Render(QIODevice& device, const ReportContent& report, const ReportFacts& facts,
           const ReportCheckResult& checked, int pageCount) {
  QPdfWriter pdf(&device);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                QPageLayout::Millimeter));
  pdf.setResolution(kResolution);
  pdf.setTitle("Calculation report: " + Q(report.title1));
  pdf.setCreator(QString("Pumpfield ") + kPumpfieldVersion);
  Pages pages(pdf, pageCount,
              "Pumpfield calculation report of " + Q(ExtractFileName(facts.reportPath)));
  WriteContent(pages, report, facts, checked);
  const int count = pages.page();
  pages.Finish();
  return count;
}

std::string Sha256Of(const std::string& path) {
  QFile file(QString::fromLocal8Bit(path.c_str()));
  if (!file.open(QIODevice::ReadOnly))
    return std::string();
  QCryptographicHash hash(QCryptographicHash::Sha256);
  if (!hash.addData(&file))
    return std::string();
  return hash.result().toHex().toStdString();
}
} // namespace

QByteArray CalculationReportPdf(const ReportContent& report, const ReportFacts& facts) {
  ReportCheckResult checked;
  checked.check = CheckReport(report, checked.errorText);
  QBuffer draft;
  draft.open(QIODevice::WriteOnly);
  const int pageCount = Render(draft, report, facts, checked, 0);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  Render(buffer, report, facts, checked, pageCount);
  return bytes;
}

CalculationReportResult WriteCalculationReport(const std::string& reportPath,
                                               const std::string& pdfPath,
                                               const ReportTitleBlock& titleBlock,
                                               std::string& errorText,
                                               const std::optional<ReportDesign>& design) {
  const std::optional<ReportContent> report = ReadReport(reportPath, errorText);
  if (!report)
    return CalculationReportResult::ReportUnreadable;
  ReportFacts facts;
  facts.reportPath = ExpandFileName(reportPath);
  facts.reportSha256 = Sha256Of(reportPath);
  facts.input = CheckInputBeside(*report, facts.reportPath);
  if (facts.input.outcome == InputCheck::Outcome::Matches)
    facts.inputSha256 = Sha256Of(facts.input.path);
  facts.titleBlock = titleBlock;
  facts.generated = QDateTime::currentDateTime();
  facts.design = design;
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
