#include "common/documents/recovery.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_files.h"

namespace common {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::WriteFile;

bool operator==(const RecoveredText& a, const RecoveredText& b) {
  return a.window == b.window && a.document == b.document && a.encoding == b.encoding &&
         a.text == b.text;
}

TEST(UnsavedText, ReadsBackWhateverTheWindowHeld) {
  const RecoveredText texts[] = {
      {"main", "/home/t/作文.txt", TextEncoding::kShiftJis, "漢字の本\n二行目\n"},
      // A path may hold line breaks; the text may hold what Shift_JIS cannot (𠮟, ①…).
      {"ruby", "/tmp/a\nb.srb", TextEncoding::kUtf8, "{𠮟/しか}る\n\n"},
      {"main", "新規ﾌｧｲﾙ.txt", TextEncoding::kUtf8WithBom, ""},
  };
  for (const RecoveredText& text : texts) {
    std::optional<RecoveredText> back = ParseRecovered(SerializeRecovered(text));
    ASSERT_TRUE(back) << text.document;
    EXPECT_TRUE(*back == text) << text.document;
  }
}

TEST(UnsavedText, DamagedFilesAreNotTakenForText) {
  std::string good = SerializeRecovered({"main", "/a.txt", TextEncoding::kUtf8, "text"});
  const std::string damaged[] = {
      "",
      good.substr(0, good.find("/a.txt")),                   // cut inside the header
      "other program\n" + good.substr(good.find('\n') + 1),  // not ours
      std::string(good).replace(good.find("main"), 4, "MAIN"),
      std::string(good).replace(good.find("utf-8"), 5, "latin"),
      std::string(good).replace(good.find("\n6\n"), 3, "\n60\n"),  // path longer than the file
      std::string(good).replace(good.find("\n6\n"), 3, "\n-1\n"),
  };
  for (const std::string& bytes : damaged) EXPECT_FALSE(ParseRecovered(bytes)) << bytes;
}

TEST(UnsavedText, StoreKeepsOneTextPerWindowUntilDiscarded) {
  ScratchDir dir;
  RecoveryStore store(dir / "state" / "recovery");
  EXPECT_TRUE(store.Left().empty());  // no folder yet
  ASSERT_TRUE(store.Keep({"ruby", "/r.srb", TextEncoding::kShiftJis, "first"}));
  ASSERT_TRUE(store.Keep({"main", "/m.txt", TextEncoding::kShiftJis, "main text"}));
  ASSERT_TRUE(store.Keep({"ruby", "/r.srb", TextEncoding::kShiftJis, "second"}));
  EXPECT_EQ(fs::status(store.Folder()).permissions() & fs::perms::all, fs::perms::owner_all);

  std::vector<RecoveredText> left = store.Left();
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].window, "main");
  EXPECT_EQ(left[1].text, "second");

  store.Discard("main");
  ASSERT_EQ(store.Left().size(), 1u);
  EXPECT_EQ(store.Left()[0].window, "ruby");
  // Foreign and misnamed files in the folder are neither read nor removed.
  WriteFile(store.Folder() / "notes.txt", "x");
  WriteFile(store.Folder() / "main.unsaved",
            SerializeRecovered({"ruby", "/x", TextEncoding::kShiftJis, "misfiled"}));
  EXPECT_EQ(store.Left().size(), 1u);
  EXPECT_EQ(ReadFile(store.Folder() / "notes.txt"), "x");

  EXPECT_FALSE(store.Keep({"../x", "/x", TextEncoding::kShiftJis, "t"}));
  EXPECT_FALSE(RecoveryStore(fs::path()).Keep({"main", "/x", TextEncoding::kShiftJis, "t"}));
}

TEST(UnsavedText, FolderThatCannotBeMadeKeepsNothing) {
  ScratchDir dir;
  WriteFile(dir / "file", "");
  EXPECT_FALSE(
      RecoveryStore(dir / "file" / "recovery").Keep({"main", "/x", TextEncoding::kShiftJis, "t"}));
}

}  // namespace
}  // namespace common
