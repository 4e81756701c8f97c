// Draws the program's icon into OUTPUT-FOLDER/hicolor/<N>x<N>/apps (PNG, N = 16 ... 256) and
// OUTPUT-FOLDER/hicolor/scalable/apps (SVG): a pumped well in a cross-section of the ground, the
// water table drawn down towards it. Each size is laid out on its own pixel grid and keeps only
// the detail it can show, so the small icons stay sharp instead of being shrunk from the large one.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
const QString kIconName = "org.pumpfield.Pumpfield";
const int kPixelSizes[] = {16, 32, 48, 64, 128, 256};

const QColor kSky(206, 230, 250);
const QColor kGrass(76, 160, 60);
const QColor kSoil(204, 168, 114);
const QColor kWater(42, 120, 208);
const QColor kWaterLine(16, 70, 150);
const QColor kFlow(220, 236, 255);
const QColor kCasing(50, 56, 64);
const QColor kBore(236, 240, 244);
const QColor kEdge(60, 70, 80);

// Positions in pixels of the 256-pixel icon.
constexpr qreal kLeft = 16, kRight = 240, kTop = 16, kBottom = 240;
constexpr qreal kGround = 92, kTableFar = 140, kTableAtWell = 196;
constexpr qreal kWellAxis = 128, kWellHalf = 16, kWellTop = 58, kWellBottom = 222;

class Grid {
public:
  explicit Grid(int size) : scale_(size / 256.0) {}
  // The pixel edge nearest to a position, so that straight edges never straddle two pixels.
  qreal Edge(qreal position) const { return std::round(position * scale_); }
  qreal Exact(qreal position) const { return position * scale_; }
  qreal Thickness(qreal width) const { return std::max<qreal>(1, Edge(width)); }

private:
  qreal scale_;
};

// The water table is lowest at the well and rises steeply near it, flattening out towards the
// edges like the cone of depression around a pumped well.
qreal TableDepth(qreal x) {
  const qreal t = std::min<qreal>(1, std::abs(x - kWellAxis) / (kWellAxis - kLeft));
  return kTableFar + (kTableAtWell - kTableFar) * (1 - t) * (1 - t);
}

QPainterPath WaterTable(const Grid& g, qreal from, qreal to) {
  QPainterPath table;
  for (int i = 0; i <= 64; ++i) {
    const qreal x = from + (to - from) * i / 64.0;
    const QPointF point(g.Exact(x), g.Exact(TableDepth(x)));
    i == 0 ? table.moveTo(point) : table.lineTo(point);
  }
  return table;
}

QRectF Band(const Grid& g, qreal left, qreal top, qreal right, qreal bottom) {
  return QRectF(QPointF(g.Edge(left), g.Edge(top)), QPointF(g.Edge(right), g.Edge(bottom)));
}

