#include "core/TextFile.h"
#include "TempDir.h"
#include "Unprivileged.h"
#include "core/FileNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

TEST(TextReader, ReadsLinesWithEitherLineEnd) {
  TempDir dir;
  WriteFileBytes("a.txt", "one\r\ntwo\nthree");
  TextReader reader("a.txt");
  ASSERT_TRUE(reader.opened());
  EXPECT_EQ(reader.ReadLine(), "one");
  EXPECT_EQ(reader.ReadLine(), "two");
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(reader.ReadLine(), "three");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadLine(), "");
  reader.Rewind();
  EXPECT_EQ(reader.ReadLine(), "one");
}

TEST(TextReader, ReadsNumbersInFreeFormatAcrossLines) {
  TempDir dir;
  WriteFileBytes("n.txt", "  1.5\t-2\r\n\r\n3e2   x\n");
  TextReader reader("n.txt");
  double v = -1;
  EXPECT_EQ(reader.ReadReal(v), TextReader::ReadResult::Number);
  EXPECT_EQ(v, 1.5);
  EXPECT_EQ(reader.ReadReal(v), TextReader::ReadResult::Number);
  EXPECT_EQ(v, -2.0);
  EXPECT_EQ(reader.ReadReal(v), TextReader::ReadResult::Number);
  EXPECT_EQ(v, 300.0);
  EXPECT_EQ(reader.ReadReal(v), TextReader::ReadResult::Malformed);
  EXPECT_EQ(reader.ReadReal(v), TextReader::ReadResult::EndOfFile);
  EXPECT_EQ(v, 0.0);
}

TEST(TextReader, ReadsTokensAsLongAsTheWidestWrittenNumber) {
  TempDir dir;
  // "-DBL_MAX" with four decimals is the widest number any writer of the program produces.
  WriteFileBytes("n.txt", "-" + std::string(309, '1') + ".0000 " + std::string(316, '1'));
  TextReader reader("n.txt");
  double v;
  EXPECT_EQ(reader.ReadReal(v), TextReader::ReadResult::Number);
  EXPECT_EQ(reader.ReadReal(v), TextReader::ReadResult::Malformed);
  EXPECT_THROW(TextReader::OpenOrThrow("missing.txt"), InputOutputError);
}

TEST(TextReader, RefusesFilesLargerThan64MB) {
  TempDir dir;
  WriteFileBytes("big.inp", "");
  std::filesystem::resize_file("big.inp", kMaxTextFileSize + 1);
  const TextReader reader(dir.file("big.inp"));
  EXPECT_FALSE(reader.opened());
  EXPECT_TRUE(reader.tooLarge());
  EXPECT_EQ(reader.FailureMessage("cannot open"),
            "The file \"" + dir.file("big.inp") +
                "\" is larger than 64 MB: it is no input file or report of this program, and it "
                "was not read.");
}

// The message, then the system's reason on a line of its own; a named pipe or a device is
// refused without waiting for a writer.
TEST(TextReader, SaysWhyAFileCannotBeRead) {
  TempDir dir;
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  std::filesystem::create_directory("folder");
  const struct {
    std::string path, reason;
  } rows[] = {{"missing", "No such file or directory"},
              {"pipe", "It is not a regular file"},
              {"/dev/zero", "It is not a regular file"},
              {"folder", "Is a directory"}};
  for (const auto& row : rows) {
    const TextReader reader(row.path);
    EXPECT_FALSE(reader.opened()) << row.path;
    EXPECT_FALSE(reader.tooLarge()) << row.path;
    EXPECT_EQ(reader.FailureMessage("cannot open"), "cannot open\n" + row.reason);
  }
}

TEST(TextWriter, WritesCrLfAndReplacesOnlyWhenDone) {
  TempDir dir;
  WriteFileBytes("keep.txt", "old");
  {
    TextWriter writer("keep.txt", TextWriter::Mode::ReplaceWhenDone);
    writer.WriteLine("new");
    EXPECT_EQ(ReadFileBytes("keep.txt"), "old");
  }
  EXPECT_EQ(ReadFileBytes("keep.txt"), "new\r\n");
  EXPECT_FALSE(FileExists("keep.txt.~tmp"));
  TextWriter bad("no/such/folder/x.txt");
  EXPECT_FALSE(bad.opened());
}

// As an ordinary user: links are followed and kept, permissions kept, read-only files and
// non-regular files refused, and a folder that forbids new files still lets its files be saved.
TEST(TextWriter, TreatsTheUsersFilesAsTheyAre) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0777);
  const auto prepare = [](const char* name, mode_t mode) {
    WriteFileBytes(name, "old");
    ::chmod(name, mode);
    GiveToUnprivilegedUser(name);
  };
  prepare("own.txt", 0640);
  prepare("locked.txt", 0444);
  prepare("target.txt", 0644);
  ASSERT_EQ(::symlink("target.txt", "link.txt"), 0);
  GiveToUnprivilegedUser("link.txt");
  ASSERT_EQ(::mkdir("closed", 0755), 0);
  prepare("closed/file.txt", 0644);
  ::chmod("closed", 0555);
  ASSERT_EQ(::mkfifo("pipe", 0666), 0);
  GiveToUnprivilegedUser("pipe");

  EXPECT_TRUE(AsUnprivilegedUser([] {
    const auto save = [](const char* name) {
      TextWriter writer(name, TextWriter::Mode::ReplaceWhenDone);
      writer.WriteLine("new");
      return writer.Close();
    };
    return save("own.txt") && !save("locked.txt") && save("link.txt") && save("closed/file.txt") &&
           !save("pipe") && !TextWriter("locked.txt").opened();
  }));
  ::chmod("closed", 0755);
  struct stat status;
  for (const char* name : {"own.txt", "target.txt", "closed/file.txt"})
    EXPECT_EQ(ReadFileBytes(name), "new\r\n") << name;
  EXPECT_EQ(ReadFileBytes("locked.txt"), "old");
  ASSERT_EQ(::lstat("own.txt", &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(status.st_uid, UnprivilegedUserId());
  ASSERT_EQ(::lstat("link.txt", &status), 0);
  EXPECT_TRUE(S_ISLNK(status.st_mode));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator("."))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"closed", "link.txt", "locked.txt", "own.txt", "pipe",
                                             "target.txt"}));
}

TEST(FileNames, ChangeFileExtWorksOnTheFileNamePartOnly) {
  EXPECT_EQ(ChangeFileExt("/a/b/well.inp", ".out"), "/a/b/well.out");
  EXPECT_EQ(ChangeFileExt("/a.d/well", ".out"), "/a.d/well.out");
  EXPECT_EQ(ChangeFileExt("well.x.inp", ".out"), "well.x.out");
  EXPECT_EQ(ExtractFileName("/a/b/well.inp"), "well.inp");
  EXPECT_EQ(ExtractFileDir("/a/b/well.inp"), "/a/b");
}
