// The program's settings kept between sessions (~/.config/pumpfield/pumpfield.conf).
#pragma once

#include <QSettings>

inline QSettings ProgramSettings() { return QSettings("pumpfield", "pumpfield"); }
