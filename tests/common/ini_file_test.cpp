#include "common/ini_file.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace common {
namespace {

using testing_support::BytesEqual;
using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::WriteFile;

std::size_t FilesIn(const std::filesystem::path& dir) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    (void)entry;
    ++count;
  }
  return count;
}

TEST(IniFile, SectionsAndKeysMatchInEitherCase) {
  IniFile file = IniFile::Parse("[Rubirange]\r\nnensita=2\r\nNENUE = 5 \r\n");
  EXPECT_EQ(file.Get("RUBIRANGE", "NENSITA"), "2");
  EXPECT_EQ(file.Get("rubirange", "nenue"), "5");
  EXPECT_EQ(file.Get("RUBIRANGE", "FLDMIN"), std::nullopt);
  EXPECT_EQ(file.Get("OTHER", "NENSITA"), std::nullopt);
}

TEST(IniFile, BrowserFlagIsFoundUnderEitherSpelling) {
  IniFile file = IniFile::Parse("[BROWSER]\nKAIGYOUFlAG=0\n");
  EXPECT_EQ(file.Get("BROWSER", "KAIGYOUFLAG"), "0");
}

TEST(IniFile, KeysBeforeTheFirstSectionBelongToNone) {
  IniFile file = IniFile::Parse("KEY=1\n[S]\nOTHER=2\n");
  EXPECT_EQ(file.Get("", "KEY"), std::nullopt);
  EXPECT_EQ(file.Get("S", "OTHER"), "2");
}

TEST(IniFile, CommentsAndLinesWithoutEqualsAreNoEntries) {
  IniFile file = IniFile::Parse("[S]\n;KEY=1\njust text\nKEY=2\n");
  EXPECT_EQ(file.Get("S", "KEY"), "2");
}

TEST(IniFile, QuotedValueLosesItsQuotes) {
  IniFile file = IniFile::Parse("[S]\nA=\" x \"\nB=\"\nC=\"\"\n");
  EXPECT_EQ(file.Get("S", "A"), " x ");
  EXPECT_EQ(file.Get("S", "B"), "\"");
  EXPECT_EQ(file.Get("S", "C"), "");
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

TEST(IniFile, ValueIsCutAtALineBreak) {
  IniFile file;
  file.Set("S", "A", "one\r\n[EVIL]\nB=2");
  EXPECT_EQ(file.Serialize(), "[S]\r\nA=one\r\n");
}

TEST(IniFile, TrailByteBracketDoesNotEndASectionName) {
  // ゾ is 0x83 0x5D: its trail byte looks like ']'.
  std::string name = testing_support::Sjis("ゾ");
  IniFile file = IniFile::Parse("[" + name + "]\nK=v\n");
  EXPECT_EQ(file.Get(name, "K"), "v");
}

TEST(IniFile, TrailBytesAreNotCaseFolded) {
  EXPECT_TRUE(NamesMatch("NoRbYuko", "NORBYUKO"));
  EXPECT_FALSE(NamesMatch("\x83\x61", "\x83\x41"));  // チ and ア
  EXPECT_FALSE(NamesMatch("ab", "abc"));
}

TEST(IniFile, UnchangedDocumentIsWrittenAsItWasRead) {
  std::string text =
      "; settings\r\n\r\n[COLOR]\r\nMAINEDIT = 16775885\r\nX_UNKNOWN=abc\r\n\r\n"
      "[MYSECTION]\r\nfoo=bar\r\n";
  IniFile file = IniFile::Parse(text);
  file.Set("color", "mainedit", "16775885");  // the same value keeps the line untouched
  EXPECT_TRUE(BytesEqual(text, file.Serialize()));
}

TEST(IniFile, LfLinesAndMissingLastLineEndAreWrittenWithCrLf) {
  IniFile file = IniFile::Parse("[S]\nA=1\nB=2");
  EXPECT_EQ(file.Serialize(), "[S]\r\nA=1\r\nB=2\r\n");
}

TEST(IniFile, PresentKeyKeepsItsPlaceAndSpelling) {
  IniFile file = IniFile::Parse("[BROWSER]\r\nKAIGYOUFLAG=1\r\nOTHER=x\r\n");
  file.Set("BROWSER", "KAIGYOUFlAG", "0");
  EXPECT_EQ(file.Serialize(), "[BROWSER]\r\nKAIGYOUFLAG=0\r\nOTHER=x\r\n");
}

TEST(IniFile, NewKeyGoesAfterTheLastLineOfItsSection) {
  IniFile file = IniFile::Parse("[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n");
  file.Set("a", "Z", "3");
  file.Set("B", "W", "4");
  EXPECT_EQ(file.Serialize(), "[A]\r\nX=1\r\nZ=3\r\n\r\n[B]\r\nY=2\r\nW=4\r\n");
}

TEST(IniFile, NewSectionGoesAtTheEnd) {
  IniFile file = IniFile::Parse("[A]\r\nX=1\r\n");
  file.Set("C", "K", "v");
  file.Set("B", "K", "w");
  file.Set("C", "L", "u");
  EXPECT_EQ(file.Serialize(), "[A]\r\nX=1\r\n[C]\r\nK=v\r\nL=u\r\n[B]\r\nK=w\r\n");
}

TEST(IniFile, MissingFileLoadsEmpty) {
  ScratchDir dir;
  std::optional<IniFile> file = IniFile::Load(dir / "none.ini");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Serialize(), "");
}

TEST(IniFile, FileThatCannotBeReadDoesNotLoad) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_FALSE(IniFile::Load(dir / "folder.ini"));
}

TEST(IniFile, SaveReplacesTheFileAndLeavesNoTemporary) {
  ScratchDir dir;
  WriteFile(dir / "s.ini", "[OLD]\r\nA=1\r\n");
  IniFile file = *IniFile::Load(dir / "s.ini");
  file.Set("OLD", "A", "2");
  ASSERT_TRUE(file.Save(dir / "s.ini"));
  EXPECT_EQ(ReadFile(dir / "s.ini"), "[OLD]\r\nA=2\r\n");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(IniFile, SaveIntoMissingFolderFails) {
  ScratchDir dir;
  IniFile file;
  file.Set("S", "K", "v");
  EXPECT_FALSE(file.Save(dir / "no" / "s.ini"));
  EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

}  // namespace
}  // namespace common
