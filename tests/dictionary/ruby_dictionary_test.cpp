#include "dictionary/ruby_dictionary.h"

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

}  // namespace
}  // namespace dictionary
