#include "GoldenFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

std::vector<std::string> GoldenInputs() {
  std::vector<std::string> inputs;
  for (const std::string& folder :
       {std::string(PUMPFIELD_SOURCE_DIR) + "/Data", std::string(PUMPFIELD_TEST_DATA) + "/golden"})
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".inp")
        inputs.push_back(entry.path().string());
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::string GoldenTestName(const std::string& path) {
  std::string name;
  for (char c :
       fs::path(path).parent_path().filename().string() + "_" + fs::path(path).stem().string())
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

std::string WithFolder(const std::string& report, const std::string& folder) {
  constexpr size_t kLabelLength = 27;
  std::string result;
  size_t start = 0;
  for (int line = 1; start < report.size(); ++line) {
    size_t end = report.find("\r\n", start);
    end = end == std::string::npos ? report.size() : end + 2;
    std::string text = report.substr(start, end - start);
    if ((line == 13 || line == 14) && text.size() > kLabelLength + 2) {
      const std::string path = text.substr(kLabelLength, text.size() - kLabelLength - 2);
      text =
          text.substr(0, kLabelLength) + folder + "/" + fs::path(path).filename().string() + "\r\n";
    }
    result += text;
    start = end;
  }
  return result;
}
