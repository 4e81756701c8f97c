#include "graph/GraphBitmap.h"

#include "core/TextFile.h"

#include <QBuffer>

const char* const kNoGraphToSaveMessage =
    "There is no graph to save yet; make a graph with \"Make graph\" first";

QByteArray GraphImageBytes(const QImage& canvas, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  canvas.convertToFormat(QImage::Format_RGB888).save(&buffer, format);
  return bytes;
}

bool SaveGraphBitmap(const QImage& canvas, const std::string& path, std::string& errorText) {
  if (canvas.isNull()) {
    errorText = kNoGraphToSaveMessage;
    return false;
  }
  return SaveGraphFile(GraphImageBytes(canvas, "BMP"), path, errorText);
}

bool SaveGraphFile(const QByteArray& bytes, const std::string& path, std::string& errorText) {
  if (bytes.isEmpty()) {
    errorText = "The file \"" + path + "\" could not be written: the picture could not be made";
    return false;
  }
  return WriteWholeFile(path, std::string(bytes.constData(), static_cast<size_t>(bytes.size())),
                        errorText);
}
