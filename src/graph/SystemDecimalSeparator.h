// The decimal separator of the desktop's number format, read from Qt's system locale.
#pragma once

// '.' or ',', as the window shows numbers.
char SystemDecimalSeparator();
