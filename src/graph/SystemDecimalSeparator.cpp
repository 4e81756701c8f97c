#include "graph/SystemDecimalSeparator.h"

#include <QLocale>

char SystemDecimalSeparator() { return QLocale::system().decimalPoint() == "," ? ',' : '.'; }
