#include "dictionary/ruby_dictionary.h"
#include "dictionary/dictionary_compiler.h"

#include <gtest/gtest.h>

#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace dictionary {
namespace {

using testing_support::RecordingMessenger;
using testing_support::ScratchDir;

TEST(RubyDictionaryFormat, KeyHashExamples) {
  EXPECT_EQ(BucketOf("\x8A\xBF", 997), 181u);                // 漢
  EXPECT_EQ(BucketOf("\x8A\xBF\x8E\x9A", 12227), 10837u);    // 漢字
}

TEST(RubyDictionary, MissingFileIsRefusedWithMessage) {
  ScratchDir dir;
  RecordingMessenger messenger;
  RubyDictionary dictionary;
  EXPECT_FALSE(dictionary.Open(dir / "none.dic", messenger));
  ASSERT_EQ(messenger.records.size(), 1u);
  EXPECT_EQ(messenger.records[0].title, "Warning");
  EXPECT_EQ(messenger.records[0].text,
            "指定された辞書<" + (dir / "none.dic").string() +
                ">が開けません。\n正しく登録し直してください。");
}

TEST(RubyDictionary, CompiledWordsAreFoundWithTheirReadings) {
  ScratchDir dir;
  EntriesByLength entries;
  entries[1].push_back({testing_support::Sjis("漢字"), testing_support::Sjis("かん*じ")});
  CompiledDictionary compiled = CompileDictionary(entries);
  ASSERT_TRUE(compiled.ok());
  EXPECT_EQ(compiled.bytes[32], 2);
  testing_support::WriteFile(dir / "t.dic", compiled.bytes);

  RecordingMessenger messenger;
  RubyDictionary dictionary;
  ASSERT_TRUE(dictionary.Open(dir / "t.dic", messenger));
  ASSERT_TRUE(dictionary.LoadLength(2, messenger));
  int index = dictionary.Find(testing_support::Sjis("漢字"));
  ASSERT_EQ(index, 0);
  EXPECT_EQ(dictionary.ReadingOf(index), "\xA9\xF1*\xB6");
  ASSERT_TRUE(dictionary.LoadLength(1, messenger));
  EXPECT_EQ(dictionary.Find(testing_support::Sjis("漢")), -1);
  EXPECT_TRUE(messenger.records.empty());
}

}  // namespace
}  // namespace dictionary
