#include "engine/markings/non_ruby_marking.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "common/encoding/text_file.h"
#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

const std::string kStart = "\x11";
const std::string kEnd = "\x12";

common::NonRubyAreas DefaultAreas() { return common::NonRubyAreas{}; }

common::NonRubyAreas Areas(std::string start, std::string end, bool enabled = true,
                           bool delete_strings = false) {
  common::NonRubyAreas areas;
  areas.start = std::move(start);
  areas.end = std::move(end);
  areas.enabled = enabled;
  areas.delete_start = areas.delete_end = delete_strings;
  return areas;
}

TEST(NonRubyMarking, MarkersFollowTheStringsWhereverTheyStand) {
  const common::NonRubyAreas plain = DefaultAreas();
  const common::NonRubyAreas off = Areas("<HTML>", "<BODY>", false);
  struct Case {
    common::NonRubyAreas areas;
    bool html_mode;
    std::string text, marked;
  };
  const Case cases[] = {
      {plain, false, Sjis("<HTML>漢字<BODY>漢字\n"),
       kStart + Sjis("<HTML>漢字<BODY>") + kEnd + Sjis("漢字\n")},
      {Areas("<HTML>", "<BODY>", true, true), false, Sjis("<HTML>漢字<BODY>漢字\n"),
       kStart + Sjis("漢字") + kEnd + Sjis("漢字\n")},  // deleted strings vanish
      {plain, false, "a<HTML>b\nc\nd\ne<BODY>f\n",
       "a" + kStart + "<HTML>b\nc\nd\ne<BODY>" + kEnd + "f\n"},
      {plain, false, "x<BODY>y<HTML>z\n", "x<BODY>y" + kStart + "<HTML>z\n"},  // a later start wins
      {plain, false, "x<BODY>y\n", "x<BODY>" + kEnd + "y\n"},  // end outside an area
      {plain, false,
       "<HTML>a\x11"
       "b<BODY>c\x12\n",
       kStart + "<HTML>ab<BODY>" + kEnd + "c\x12\n"},
      {plain, false, "<HTML>a\nb", kStart + "<HTML>a\nb"},  // never closed
      {off, true, "<html>\n<head>\n<body>x\n<body>y\n", "<html>\n<head>\n<body>\x0Fx\n<body>y\n"},
      // "<BODY>" is looked for before "<body>", wherever it stands in the line.
      {off, true, "<html><body>a<BODY>b\n",
       "<html><body>a<BODY>\x0F"
       "b\n"},
      {plain, true, "<html>\n<head>\n", "<html>\n<head>\n"},  // no body, no marker
      {Areas("", ""), false, "a<HTML>b\n", "a<HTML>b\n"},     // empty strings count as absent
      {Areas("", "<BODY>"), false, "a<BODY>b\n", "a<BODY>" + kEnd + "b\n"},
      // A trail byte is never taken for a string: ＋ is 0x81 0x7B and ± 0x81 0x7D.
      {Areas("{", "}"), false, Sjis("＋a±{b}\n"), Sjis("＋a±") + kStart + "{b}" + kEnd + "\n"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(BytesEqual(c.marked, MarkNonRubyAreas(c.text, c.areas, c.html_mode))) << c.text;
  }
}

TEST(NonRubyMarking, LongLineStaysOneLineAndStringsAcrossByte4095AreNotFound) {
  std::string straddling = std::string(4092, 'a') + "<HTML>" + std::string(902, 'b') + "\n";
  ASSERT_EQ(straddling.size(), 5001u);
  EXPECT_TRUE(BytesEqual(straddling, MarkNonRubyAreas(straddling, DefaultAreas(), false)));

  std::string later = std::string(4200, 'a') + "<HTML>" + std::string(794, 'b') + "\n";
  EXPECT_TRUE(BytesEqual(std::string(4200, 'a') + kStart + "<HTML>" + std::string(794, 'b') + "\n",
                         MarkNonRubyAreas(later, DefaultAreas(), false)));
}

TEST(NonRubyMarking, PiecesNeverSplitADoubleByteCharacter) {
  // 亜 (0x88 0x9F) at bytes 4094–4095: cut in two, its trail byte would pair with '<' and hide
  // the string after it.
  std::string text = std::string(4094, 'a') + Sjis("亜") + "<HTML>b\n";
  EXPECT_EQ(FirstPieceLength(text), 4094u);
  EXPECT_TRUE(BytesEqual(std::string(4094, 'a') + Sjis("亜") + kStart + "<HTML>b\n",
                         MarkNonRubyAreas(text, DefaultAreas(), false)));
}

class NonRubyMarkingFiles : public ::testing::Test {
 protected:
  NonRubyStatus Run(const common::NonRubyAreas& areas, bool html_mode) {
    return RunNonRubyMarking(work_, common::kPreparedText, areas, html_mode);
  }
  ScratchDir dir_;
  common::WorkDir work_{dir_.Path()};
  std::filesystem::path input_ = work_.File(common::kPreparedText);
  std::filesystem::path output_ = work_.File(common::kNonRubyMarked);
};

// The file is read in blocks far longer than a piece: wherever a block ends, in a line, a
// character or an area's string, the pieces are those of the text held whole.
TEST_F(NonRubyMarkingFiles, BlocksOfTheFileGiveThePiecesOfTheWholeText) {
  std::mt19937 random(20261207);
  auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const std::string pieces[] = {"<HTML>", "<BODY>", Sjis("亜"), "\n", "a", Sjis("漢字かな")};
  for (int t = 0; t < 20; ++t) {
    std::string text;
    while (text.size() < 200000) {
      int kind = pick(0, 9);
      if (kind < 6) {
        text += pieces[static_cast<std::size_t>(kind)];
      } else if (kind < 8) {
        text += std::string(static_cast<std::size_t>(pick(4000, 4100)), 'x');
      } else {
        text += std::string(static_cast<std::size_t>(pick(1, 9000)), 'y');
      }
    }
    ASSERT_TRUE(common::WriteTextFile(input_, text));
    common::NonRubyAreas areas = Areas("<HTML>", "<BODY>");
    bool html_mode = t % 2 == 1;
    ASSERT_EQ(Run(areas, html_mode), NonRubyStatus::kOk);
    ASSERT_TRUE(
        BytesEqual(MarkNonRubyAreas(text, areas, html_mode), common::ReadTextFile(output_).bytes))
        << "text " << t;
  }
}

TEST_F(NonRubyMarkingFiles, NothingToMarkRenamesTheInput) {
  common::NonRubyAreas off;
  off.enabled = false;
  WriteFile(input_, "a\rb\r\n");
  WriteFile(output_, "old");
  EXPECT_EQ(Run(off, false), NonRubyStatus::kOk);
  EXPECT_EQ(ReadFile(output_), "a\rb\r\n");
  EXPECT_FALSE(std::filesystem::exists(input_));
}

// Outside HTML mode a text that holds neither string anywhere is moved, not copied; one that
// holds either is marked.
TEST_F(NonRubyMarkingFiles, TextWithoutTheStringsIsMovedAndOneWithThemMarked) {
  WriteFile(input_, "a\r\n<HTM>L\r\n");
  EXPECT_EQ(Run(DefaultAreas(), false), NonRubyStatus::kOk);
  EXPECT_EQ(ReadFile(output_), "a\r\n<HTM>L\r\n");
  EXPECT_FALSE(std::filesystem::exists(input_));

  // Either string alone, far into a text of short lines, has it marked.
  for (std::string_view string : {"<HTML>", "<BODY>"}) {
    std::string text;
    while (text.size() < 70000) text += std::string(98, 'a') + "\n";
    text += std::string(string) + "b\n";
    ASSERT_TRUE(common::WriteTextFile(input_, text));
    ASSERT_EQ(Run(DefaultAreas(), false), NonRubyStatus::kOk);
    std::string marked = common::ReadTextFile(output_).bytes;
    EXPECT_NE(marked, text) << string;
    EXPECT_TRUE(BytesEqual(MarkNonRubyAreas(text, DefaultAreas(), false), marked)) << string;
  }
}

TEST_F(NonRubyMarkingFiles, InputThatCannotTakeTheNameFails) {
  common::NonRubyAreas off;
  off.enabled = false;
  WriteFile(input_, "a\n");
  std::filesystem::create_directories(output_ / "inside");
  EXPECT_EQ(Run(off, false), NonRubyStatus::kNotRenamed);
}

TEST_F(NonRubyMarkingFiles, MissingInputOrBlockedOutputFails) {
  EXPECT_EQ(Run(DefaultAreas(), false), NonRubyStatus::kInputFailed);
  WriteFile(input_, "<HTML>a\n");
  std::filesystem::create_directory(output_);
  EXPECT_EQ(Run(DefaultAreas(), false), NonRubyStatus::kOutputFailed);
}

TEST_F(NonRubyMarkingFiles, FullDiskFails) {
  WriteFile(input_, std::string(300000, 'a'));
  std::error_code error;
  std::filesystem::create_symlink("/dev/full", output_, error);
  if (error || !std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  EXPECT_EQ(Run(DefaultAreas(), true), NonRubyStatus::kOutputFailed);
}

}  // namespace
}  // namespace engine
