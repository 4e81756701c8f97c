#include "core/FileNames.h"

#include <filesystem>
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

bool DeleteFileIfExists(const std::string& path) {
  std::error_code error;
  return fs::remove(path, error);
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
