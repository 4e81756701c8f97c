// Draws the explanatory figure (figure.jpg, 540 x 462, baseline JFIF) and the small picture of
// the Intro sheet (intro.png, 109 x 96) into the folder given as the only argument.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {
const QColor kInk(0, 0, 0);
const QColor kWater(0, 90, 200);

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QLineF line(to, from);
  for (qreal turn : {25.0, -25.0}) {
    QLineF head = QLineF::fromPolar(7, line.angle() + turn);
    head.translate(to);
    p.drawLine(head);
  }
}

void TwoWayArrow(QPainter& p, QPointF a, QPointF b) {
  Arrow(p, (a + b) / 2, a);
  Arrow(p, (a + b) / 2, b);
}

void Depth(QPainter& p, qreal x, qreal top, qreal bottom, const QString& label) {
  Arrow(p, QPointF(x, top), QPointF(x, bottom));
  p.drawText(QRectF(x + 3, (top + bottom) / 2 - 8, 30, 16), Qt::AlignLeft | Qt::AlignVCenter,
             label);
}

void Well(QPainter& p, qreal axis, qreal surface, qreal waterLevel, qreal bottom) {
  const qreal half = 9;
  p.fillRect(QRectF(axis - half, waterLevel, 2 * half, bottom - waterLevel), kWater);
  p.setPen(QPen(kInk, 2));
  p.drawLine(QPointF(axis - half, surface - 6), QPointF(axis - half, waterLevel));
  p.drawLine(QPointF(axis + half, surface - 6), QPointF(axis + half, waterLevel));
  p.setPen(QPen(kInk, 2, Qt::DashLine));
  p.drawLine(QPointF(axis - half, waterLevel), QPointF(axis - half, bottom));
  p.drawLine(QPointF(axis + half, waterLevel), QPointF(axis + half, bottom));
  p.setPen(QPen(kInk, 2));
  p.drawLine(QPointF(axis - half, bottom), QPointF(axis + half, bottom));
}

