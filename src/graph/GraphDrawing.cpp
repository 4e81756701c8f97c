#include "graph/GraphDrawing.h"

#include "core/FileNames.h"
#include "core/Numerics.h"
#include "data/UDMPumpfield.h"
#include "graph/UWellUtils.h"

#include <QFontMetrics>
#include <QList>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

const char* const kGraphCaption = "Pumpfield program at https://pumpfield.example.org";

namespace {
const QColor kWhite(255, 255, 255);
const QColor kSilver(192, 192, 192);
const QColor kDarkBlue(0, 0, 139);
const QColor kBlack(0, 0, 0);
const QColor kYellow(255, 255, 0);

// Sizes in points are turned into pixels at 96 dots per inch, so that the picture does not
// depend on the resolution of a screen.
int PointsToPixels(int points) { return RoundHalfEven(points * 96.0L / 72.0L); }

QString FromSingleByte(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Dashes of 18 pixels with gaps of 6, dots of 3 with gaps of 3.
QList<qreal> DashPattern(Qt::PenStyle style) {
  if (style == Qt::DashLine)
    return {18, 6};
  if (style == Qt::DotLine)
    return {3, 3};
  return {};
}

// The font of the graph's texts: Arial at a size in points, measured in whole pixels at 96 dpi
// the way the bitmap draws it. Every surface places texts by these measures, so that all
// renderings share one layout.
class GraphFont {
public:
  GraphFont() {
    font_.setStyleStrategy(QFont::NoAntialias);
    font_.setHintingPreference(QFont::PreferFullHinting);
  }
  void SetName(const QString& name) { font_.setFamily(name); }
  void SetSize(int points) { font_.setPixelSize(PointsToPixels(points)); }
  const QFont& font() const { return font_; }
  QFontMetrics metrics() const { return QFontMetrics(font_); }

private:
  QFont font_;
};

// Pen, font and fill state with the few drawing operations of the graph, in the pixels of the
// 623 x 465 picture: rectangles without their right and bottom edges, lines without their end
// pixel, and text written by its top-left corner on an opaque background of the fill colour.
// Dash patterns run on along joined lines and start again with every new pen or pen position.
class GraphSurface {
public:
  virtual ~GraphSurface() = default;

  void SetFill(const QColor& colour) { fill_ = colour; }
  virtual void FillRect(int left, int top, int right, int bottom) = 0;

  void SetFontName(const QString& name) { font_.SetName(name); }
  void SetFontSize(int points) { font_.SetSize(points); }
  void SetFontColour(const QColor& colour) { fontColour_ = colour; }

  virtual void SetPen(Qt::PenStyle style, const QColor& colour) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;

  int TextWidth(const std::string& text) const {
    return font_.metrics().horizontalAdvance(FromSingleByte(text));
  }
  // The height of a line of text, the same for every text in the font.
  int TextHeight() const { return font_.metrics().height(); }
  virtual void TextOut(int x, int y, const std::string& text) = 0;

protected:
  GraphFont font_;
  QColor fontColour_ = kBlack;
  QColor fill_ = kWhite;
};

// The exact picture: pixel by pixel, without antialiasing, as the window shows it.
class GraphCanvas final : public GraphSurface {
public:
  explicit GraphCanvas(QImage& image)
      : painter_(&image), width_(image.width()), height_(image.height()) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    SetPen(Qt::SolidLine, kBlack);
  }

  void FillRect(int left, int top, int right, int bottom) override {
    painter_.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), fill_);
  }

  void SetPen(Qt::PenStyle style, const QColor& colour) override {
    penColour_ = colour;
    pattern_ = DashPattern(style);
    patternStep_ = 0;
  }
  void MoveTo(int x, int y) override {
    position_ = QPoint(x, y);
    patternStep_ = 0;
  }
  // Every pixel from the pen position up to, but not including, (x, y).
  void LineTo(int x, int y) override {
    QList<QPoint> pixels;
    int px = position_.x(), py = position_.y();
    const int dx = std::abs(x - px), dy = -std::abs(y - py);
    const int sx = px < x ? 1 : -1, sy = py < y ? 1 : -1;
    int error = dx + dy;
    while (px != x || py != y) {
      if (PatternOn() && px >= 0 && py >= 0 && px < width_ && py < height_)
        pixels.append(QPoint(px, py));
      ++patternStep_;
      const int twice = 2 * error;
      if (twice >= dy) {
        error += dy;
        px += sx;
      }
      if (twice <= dx) {
        error += dx;
        py += sy;
      }
    }
    painter_.setPen(QPen(penColour_, 0));
    painter_.drawPoints(pixels.constData(), static_cast<int>(pixels.size()));
    position_ = QPoint(x, y);
  }

  void TextOut(int x, int y, const std::string& text) override {
    const QFontMetrics metrics = font_.metrics();
    const QString qtext = FromSingleByte(text);
    painter_.fillRect(x, y, metrics.horizontalAdvance(qtext), metrics.height(), fill_);
    painter_.setFont(font_.font());
    painter_.setPen(fontColour_);
    painter_.drawText(x, y + metrics.ascent(), qtext);
  }

