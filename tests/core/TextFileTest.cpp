#include "TextFile.h"
#include "FileNames.h"
#include "TempDir.h"

#include <gtest/gtest.h>

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

TEST(TextReader, RejectsTokensLongerThan64Characters) {
  TempDir dir;
  WriteFileBytes("n.txt", std::string(64, '1') + " " + std::string(65, '1'));
  TextReader reader("n.txt");
  double v;
  EXPECT_EQ(reader.ReadReal(v), TextReader::ReadResult::Number);
  EXPECT_EQ(reader.ReadReal(v), TextReader::ReadResult::Malformed);
  EXPECT_THROW(TextReader::OpenOrThrow("missing.txt"), InputOutputError);
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

TEST(FileNames, ChangeFileExtWorksOnTheFileNamePartOnly) {
  EXPECT_EQ(ChangeFileExt("/a/b/well.inp", ".out"), "/a/b/well.out");
  EXPECT_EQ(ChangeFileExt("/a.d/well", ".out"), "/a.d/well.out");
  EXPECT_EQ(ChangeFileExt("well.x.inp", ".out"), "well.x.out");
  EXPECT_EQ(ExtractFileName("/a/b/well.inp"), "well.inp");
  EXPECT_EQ(ExtractFileDir("/a/b/well.inp"), "/a/b");
}
