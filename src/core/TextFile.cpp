#include "core/TextFile.h"

#include "core/TextFormat.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <optional>
#include <pthread.h>
#include <set>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {
// The system's words for an error number; unlike strerror, safe in threads.
std::string SystemReason(int error) { return std::generic_category().message(error); }

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// The regular file behind `fd`, at most kMaxTextFileSize bytes of it; false with `reason` for
// anything else, on a read error, or when there is more.
bool ReadAtMostLimit(int fd, std::string& data, bool& tooLarge, std::string& reason) {
  struct stat status;
  if (::fstat(fd, &status) != 0) {
    reason = SystemReason(errno);
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    reason = S_ISDIR(status.st_mode) ? SystemReason(EISDIR) : kNotRegularFileReason;
    return false;
  }
  if (static_cast<unsigned long long>(status.st_size) > kMaxTextFileSize) {
    tooLarge = true;
    return false;
  }
  data.reserve(static_cast<size_t>(status.st_size));
  // Opened without waiting; a regular file reads the same either way.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  char buffer[1 << 16];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR)
      continue;
    if (count < 0) {
      reason = SystemReason(errno);
      return false;
    }
    if (count == 0)
      return true;
    if (data.size() + static_cast<size_t>(count) > kMaxTextFileSize) {
      tooLarge = true;
      return false;
    }
    data.append(buffer, static_cast<size_t>(count));
  }
}
} // namespace

std::string TooLargeMessage(const std::string& path) {
  return "The file \"" + path + "\" is larger than " + std::to_string(kMaxTextFileSize >> 20) +
         " MB: it is no input file or report of this program, and it was not read.";
}

TextReader::TextReader(const std::string& path) : path_(path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    reason_ = SystemReason(errno);
    return;
  }
  std::string data;
  const bool read = ReadAtMostLimit(fd, data, tooLarge_, reason_);
  ::close(fd);
  if (!read)
    return;
  data_ = std::move(data);
  opened_ = true;
}

TextReader TextReader::OpenOrThrow(const std::string& path) {
  TextReader reader(path);
  if (!reader.opened())
    throw InputOutputError(reader.tooLarge() ? TooLargeMessage(path)
                                             : "The file \"" + path +
                                                   "\" could not be opened: " + reader.reason());
  return reader;
}

std::string TextReader::FailureMessage(const std::string& cannotOpenMessage) const {
  if (tooLarge_)
    return TooLargeMessage(path_);
  return WithReason(cannotOpenMessage, reason_);
}

std::string WithReason(const std::string& message, std::string reason) {
  if (reason.empty())
    return message;
  if (reason[0] >= 'a' && reason[0] <= 'z')
    reason[0] = static_cast<char>(reason[0] - 'a' + 'A');
  return message + "\n" + reason;
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

std::vector<std::string> TextReader::ReadLines() {
  std::vector<std::string> lines;
  while (!AtEnd())
    lines.push_back(ReadLine());
  return lines;
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

namespace {
// `path` with symbolic links followed to the file they finally name (which may not exist yet).
std::string FollowLinks(const std::string& path) {
  std::string target = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat status;
    if (::lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
      return target;
    std::string link(4096, '\0');
    const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
    if (length <= 0)
      return target;
    link.resize(static_cast<size_t>(length));
    const size_t slash = target.find_last_of('/');
    target =
        link[0] == '/' || slash == std::string::npos ? link : target.substr(0, slash + 1) + link;
  }
  return target;
}

// The registry of files to remove on a signal: the new files being written beside their
// targets, in fixed slots of whole names so that the handler reads them without allocating or
// locking; the counter that makes their names unique; and the number of files being written in
// place, which the handler lets finish.
enum SlotState : int { kFree, kFilling, kReady };
struct PendingFile {
  std::atomic<int> state{kFree};
  char name[PATH_MAX];
};
struct SignalRegistry {
  // One for each of the most runs a batch has at once (1024), and some for the rest.
  PendingFile pending[1040];
  std::atomic<unsigned> nameCounter{0};
  std::atomic<int> inPlaceWrites{0};
};
SignalRegistry registry;

int NotePending(const std::string& name) {
  if (name.size() >= PATH_MAX)
    return -1;
  for (int slot = 0; slot < static_cast<int>(std::size(registry.pending)); ++slot) {
    int expected = kFree;
    if (registry.pending[slot].state.compare_exchange_strong(expected, kFilling)) {
      std::memcpy(registry.pending[slot].name, name.c_str(), name.size() + 1);
      registry.pending[slot].state.store(kReady);
      return slot;
    }
  }
  return -1;
}

void ForgetPending(int slot) {
  if (slot >= 0)
    registry.pending[slot].state.store(kFree);
}

extern "C" void RemovePendingAndEnd(int signal) {
  // A file being written in place on another thread takes a moment; a bound keeps a stuck
  // write (a full disk over the network) from holding the signal back.
  for (long spin = 0; registry.inPlaceWrites.load() > 0 && spin < (1L << 30); ++spin) {
  }
  for (PendingFile& file : registry.pending)
    if (file.state.load() == kReady)
      ::unlink(file.name);
  // The handler was reset to the default action on entry; the signal, raised again, ends the
  // program once the handler returns.
  ::raise(signal);
}

// The names of the new files that process `writer` writes beside `target` begin with this.
std::string BesidePrefix(const std::string& target, long writer) {
  return target + ".~" + std::to_string(writer) + "-";
}

// A new file beside `target`, created with `mode` (less the umask) and noted in the registry;
// nullptr when the folder does not allow it.
std::FILE* CreateBeside(const std::string& target, mode_t mode, std::string& name, int& slot) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = BesidePrefix(target, ::getpid()) + std::to_string(registry.nameCounter++);
    // Noted before it exists, so that a signal in between cannot miss it.
    slot = NotePending(name);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      std::FILE* file = ::fdopen(fd, "wb");
      if (!file) {
        ::close(fd);
        ::unlink(name.c_str());
        ForgetPending(slot);
      }
      return file;
    }
    const int error = errno;
    ForgetPending(slot);
    slot = -1;
    if (error != EEXIST)
      return nullptr;
  }
  return nullptr;
}

