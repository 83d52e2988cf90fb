// The default dictionaries, made from the installed Debian data as make-default-dic makes them,
// give the hand-written sets their readings: the everyday sentences of
// tests/data/dicgen/everyday.txt, read by the main dictionary alone and in context, and the
// modern sentences of tests/data/engine/modern/ (letters, notices, news, textbooks, shops,
// counters), read in context. Each sentence is compared per kanji run: the run's whole reading,
// not how it is divided among the run's kanji. Lines marked "known:" are readings that a
// longest-match dictionary cannot give; in dictionary mode they are reported apart. Every wrong
// run is printed; the share of exact runs may not fall below the set's bar. Without MeCab and
// UniDic the context cases are skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run.h"
#include "common/encoding/cp932.h"
#include "dicgen/kana.h"
#include "tests/support/test_files.h"

namespace dicgen {
namespace {

using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::TestData;
using testing_support::WriteFile;

constexpr std::string_view kKnownMark = "known:";

struct Sentence {
  int line = 0;
  std::string text;
  std::string ruby;
  std::string known;  // the reason, when the line is marked known
};

std::vector<std::string> SplitOn(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos;
       start = at + 1) {
    parts.emplace_back(text.substr(start, at - start));
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

std::vector<Sentence> ReadSentences(const std::string& bytes) {
  std::vector<Sentence> sentences;
  std::vector<std::string> lines = SplitOn(bytes, '\n');
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line = lines[i];
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string> fields = SplitOn(line, '\t');
    Sentence sentence{static_cast<int>(i + 1), fields[0], fields.size() > 1 ? fields[1] : "", ""};
    if (fields.size() > 2 && fields[2].starts_with(kKnownMark)) {
      sentence.known = fields[2].substr(kKnownMark.size());
    }
    EXPECT_TRUE(fields.size() == 2 || (fields.size() == 3 && !sentence.known.empty()))
        << "everyday.txt line " << sentence.line << " is not TEXT<TAB>RUBY[<TAB>known: REASON]";
    sentences.push_back(std::move(sentence));
  }
  return sentences;
}

// A run of characters with ruby (or kanji left without it) and the run's whole reading.
struct KanjiRun {
  std::size_t start = 0;  // in characters of the plain text
  std::u32string text;
  std::u32string reading;  // a bare kanji reads as '?', which no reading matches
};

bool IsRunCharacter(char32_t c) { return IsKanji(c) || c == U'々' || c == U'〆' || c == U'ヶ'; }

struct ParsedRuby {
  std::u32string plain;
  std::vector<KanjiRun> runs;
};

// Reads the notation {base/reading}; the groups and bare kanji that touch make one run.
ParsedRuby ParseRuby(std::u32string_view ruby) {
  ParsedRuby parsed;
  bool in_run = false;
  auto extend = [&](std::u32string_view text, std::u32string_view reading) {
    if (!in_run) parsed.runs.push_back({parsed.plain.size(), {}, {}});
    in_run = true;
    parsed.runs.back().text += text;
    parsed.runs.back().reading += reading;
    parsed.plain += text;
  };
  for (std::size_t i = 0; i < ruby.size();) {
    std::size_t slash = ruby[i] == U'{' ? ruby.find(U'/', i) : std::u32string_view::npos;
    std::size_t close = slash == std::u32string_view::npos ? slash : ruby.find(U'}', slash);
    if (close != std::u32string_view::npos) {
      extend(ruby.substr(i + 1, slash - i - 1), ruby.substr(slash + 1, close - slash - 1));
      i = close + 1;
    } else if (IsRunCharacter(ruby[i])) {
      extend(ruby.substr(i, 1), U"?");
      ++i;
    } else {
      in_run = false;
      parsed.plain.push_back(ruby[i++]);
    }
  }
  return parsed;
}

std::string Utf8(std::u32string_view text) { return EncodeUtf8(text); }

// Makes the default dictionaries once for the whole suite, into a program folder of its own.
struct SetCase {
  const char* name;
  std::vector<const char*> files;  // under tests/data/
  const char* reading;             // --reading
  double required_share;
};

class EverydayReadings : public ::testing::TestWithParam<SetCase> {
 protected:
  static void SetUpTestSuite() {
    home_ = new ScratchDir();
    made_ = RunTool({"--home", home_->Path().string(), "--yes", "make-default-dic"}, &made_log_);
  }
  static void TearDownTestSuite() {
    delete home_;
    home_ = nullptr;
  }

  static bool RunTool(std::vector<std::string> args, std::string* out) {
    args.insert(args.begin(), "mirukaze-cli");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::ostringstream standard_out;
    std::ostringstream standard_err;
    int status = cli::Run(static_cast<int>(args.size()), argv.data(), standard_out, standard_err,
                          [](std::string_view) -> std::optional<bool> { return std::nullopt; });
    // The ruby command prints the ruby file's path; a failure is told on stderr.
    *out = status == 0 ? standard_out.str() : standard_out.str() + standard_err.str();
    return status == 0;
  }

