// A word's features read through the dictionary's file: the fields taken out of a feature
// string however long it is, with quoted fields, and at the very end of the feature text.
#include "engine/context/known_words.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_files.h"

namespace engine::context {
namespace {

using testing_support::ScratchDir;
using testing_support::WriteFile;

// A feature string of UniDic's shape: fields 0–20, each given or "f<n>".
std::string Feature(std::string_view pos1, std::string_view lemma, std::string_view kana,
                    std::string_view filler = "") {
  std::string out;
  for (int field = 0; field <= kKana; ++field) {
    if (field > 0) out += ',';
    if (field == kPos1) {
      out += pos1;
    } else if (field == kLemma) {
      out += lemma;
    } else if (field == kKana) {
      out += kana;
    } else {
      out += "f" + std::to_string(field) + std::string(filler);
    }
  }
  return out + ",more,fields";
}

struct FeatureCase {
  const char* name;
  std::string feature;
  bool last;  // stands at the very end of the feature text, without its terminating NUL
  std::string_view pos1, lemma, kana;
  std::string lemma_kana;
};

void PrintTo(const FeatureCase& c, std::ostream* out) { *out << c.name; }

const FeatureCase kCases[] = {
    {"Short", Feature("名詞", "学校", "ガッコウ"), false, "名詞", "学校", "ガッコウ", "f6"},
    {"LongerThanOneRead", Feature("動詞", "行く", "イキ", std::string(80, 'x')), false, "動詞",
     "行く", "イキ", "f6" + std::string(80, 'x')},
    {"QuotedFieldWithCommas", Feature("名詞", "\"1,000\"", "\"セン\"\"\""), false, "名詞", "1,000",
     "セン\"\"", "f6"},
    {"UnknownKanaIsEmpty", Feature("補助記号", "。", "*"), false, "補助記号", "。", "", "f6"},
    {"AtTheEndOfTheText", Feature("名詞", "川", "カワ", std::string(40, 'y')), true, "名詞", "川",
     "カワ", "f6" + std::string(40, 'y')},
};

class KnownWordsTest : public ::testing::TestWithParam<FeatureCase> {};

TEST_P(KnownWordsTest, ReadsTheFieldsFromTheFile) {
  const FeatureCase& c = GetParam();
  // The file: a header, another word's features, then the word's; the process sees other
  // bytes where the file's are, so that only what is read from the file can be right.
  const std::string header(100, 'h');
  const std::string before = Feature("記号", "a", "b") + '\0';
  std::string area = before + c.feature;
  if (!c.last) area += std::string(1, '\0') + Feature("接尾辞", "c", "d") + '\0';
  ScratchDir scratch;
  WriteFile(scratch.Path() / "sys.dic", header + area);
  const std::string seen(area.size(), ',');
  int fd = open((scratch.Path() / "sys.dic").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  FeatureText text(fd, seen.data(), seen.size(), header.size());

  KnownWords known;
  for (int round = 0; round < 2; ++round) {  // read, then remembered
    const WordFields& fields = known.Find(seen.data() + before.size(), text);
    EXPECT_EQ(fields.Field(kPos1), c.pos1);
    EXPECT_EQ(fields.Field(kLemma), c.lemma);
    EXPECT_EQ(fields.Field(kKana), c.kana);
    EXPECT_EQ(fields.Field(kLemmaKana), c.lemma_kana);
  }
  EXPECT_EQ(known.Size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, KnownWordsTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace engine::context
