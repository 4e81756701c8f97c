#include "core/FileNames.h"

#include <filesystem>
#include <sys/stat.h>
#include <system_error>

namespace fs = std::filesystem;

std::string ChangeFileExt(const std::string& path, const std::string& extension) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return path + extension;
  return path.substr(0, dot) + extension;
}

std::string ExtractFileName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFileDir(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return std::string();
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string ExpandFileName(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool PathExists(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0;
}

bool DeleteFileIfExists(const std::string& path) {
  std::error_code error;
  return fs::remove(path, error);
}

bool SameFile(const std::string& first, const std::string& second) {
  struct stat a, b;
  return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string FileIdentity(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) == 0)
    return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
  std::error_code error;
  return fs::weakly_canonical(path, error).string();
}

std::string VisibleFileName(const std::string& path) {
  std::string visible;
  visible.reserve(path.size());
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      visible += c;
    } else if (c == '\t') {
      visible += "\\t";
    } else if (c == '\n') {
      visible += "\\n";
    } else if (c == '\r') {
      visible += "\\r";
    } else {
      const char* const hex = "0123456789ABCDEF";
      visible += "\\x";
      visible += hex[byte >> 4];
      visible += hex[byte & 0xF];
    }
  }
  return visible;
}

std::string GetCurrentDir() {
  std::error_code error;
  const fs::path dir = fs::current_path(error);
  return error ? std::string() : dir.string();
}

bool SetCurrentDir(const std::string& dir) {
  std::error_code error;
  fs::current_path(dir, error);
  return !error;
}
