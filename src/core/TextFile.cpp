#include "core/TextFile.h"

#include "core/TextFormat.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// The file behind `fd`, at most kMaxTextFileSize bytes of it; false on a read error or when
// there is more (also for a device or a pipe that never ends).
bool ReadAtMostLimit(int fd, std::string& data, bool& tooLarge) {
  struct stat status;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    if (static_cast<unsigned long long>(status.st_size) > kMaxTextFileSize) {
      tooLarge = true;
      return false;
    }
    data.reserve(static_cast<size_t>(status.st_size));
  }
  char buffer[1 << 16];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR)
      continue;
    if (count < 0)
      return false;
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
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return;
  std::string data;
  const bool read = ReadAtMostLimit(fd, data, tooLarge_);
  ::close(fd);
  if (!read)
    return;
  data_ = std::move(data);
  opened_ = true;
}

TextReader TextReader::OpenOrThrow(const std::string& path) {
  TextReader reader(path);
  if (!reader.opened())
    throw InputOutputError(reader.FailureMessage("The file \"" + path + "\" could not be opened"));
  return reader;
}

std::string TextReader::FailureMessage(const std::string& cannotOpenMessage) const {
  return tooLarge_ ? TooLargeMessage(path_) : cannotOpenMessage;
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

// The new files being written beside their targets, for the signal handler: fixed slots of
// whole names, so that the handler reads them without allocating or locking.
enum SlotState : int { kFree, kFilling, kReady };
struct PendingFile {
  std::atomic<int> state{kFree};
  char name[PATH_MAX];
};
PendingFile pendingFiles[64];

int NotePending(const std::string& name) {
  if (name.size() >= PATH_MAX)
    return -1;
  for (int slot = 0; slot < static_cast<int>(std::size(pendingFiles)); ++slot) {
    int expected = kFree;
    if (pendingFiles[slot].state.compare_exchange_strong(expected, kFilling)) {
      std::memcpy(pendingFiles[slot].name, name.c_str(), name.size() + 1);
      pendingFiles[slot].state.store(kReady);
      return slot;
    }
  }
  return -1;
}

void ForgetPending(int slot) {
  if (slot >= 0)
    pendingFiles[slot].state.store(kFree);
}

extern "C" void RemovePendingAndEnd(int signal) {
  for (PendingFile& file : pendingFiles)
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

// A new file beside `target`, created with `mode` (less the umask); nullptr when the folder
// does not allow it.
std::FILE* CreateBeside(const std::string& target, mode_t mode, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = BesidePrefix(target, ::getpid()) + std::to_string(counter++);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      std::FILE* file = ::fdopen(fd, "wb");
      if (!file)
        ::close(fd), ::unlink(name.c_str());
      return file;
    }
    if (errno != EEXIST)
      return nullptr;
  }
  return nullptr;
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
  if (mode == Mode::ReplaceWhenDone) {
    const mode_t permissions = exists ? status.st_mode & 07777 : 0666;
    file_ = CreateBeside(target_, permissions, writePath_);
    if (file_) {
      pendingSlot_ = NotePending(writePath_);
      if (exists) {
        ::fchmod(::fileno(file_), permissions);
        if (::geteuid() == 0) // an administrator's save keeps the owner of the user's file
            [[maybe_unused]]
          const int kept = ::fchown(::fileno(file_), status.st_uid, status.st_gid);
      }
      return;
    }
  }
  writePath_ = target_;
  file_ = std::fopen(target_.c_str(), "wb");
  if (!file_)
    Fail(std::strerror(errno));
}

TextWriter::~TextWriter() { Close(); }

void TextWriter::Fail(const std::string& why) {
  if (!failed_)
    failure_ = why;
  failed_ = true;
}

void TextWriter::Write(const std::string& text) {
  if (file_ && std::fwrite(text.data(), 1, text.size(), file_) != text.size())
    Fail(std::strerror(errno));
}

void TextWriter::WriteLine(const std::string& text) {
  Write(text);
  Write("\r\n");
}

void TextWriter::Flush() {
  if (file_ && std::fflush(file_) != 0)
    Fail(std::strerror(errno));
}

bool TextWriter::Close() {
  if (!file_)
    return !failed_;
  Flush();
  if (!failed_ && ::fsync(::fileno(file_)) != 0 && errno != EINVAL)
    Fail(std::strerror(errno));
  if (std::fclose(file_) != 0)
    Fail(std::strerror(errno));
  file_ = nullptr;
  if (writePath_ != target_) {
    if (!failed_ && std::rename(writePath_.c_str(), target_.c_str()) != 0)
      Fail(std::strerror(errno));
    if (failed_)
      ::unlink(writePath_.c_str());
    ForgetPending(pendingSlot_);
    pendingSlot_ = -1;
  }
  return !failed_;
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

void RemoveUnfinishedWrites(const std::string& path, long writer) {
  const std::string prefix = BesidePrefix(FollowLinks(path), writer);
  const size_t slash = prefix.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : prefix.substr(0, slash + 1);
  const std::string namePrefix = slash == std::string::npos ? prefix : prefix.substr(slash + 1);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir)
    return;
  while (const dirent* entry = ::readdir(dir))
    if (std::strncmp(entry->d_name, namePrefix.c_str(), namePrefix.size()) == 0)
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  ::closedir(dir);
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
