#include "ui/JpegImage.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

// libjpeg's default reaction to an error is to end the process; jump back instead.
[[noreturn]] void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

QByteArray ReadResource(const char* path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
  if (bytes.isEmpty())
    return QImage();
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnJpegError;
  errors.base.output_message = IgnoreJpegMessage;
  // Only trivially destructible locals live across setjmp; the image is made after it.
  QImage* volatile image = nullptr;
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&info);
    delete image;
    return QImage();
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image = new QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                     QImage::Format_RGB888);
  if (image->isNull())
    errors.base.error_exit(reinterpret_cast<j_common_ptr>(&info));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  QImage result = *image;
  delete image;
  return result;
}

const QImage& ExplanatoryFigure() {
  static const QImage figure = DecodeJpeg(ReadResource(":/assets/figure.jpg"));
  return figure;
}

const QImage& IntroPicture() {
  static const QImage picture(":/assets/intro.png");
  return picture;
}

#define PUMPFIELD_TEXT_OF(x) #x
#define PUMPFIELD_TEXT(x) PUMPFIELD_TEXT_OF(x)

QString JpegLibraryName() {
#ifdef LIBJPEG_TURBO_VERSION
  return QStringLiteral("libjpeg-turbo " PUMPFIELD_TEXT(LIBJPEG_TURBO_VERSION));
#else
  return QStringLiteral("libjpeg %1").arg(JPEG_LIB_VERSION);
#endif
}