void FlowArrow(QPainter& p, const Grid& g, qreal fromX, qreal toX, qreal y) {
  p.setPen(QPen(kFlow, g.Exact(6), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const QPointF tip(g.Exact(toX), g.Exact(y));
  p.drawLine(QPointF(g.Exact(fromX), g.Exact(y)), tip);
  const qreal back = toX > fromX ? -12 : 12;
  p.drawPolyline(QPolygonF{QPointF(g.Exact(toX + back), g.Exact(y - 10)), tip,
                           QPointF(g.Exact(toX + back), g.Exact(y + 10))});
}

void DrawWell(QPainter& p, const Grid& g, int size) {
  const QRectF casing =
      Band(g, kWellAxis - kWellHalf, kWellTop, kWellAxis + kWellHalf, kWellBottom);
  p.fillRect(casing, kCasing);
  const qreal wall = g.Thickness(6);
  const QRectF bore = casing.adjusted(wall, 0, -wall, -wall);
  if (bore.width() > 0) {
    const qreal level = g.Edge(kTableAtWell);
    p.fillRect(QRectF(bore.topLeft(), QPointF(bore.right(), level)), kBore);
    p.fillRect(QRectF(QPointF(bore.left(), level), bore.bottomRight()), kWater);
    if (size >= 48)
      for (qreal y = kTableAtWell + 6; y < kWellBottom - 10; y += 12)
        p.fillRect(QRectF(bore.left(), g.Edge(y), bore.width(), g.Thickness(4)), kCasing);
  }
  p.fillRect(Band(g, kWellAxis - 28, kWellTop - 14, kWellAxis + 28, kWellTop + 2), kCasing);
  p.fillRect(Band(g, kWellAxis + 28, kWellTop - 10, kWellAxis + 60, kWellTop - 2), kCasing);
  if (size >= 64) {
    QPainterPath drop;
    drop.moveTo(g.Exact(kWellAxis + 52), g.Exact(kWellTop + 4));
    drop.cubicTo(g.Exact(kWellAxis + 44), g.Exact(kWellTop + 16), g.Exact(kWellAxis + 46),
                 g.Exact(kWellTop + 24), g.Exact(kWellAxis + 52), g.Exact(kWellTop + 24));
    drop.cubicTo(g.Exact(kWellAxis + 58), g.Exact(kWellTop + 24), g.Exact(kWellAxis + 60),
                 g.Exact(kWellTop + 16), g.Exact(kWellAxis + 52), g.Exact(kWellTop + 4));
    p.fillPath(drop, kWater);
  }
}

void DrawIcon(QPainter& p, int size) {
  const Grid g(size);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF tileRect = Band(g, kLeft, kTop, kRight, kBottom);
  const qreal radius = std::max<qreal>(2, g.Exact(28));
  QPainterPath tile;
  tile.addRoundedRect(tileRect, radius, radius);
  const auto fillInTile = [&](const QPainterPath& shape, const QColor& color) {
    p.fillPath(tile.intersected(shape), color);
  };
  const auto rectPath = [](const QRectF& rect) {
    QPainterPath path;
    path.addRect(rect);
    return path;
  };

  fillInTile(rectPath(tileRect), kSoil);
  fillInTile(rectPath(Band(g, kLeft, kTop, kRight, kGround)), kSky);
  if (size >= 32)
    fillInTile(
        rectPath(QRectF(tileRect.left(), g.Edge(kGround), tileRect.width(), g.Thickness(10))),
        kGrass);

  QPainterPath water = WaterTable(g, kLeft - 8, kRight + 8);
  water.lineTo(g.Exact(kRight + 8), g.Exact(kBottom + 8));
  water.lineTo(g.Exact(kLeft - 8), g.Exact(kBottom + 8));
  water.closeSubpath();
  fillInTile(water, kWater);

  if (size >= 64) {
    // The water table before pumping, dashed.
    const qreal y = g.Edge(kTableFar);
    for (qreal x = kLeft + 20; x < kRight - 20; x += 20)
      p.fillRect(QRectF(g.Edge(x), y, g.Edge(x + 10) - g.Edge(x), g.Thickness(3)), kWaterLine);
  }
  if (size >= 48) {
    // The tile's sides are straight at this depth, so the line ends on its edge without clipping
    // (clipping does not carry over into the SVG).
    p.setPen(QPen(kWaterLine, std::max<qreal>(1, g.Exact(5)), Qt::SolidLine, Qt::FlatCap));
    p.drawPath(WaterTable(g, kLeft + 2, kRight - 2));
  }
  if (size >= 64) {
    FlowArrow(p, g, 40, 84, 214);
    FlowArrow(p, g, 216, 172, 214);
  }

  DrawWell(p, g, size);

  const qreal edge = std::max<qreal>(1, g.Exact(4));
  p.setPen(QPen(kEdge, edge));
  p.setBrush(Qt::NoBrush);
  const QRectF edgeRect = tileRect.adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2);
  p.drawRoundedRect(edgeRect, radius - edge / 2, radius - edge / 2);
}

bool WritePng(const QString& folder, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    DrawIcon(p, size);
  }
  const QString path = QString("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
  return QDir().mkpath(path) && image.save(path + "/" + kIconName + ".png", "PNG");
}

bool WriteSvg(const QString& folder) {
  const QString path = folder + "/hicolor/scalable/apps";
  if (!QDir().mkpath(path))
    return false;
  QSvgGenerator svg;
  svg.setFileName(path + "/" + kIconName + ".svg");
  svg.setSize(QSize(256, 256));
  svg.setViewBox(QRect(0, 0, 256, 256));
  svg.setTitle("Pumpfield");
  svg.setDescription("A pumped well lowering the water table");
  QPainter p;
  if (!p.begin(&svg))
    return false;
  DrawIcon(p, 256);
  return p.end();
}
} // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_icons OUTPUT-FOLDER\n");
    return 64;
  }
  if (!std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  bool written = WriteSvg(folder);
  for (int size : kPixelSizes)
    written = WritePng(folder, size) && written;
  if (!written) {
    std::fprintf(stderr, "draw_icons: could not write the icons into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