  // The ruby lines of `texts`, given ruby with the default settings (main dictionary only) and
  // the reading mode given.
  static std::vector<std::string> GiveRuby(const std::vector<Sentence>& sentences,
                                           const std::string& reading) {
    std::string text;
    for (const Sentence& sentence : sentences) text += sentence.text + "\r\n";
    std::filesystem::path file = home_->Path() / "everyday.txt";
    WriteFile(file, common::Utf8ToCp932Lossy(text));
    std::string out;
    bool ran = RunTool(
        {"--home", home_->Path().string(), "--no", "ruby", "--reading", reading, file.string()},
        &out);
    EXPECT_TRUE(ran) << out;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    std::string ruby = common::Cp932ToUtf8Lossy(ReadFile(out));
    std::vector<std::string> lines;
    for (std::string& line : SplitOn(ruby, '\n')) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(std::move(line));
    }
    return lines;
  }

  static ScratchDir* home_;
  static bool made_;
  static std::string made_log_;
};

ScratchDir* EverydayReadings::home_ = nullptr;
bool EverydayReadings::made_ = false;
std::string EverydayReadings::made_log_;

TEST_P(EverydayReadings, SentencesGetTheirHandWrittenReadings) {
  const SetCase& set = GetParam();
  ASSERT_TRUE(made_) << "make-default-dic failed (scripts/install-data.sh installs its data):\n"
                     << made_log_;
  bool in_context = std::string_view(set.reading) == "context";
  if (in_context) {
    std::string version;
    RunTool({"--version"}, &version);
    if (version.find("not available") != std::string::npos) {
      GTEST_SKIP() << "no analyser to read in context: " << version;
    }
  }
  std::vector<Sentence> sentences;
  for (const char* file : set.files) {
    std::vector<Sentence> more = ReadSentences(ReadFile(TestData(file)));
    sentences.insert(sentences.end(), more.begin(), more.end());
  }
  ASSERT_GE(sentences.size(), 300u);
  std::vector<std::string> ruby_lines = GiveRuby(sentences, set.reading);
  ASSERT_GE(ruby_lines.size(), sentences.size());

  std::size_t runs = 0;
  std::size_t exact = 0;
  std::vector<std::string> known_report;
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    const Sentence& sentence = sentences[i];
    ParsedRuby expected = ParseRuby(DecodeUtf8(sentence.ruby));
    ParsedRuby actual = ParseRuby(DecodeUtf8(ruby_lines[i]));
    EXPECT_EQ(Utf8(expected.plain), sentence.text)
        << "line " << sentence.line << ": the ruby line without its readings is not the text";
    std::string wrong;
    for (const KanjiRun& run : expected.runs) {
      ++runs;
      auto same = std::find_if(actual.runs.begin(), actual.runs.end(), [&](const KanjiRun& a) {
        return a.start == run.start && a.text == run.text;
      });
      if (same != actual.runs.end() && same->reading == run.reading) {
        ++exact;
        continue;
      }
      wrong += " " + Utf8(run.text) + " " + Utf8(run.reading) + "≠" +
               (same == actual.runs.end() ? std::string("(split otherwise)") : Utf8(same->reading));
    }
    if (wrong.empty()) continue;
    if (!sentence.known.empty() && !in_context) {
      known_report.push_back("line " + std::to_string(sentence.line) + ":" + wrong +
                             " (known:" + sentence.known + ")");
      continue;
    }
    std::printf("%s line %d:%s\n  got:      %s\n  expected: %s\n", set.name, sentence.line,
                wrong.c_str(), ruby_lines[i].c_str(), sentence.ruby.c_str());
  }
  double share = runs == 0 ? 0.0 : static_cast<double>(exact) / static_cast<double>(runs);
  std::printf("%s (%s): %zu sentences, %zu kanji runs, %zu exact (%.2f%%)\n", set.name,
              set.reading, sentences.size(), runs, exact, share * 100.0);
  for (const std::string& line : known_report)
    std::printf("  known, not failed: %s\n", line.c_str());
  EXPECT_GE(share, set.required_share);
}

const std::vector<const char*> kModernSet = {
    "engine/modern/letters.txt",  "engine/modern/notices.txt",  "engine/modern/news.txt",
    "engine/modern/textbook.txt", "engine/modern/shop_web.txt", "engine/modern/counters.txt"};

INSTANTIATE_TEST_SUITE_P(
    Sets, EverydayReadings,
    ::testing::Values(SetCase{"everyday", {"dicgen/everyday.txt"}, "dictionary", 0.99},
                      SetCase{"everyday_in_context", {"dicgen/everyday.txt"}, "context", 0.995},
                      SetCase{"modern_in_context", kModernSet, "context", 0.99}),
    [](const ::testing::TestParamInfo<SetCase>& info) { return info.param.name; });

}  // namespace
}  // namespace dicgen
