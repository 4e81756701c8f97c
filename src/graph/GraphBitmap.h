// The drawn graph as the bytes of an image file, and picture and document files written whole.
#pragma once

#include <QByteArray>
#include <QImage>

#include <string>

// Text of SaveGraphBitmap's failure for a canvas on which nothing was drawn yet.
extern const char* const kNoGraphToSaveMessage;

// `canvas` as the bytes of an image file in `format` ("BMP", "PNG"), 24 bits per pixel.
QByteArray GraphImageBytes(const QImage& canvas, const char* format);
// Writes `canvas` as a 24-bit Windows bitmap to the file named by the bytes of `path`, as every
// file the program writes: beside it first, replacing it only once the whole file is written,
// links followed, read-only files and anything that is not a regular file refused. False with
// `errorText` set when nothing was drawn yet or the file cannot be written.
bool SaveGraphBitmap(const QImage& canvas, const std::string& path, std::string& errorText);
// Writes the bytes of a picture or a document by the same rules. False with `errorText` set,
// with the system's reason, when the file cannot be written or `bytes` are empty (the picture
// could not be made).
bool SaveGraphFile(const QByteArray& bytes, const std::string& path, std::string& errorText);
