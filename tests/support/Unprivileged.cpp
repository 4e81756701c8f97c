#include "Unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr unsigned kNobody = 65534;
}

unsigned UnprivilegedUserId() { return ::geteuid() == 0 ? kNobody : ::geteuid(); }

bool AsUnprivilegedUser(const std::function<bool()>& body) {
  if (::geteuid() != 0)
    return body();
  const pid_t child = ::fork();
  if (child < 0)
    return false;
  if (child == 0) {
    const bool dropped =
        ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
    ::_exit(dropped && body() ? 0 : 1);
  }
  int status = 0;
  return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void GiveToUnprivilegedUser(const std::string& path) {
  if (::geteuid() == 0) [[maybe_unused]]
    const int ignored = ::lchown(path.c_str(), kNobody, kNobody);
}

UnprivilegedScope::UnprivilegedScope() {
  switched_ = ::geteuid() == 0 && ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0;
}

UnprivilegedScope::~UnprivilegedScope() {
  if (switched_ && ::seteuid(0) == 0) [[maybe_unused]]
    const int restored = ::setegid(0);
}