private:
  QPainter painter_;
  QColor penColour_ = kBlack;
  QList<qreal> pattern_;
  long long patternStep_ = 0;
  QPoint position_;
  int width_;
  int height_;

  bool PatternOn() const {
    if (pattern_.isEmpty())
      return true;
    const long long period = static_cast<long long>(pattern_[0] + pattern_[1]);
    return patternStep_ % period < static_cast<long long>(pattern_[0]);
  }
};

struct Profile {
  const DataSetR& x;
  const DataSetR& f;
  int32_t rows;
};

Profile Table(const DataSetR& x, const DataSetR& f, int32_t count) {
  return {x, f, UsableRows(count, x.size(), f.size())};
}

// Draws `symbol` at (px, py + symbolOffset) for the rows from `firstSymbolRow` on and joins the
// rows from `firstLineRow` on through (px + 6, py + lineOffset), rows counted from 0.
void DrawProfile(GraphSurface& canvas, const TPlotScale& scale, const Profile& profile,
                 const std::string& symbol, int32_t firstSymbolRow, int symbolOffset,
                 int32_t firstLineRow, int lineOffset) {
  for (int32_t row = std::min(firstSymbolRow, firstLineRow); row < profile.rows; ++row) {
    const int px = ToPixelX(scale, profile.x[row]);
    const int py = ToPixelY(scale, profile.f[row]);
    if (row >= firstSymbolRow)
      canvas.TextOut(px, py + symbolOffset, symbol);
    if (row == firstLineRow)
      canvas.MoveTo(px + 6, py + lineOffset);
    else if (row > firstLineRow)
      canvas.LineTo(px + 6, py + lineOffset);
  }
}

// A layout is elongated when 0.9 Sa > Sb. Without spacings in the parameter set (its input
// file never loaded) the profiles' last distances, which stand in the ratio Sa : Sb, decide.
bool ElongatedLayout(const TDMPumpfield& dm, const Profile& longer, const Profile& shorter) {
  if (dm.Params.size() >= 14)
    return 0.9L * dm.Params[12] > dm.Params[13];
  const double lastLonger = longer.rows > 0 ? longer.x[longer.rows - 1] : 0.0;
  const double lastShorter = shorter.rows > 0 ? shorter.x[shorter.rows - 1] : 0.0;
  return 0.9L * lastLonger > lastShorter;
}

// `reloadInput` brings the input file's spacings; nullptr draws the parameter set as it is.
void DrawRectangularField(GraphSurface& canvas, const TPlotScale& scale, TDMPumpfield& dm,
                          ReloadInput reloadInput) {
  canvas.SetFontColour(kYellow);
  canvas.TextOut(90, 65, "X along the diagonal");
  canvas.SetFontColour(kWhite);

  if (reloadInput && !dm.InputFileName.empty())
    reloadInput(dm);

  const Profile longer = Table(dm.Table1X, dm.Table1F, dm.Count1);
  const Profile shorter = Table(dm.Table2X, dm.Table2F, dm.Count2);
  const Profile diagonal = Table(dm.Table3X, dm.Table3F, dm.Count3);
  const bool elongated = ElongatedLayout(dm, longer, shorter);
  canvas.TextOut(90, 80, elongated ? "+ along longer spacing" : "+ between the wells");

  if (elongated) {
    canvas.SetFontColour(kYellow);
    canvas.TextOut(90, 95, "o along shorter spacing");
    canvas.SetPen(Qt::DotLine, kYellow);
    canvas.SetFontSize(8);
    canvas.SetFontColour(kYellow);
    DrawProfile(canvas, scale, shorter, "o", 1, 4, 2, 10);
  }

  canvas.SetFontColour(kYellow);
  canvas.SetPen(Qt::DashLine, kYellow);
  // Only the last three rows of the diagonal, or as many as the table has.
  const int32_t firstDiagonalRow = std::max(0, diagonal.rows - 3);
  DrawProfile(canvas, scale, diagonal, "X", firstDiagonalRow, 2, firstDiagonalRow, 8);
}

