#include "common/settings/ini_file.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace common {
namespace {

using testing_support::BytesEqual;
using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::TestData;

TEST(IniFile, ValuesAreFoundAsTheFileHasThem) {
  struct Row {
    std::string_view document, section, key;
    std::optional<std::string> expected;
  };
  const Row rows[] = {
      {"[Rubirange]\r\nnensita=2\r\n", "RUBIRANGE", "NENSITA", "2"},
      {"[S]\r\nNENUE = 5 \r\n", "s", "nenue", "5"},
      {"[S]\r\nA=1\r\n", "S", "B", std::nullopt},
      {"[S]\r\nA=1\r\n", "OTHER", "A", std::nullopt},
      {"KEY=1\n[S]\nOTHER=2\n", "", "KEY", std::nullopt},  // before the first section
      {"[S]\n;KEY=1\njust text\nKEY=2\n", "S", "KEY", "2"},
      {"[S]\nA=\" x \"\n", "S", "A", " x "},
      {"[S]\nA=\"\n", "S", "A", "\""},
      {"[S]\nA=\"\"\n", "S", "A", ""},
      {"[\x83\x5D]\nK=v\n", "\x83\x5D", "K", "v"},  // ゾ: its trail byte looks like ']'
      {"[S]\nB=0\nK=1\nA=0\nk=2\n", "S", "K", "1"},  // the first of a key's lines
      {"[S]\nA=1\n[T]\nK=3\n[s]\nK=2\n", "S", "K", "2"},  // in a later section of the name
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IniFile::Parse(row.document).Get(row.section, row.key), row.expected) << row.document;
  }
}

TEST(IniFile, TrailBytesAreNotCaseFolded) {
  EXPECT_TRUE(NamesMatch("NoRbYuko", "NORBYUKO"));
  EXPECT_FALSE(NamesMatch("\x83\x61", "\x83\x41"));  // チ and ア
  EXPECT_FALSE(NamesMatch("ab", "abc"));
}

TEST(IniFile, SetPlacesEachValueAndWritesCrLf) {
  struct Row {
    std::string_view document, section, key, value, expected;
  };
  const Row rows[] = {
      {"[BROWSER]\r\nKAIGYOUFLAG=1\r\nOTHER=x\r\n", "BROWSER", "KAIGYOUFlAG", "0",
       "[BROWSER]\r\nKAIGYOUFLAG=0\r\nOTHER=x\r\n"},
      {"[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n", "a", "Z", "3",
       "[A]\r\nX=1\r\nZ=3\r\n\r\n[B]\r\nY=2\r\n"},
      {"[A]\nX=1", "C", "K", "v", "[A]\r\nX=1\r\n[C]\r\nK=v\r\n"},
      {"", "S", "A", "one\r\n[EVIL]\nB=2", "[S]\r\nA=one\r\n"},
  };
  for (const Row& row : rows) {
    IniFile file = IniFile::Parse(row.document);
    file.Set(row.section, row.key, row.value);
    EXPECT_EQ(file.Serialize(), row.expected) << row.document;
  }
}

TEST(IniFile, NamesThatCouldNotBeReadBackChangeNothing) {
  struct Row {
    std::string_view section, key;
  };
  const Row rows[] = {
      {"S\r\n[EVIL]", "A"}, {"S", "A\nB"}, {"S]", "A"},      {"S", "A=B"},
      {"S", ";A"},           {"S", "[X]"},    {" S", "A"},      {"S", "A "},
      {"", "A"},             {"S", ""},       {"S", "A\x81"}, {"S", "\x81\n"},
      {"S", "A\x7F"},
  };
  for (const Row& row : rows) {
    IniFile file = IniFile::Parse("[S]\r\nA=1\r\n");
    EXPECT_FALSE(file.Set(row.section, row.key, "2")) << row.section << "|" << row.key;
    EXPECT_EQ(file.Serialize(), "[S]\r\nA=1\r\n") << row.section << "|" << row.key;
  }
  IniFile file;
  EXPECT_TRUE(file.Set("\x83\x5D", "\x83\x5D", "v"));  // ゾ: its trail byte looks like ']'
  EXPECT_EQ(IniFile::Parse(file.Serialize()).Get("\x83\x5D", "\x83\x5D"), "v");
}

// An input that once broke the reading back of a written document: a section and a key that
// hold whole lines of settings of their own.
TEST(IniFile, NamesHoldingLinesDoNotWriteThoseLines) {
  std::string input = ReadFile(TestData("common/settings_names_with_line_breaks.bin"));
  std::size_t zero = input.find('\0');
  ASSERT_NE(zero, std::string::npos);
  IniFile file;
  EXPECT_FALSE(file.Set(input.substr(0, zero), input.substr(zero + 1), ""));
  EXPECT_EQ(file.Serialize(), "");
}

TEST(IniFile, ValuesThatReadingWouldChangeAreQuotedOnWrite) {
  IniFile file;
  file.Set("S", "A", " <!-- ");
  file.Set("S", "B", "\"x\"");
  file.Set("S", "C", "a b");
  IniFile read_back = IniFile::Parse(file.Serialize());
  EXPECT_EQ(read_back.Get("S", "A"), " <!-- ");
  EXPECT_EQ(read_back.Get("S", "B"), "\"x\"");
  EXPECT_EQ(read_back.Get("S", "C"), "a b");
}

TEST(IniFile, UnchangedDocumentIsWrittenAsItWasRead) {
  std::string text =
      "; settings\r\n\r\n[COLOR]\r\nMAINEDIT = 16775885\r\nX_UNKNOWN=abc\r\n\r\n"
      "[MYSECTION]\r\nfoo=bar\r\n";
  IniFile file = IniFile::Parse(text);
  file.Set("color", "mainedit", "16775885");  // the same value keeps the line untouched
  EXPECT_TRUE(BytesEqual(text, file.Serialize()));
}

TEST(IniFile, MissingFileLoadsEmptyAndUnreadableOneNotAtAll) {
  ScratchDir dir;
  std::optional<IniFile> file = IniFile::Load(dir / "none.ini");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Serialize(), "");
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_FALSE(IniFile::Load(dir / "folder.ini"));
}

}  // namespace
}  // namespace common
