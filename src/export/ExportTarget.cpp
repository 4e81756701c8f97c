#include "export/ExportTarget.h"

#include "core/FileNames.h"

#include <filesystem>

bool ReplacesReportOrInput(const std::string& target, const std::string& reportPath,
                           std::string& errorText) {
  for (const std::string& source : {reportPath, ChangeFileExt(reportPath, ".inp")}) {
    std::error_code error;
    if (std::filesystem::equivalent(target, source, error)) {
      errorText = "The file \"" + target +
                  "\" is the report or its input file and is not replaced; choose another name.";
      return true;
    }
  }
  return false;
}