// The one layout of the graph: scale first, then every element in drawing order.
void PaintGraph(GraphSurface& canvas, const GraphOf& graph, ReloadInput reloadInput) {
  TDMPumpfield& dm = graph.dm;
  TPlotScale& scale = graph.scale;
  FindPlotRange(scale, dm);
  ChooseAxisScales(scale);
  SetAxisLabels(scale);
  const bool rectangular = IsRectangularReport(dm);

  canvas.SetFontSize(10);
  canvas.SetFontColour(kBlack);
  canvas.SetFontName("Arial");
  canvas.SetFill(kSilver);
  canvas.FillRect(0, 0, 623, 465);
  canvas.TextOut(82, 5, dm.Title1);
  canvas.SetFontSize(8);
  canvas.TextOut(20, 450, kGraphCaption);

  canvas.SetFill(kDarkBlue);
  canvas.FillRect(20, 19, 605, 445);
  canvas.SetPen(Qt::SolidLine, kWhite);
  canvas.SetFontColour(kWhite);
  canvas.TextOut(82, 20, dm.Title2);
  canvas.TextOut(440, 425, scale.XAxisLabel);
  canvas.TextOut(50, 50, scale.YAxisLabel);
  if (!rectangular)
    canvas.TextOut(86, 65, scale.DarcyLegend);

  canvas.MoveTo(kOriginColumn, kOriginRow);
  canvas.LineTo(kOriginColumn, 70);
  canvas.MoveTo(kOriginColumn, kOriginRow);
  canvas.LineTo(570, kOriginRow);

  for (int32_t i = 0; i <= scale.YTicks; ++i) {
    const int row = VerticalTickRow(scale, i);
    canvas.MoveTo(kOriginColumn, row);
    canvas.LineTo(66, row);
    const std::string label =
        TickLabel(VerticalTickValue(scale, i), scale.YDecimals, graph.separator);
    canvas.TextOut(kOriginColumn - canvas.TextWidth(label) - 6,
                   row - RoundHalfEven(canvas.TextHeight() * 0.5L), label);
  }
  for (int32_t i = 0; i <= scale.XTicks; ++i) {
    const int column = HorizontalTickColumn(scale, i);
    canvas.MoveTo(column, kOriginRow);
    canvas.LineTo(column, 394);
    canvas.TextOut(HorizontalLabelColumn(scale, i), 402,
                   TickLabel(HorizontalTickValue(scale, i), scale.XDecimals, graph.separator));
  }

  DrawProfile(canvas, scale, Table(dm.Table1X, dm.Table1F, dm.Count1), "+", 2, -4, 2, 6);

  if (rectangular)
    DrawRectangularField(canvas, scale, dm, reloadInput);
}
} // namespace

void ReloadInputOfReport(TDMPumpfield& dm) {
  dm.InputFileName = ChangeFileExt(dm.InputFileName, ".inp");
  dm.LoadInputFile();
  dm.InputFileName = ChangeFileExt(dm.InputFileName, ".out");
}

void DrawGraph(QImage& canvasImage, const GraphOf& graph, ReloadInput reloadInput) {
  if (canvasImage.size() != QSize(kGraphWidth, kGraphHeight))
    canvasImage = QImage(kGraphWidth, kGraphHeight, QImage::Format_RGB32);
  GraphCanvas canvas(canvasImage);
  PaintGraph(canvas, graph, reloadInput);
}