QImage DrawFigure() {
  QImage image(540, 462, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QFont font("Arial");
  font.setPixelSize(14);
  p.setFont(font);

  const qreal left = 20, right = 520, surface = 52, dw = 160, dm = 112, d1 = 250, db = 330,
              d2 = 385, wellA = 100, wellB = 440, mid = (wellA + wellB) / 2;

  // Layers: unsaturated, layer 1, layer 2, impermeable base.
  p.fillRect(QRectF(left, surface, right - left, d1 - surface), QColor(236, 222, 196));
  p.fillRect(QRectF(left, d1, right - left, d2 - d1), QColor(214, 196, 160));
  p.fillRect(QRectF(left, d2, right - left, 16), QColor(120, 120, 120));
  p.setPen(QPen(kInk, 1));
  for (qreal x = left; x < right; x += 10)
    p.drawLine(QPointF(x, d2 + 16), QPointF(x + 10, d2));
  p.setPen(QPen(kInk, 2));
  p.drawLine(QPointF(left, surface), QPointF(right, surface));
  p.drawLine(QPointF(left, d2), QPointF(right, d2));
  for (qreal x = left + 4; x < right; x += 14) {
    p.drawLine(QPointF(x, surface), QPointF(x - 3, surface - 6));
    p.drawLine(QPointF(x, surface), QPointF(x + 3, surface - 6));
  }
  p.setPen(QPen(kInk, 1, Qt::DashLine));
  p.drawLine(QPointF(left, d1), QPointF(right, d1));
  p.drawLine(QPointF(mid, surface), QPointF(mid, d2));

  // Curved water table, lowest at the wells and highest midway.
  QPainterPath table;
  for (int i = 0; i <= 100; ++i) {
    const qreal x = wellA + (wellB - wellA) * i / 100.0;
    const qreal s = 1 - std::abs(x - mid) / (mid - wellA); // 0 at a well, 1 midway
    const qreal y = dw - (dw - dm) * (1 - (1 - s) * (1 - s));
    i == 0 ? table.moveTo(x, y) : table.lineTo(x, y);
  }
  p.setPen(QPen(kWater, 3));
  p.drawPath(table);
  p.setBrush(kWater);
  p.drawPolygon(QPolygonF{QPointF(mid - 6, dm - 10), QPointF(mid + 6, dm - 10), QPointF(mid, dm)});
  p.setBrush(Qt::NoBrush);

  Well(p, wellA, surface, dw, db);
  Well(p, wellB, surface, dw, db);

  p.setPen(QPen(kInk, 1));
  Depth(p, 48, surface, dw, "Dw");
  Depth(p, mid + 14, surface, dm, "Dm");
  Depth(p, 380, surface, d1, "D1");
  Depth(p, 488, surface, d2, "D2");
  Depth(p, 132, surface, db, "Db");

  p.drawText(QPointF(300, 146), "Ka");
  p.drawText(QPointF(220, 215), "Kb1 , Kv1");
  p.drawText(QPointF(220, 320), "Kb2 , Kv2");

  TwoWayArrow(p, QPointF(wellB - 9, db + 18), QPointF(wellB + 9, db + 18));
  p.drawText(QRectF(wellB - 20, db + 22, 40, 16), Qt::AlignCenter, "W");

  TwoWayArrow(p, QPointF(wellA, 22), QPointF(wellB, 22));
  p.drawText(QRectF(mid - 20, 4, 40, 16), Qt::AlignCenter, "L");
  TwoWayArrow(p, QPointF(wellA, d2 + 34), QPointF(mid, d2 + 34));
  p.drawText(QRectF((wellA + mid) / 2 - 20, d2 + 36, 40, 16), Qt::AlignCenter, "L/2");

  font.setPixelSize(13);
  p.setFont(font);
  p.drawText(QRectF(0, 436, 540, 20), Qt::AlignCenter,
             "D = depth,  K = hydraulic conductivity,  L = well spacing,  W = well diameter");
  return image;
}

QImage DrawIntroPicture() {
  QImage image(109, 96, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(0, 0, 109, 50, QColor(200, 226, 250));
  p.fillRect(0, 50, 109, 26, QColor(150, 110, 70));
  p.fillRect(0, 76, 109, 20, QColor(40, 110, 200));
  p.setPen(QPen(QColor(60, 40, 20), 1));
  for (int x = 6; x < 109; x += 12)
    p.drawLine(x, 62, x + 4, 60);
  p.setPen(QPen(QColor(20, 60, 150), 1));
  for (int x = 2; x < 109; x += 14)
    p.drawArc(x, 84, 10, 6, 0, 180 * 16);
  p.setPen(QPen(QColor(30, 120, 40), 3));
  p.drawLine(54, 50, 54, 16);
  p.setPen(QPen(QColor(90, 60, 30), 1));
  p.drawLine(54, 50, 46, 66);
  p.drawLine(54, 50, 62, 68);
  p.drawLine(54, 50, 54, 70);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 150, 50));
  p.drawEllipse(QRectF(32, 30, 22, 9));
  p.drawEllipse(QRectF(54, 22, 22, 9));
  p.setBrush(QColor(240, 200, 40));
  p.drawEllipse(QRectF(47, 6, 14, 14));
  return image;
}

bool WriteBaselineJpeg(const QImage& picture, const char* path) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  std::FILE* file = std::fopen(path, "wb");
  if (!file)
    return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(rgb.width());
  info.image_height = static_cast<JDIMENSION>(rgb.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  info.write_JFIF_header = TRUE;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}
} // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_assets OUTPUT-FOLDER\n");
    return 64;
  }
  if (!std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const bool figure = WriteBaselineJpeg(DrawFigure(), (folder + "/figure.jpg").toLocal8Bit());
  const bool intro = DrawIntroPicture().save(folder + "/intro.png", "PNG");
  if (!figure || !intro) {
    std::fprintf(stderr, "draw_assets: could not write the pictures into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
