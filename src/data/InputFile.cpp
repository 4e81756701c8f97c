// The input data file: two titles, "File Name: " line, aim code, fourteen fixed-width numbers.
#include "data/UDMPumpfield.h"

#include "core/FileNames.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

std::string CodeCorruptMessage(const std::string& path) {
  return "The code in the inputfile \"" + path + "\" is corrupt";
}

std::string NumbersCorruptMessage(const std::string& path) {
  return "Real numbers in the inputfile \"" + path + "\" are corrupt";
}

namespace {
constexpr int kFieldWidth = 10;

// A value that fills its whole field gets a blank in front all the same, so that it never
// runs into the value before it and the file always reads back.
std::string ParamField(double value, int decimals) {
  std::string text = FormatFixed(value, 0, decimals);
  const size_t width = std::max<size_t>(kFieldWidth, text.size() + 1);
  return std::string(width - text.size(), ' ') + text;
}
} // namespace

// The text the writer gives `value` is read back as the reader reads it: a plain decimal
// number, no longer than the longest token the reader takes.
std::optional<double> ValueAsSaved(double value, int position, const std::string& aimCode) {
  if (!std::isfinite(value))
    return std::nullopt;
  char text[kMaxNumberToken + 1];
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                                     DecimalsOfPosition(position, aimCode));
  if (written.ec != std::errc() || written.ptr - text > static_cast<long>(kMaxNumberToken))
    return std::nullopt;
  double read = 0.0;
  std::from_chars(text, written.ptr, read);
  return read;
}

namespace {
// Reads `path` into the titles, code and numbers of `dm`. A corrupt code is passed to `corrupt`
// and reading goes on; an unreadable number is passed to it and reading stops there, the values
// before it kept. False, after its message and with nothing changed, when the file cannot be
// opened.
template <class OnCorrupt>
bool ReadInputFile(TDMPumpfield& dm, const std::string& path, OnCorrupt corrupt) {
  TextReader file(path);
  if (!file.opened()) {
    dm.ShowMessage(file.FailureMessage(CouldNotOpenForReadingMessage(path)));
    return false;
  }
  dm.Title1 = file.ReadLine();
  dm.Title2 = file.ReadLine();
  file.SkipLine();
  dm.AimCode = file.ReadLine();
  if (!IsKnownAimCode(dm.AimCode))
    corrupt(CodeCorruptMessage(path));

  dm.Params.clear();
  for (int position = 1; position <= kParamCount; ++position) {
    dm.Params.push_back(0.0);
    if (file.ReadReal(dm.Params.back()) == TextReader::ReadResult::Malformed) {
      dm.Params.back() = 0.0;
      corrupt(NumbersCorruptMessage(path));
      break;
    }
  }
  return true;
}
} // namespace

void TDMPumpfield::LoadInputFile() {
  ReadInputFile(*this, InputFileName, [this](const std::string& text) { AbortWithError(text); });
}

bool TDMPumpfield::LoadChosenInputFile() {
  const std::string title1 = Title1, title2 = Title2, aimCode = AimCode;
  const DataSetR params = Params;
  std::string problem;
  if (!ReadInputFile(*this, InputFileName, [&problem](const std::string& text) {
        if (problem.empty())
          problem = text;
      }))
    return false;
  if (problem.empty())
    return true;
  Title1 = title1;
  Title2 = title2;
  AimCode = aimCode;
  Params = params;
  ShowMessage(problem);
  return false;
}

bool TDMPumpfield::SaveInputFile(const std::string& FileName) {
  TextWriter file(FileName, TextWriter::Mode::ReplaceWhenDone);
  if (!file.opened()) {
    ShowMessage(WithReason(CouldNotOpenDamagedMessage(FileName), file.failure()));
    return false;
  }
  file.WriteLine(Title1);
  file.WriteLine(Title2);
  file.WriteLine("File Name: " + VisibleFileName(FileName));
  if (const AimDefinition* aim = AimDefinitionOfCode(AimCode))
    AimCode = aim->fileCode; // "Hyd" becomes "Hydr"
  file.WriteLine(AimCode);
  const bool knownCode = IsKnownAimCode(AimCode);
  if (!knownCode)
    AbortWithError(CodeCorruptMessage(FileName));

  const int available = static_cast<int>(std::min<size_t>(Params.size(), kParamCount));
  for (int position = 1; position <= available; ++position)
    file.Write(ParamField(Params[position - 1], DecimalsOfPosition(position, AimCode)));
  bool complete = available == kParamCount;
  file.WriteLine();
  if (!file.Close())
    complete = false;
  if (!complete)
    AbortWithError(NumbersCorruptMessage(FileName));
  return knownCode && complete;
}

std::string MissingValueMessage(const std::string& path) {
  TextReader file(path);
  for (int line = 0; line < 3; ++line)
    file.SkipLine();
  const AimDefinition* aim = AimDefinitionOfCode(file.ReadLine());
  if (!file.opened() || !aim)
    return std::string();
  for (int position = 1; position <= aim->valuesRead; ++position) {
    double value = 0.0;
    const TextReader::ReadResult read = file.ReadReal(value);
    if (read == TextReader::ReadResult::Malformed)
      return std::string();
    if (read == TextReader::ReadResult::EndOfFile) {
      std::string name = "value " + std::to_string(position);
      for (const AimInput& input : aim->inputs)
        if (input.position == position)
          name += " (" + std::string(input.symbol) + ")";
      return NumbersCorruptMessage(path) + "\nThe file ends before " + name + ".";
    }
  }
  return std::string();
}
