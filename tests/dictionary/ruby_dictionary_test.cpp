#include "dictionary/ruby_dictionary.h"

#include <gtest/gtest.h>

#include "dictionary/dictionary_compiler.h"
#include "tests/dictionary/dictionary_fixtures.h"

namespace dictionary {
namespace {

std::size_t RecordAt(int length) { return kRecordsOffset + kRecordSize * (length - 1); }

std::uint32_t Field(const std::string& bytes, std::size_t at) {
  return ReadLe24(bytes.data() + at);
}

void PutLe24(std::string& bytes, std::size_t at, std::uint32_t value) {
  std::string le;
  WriteLe24(le, value);
  bytes.replace(at, 3, le);
}

// 漢 (かん|から) and 漢字 (かん*じ).
std::string SmallDictionary() {
  EntriesByLength entries;
  entries[0].push_back({Sjis("漢"), Sjis("かん|から")});
  entries[1].push_back({Sjis("漢字"), Sjis("かん*じ")});
  return CompileDictionary(entries).bytes;
}

// `bytes` written to a scratch file and opened; the messenger keeps what was said.
struct OpenedDictionary {
  explicit OpenedDictionary(const std::string& bytes) {
    testing_support::WriteFile(dir / "t.dic", bytes);
    opened = dictionary.Open(dir / "t.dic", messenger);
  }
  bool Loads(int length) { return opened && dictionary.LoadLength(length, messenger); }

