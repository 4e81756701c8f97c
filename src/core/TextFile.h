// Single-byte text files: lines end in CR LF when written; CR LF and LF are accepted when read.
// Numbers are read in free format, as whitespace-separated tokens no longer than the widest
// number the program writes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

// The longest number token read: a sign, the 309 digits of the largest double, the point and
// four decimals, which is the widest value the input-file writer and the reports produce.
inline constexpr size_t kMaxNumberToken = 1 + (std::numeric_limits<double>::max_exponent10 + 1) + 5;

// Files larger than this are refused whole: no input file or report comes near it.
inline constexpr size_t kMaxTextFileSize = size_t{64} << 20;
// "The file ... is larger than 64 MB ...": the message for a file refused for its size.
std::string TooLargeMessage(const std::string& path);

// A file that cannot be opened, read or written, or a number token that cannot be read.
class InputOutputError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TextReader {
public:
  // Reads the whole file; `opened()` tells whether that worked. A file larger than
  // kMaxTextFileSize is not read: `tooLarge()` tells. Anything but a regular file (a named pipe,
  // a device, a folder) is refused at once, without waiting for a writer.
  explicit TextReader(const std::string& path);

  bool opened() const { return opened_; }
  bool tooLarge() const { return tooLarge_; }
  // Why the file could not be read, in the system's words ("No such file or directory").
  const std::string& reason() const { return reason_; }
  const std::string& path() const { return path_; }
  // The file's bytes as read.
  const std::string& content() const { return data_; }
  bool AtEnd() const { return pos_ >= data_.size(); }
  void Rewind() { pos_ = 0; }

  // Reads the rest of the current line (without its end) and moves to the next line.
  // At the end of the file it gives the empty text.
  std::string ReadLine();
  void SkipLine();
  // The lines from here to the end of the file (none when it could not be opened).
  std::vector<std::string> ReadLines();

  enum class ReadResult { Number, EndOfFile, Malformed };
  // Skips blanks, tabs and line ends, then reads one number token. At the end of the file the
  // value is 0 and the result EndOfFile; a token that is no plain decimal number is Malformed.
  ReadResult ReadReal(double& value);
  // ReadReal that raises InputOutputError for a malformed token; 0 at the end of the file.
  double ReadRealOrThrow();

  // Opens or raises InputOutputError("... could not be opened: " and the reason, or the size
  // message).
  static TextReader OpenOrThrow(const std::string& path);
  // `cannotOpenMessage` with the reason on a line of its own for a file that cannot be read, the
  // size message for one too large.
  std::string FailureMessage(const std::string& cannotOpenMessage) const;

private:
  std::string path_;
  std::string data_;
  size_t pos_ = 0;
  bool opened_ = false;
  bool tooLarge_ = false;
  std::string reason_;
};

// `message`, then `reason` on a line of its own, begun with a capital.
std::string WithReason(const std::string& message, std::string reason);

// The lines of a text, without their line ends (LF or CR LF).
std::vector<std::string> TextLines(const std::string& text);

// The reason a TextReader gives for anything but a regular file.
inline constexpr const char* kNotRegularFileReason = "It is not a regular file";

// Writes a text file the way a user's file deserves: a symbolic link is followed to its target
// (the link stays), a file that is read-only or not a regular file is refused, and the file's
// permissions are kept.
class TextWriter {
public:
  enum class Mode {
    Direct,         // write straight into the file: what was written stays when a run fails
    ReplaceWhenDone // write beside it and replace the file only when closed; where the folder
                    // forbids new files, keep the text until then and write it in place
  };
  explicit TextWriter(const std::string& path, Mode mode = Mode::Direct);
  // Closes the file as Close does.
  ~TextWriter();
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  bool opened() const { return file_ != nullptr || inPlace_ >= 0; }
  // Why the file could not be opened or written, in the system's words.
  const std::string& failure() const { return failure_; }
  void Write(const std::string& text);
  void WriteLine(const std::string& text = std::string());
  // Closes the file (and replaces the target in ReplaceWhenDone mode); false if that failed.
  bool Close();
  // Gives up in ReplaceWhenDone mode: the target stays as it was and nothing is left beside it.
  void Discard();

  // Opens or raises InputOutputError.
  static void RequireOpened(const TextWriter& writer, const std::string& path);

private:
  void Fail(const std::string& why);
  void Flush();
  void WriteInPlace();

  std::string target_;    // the file that receives the text: `path` with its links followed
  std::string writePath_; // where the text goes meanwhile: a new file beside, or the target
  std::FILE* file_ = nullptr;
  int inPlace_ = -1; // the target, opened to be written in place when the text is complete
  std::string inPlaceText_;
  int pendingSlot_ = -1; // where the new file beside is noted for removal on a signal
  bool failed_ = false;
  std::string failure_;
};

// Why a TextWriter could not write `path`, told before anything is written: the file is not
// a regular file or is read-only, or its folder is missing or forbids new files. "" when
// writing looks possible.
std::string WriteFailureBeforehand(const std::string& path);

// Writes `bytes` as the whole file `path` by TextWriter's rules, replacing the file only once
// all of them are written. False with `errorText` ("The file ... could not be written: " and the
// system's reason) when that fails.
bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& errorText);

// Removes what TextWriters of processes that no longer run were writing beside `paths` when
// they were killed (SIGKILL, a power cut): files named PATH.~PID-N.
void RemoveFilesOfDeadWriters(const std::vector<std::string>& paths);
// Makes SIGINT, SIGTERM, SIGHUP and SIGQUIT remove the new files that writers have begun
// beside their targets, then end the program as the signal would: a killed run leaves the
// user's file as it was and nothing beside it. A file being written in place is finished first.
// Signals that are ignored stay ignored.
void RemoveUnfinishedFilesOnSignals();
