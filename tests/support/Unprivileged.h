// Runs a piece of a test as an ordinary user: as root, in a child process that has become the
// user "nobody"; otherwise in place. File permissions then work as for any desktop user.
#pragma once

#include <functional>
#include <string>

// The user and group id the body runs as.
unsigned UnprivilegedUserId();
// The body's result (true when its checks held); false when the child could not be started.
bool AsUnprivilegedUser(const std::function<bool()>& body);
// Gives `path` to the unprivileged user (no-op when not running as root).
void GiveToUnprivilegedUser(const std::string& path);

// Within this process: the effective user is the unprivileged one for the scope's lifetime
// (as root; otherwise nothing changes).
class UnprivilegedScope {
public:
  UnprivilegedScope();
  ~UnprivilegedScope();
  UnprivilegedScope(const UnprivilegedScope&) = delete;
  UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

private:
  bool switched_ = false;
};
