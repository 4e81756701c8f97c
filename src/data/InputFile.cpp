// The input data file: two titles, "File Name: " line, aim code, fourteen fixed-width numbers.
#include "data/UDMPumpfield.h"

#include "core/FileNames.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"

#include <algorithm>

namespace {
constexpr int kParamCount = 14;
constexpr int kFieldWidth = 10;

int DecimalsOfPosition(int position, const std::string& aimCode) {
  if (position == 1)
    return AimOfCode(aimCode) == Aim::Discharge ? 2 : 4;
  if (position == 10 || position == 12)
    return 4;
  return 2;
}

std::string CodeCorruptMessage(const std::string& path) {
  return "The code in the inputfile \"" + path + "\" is corrupt";
}

std::string NumbersCorruptMessage(const std::string& path) {
  return "Real numbers in the inputfile \"" + path + "\" are corrupt";
}

// A value that fills its whole field gets a blank in front all the same, so that it never
// runs into the value before it and the file always reads back.
std::string ParamField(double value, int decimals) {
  std::string text = FormatFixed(value, 0, decimals);
  const size_t width = std::max<size_t>(kFieldWidth, text.size() + 1);
  return std::string(width - text.size(), ' ') + text;
}
} // namespace

void TDMPumpfield::LoadInputFile() {
  const std::string path = InputFileName;
  TextReader file(path);
  if (!file.opened()) {
    AppServices().ShowMessage(file.FailureMessage(CouldNotOpenForReadingMessage(path)));
    return;
  }
  Title1 = file.ReadLine();
  Title2 = file.ReadLine();
  file.SkipLine();
  AimCode = file.ReadLine();
  if (!IsKnownAimCode(AimCode))
    AbortWithError(CodeCorruptMessage(path));

  Params.clear();
  for (int position = 1; position <= kParamCount; ++position) {
    Params.push_back(0.0);
    if (file.ReadReal(Params.back()) == TextReader::ReadResult::Malformed) {
      Params.back() = 0.0;
      AbortWithError(NumbersCorruptMessage(path));
      break;
    }
  }
}

bool TDMPumpfield::SaveInputFile(const std::string& FileName) {
  TextWriter file(FileName, TextWriter::Mode::ReplaceWhenDone);
  if (!file.opened()) {
    AppServices().ShowMessage(CouldNotOpenDamagedMessage(FileName));
    return false;
  }
  file.WriteLine(Title1);
  file.WriteLine(Title2);
  file.WriteLine("File Name: " + VisibleFileName(FileName));
  if (AimOfCode(AimCode) == Aim::FieldDepths)
    AimCode = kFieldDepthsFileCode;
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
