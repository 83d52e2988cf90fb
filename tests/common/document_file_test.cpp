#include "common/document_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace common {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::ShowedOnly;
using testing_support::WriteFile;

struct RoundTrip {
  const char* name;
  std::string bytes;
  TextEncoding encoding;
  bool lf_line_ends;
  std::string utf8;  // as the window edits it
};

// Read, then saved back in the form it was read: the same bytes.
TEST(DocumentFile, IsReadInItsFormAndSavedBackUnchanged) {
  const RoundTrip cases[] = {
      {"utf-8", "\xE6\xBC\xA2\xE5\xAD\x97\r\nab\r\n", TextEncoding::kUtf8, false, "漢字\nab\n"},
      {"utf-8 with byte order mark", "\xEF\xBB\xBF" "a\r\n", TextEncoding::kUtf8WithBom, false,
       "a\n"},
      {"shift_jis", "\x8A\xBF\x8E\x9A\r\n\xB1", TextEncoding::kShiftJis, false, "漢字\nｱ"},
      {"ascii is shift_jis", "ab\r\n", TextEncoding::kShiftJis, false, "ab\n"},
      {"utf-8, lf", "\xE6\xBC\xA2\nab\n", TextEncoding::kUtf8, true, "漢\nab\n"},
      {"utf-8 with byte order mark, lf", "\xEF\xBB\xBF\xE6\xBC\xA2\n", TextEncoding::kUtf8WithBom,
       true, "漢\n"},
      {"shift_jis, lf", "\x8A\xBF\nab\n", TextEncoding::kShiftJis, true, "漢\nab\n"},
  };
  for (const RoundTrip& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    WriteFile(dir / "in.txt", c.bytes);
    RecordingMessenger messenger;
    std::optional<DocumentText> loaded = LoadDocument(dir / "in.txt", messenger);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->form.encoding, c.encoding);
    EXPECT_EQ(loaded->form.lf_line_ends, c.lf_line_ends);
    EXPECT_EQ(loaded->utf8, c.utf8);
    ASSERT_TRUE(SaveDocument(dir / "out.txt", loaded->utf8, loaded->form, messenger));
    EXPECT_EQ(ReadFile(dir / "out.txt"), c.bytes);
    EXPECT_TRUE(messenger.records.empty());
  }
}

TEST(DocumentFile, ShiftJisSaveOfUnencodableTextIsRefused) {
  ScratchDir dir;
  WriteFile(dir / "keep.txt", "old");
  RecordingMessenger messenger;
  EXPECT_FALSE(SaveDocument(dir / "keep.txt", "ab\n漢😀", UserEncoding{}, messenger));
  EXPECT_TRUE(ShowedOnly(messenger, "ご注意！",
                         "<" + (dir / "keep.txt").string() +
                             ">の 2 行 2 字目の文字<😀>は Shift_JIS にありません。\n"
                             "何も書きませんでした。"));
  EXPECT_EQ(ReadFile(dir / "keep.txt"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 1);
}

TEST(DocumentFile, SaveThroughALinkKeepsTheLinkAndThePermissions) {
  ScratchDir dir;
  WriteFile(dir / "real.txt", "old");
  fs::permissions(dir / "real.txt", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(dir / "real.txt", dir / "link.txt");
  RecordingMessenger messenger;
  ASSERT_TRUE(SaveDocument(dir / "link.txt", "new", UserEncoding{}, messenger));
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(ReadFile(dir / "real.txt"), "new");
  EXPECT_EQ(fs::status(dir / "real.txt").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST(DocumentFile, BadShiftJisBytesAreShownAndReported) {
  ScratchDir dir;
  WriteFile(dir / "bad.txt", "a\x85\x40");  // 0x8540 is an unassigned code
  RecordingMessenger messenger;
  std::optional<DocumentText> loaded = LoadDocument(dir / "bad.txt", messenger);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->utf8.substr(0, 1), "a");
  EXPECT_NE(loaded->utf8.find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_EQ(messenger.records.size(), 1u);
}

// A UTF-8 text with one broken byte is not taken for Shift_JIS without a word: the person is
// told where the break is and chooses the encoding.
TEST(DocumentFile, UnfinishedUtf8IsAskedAbout) {
  // 「今日は」 and a line of 「晴れ」 with one byte of 晴 lost.
  const std::string bytes = "今日は\n" + std::string("\xE6\x99") + "れ\n";
  struct Case {
    Answer answer;
    bool opened;
    TextEncoding encoding;
    std::string utf8;
  };
  const Case cases[] = {
      {Answer::kYes, true, TextEncoding::kUtf8, "今日は\n\xEF\xBF\xBD\xEF\xBF\xBDれ\n"},
      {Answer::kNo, true, TextEncoding::kShiftJis, ""},
      {Answer::kCancel, false, TextEncoding::kShiftJis, ""},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    WriteFile(dir / "broken.txt", bytes);
    RecordingMessenger messenger;
    messenger.Script({c.answer});
    std::optional<DocumentText> loaded = LoadDocument(dir / "broken.txt", messenger);
    ASSERT_FALSE(messenger.records.empty());
    const RecordingMessenger::Record& asked = messenger.records[0];
    EXPECT_TRUE(asked.asked);
    EXPECT_EQ(asked.buttons, Buttons::kYesNoCancel);
    EXPECT_NE(asked.text.find("2 行目（先頭から 11 バイト目）の<0xE6 0x99>"), std::string::npos)
        << asked.text;
    ASSERT_EQ(loaded.has_value(), c.opened);
    if (!loaded) continue;
    EXPECT_EQ(loaded->form.encoding, c.encoding);
    if (!c.utf8.empty()) {
      EXPECT_EQ(loaded->utf8, c.utf8);
    }
  }

  // Shift_JIS text is read as it always was, with no question.
  ScratchDir dir;
  WriteFile(dir / "sjis.txt", "\x8D\xA1\x93\xFA\n");  // 今日
  RecordingMessenger messenger;
  std::optional<DocumentText> loaded = LoadDocument(dir / "sjis.txt", messenger);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->utf8, "今日\n");
  EXPECT_TRUE(messenger.records.empty());
}

TEST(DocumentFile, FailedSaveAndReadAreReported) {
  ScratchDir dir;
  RecordingMessenger messenger;
  EXPECT_FALSE(SaveDocument(dir / "missing" / "a.txt", "a", {TextEncoding::kUtf8}, messenger));
  EXPECT_FALSE(LoadDocument(dir / "missing.txt", messenger));
  EXPECT_EQ(messenger.records.size(), 2u);
}

}  // namespace
}  // namespace common
