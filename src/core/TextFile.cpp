#include "TextFile.h"

#include "TextFormat.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
constexpr size_t kMaxNumberToken = 64;
} // namespace

TextReader::TextReader(const std::string& path) : path_(path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad())
    return;
  data_ = content.str();
  opened_ = true;
}

TextReader TextReader::OpenOrThrow(const std::string& path) {
  TextReader reader(path);
  if (!reader.opened())
    throw InputOutputError("The file \"" + path + "\" could not be opened");
  return reader;
}

std::string TextReader::ReadLine() {
  const size_t start = pos_;
  while (pos_ < data_.size() && data_[pos_] != '\n')
    ++pos_;
  size_t end = pos_;
  if (pos_ < data_.size())
    ++pos_;
  if (end > start && data_[end - 1] == '\r')
    --end;
  return data_.substr(start, end - start);
}

void TextReader::SkipLine() {
  while (pos_ < data_.size() && data_[pos_] != '\n')
    ++pos_;
  if (pos_ < data_.size())
    ++pos_;
}

TextReader::ReadResult TextReader::ReadReal(double& value) {
  value = 0.0;
  while (pos_ < data_.size() && IsSeparator(data_[pos_]))
    ++pos_;
  if (pos_ >= data_.size())
    return ReadResult::EndOfFile;
  const size_t start = pos_;
  while (pos_ < data_.size() && !IsSeparator(data_[pos_]))
    ++pos_;
  const std::string token = data_.substr(start, pos_ - start);
  if (token.size() > kMaxNumberToken)
    return ReadResult::Malformed;
  const auto number = TextToFloat(token, '.');
  if (!number)
    return ReadResult::Malformed;
  value = *number;
  return ReadResult::Number;
}

double TextReader::ReadRealOrThrow() {
  double value = 0.0;
  if (ReadReal(value) == ReadResult::Malformed)
    throw InputOutputError("Invalid numeric input in the file \"" + path_ + "\"");
  return value;
}

TextWriter::TextWriter(const std::string& path, Mode mode) : path_(path), mode_(mode) {
  writePath_ = mode == Mode::Direct ? path : path + ".~tmp";
  file_ = std::fopen(writePath_.c_str(), "wb");
}

TextWriter::~TextWriter() { Close(); }

void TextWriter::Write(const std::string& text) {
  if (file_ && std::fwrite(text.data(), 1, text.size(), file_) != text.size())
    failed_ = true;
}

void TextWriter::WriteLine(const std::string& text) {
  Write(text);
  Write("\r\n");
}

void TextWriter::Flush() {
  if (file_ && std::fflush(file_) != 0)
    failed_ = true;
}

bool TextWriter::Close() {
  if (!file_)
    return !failed_;
  if (std::fclose(file_) != 0)
    failed_ = true;
  file_ = nullptr;
  if (mode_ == Mode::ReplaceWhenDone) {
    if (failed_ || std::rename(writePath_.c_str(), path_.c_str()) != 0) {
      failed_ = true;
      ::unlink(writePath_.c_str());
    }
  }
  return !failed_;
}

void TextWriter::RequireOpened(const TextWriter& writer, const std::string& path) {
  if (!writer.opened())
    throw InputOutputError("The file \"" + path + "\" could not be created");
}
