// The explanatory figure: a baseline JFIF picture embedded in the program, decoded with libjpeg.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes JPEG bytes into an RGB image; a null image when the bytes are no readable JPEG.
QImage DecodeJpeg(const QByteArray& bytes);
// The embedded explanatory figure (540 x 462), decoded once.
const QImage& ExplanatoryFigure();
// The small picture of the Intro sheet (109 x 96).
const QImage& IntroPicture();
// The name and version of the JPEG library the program was built with.
QString JpegLibraryName();
