// What the Output and Graphics sheet tests share: the run control driving the real main window,
// a small rectangular-field input file, and file helpers.
#pragma once

#include "run/RunCalculation.h"
#include "ui/MainFormRunWindow.h"
#include "ui/UFigureForm.h"
#include "ui/UMainForm.h"

#include "TempDir.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>

#include <string>

// A quick rectangular-field situation; R = "0.0000" is an input error.
inline std::string FieldInput(const std::string& r) {
  return "Field\r\nsmall\r\nFile Name: x\r\nHydr\r\n    " + r +
         "      2.00     10.00      3.00      8.00      0.50      0.30      1.00      2.00"
         "    0.5000      5.00    1.0000     12.00      8.00\r\n";
}

// The lines of a text file as a memo shows them.
inline QString MemoTextOf(const std::string& path) {
  QString text = QString::fromLatin1(ReadFileBytes(path).c_str());
  text.replace("\r\n", "\n");
  if (text.endsWith('\n'))
    text.chop(1);
  return text;
}

// A report of the test data, with its input file beside it.
inline std::string GoldenFile(const std::string& name) {
  return std::string(PUMPFIELD_TEST_DATA) + "/golden/" + name;
}

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