  ScratchDir dir;
  RecordingMessenger messenger;
  RubyDictionary dictionary;
  bool opened = false;
};

TEST(RubyDictionaryFormat, KeyHashExamples) {
  EXPECT_EQ(BucketOf("\x8A\xBF", 997), 181u);              // 漢
  EXPECT_EQ(BucketOf("\x8A\xBF\x8E\x9A", 12227), 10837u);  // 漢字
}

TEST(RubyDictionaryFormat, ReadingEncodingExamples) {
  EXPECT_EQ(EncodeReading(Sjis("かん*じ")), "\xA9\xF1\x2A\xB6");
  EXPECT_EQ(EncodeReading(Sjis("ー")), "\xF2");
  EXPECT_EQ(EncodeReading(Sjis("かん|から")), "\xA9\xF1\x7C\xA9\xE7");
  EXPECT_EQ(DecodeReading("\xA9\xF1\x2A\xB6"), Sjis("かん*じ"));
  EXPECT_EQ(DecodeReading("\xF2"), Sjis("ー"));
}

TEST(RubyDictionary, MissingFileIsRefusedWithMessage) {
  ScratchDir dir;
  RecordingMessenger messenger;
  RubyDictionary dictionary;
  EXPECT_FALSE(dictionary.Open(dir / "none.dic", messenger));
  ASSERT_TRUE(ShowedOnly(messenger, "Warning",
                         "指定された辞書<" + (dir / "none.dic").string() +
                             ">が開けません。\n正しく登録し直してください。"));
}

TEST(RubyDictionary, CompiledWordsAreFoundWithTheirReadings) {
  std::string bytes = SmallDictionary();
  EXPECT_EQ(bytes[kHighestLengthOffset], 2);
  OpenedDictionary opened(bytes);
  ASSERT_TRUE(opened.Loads(2));
  int index = opened.dictionary.Find(Sjis("漢字"));
  ASSERT_EQ(index, 0);
  EXPECT_EQ(opened.dictionary.ReadingOf(index), "\xA9\xF1*\xB6");
  ASSERT_TRUE(opened.Loads(1));
  EXPECT_EQ(opened.dictionary.ReadingOf(opened.dictionary.Find(Sjis("漢"))), "\xA9\xF1|\xA9\xE7");
  ASSERT_TRUE(opened.Loads(3));
  EXPECT_EQ(opened.dictionary.Find(Sjis("漢字字")), -1);
  EXPECT_TRUE(opened.messenger.records.empty());
}

TEST(RubyDictionary, LaterOfTwoEqualKeysIsFound) {
  EntriesByLength entries;
  entries[0].push_back({Sjis("漢"), Sjis("かん")});
  entries[0].push_back({Sjis("漢"), Sjis("から")});
  OpenedDictionary opened(CompileDictionary(entries).bytes);
  ASSERT_TRUE(opened.Loads(1));
  EXPECT_EQ(opened.dictionary.ReadingOf(opened.dictionary.Find(Sjis("漢"))), "\xA9\xE7");  // から
}

TEST(RubyDictionary, EmptyDictionaryFindsNothingAtAnyLength) {
  std::string bytes = CompileDictionary(EntriesByLength{}).bytes;
  EXPECT_EQ(bytes[kHighestLengthOffset], 0);
  OpenedDictionary opened(bytes);
  EXPECT_EQ(opened.dictionary.HighestLength(), 10);
  for (int length = 1; length <= kMaxWordLength; ++length) {
    ASSERT_TRUE(opened.Loads(length));
    EXPECT_EQ(opened.dictionary.KeyCount(), 0u);
    EXPECT_EQ(opened.dictionary.Find(std::string(2 * length, '\x88')), -1);
  }
}

TEST(DictionaryCompiler, LengthWithoutWordsHasOnlyItsBucketTable) {
  std::string bytes = SmallDictionary();
  for (int length = 3; length <= kMaxWordLength; ++length) {
    LengthRecord record = ParseLengthRecord(bytes.data() + RecordAt(length));
    EXPECT_EQ(record.hushv, kBucketCounts[length - 1]);
    EXPECT_EQ(record.gosuu, 0);
    EXPECT_EQ(record.jukud_ofs, (record.dicd_ofs + 4u * record.hushv + 31) / 32 * 32);
    EXPECT_EQ(record.adrs_ofs, record.jukud_ofs);
    EXPECT_EQ(record.yomid_ofs, record.jukud_ofs);
    EXPECT_EQ(bytes.find_first_not_of('\0', record.dicd_ofs), std::string::npos)
        << "length " << length;
  }
  EXPECT_EQ(Field(bytes, RecordAt(10) + 28), bytes.size());
}

TEST(DictionaryCompiler, TwentyOneWordsLeaveOneZeroByteAfterTheAddressTable) {
  EntriesByLength entries;
  for (int i = 0; i < 21; ++i) {
    std::string key = "\x88";
    key += static_cast<char>(0x9F + i);  // 亜 and the kanji after it
    entries[0].push_back({key, Sjis("あ")});
  }
  CompiledDictionary compiled = CompileDictionary(entries);
  ASSERT_TRUE(compiled.ok());
  const LengthRecord& record = compiled.records[0];
  EXPECT_EQ(record.yomid_ofs - record.adrs_ofs, 64u);
  EXPECT_EQ(compiled.bytes[record.adrs_ofs + 63], '\0');

  OpenedDictionary opened(compiled.bytes);
  ASSERT_TRUE(opened.Loads(1));
  for (const SourceEntry& entry : entries[0]) {
    int index = opened.dictionary.Find(entry.key);
    ASSERT_GE(index, 0);
    EXPECT_EQ(opened.dictionary.ReadingOf(index), "\xA0");
  }
}

TEST(DictionaryCompiler, WordCountKeepsLow16BitsAndLookupsStillWork) {
  EntriesByLength entries;
  for (int n = 0; n < 65536 + 3; ++n) {
    std::string key;
    for (int c : {n % 188, n / 188}) {
      key += static_cast<char>(0x89 + c / 94);
      key += static_cast<char>(0x9F + c % 94);  // kanji from 院 on
    }
    entries[1].push_back({key, Sjis("い*い")});
  }
  CompiledDictionary compiled = CompileDictionary(entries);
  ASSERT_TRUE(compiled.ok());
  EXPECT_EQ(compiled.records[1].gosuu, 3);
  EXPECT_EQ(compiled.word_counts[1], 65539u);

  OpenedDictionary opened(compiled.bytes);
  ASSERT_TRUE(opened.Loads(2));
  EXPECT_EQ(opened.dictionary.KeyCount(), 65539u);
  EXPECT_GE(opened.dictionary.Find(entries[1].back().key), 0);
}

TEST(DictionaryCompiler, BucketWithMoreThan255KeysIsRefused) {
  EntriesByLength entries;
  std::string source = fixtures::CrowdedBucketSource();
  for (std::size_t at = 0; at < source.size(); at = source.find('\n', at) + 1) {
    entries[5].push_back({source.substr(at, 12), Sjis("い")});
  }
  ASSERT_EQ(entries[5].size(), 256u);
  CompiledDictionary compiled = CompileDictionary(entries);
  EXPECT_EQ(compiled.error, CompileError::kBucketOverflow);
  EXPECT_EQ(compiled.failed_length, 6);
  EXPECT_TRUE(compiled.bytes.empty());

  entries[5].pop_back();
  EXPECT_TRUE(CompileDictionary(entries).ok());
}

TEST(DictionaryCompiler, OffsetsBeyond24BitsAreRefused) {
  EntriesByLength entries;
  std::string reading;
  for (int i = 0; i < (1 << 24); ++i) reading += "\x82\xA0";
  entries[0].push_back({Sjis("漢"), reading});
  CompiledDictionary compiled = CompileDictionary(entries);
  EXPECT_EQ(compiled.error, CompileError::kTooLarge);
  EXPECT_EQ(compiled.failed_length, 1);
}

TEST(RubyDictionary, DamagedFileIsRefusedWithOneMessage) {
  struct Damage {
    std::string_view what;
    int length;  // the length that is loaded
    void (*apply)(std::string& bytes);
    std::string_view message_part;
  };
  const Damage damages[] = {
      {"shorter than its header", 1, [](std::string& bytes) { bytes.resize(300); },
       "見出し部分より短い"},
      {"another kind of file", 1, [](std::string& bytes) { bytes[16] = 'U'; },
       "は<るび振り>用の辞書ではありません。"},
      {"section cut off by the end of the file", 1,
       [](std::string& bytes) { bytes.resize(Field(bytes, RecordAt(1) + 28) + 2); },
       "の 1 字の語の部分が壊れています。"},
      {"offset past the end of the file", 2,
       [](std::string& bytes) { PutLe24(bytes, RecordAt(2) + 28, 0xFFFFFF); },
       "の 2 字の語の部分が壊れています。"},
      {"bucket pointing past the key table", 1,  // 漢's bucket: keys 5 and 6 of 2
       [](std::string& bytes) { PutLe24(bytes, Field(bytes, RecordAt(1) + 16) + 4 * 181, 5); },
       "の 1 字の語の部分が壊れています。"},
      {"address past the reading area", 2,
       [](std::string& bytes) { PutLe24(bytes, Field(bytes, RecordAt(2) + 24), 0x100000); },
       "の 2 字の語の部分が壊れています。"},
  };
  for (const Damage& damage : damages) {
    std::string bytes = SmallDictionary();
    damage.apply(bytes);
    OpenedDictionary opened(bytes);
    const auto& records = opened.messenger.records;
    EXPECT_FALSE(opened.Loads(damage.length)) << damage.what;
    ASSERT_EQ(records.size(), 1u) << damage.what;
    EXPECT_EQ(records[0].title, "Warning");
    EXPECT_NE(records[0].text.find(damage.message_part), std::string::npos)
        << damage.what << ": " << records[0].text;
  }
}

TEST(RubyDictionaryFormat, LookupModulusAgreesWithTheBuildersHashForEverySum) {
  for (std::uint32_t count : {1u, 499u, 997u, 1999u, 6551u, 12227u, 65535u}) {
    BucketModulus modulus(count);
    for (std::uint32_t sum = 0; sum < 65536; ++sum) {
      char key[2] = {static_cast<char>(sum & 0xFF), static_cast<char>(sum >> 8)};
      ASSERT_EQ(modulus.Of(std::string_view(key, 2)), sum % count) << count << " " << sum;
    }
  }
}

}  // namespace
}  // namespace dictionary
