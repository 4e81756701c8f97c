// The data module: the store of the program's document (parameter set, current file name,
// report tables and lines read back) and two small dialog services. Each engine holds one.
#pragma once

#include "core/Services.h"
#include "core/TextFile.h"
#include "data/AimTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using DataSetR = std::vector<double>;
using LineSet = std::vector<std::string>;

// An output report whose tables cannot be read whole (no marker, no end line, an unreadable
// row, a table too long to draw).
class ReportFormatError : public InputOutputError {
public:
  using InputOutputError::InputOutputError;
};

// For an input file that ends before the last value its aim reads: the corrupt-numbers message
// and a line naming the first missing value. "" for any other file.
std::string MissingValueMessage(const std::string& path);
// `value` as an input file of `aimCode` holds it at `position`, written and read back; nothing
// for a value no file holds (infinite or not a number).
std::optional<double> ValueAsSaved(double value, int position, const std::string& aimCode);

// What AbortWithError puts before its text.
inline constexpr const char* kProgramErrorPrefix = "A program error occurred.";

class TDMPumpfield {
public:
  // A data module whose messages and questions go to `services` (not owned; none: silent).
  explicit TDMPumpfield(Services* services = nullptr);

  // Whom AbortWithError, AskConfirmation and the file readers and writers talk to. A copy
  // talks to the same.
  Services* services;

  std::string InputFileName; // the input file (.inp); the report is the same path with ".out"
  std::string Title1;
  std::string Title2;
  std::string AimCode;
  std::string ReportTag; // at most 4 characters; " Ost" marks a rectangular-field report
  DataSetR Params;       // position i of the parameter set is element i - 1
  DataSetR Table1X, Table1F, Table1G;
  DataSetR Table2X, Table2F, Table2G;
  DataSetR Table3X, Table3F, Table3G;
  int32_t OutputLineCount = 0;
  int32_t Count1 = 0, Count2 = 0, Count3 = 0;
  LineSet OutputLines;

  void DataModuleCreate();

  // Reads the file named by InputFileName into Title1, Title2, AimCode and Params.
  void LoadInputFile();
  // The same for a file the user chose: a corrupt code or corrupt numbers get their message
  // (not a program error) and leave the parameter set as it was, and the program goes on. True
  // when the file was read; otherwise the user has been told why.
  bool LoadChosenInputFile();
  // Writes Title1, Title2, AimCode and the first 14 Params to FileName ("Hyd" becomes "Hydr").
  // True when the whole file was written; otherwise the user has been told why.
  bool SaveInputFile(const std::string& FileName);

  // Reads a text file into OutputLines and OutputLineCount.
  void LoadOutputLines(const std::string& FileName);
  // Reads a report's titles (blank runs shortened), tag and profile tables. A file that cannot
  // be opened gives a message and changes nothing; a malformed report raises ReportFormatError
  // and changes nothing.
  void LoadGraphData(const std::string& FileName);

  // "A program error occurred." + Text in a message box, then a queued end of the program;
  // returns normally so that the caller runs on.
  void AbortWithError(const std::string& Text);
  // Yes/No question; true exactly when Yes was chosen.
  bool AskConfirmation(const std::string& Text);
  // A message box with an OK button.
  void ShowMessage(const std::string& Text);
};

// The "could not be opened" message box texts shared by the file readers and writers.
std::string CouldNotOpenForReadingMessage(const std::string& path);
std::string CouldNotOpenDamagedMessage(const std::string& path);
// What AbortWithError tells of an input file whose aim code or numbers cannot be read.
std::string CodeCorruptMessage(const std::string& path);
std::string NumbersCorruptMessage(const std::string& path);
