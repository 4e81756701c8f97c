#include "cli/OffscreenApplication.h"

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A folder only this user may enter, as Qt requires of XDG_RUNTIME_DIR: an existing one of
// ours, else a new one. Empty when neither can be had.
std::string PrivateFolder(const std::string& path) {
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0 && ::mkdir(path.c_str(), 0700) != 0)
    return std::string();
  if (::lstat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
      status.st_uid != ::geteuid() || (status.st_mode & 0777) != 0700)
    return std::string();
  return path;
}

// Without a runtime folder Qt warns on standard error at every start and falls back to
// TMPDIR/runtime-USER, creating it; naming that folder beforehand keeps the start quiet.
void ProvideRuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime)
    return;
  const char* temporary = std::getenv("TMPDIR");
  std::string base = temporary && *temporary ? temporary : "/tmp";
  while (base.size() > 1 && base.back() == '/')
    base.pop_back();
  const passwd* user = ::getpwuid(::geteuid());
  const std::string name = user && user->pw_name ? user->pw_name : std::to_string(::geteuid());
  const std::string folder = PrivateFolder(base + "/runtime-" + name);
  if (!folder.empty())
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}
} // namespace

std::unique_ptr<QGuiApplication> OffscreenApplication() {
  if (QCoreApplication::instance())
    return nullptr;
  ProvideRuntimeFolder();
  static int argc = 3;
  static char name[] = "pumpfield-cli";
  static char option[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

bool CanDraw() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }
