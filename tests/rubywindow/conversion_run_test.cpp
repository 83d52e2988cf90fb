#include "rubywindow/conversion_run.h"

#include <gtest/gtest.h>

#include <string>

#include "common/messages.h"
#include "common/text_source.h"
#include "rubywindow/messages.h"
#include "rubywindow/nnn_writer.h"
#include "rubywindow/pass_through_page.h"
#include "rubywindow/ruby_page.h"
#include "rubywindow/ymi_writer.h"
#include "tests/rubywindow/rubywindow_fixtures.h"

namespace rubywindow {
namespace {

// A text whose second line holds a group without a reading.
constexpr std::string_view kFaultyUtf8 = "{漢/かん}\n{a/b}\n";

struct Conversion {
  ScratchDir dir;
  fs::path document = dir / "list.lrb";
  RecordingMessenger messenger;
  ConversionInput Input(const common::TextSource& text) { return {document, text, {}}; }
};

TEST(ConversionRun, YmiChecksTheNotationBeforeTheOptions) {
  Conversion run;
  std::string bytes = Sjis(kFaultyUtf8);
  common::StringTextSource text(bytes);
  YmiOptions refused;
  refused.separator_edit.clear();
  EXPECT_EQ(ConvertToYmi(run.Input(text), refused, run.messenger),
            ConversionStatus::kNotationFault);
  ASSERT_EQ(run.messenger.records.size(), 1u);
  EXPECT_EQ(run.messenger.records[0].title, common::messages::kTitleFault);
  EXPECT_TRUE(run.messenger.records[0].text.starts_with("2 行目"));
  EXPECT_FALSE(fs::exists(YmiPath(run.document)));
}

TEST(ConversionRun, YmiRefusalAndMarkerWarningComeBeforeTheFile) {
  Conversion run;
  std::string bytes = Sjis("{漢/かん},b\n");
  common::StringTextSource text(bytes);
  YmiOptions refused;
  refused.separator_edit.clear();
  EXPECT_EQ(ConvertToYmi(run.Input(text), refused, run.messenger), ConversionStatus::kRefused);
  EXPECT_TRUE(ShowedOnly(run.messenger, messages::kTitleCautionFullWidth, messages::kNoSeparator));
  EXPECT_FALSE(fs::exists(YmiPath(run.document)));

  RecordingMessenger warned;
  YmiOptions no_markers;
  no_markers.template_text = "x";
  no_markers.warn_markers = true;
  EXPECT_EQ(ConvertToYmi(run.Input(text), no_markers, warned), ConversionStatus::kOk);
  EXPECT_TRUE(ShowedOnly(warned, messages::kTitleYmiMarkers, messages::kYmiNoMarkers));
  EXPECT_TRUE(fs::exists(YmiPath(run.document)));
}

TEST(ConversionRun, EmptyTextIsRefusedFirst) {
  common::StringTextSource text("");
  Conversion nnn;
  EXPECT_EQ(ConvertToNnn(nnn.Input(text), NnnOptionsOf(common::Settings()), true, nnn.messenger),
            ConversionStatus::kNothingToConvert);
  EXPECT_TRUE(
      ShowedOnly(nnn.messenger, messages::kTitleNothingToConvert, messages::kNothingToConvert));
  EXPECT_FALSE(fs::exists(NnnPath(nnn.document)));
  Conversion ymi;
  EXPECT_EQ(ConvertToYmi(ymi.Input(text), YmiOptions{}, ymi.messenger),
            ConversionStatus::kNothingToConvert);
  EXPECT_TRUE(
      ShowedOnly(ymi.messenger, messages::kTitleNothingToConvert, messages::kNothingToConvert));
  EXPECT_FALSE(fs::exists(YmiPath(ymi.document)));
}

TEST(ConversionRun, NnnRunsOnlyWhenTheMarkerQuestionIsAnsweredOk) {
  Conversion run;
  std::string bytes = Sjis("{花/はな}\n");
  common::StringTextSource text(bytes);
  NnnOptions options{Sjis("〒〒"), Sjis("ＭＳ明朝"), 8};
  run.messenger.Script({common::Answer::kCancel});
  EXPECT_EQ(ConvertToNnn(run.Input(text), options, true, run.messenger),
            ConversionStatus::kCancelled);
  EXPECT_FALSE(fs::exists(NnnPath(run.document)));
  EXPECT_EQ(ConvertToNnn(run.Input(text), options, true, run.messenger), ConversionStatus::kOk);
  EXPECT_EQ(ReadFile(NnnPath(run.document)), Sjis("〒〒\r\n"));
}

TEST(ConversionRun, AFaultIsReportedWhereTheWindowShowsIt) {
  Conversion run;
  std::string bytes = Sjis(kFaultyUtf8);
  common::StringTextSource text(bytes);
  ConversionInput input = run.Input(text);
  input.fault_line = [](std::size_t) { return 7; };
  EXPECT_EQ(CheckBeforeConversion(input, run.messenger), ConversionStatus::kNotationFault);
  ASSERT_EQ(run.messenger.records.size(), 1u);
  EXPECT_TRUE(run.messenger.records[0].text.starts_with("7 行目"));
}

TEST(ConversionRun, ATextCutShortByAReadErrorIsNoFaultAndNoFile) {
  Conversion run;
  std::string line = Sjis("{漢/かん}\n");
  std::string whole;
  for (int i = 0; i < 1000; ++i) whole += line;
  FailingSource text(whole, 100 * line.size());
  EXPECT_EQ(ConvertToYmi(run.Input(text), YmiOptions(), run.messenger),
            ConversionStatus::kReadFailed);
  EXPECT_TRUE(run.messenger.records.empty());
  EXPECT_FALSE(fs::exists(YmiPath(run.document)));
}

// A file that cannot be written is named with the reason, whichever writer was making it.
TEST(ConversionRun, AFileThatCannotBeWrittenIsNamedWithTheReason) {
  using Writer = OutputStatus (*)(const fs::path&, const common::TextSource&, common::Messenger&);
  struct Case {
    const char* name;
    Writer write;
    fs::path (*path)(const fs::path&);
  };
  const Case writers[] = {
      {"YMI",
       [](const fs::path& d, const common::TextSource& t, common::Messenger& m) {
         return WriteYmi(d, t, YmiOptions(), m);
       },
       YmiPath},
      {"NNN",
       [](const fs::path& d, const common::TextSource& t, common::Messenger& m) {
         return WriteNnn(d, t, NnnOptions(), m);
       },
       NnnPath},
      {"ruby page",
       [](const fs::path& d, const common::TextSource& t, common::Messenger& m) {
         return WriteRubyPage(d, t, HtmlPageSettings(), m);
       },
       RubyPagePath},
      {"page", WritePassThroughPage, PassThroughPagePath},
  };
  std::string bytes = Sjis("{漢/かん}\n");
  // A folder has taken the file's name: the rename over it fails.
  for (const Case& writer : writers) {
    ScratchDir dir;
    const fs::path document = dir / "list.lrb";
    fs::create_directory(writer.path(document));
    RecordingMessenger messenger;
    common::StringTextSource text(bytes);
    EXPECT_EQ(writer.write(document, text, messenger), OutputStatus::kCannotCreate) << writer.name;
    ASSERT_EQ(messenger.records.size(), 1u) << writer.name;
    const std::string& shown = messenger.records[0].text;
    EXPECT_NE(shown.find("<" + writer.path(document).string() + ">"), std::string::npos)
        << writer.name << ": " << shown;
    EXPECT_TRUE(shown.ends_with(common::messages::kCauseIsFolder)) << writer.name << ": " << shown;
  }
}

}  // namespace
}  // namespace rubywindow
