// The forms a corrected word is learnt in: a word with okurigana keeps them, in every form the
// main dictionary reads as it read the corrected one, and never as its bare kanji.
#include "jobs/learn_forms.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/encoding/cp932.h"
#include "tests/support/test_files.h"

namespace jobs {
namespace {

using testing_support::Sjis;

// A main dictionary with the forms of 話す, 行う, 行く and 食べる, 食う (UTF-8 word → reading).
const std::map<std::string, std::string> kMain = {
    {"話", "はなし"}, {"話さ", "わ"}, {"話し", "わ"}, {"話す", "わ"}, {"話せ", "わ"},
    {"話そ", "わ"},   {"行わ", "い"}, {"行い", "い"}, {"行う", "い"}, {"行え", "い"},
    {"行か", "い"},   {"行く", "い"}, {"行っ", "い"}, {"食べ", "く"}, {"食べる", "く"},
    {"食べた", "く"}, {"食う", "く"}, {"食い", "く"}, {"人", "ひと"}, {"出発", "しゅっ*ぱつ"},
};

WordReadings MainWords() {
  return [](std::string_view sjis) -> std::optional<std::string> {
    auto found = kMain.find(common::Cp932ToUtf8Lossy(sjis));
    if (found == kMain.end()) return std::nullopt;
    return Sjis(found->second);
  };
}

TEST(WordForms, AWordWithOkuriganaIsLearntInItsOwnForms) {
  struct Case {
    const char* run;
    const char* tail;
    std::vector<std::string> forms;
  };
  const Case cases[] = {
      {"話", "すのが", {"話さ", "話し", "話す", "話せ", "話そ"}},
      {"話", "した。", {"話さ", "話し", "話す", "話せ", "話そ"}},
      // 行く shares the reading the dictionary gave, not the row.
      {"行", "う。", {"行わ", "行い", "行う", "行え"}},
      // 食う shares it too, but not the first kana.
      {"食", "べる", {"食べ"}},
      {"人", "と", {"人"}},
      {"話", "", {"話"}},
      {"出発", "する", {"出発"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> forms;
    for (const std::string& form : WordForms(Sjis(c.run), Sjis(c.tail), MainWords())) {
      forms.push_back(common::Cp932ToUtf8Lossy(form));
    }
    EXPECT_EQ(forms, c.forms) << c.run << c.tail;
  }
}

}  // namespace
}  // namespace jobs
