#include "engine/non_ruby_marking.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_file.h"
#include "tests/support/test_files.h"

namespace engine {
namespace {

using testing_support::BytesEqual;
using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::Sjis;
using testing_support::WriteFile;

const std::string kStart = "\x11";
const std::string kEnd = "\x12";

common::NonRubyAreas DefaultAreas() { return common::NonRubyAreas{}; }

TEST(NonRubyMarking, DefaultStringsProtectTheirStretchInPlainText) {
  EXPECT_TRUE(BytesEqual(kStart + Sjis("<HTML>漢字<BODY>") + kEnd + Sjis("漢字\n"),
                         MarkNonRubyAreas(Sjis("<HTML>漢字<BODY>漢字\n"), DefaultAreas(), false)));
}

TEST(NonRubyMarking, DeletedStringsVanish) {
  common::NonRubyAreas areas;
  areas.delete_start = true;
  areas.delete_end = true;
  EXPECT_TRUE(BytesEqual(kStart + Sjis("漢字") + kEnd + Sjis("漢字\n"),
                         MarkNonRubyAreas(Sjis("<HTML>漢字<BODY>漢字\n"), areas, false)));
}

TEST(NonRubyMarking, AreaGoesOnOverFollowingLines) {
  EXPECT_TRUE(BytesEqual("a" + kStart + "<HTML>b\nc\nd\ne<BODY>" + kEnd + "f\n",
                         MarkNonRubyAreas("a<HTML>b\nc\nd\ne<BODY>f\n", DefaultAreas(), false)));
}

TEST(NonRubyMarking, StartStringAfterAnEndStringWins) {
  EXPECT_TRUE(BytesEqual("x<BODY>y" + kStart + "<HTML>z\n",
                         MarkNonRubyAreas("x<BODY>y<HTML>z\n", DefaultAreas(), false)));
}

TEST(NonRubyMarking, EndStringOutsideAnAreaStillWritesItsMarker) {
  EXPECT_TRUE(
      BytesEqual("x<BODY>" + kEnd + "y\n", MarkNonRubyAreas("x<BODY>y\n", DefaultAreas(), false)));
}

TEST(NonRubyMarking, MarkersInsideAnAreaAreLeftOut) {
  EXPECT_TRUE(BytesEqual(kStart + "<HTML>ab<BODY>" + kEnd + "c\x12\n",
                         MarkNonRubyAreas("<HTML>a\x11"
                                          "b<BODY>c\x12\n",
                                          DefaultAreas(), false)));
}

TEST(NonRubyMarking, AreaNeverClosedRunsToTheEnd) {
  EXPECT_TRUE(
      BytesEqual(kStart + "<HTML>a\nb", MarkNonRubyAreas("<HTML>a\nb", DefaultAreas(), false)));
}

TEST(NonRubyMarking, HtmlModeMarksWhereTheBodyBegins) {
  common::NonRubyAreas off;
  off.enabled = false;
  EXPECT_TRUE(BytesEqual("<html>\n<head>\n<body>\x0Fx\n<body>y\n",
                         MarkNonRubyAreas("<html>\n<head>\n<body>x\n<body>y\n", off, true)));
  // "<BODY>" is looked for before "<body>", wherever it stands in the line.
  EXPECT_TRUE(
      BytesEqual("<html><body>a<BODY>\x0F"
                 "b\n",
                 MarkNonRubyAreas("<html><body>a<BODY>b\n", off, true)));
}

TEST(NonRubyMarking, HtmlTextWithoutBodyGetsNoMarker) {
  std::string text = "<html>\n<head>\n";
  EXPECT_TRUE(BytesEqual(text, MarkNonRubyAreas(text, DefaultAreas(), true)));
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

TEST(NonRubyMarking, TrailByteIsNeverTakenForAString) {
  common::NonRubyAreas areas;
  areas.start = "{";
  areas.end = "}";
  // ＋ is 0x81 0x7B and ± 0x81 0x7D.
  std::string text = Sjis("＋a±{b}\n");
  EXPECT_TRUE(BytesEqual(Sjis("＋a±") + kStart + "{b}" + kEnd + "\n",
                         MarkNonRubyAreas(text, areas, false)));
}

TEST(NonRubyMarking, EmptyStringsCountAsAbsent) {
  common::NonRubyAreas areas;
  areas.start = "";
  areas.end = "";
  EXPECT_TRUE(BytesEqual("a<HTML>b\n", MarkNonRubyAreas("a<HTML>b\n", areas, false)));
  areas.end = "<BODY>";
  EXPECT_TRUE(BytesEqual("a<BODY>" + kEnd + "b\n", MarkNonRubyAreas("a<BODY>b\n", areas, false)));
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

TEST_F(NonRubyMarkingFiles, FileStepWritesWhatTheFunctionGives) {
  std::string text = std::string(4094, 'a') + Sjis("亜") + "<HTML>b\n" + std::string(5000, 'c') +
                     "\n<BODY>\n" + std::string(70000, 'd');
  ASSERT_TRUE(common::WriteTextFile(input_, text));
  EXPECT_EQ(Run(DefaultAreas(), false), NonRubyStatus::kOk);
  EXPECT_TRUE(BytesEqual(MarkNonRubyAreas(text, DefaultAreas(), false),
                         common::ReadTextFile(output_).bytes));
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

TEST_F(NonRubyMarkingFiles, InputThatCannotTakeTheNameFails) {
  common::NonRubyAreas off;
  off.enabled = false;
  WriteFile(input_, "a\n");
  std::filesystem::create_directories(output_ / "inside");
  EXPECT_EQ(Run(off, false), NonRubyStatus::kNotRenamed);
}

TEST_F(NonRubyMarkingFiles, MissingInputFails) {
  EXPECT_EQ(Run(DefaultAreas(), false), NonRubyStatus::kInputFailed);
}

TEST_F(NonRubyMarkingFiles, OutputThatCannotBeCreatedFails) {
  WriteFile(input_, "a\n");
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