// Holds back the signals that end the program on this thread while a file is written in place,
// and tells the handler (on another thread) to wait for it.
class InPlaceWriteGuard {
public:
  InPlaceWriteGuard() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE})
      sigaddset(&signals, signal);
    ::pthread_sigmask(SIG_BLOCK, &signals, &previous_);
    ++registry.inPlaceWrites;
  }
  ~InPlaceWriteGuard() {
    --registry.inPlaceWrites;
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  InPlaceWriteGuard(const InPlaceWriteGuard&) = delete;
  InPlaceWriteGuard& operator=(const InPlaceWriteGuard&) = delete;

private:
  sigset_t previous_;
};

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

// The whole content of the file open at `fd`, when it can be read.
std::optional<std::string> ReadAll(int fd) {
  std::string data;
  bool tooLarge = false;
  std::string reason;
  if (::lseek(fd, 0, SEEK_SET) != 0 || !ReadAtMostLimit(fd, data, tooLarge, reason))
    return std::nullopt;
  return data;
}
} // namespace

TextWriter::TextWriter(const std::string& path, Mode mode) : target_(FollowLinks(path)) {
  struct stat status;
  const bool exists = ::stat(target_.c_str(), &status) == 0;
  if (exists && !S_ISREG(status.st_mode)) {
    Fail("it is not a regular file");
    return;
  }
  // Write permission for nobody marks a read-only file, also for a user who could override it.
  if (exists && (::access(target_.c_str(), W_OK) != 0 || (status.st_mode & 0222) == 0)) {
    Fail("it is read-only");
    return;
  }
  writePath_ = target_;
  if (mode == Mode::Direct) {
    file_ = std::fopen(target_.c_str(), "wb");
    if (!file_)
      Fail(SystemReason(errno));
    return;
  }
  const mode_t permissions = exists ? status.st_mode & 07777 : 0666;
  file_ = CreateBeside(target_, permissions, writePath_, pendingSlot_);
  if (file_) {
    if (exists) {
      ::fchmod(::fileno(file_), permissions);
      if (::geteuid() == 0) // an administrator's save keeps the owner of the user's file
          [[maybe_unused]]
        const int kept = ::fchown(::fileno(file_), status.st_uid, status.st_gid);
    }
    return;
  }
  // The folder forbids new files: the target is opened now, to know that it can be written,
  // and keeps its content until the whole text is there.
  writePath_ = target_;
  inPlace_ = ::open(target_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (inPlace_ < 0)
    inPlace_ = ::open(target_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (inPlace_ < 0)
    Fail(SystemReason(errno));
}

std::string WriteFailureBeforehand(const std::string& path) {
  const std::string target = FollowLinks(path);
  struct stat status;
  if (::stat(target.c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode))
      return "it is not a regular file";
    if (::access(target.c_str(), W_OK) != 0 || (status.st_mode & 0222) == 0)
      return "it is read-only";
    return std::string();
  }
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    return SystemReason(errno);
  return std::string();
}

TextWriter::~TextWriter() { Close(); }

void TextWriter::Fail(const std::string& why) {
  if (!failed_)
    failure_ = why;
  failed_ = true;
}

void TextWriter::Write(const std::string& text) {
  if (inPlace_ >= 0)
    inPlaceText_ += text;
  else if (file_ && std::fwrite(text.data(), 1, text.size(), file_) != text.size())
    Fail(SystemReason(errno));
}

void TextWriter::WriteLine(const std::string& text) {
  Write(text);
  Write("\r\n");
}

void TextWriter::Flush() {
  if (file_ && std::fflush(file_) != 0)
    Fail(SystemReason(errno));
}

// The old content is read first, so that a write that fails halfway can put it back.
void TextWriter::WriteInPlace() {
  const InPlaceWriteGuard guard;
  const std::optional<std::string> old = ReadAll(inPlace_);
  bool written = ::ftruncate(inPlace_, 0) == 0 && ::lseek(inPlace_, 0, SEEK_SET) == 0 &&
                 WriteAll(inPlace_, inPlaceText_);
  if (written && ::fsync(inPlace_) != 0 && errno != EINVAL)
    written = false;
  if (!written) {
    Fail(SystemReason(errno));
    if (old && ::ftruncate(inPlace_, 0) == 0 && ::lseek(inPlace_, 0, SEEK_SET) == 0)
      WriteAll(inPlace_, *old);
  }
}

bool TextWriter::Close() {
  if (inPlace_ >= 0) {
    if (!failed_)
      WriteInPlace();
    ::close(inPlace_);
    inPlace_ = -1;
    inPlaceText_.clear();
    return !failed_;
  }
  if (!file_)
    return !failed_;
  Flush();
  if (!failed_ && ::fsync(::fileno(file_)) != 0 && errno != EINVAL)
    Fail(SystemReason(errno));
  if (std::fclose(file_) != 0)
    Fail(SystemReason(errno));
  file_ = nullptr;
  if (writePath_ != target_) {
    if (!failed_ && std::rename(writePath_.c_str(), target_.c_str()) != 0)
      Fail(SystemReason(errno));
    if (failed_)
      ::unlink(writePath_.c_str());
    ForgetPending(pendingSlot_);
    pendingSlot_ = -1;
  }
  return !failed_;
}

void TextWriter::Discard() {
  if (inPlace_ >= 0) {
    ::close(inPlace_);
    inPlace_ = -1;
    inPlaceText_.clear();
  }
  if (!file_)
    return;
  std::fclose(file_);
  file_ = nullptr;
  if (writePath_ != target_) {
    ::unlink(writePath_.c_str());
    ForgetPending(pendingSlot_);
    pendingSlot_ = -1;
  }
}

void TextWriter::RequireOpened(const TextWriter& writer, const std::string& path) {
  if (!writer.opened())
    throw InputOutputError("The file \"" + path + "\" could not be created: " + writer.failure());
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& errorText) {
  TextWriter file(path, TextWriter::Mode::ReplaceWhenDone);
  file.Write(bytes);
  if (file.Close())
    return true;
  errorText = "The file \"" + path + "\" could not be written: " + file.failure();
  return false;
}

void RemoveFilesOfDeadWriters(const std::vector<std::string>& paths) {
  // The names beside which to look, by folder, so that each folder is read once.
  std::map<std::string, std::set<std::string>> namesByFolder;
  for (const std::string& path : paths) {
    const std::string target = FollowLinks(path);
    const size_t slash = target.find_last_of('/');
    namesByFolder[slash == std::string::npos ? "." : target.substr(0, slash + 1)].insert(
        slash == std::string::npos ? target : target.substr(slash + 1));
  }
  for (const auto& [folder, names] : namesByFolder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
      continue;
    while (const dirent* entry = ::readdir(dir)) {
      // NAME.~PID-N, PID and N digits only: nothing else of that name is ours to remove.
      const std::string_view name = entry->d_name;
      const size_t mark = name.rfind(".~");
      if (mark == std::string_view::npos || !names.count(std::string(name.substr(0, mark))))
        continue;
      const char* const end = name.data() + name.size();
      long writer = 0;
      const auto [dash, error] = std::from_chars(name.data() + mark + 2, end, writer);
      unsigned long number = 0;
      if (error != std::errc() || dash == end || *dash != '-' || dash + 1 == end ||
          std::from_chars(dash + 1, end, number).ptr != end)
        continue;
      if (writer > 0 && writer != ::getpid() && ::kill(static_cast<pid_t>(writer), 0) != 0 &&
          errno == ESRCH)
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
  }
}

void RemoveUnfinishedFilesOnSignals() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    struct sigaction current;
    if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
      continue;
    struct sigaction action {};
    action.sa_handler = RemovePendingAndEnd;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

std::vector<std::string> TextLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end;
    lines.push_back(text.substr(start, end - start - (end > start && text[end - 1] == '\r')));
    start = end + 1;
  }
  return lines;
}
