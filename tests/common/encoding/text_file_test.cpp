#include "common/encoding/text_file.h"

#include <gtest/gtest.h>

#include "common/encoding/text_source.h"
#include "tests/support/failing_source.h"
#include "tests/support/test_files.h"

namespace common {
namespace {

using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::WriteFile;

TEST(TextFile, CrLfOnDiskIsLfInside) {
  ScratchDir dir;
  ASSERT_TRUE(WriteTextFile(dir / "t", "a\nb\rc\n"));
  EXPECT_EQ(ReadFile(dir / "t"), "a\r\nb\rc\r\n");
  EXPECT_EQ(ReadTextFile(dir / "t").bytes, "a\nb\rc\n");
}

TEST(TextFile, CrLfSplitAcrossReadChunksIsStillOneLineFeed) {
  ScratchDir dir;
  std::string raw(65535, 'x');
  raw += "\r\nend\r";  // CR at the end of a chunk, and a lone CR at the end of the file
  WriteFile(dir / "t", raw);
  std::string expected(65535, 'x');
  expected += "\nend\r";
  EXPECT_EQ(ReadTextFile(dir / "t").bytes, expected);
}

TEST(TextFile, ReadLineStopsAtLimitLikeFgets) {
  ScratchDir dir;
  WriteFile(dir / "t", "abcdef\r\ngh");
  TextReader reader;
  ASSERT_TRUE(reader.Open(dir / "t"));
  std::string line;
  ASSERT_TRUE(reader.ReadLine(line, 4));
  EXPECT_EQ(line, "abcd");
  ASSERT_TRUE(reader.ReadLine(line, 4));
  EXPECT_EQ(line, "ef\n");
  ASSERT_TRUE(reader.ReadLine(line, 4));
  EXPECT_EQ(line, "gh");
  EXPECT_FALSE(reader.ReadLine(line, 4));
}

TEST(TextFile, FullDiskIsReportedAtClose) {
  TextWriter writer;
  if (!writer.Open("/dev/full")) GTEST_SKIP() << "no /dev/full";
  writer.Write(std::string(200000, 'a'));
  EXPECT_FALSE(writer.Close());
}

TEST(TextCursor, FindsAcrossWindowsOnCharacterBoundaries) {
  std::string text(70000, 'a');
  text += "\x83<BODY>";  // the '<' here is a trail byte, not the tag
  text += "<BODY>";
  StringTextSource source(text);
  TextCursor cursor(source);
  EXPECT_EQ(cursor.Find("<BODY>"), 70000u + 2 + 5);
  EXPECT_EQ(cursor.PeekAt(70000), 0x83);
}

TEST(TextCursor, ReadErrorEndsTheTextWhereItHappens) {
  testing_support::FailingSource source("abcdef", 3);
  TextCursor cursor(source);
  EXPECT_EQ(cursor.PeekAt(2), 'c');
  EXPECT_EQ(cursor.PeekAt(3), -1);
  EXPECT_EQ(cursor.PeekAt(4), -1);
  EXPECT_TRUE(source.Failed());
}

TEST(FileTextSource, FileThatShrankAfterOpeningHasFailed) {
  ScratchDir dir;
  WriteFile(dir / "t", std::string(100, 'a'));
  auto source = FileTextSource::Open(dir / "t");
  ASSERT_TRUE(source);
  std::filesystem::resize_file(dir / "t", 10);
  char buffer[100];
  EXPECT_EQ(source->Read(0, buffer, sizeof buffer), 10u);
  EXPECT_TRUE(source->Failed());
}

}  // namespace
}  // namespace common
