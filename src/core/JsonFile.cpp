#include "core/JsonFile.h"

#include "core/FileNames.h"
#include "core/TextFile.h"

#include <nlohmann/json.hpp>

std::string JsonText(const std::string& latin1) {
  std::string utf8;
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | byte >> 6);
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

bool WriteJsonFile(const std::string& path, const Json& value, std::string& errorText) {
  // Any byte that is not UTF-8 has been converted by JsonText; a stray one must not end the run.
  const std::string text = value.dump(2, ' ', false, Json::error_handler_t::replace);
  TextWriter file(path, TextWriter::Mode::ReplaceWhenDone);
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    file.WriteLine(text.substr(start, end - start));
  file.WriteLine(text.substr(start));
  if (file.Close())
    return true;
  errorText = "The file \"" + VisibleFileName(path) + "\" could not be written: " + file.failure();
  return false;
}
