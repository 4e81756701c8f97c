#include "graph/GraphDrawing.h"

#include "core/FileNames.h"
#include "core/Numerics.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "graph/UWellUtils.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QList>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

const char* const kGraphCaption = "Pumpfield program at https://pumpfield.example.org";
const char* const kNoGraphToSaveMessage =
    "There is no graph to save yet; make a graph with \"Make graph\" first";

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

// Pen, font and fill state with the few drawing operations of the graph: rectangles without
// their right and bottom edges, lines without their end pixel, and text written by its top-left
// corner on an opaque background of the fill colour.
class GraphCanvas {
public:
  explicit GraphCanvas(QImage& image)
      : painter_(&image), width_(image.width()), height_(image.height()) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    font_.setStyleStrategy(QFont::NoAntialias);
    font_.setHintingPreference(QFont::PreferFullHinting);
    SetPen(Qt::SolidLine, kBlack);
  }

  void SetFill(const QColor& colour) { fill_ = colour; }
  void FillRect(int left, int top, int right, int bottom) {
    painter_.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), fill_);
  }

  void SetFontName(const QString& name) { font_.setFamily(name); }
  void SetFontSize(int points) { font_.setPixelSize(PointsToPixels(points)); }
  void SetFontColour(const QColor& colour) { fontColour_ = colour; }

  // Dashes of 18 pixels with gaps of 6, dots of 3 with gaps of 3; the pattern runs on along
  // joined lines and starts again with every new pen or pen position.
  void SetPen(Qt::PenStyle style, const QColor& colour) {
    penColour_ = colour;
    if (style == Qt::DashLine)
      pattern_ = {18, 6};
    else if (style == Qt::DotLine)
      pattern_ = {3, 3};
    else
      pattern_.clear();
    patternStep_ = 0;
  }
  void MoveTo(int x, int y) {
    position_ = QPoint(x, y);
    patternStep_ = 0;
  }
  // Every pixel from the pen position up to, but not including, (x, y).
  void LineTo(int x, int y) {
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

  int TextWidth(const std::string& text) const {
    return QFontMetrics(font_).horizontalAdvance(FromSingleByte(text));
  }
  int TextHeight(const std::string&) const { return QFontMetrics(font_).height(); }
  void TextOut(int x, int y, const std::string& text) {
    const QFontMetrics metrics(font_);
    const QString qtext = FromSingleByte(text);
    painter_.fillRect(x, y, metrics.horizontalAdvance(qtext), metrics.height(), fill_);
    painter_.setFont(font_);
    painter_.setPen(fontColour_);
    painter_.drawText(x, y + metrics.ascent(), qtext);
  }

private:
  QPainter painter_;
  QFont font_;
  QColor fontColour_ = kBlack;
  QColor fill_ = kWhite;
  QColor penColour_ = kBlack;
  QList<int> pattern_;
  long long patternStep_ = 0;
  QPoint position_;
  int width_;
  int height_;

  bool PatternOn() const {
    if (pattern_.isEmpty())
      return true;
    const long long period = pattern_[0] + pattern_[1];
    return patternStep_ % period < pattern_[0];
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
void DrawProfile(GraphCanvas& canvas, const Profile& profile, const std::string& symbol,
                 int32_t firstSymbolRow, int symbolOffset, int32_t firstLineRow, int lineOffset) {
  for (int32_t row = std::min(firstSymbolRow, firstLineRow); row < profile.rows; ++row) {
    const int px = ToPixelX(profile.x[row]);
    const int py = ToPixelY(profile.f[row]);
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

void DrawRectangularField(GraphCanvas& canvas, TDMPumpfield& dm) {
  canvas.SetFontColour(kYellow);
  canvas.TextOut(90, 65, "X along the diagonal");
  canvas.SetFontColour(kWhite);

  if (!dm.InputFileName.empty())
    ReloadInputOfReport();

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
    DrawProfile(canvas, shorter, "o", 1, 4, 2, 10);
  }

  canvas.SetFontColour(kYellow);
  canvas.SetPen(Qt::DashLine, kYellow);
  // Only the last three rows of the diagonal, or as many as the table has.
  const int32_t firstDiagonalRow = std::max(0, diagonal.rows - 3);
  DrawProfile(canvas, diagonal, "X", firstDiagonalRow, 2, firstDiagonalRow, 8);
}
} // namespace

void ReloadInputOfReport() {
  TDMPumpfield& dm = *DMPumpfield;
  dm.InputFileName = ChangeFileExt(dm.InputFileName, ".inp");
  dm.LoadInputFile();
  dm.InputFileName = ChangeFileExt(dm.InputFileName, ".out");
}

void DrawGraph(QImage& canvasImage) {
  FindPlotRange();
  ChooseAxisScales();
  SetAxisLabels();
  if (canvasImage.size() != QSize(kGraphWidth, kGraphHeight))
    canvasImage = QImage(kGraphWidth, kGraphHeight, QImage::Format_RGB32);

  TDMPumpfield empty;
  TDMPumpfield& dm = DMPumpfield ? *DMPumpfield : empty;
  const TPlotScale& scale = PlotScale;
  const bool rectangular = IsRectangularReport();
  GraphCanvas canvas(canvasImage);

  canvas.SetFill(kWhite);
  canvas.FillRect(0, 0, kGraphWidth, kGraphHeight);
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
    const int row = VerticalTickRow(i);
    canvas.MoveTo(kOriginColumn, row);
    canvas.LineTo(66, row);
    const std::string label = TickLabel(VerticalTickValue(i), scale.YDecimals);
    canvas.TextOut(kOriginColumn - canvas.TextWidth(label) - 6,
                   row - RoundHalfEven(canvas.TextHeight(label) * 0.5L), label);
  }
  for (int32_t i = 0; i <= scale.XTicks; ++i) {
    const int column = HorizontalTickColumn(i);
    canvas.MoveTo(column, kOriginRow);
    canvas.LineTo(column, 394);
    canvas.TextOut(HorizontalLabelColumn(i), 402,
                   TickLabel(HorizontalTickValue(i), scale.XDecimals));
  }

  DrawProfile(canvas, Table(dm.Table1X, dm.Table1F, dm.Count1), "+", 2, -4, 2, 6);

  if (rectangular)
    DrawRectangularField(canvas, dm);
}

bool SaveGraphBitmap(const QImage& canvas, const std::string& path, std::string& errorText) {
  if (canvas.isNull()) {
    errorText = kNoGraphToSaveMessage;
    return false;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!canvas.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) {
    errorText = CouldNotOpenDamagedMessage(path);
    return false;
  }
  // The name's bytes as given, and the rules of every file the program writes.
  TextWriter file(path, TextWriter::Mode::ReplaceWhenDone);
  file.Write(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
  if (!file.opened() || !file.Close()) {
    errorText = CouldNotOpenDamagedMessage(path);
    return false;
  }
  return true;
}
