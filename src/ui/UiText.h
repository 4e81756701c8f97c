// Text between the data layers (std::string, single-byte files) and the widgets (QString).
#pragma once

#include <QString>
#include <string>

// UTF-8 when the bytes are valid UTF-8, otherwise Latin-1, so that a title from an old
// single-byte file still shows its accented letters.
QString ToQ(const std::string& text);
std::string FromQ(const QString& text);
