// The context reading without a sound MeCab and UniDic: a missing library, a missing folder,
// and copies of the installed UniDic with one file cut short, emptied or overwritten. The
// analyser is refused with a message that says why, and the ruby command reads by the
// dictionaries alone; nothing crashes. The damaged copies link to the installed files for
// everything but the damaged one.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/context/analyser.h"
#include "engine/context/context_source.h"
#include "engine/messages.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace engine::context {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::WriteFile;

constexpr const char* kUnidicFiles[] = {"char.bin", "dicrc", "matrix.bin", "sys.dic", "unk.dic"};

bool UnidicInstalled() {
  std::error_code error;
  for (const char* name : kUnidicFiles) {
    if (!fs::exists(kDefaultUnidic / name, error)) return false;
  }
  return true;
}

// The first `bytes` bytes of an installed file.
std::string HeadOf(const char* name, std::size_t bytes) {
  std::ifstream in(kDefaultUnidic / name, std::ios::binary);
  std::string head(bytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(bytes));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return head;
}

struct Damage {
  const char* name;
  bool needs_unidic;  // the case copies the installed UniDic
  const char* file;   // the file damaged, nullptr for none
  std::function<std::string()> content;
  const char* library;
  std::string_view message;  // how the message starts
  bool full_size = false;    // the content is made as long as the installed file, in zeros
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

constexpr std::string_view kDamaged = messages::kUnidicDamaged.substr(0, 8);  // "UniDic ("

std::string Garbage(std::size_t bytes) {
  std::string garbage(bytes, '\0');
  std::uint32_t state = 12345;
  for (char& byte : garbage) {
    state = state * 1103515245 + 12345;
    byte = static_cast<char>(state >> 16);
  }
  return garbage;
}

// char.bin whole but with every character's entry overwritten: its categories and its default
// category then name categories that do not exist.
std::string CharactersOverwritten() {
  std::string table = ReadFile(kDefaultUnidic / "char.bin");
  if (table.size() < 4) return table;
  std::uint32_t categories = static_cast<unsigned char>(table[0]);
  for (std::size_t i = 4 + 32 * categories; i < table.size(); ++i) table[i] = '\xFF';
  return table;
}

// unk.dic whole but with its word entries overwritten, the header left as it was.
std::string UnknownWordsOverwritten() {
  std::string dictionary = ReadFile(kDefaultUnidic / "unk.dic");
  if (dictionary.size() < 72) return dictionary;
  auto le32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(dictionary[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(dictionary[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(dictionary[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(dictionary[at + 3])) << 24;
  };
  std::size_t tokens = 72 + le32(24);
  for (std::size_t i = tokens; i < tokens + le32(28) && i < dictionary.size(); ++i) {
    dictionary[i] = '\xFF';
  }
  return dictionary;
}

std::uint32_t Le32At(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

// unk.dic whole but with its double array (after the 72-byte header) overwritten: its sizes,
// header and word entries are as they were.
std::string UnknownArrayOverwritten() {
  std::string dictionary = ReadFile(kDefaultUnidic / "unk.dic");
  if (dictionary.size() < 72) return dictionary;
  std::string garbage = Garbage(Le32At(dictionary, 24));
  dictionary.replace(72, garbage.size(), garbage);
  return dictionary;
}

// sys.dic's header and the start of its double array overwritten; made as long as the installed
// file with zeros, every size agrees and every word entry names a place that exists.
std::string SystemArrayOverwritten() { return HeadOf("sys.dic", 72) + std::string(4096, '\xFF'); }

const Damage kDamages[] = {
    {"library_missing", true, nullptr, nullptr, "libmecab-absent.so.2", messages::kNoMecab},
    {"folder_missing", false, nullptr, nullptr, kMecabLibrary, messages::kNoUnidic},
    {"sys_dic_truncated", true, "sys.dic", [] { return HeadOf("sys.dic", 1 << 20); }, kMecabLibrary,
     kDamaged},
    {"sys_dic_header_only", true, "sys.dic", [] { return HeadOf("sys.dic", 72); }, kMecabLibrary,
     kDamaged},
    {"sys_dic_empty", true, "sys.dic", [] { return std::string(); }, kMecabLibrary, kDamaged},
    {"sys_dic_garbage", true, "sys.dic", [] { return Garbage(1 << 16); }, kMecabLibrary, kDamaged},
    {"matrix_truncated", true, "matrix.bin", [] { return HeadOf("matrix.bin", 1 << 20); },
     kMecabLibrary, kDamaged},
    {"matrix_garbage", true, "matrix.bin", [] { return Garbage(1 << 16); }, kMecabLibrary,
     kDamaged},
    {"char_bin_truncated", true, "char.bin", [] { return HeadOf("char.bin", 1000); }, kMecabLibrary,
     kDamaged},
    {"char_bin_entries_overwritten", true, "char.bin", CharactersOverwritten, kMecabLibrary,
     kDamaged},
    {"unk_dic_garbage", true, "unk.dic", [] { return Garbage(5492); }, kMecabLibrary, kDamaged},
    {"unk_dic_entries_overwritten", true, "unk.dic", UnknownWordsOverwritten, kMecabLibrary,
     kDamaged},
    {"sys_dic_array_overwritten", true, "sys.dic", SystemArrayOverwritten, kMecabLibrary, kDamaged,
     /*full_size=*/true},
    {"unk_dic_array_overwritten", true, "unk.dic", UnknownArrayOverwritten, kMecabLibrary,
     kDamaged},
    {"dicrc_missing", true, "dicrc", nullptr, kMecabLibrary, kDamaged},
};

class UnidicFallbackTest : public ::testing::TestWithParam<Damage> {
 protected:
  // A folder like the installed UniDic, with the case's file damaged (or absent, when the case
  // has no content for it).
  fs::path DamagedUnidic(const Damage& damage) {
    fs::path dir = scratch_ / "unidic";
    fs::create_directories(dir);
    for (const char* name : kUnidicFiles) {
      if (damage.file != nullptr && std::string_view(name) == damage.file) {
        if (damage.content) WriteFile(dir / name, damage.content());
        if (damage.full_size) fs::resize_file(dir / name, fs::file_size(kDefaultUnidic / name));
      } else {
        fs::create_symlink(fs::canonical(kDefaultUnidic / name), dir / name);
      }
    }
    return dir;
  }

  ScratchDir scratch_;
};

TEST_P(UnidicFallbackTest, RefusesTheAnalyserWithAMessage) {
  const Damage& damage = GetParam();
  if (damage.needs_unidic && !UnidicInstalled()) GTEST_SKIP() << "UniDic is not installed";
  fs::path dir = damage.needs_unidic ? DamagedUnidic(damage) : scratch_ / "no-unidic";

  std::string why_not;
  std::shared_ptr<Analyser> analyser = OpenAnalyser(dir, why_not, damage.library);
  if (analyser) {
    // What the damage would do to a reading: every kind of character MeCab tells apart.
    std::unique_ptr<Tagger> tagger = analyser->NewTagger();
    std::vector<Morpheme> words;
    if (tagger) {
      (void)tagger->Analyse("今日は１２時にABCのｶﾀｶﾅとカタカナ、ひらがな αβ 漢字々。", words);
    }
  }
  EXPECT_EQ(analyser, nullptr);
  EXPECT_TRUE(why_not.starts_with(damage.message)) << why_not;
}

TEST_P(UnidicFallbackTest, TheRubyCommandIsToldOnceAndReadsByTheDictionaries) {
  const Damage& damage = GetParam();
  if (damage.needs_unidic && !UnidicInstalled()) GTEST_SKIP() << "UniDic is not installed";
  if (damage.library != std::string_view(kMecabLibrary))
    GTEST_SKIP() << "the library's name is fixed";
  fs::path dir = damage.needs_unidic ? DamagedUnidic(damage) : scratch_ / "no-unidic";

  ContextSource source(dir);
  RecordingMessenger messenger;
  EXPECT_FALSE(source.Resources(scratch_ / "Qv_Body.dic", messenger).has_value());
  EXPECT_FALSE(source.Resources(scratch_ / "Qv_Body.dic", messenger).has_value());
  ASSERT_EQ(messenger.records.size(), 1u);
  EXPECT_EQ(messenger.records[0].text, source.WhyNot());
  EXPECT_TRUE(source.Description().starts_with(damage.message)) << source.Description();
}

INSTANTIATE_TEST_SUITE_P(Damages, UnidicFallbackTest, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UnidicFallbackTest, TheInstalledUnidicOpensAndReads) {
  if (!UnidicInstalled()) GTEST_SKIP() << "UniDic is not installed";
  std::string why_not;
  std::shared_ptr<Analyser> analyser = OpenAnalyser(kDefaultUnidic, why_not);
  if (!analyser && why_not == messages::kNoMecab) GTEST_SKIP() << "MeCab is not installed";
  ASSERT_NE(analyser, nullptr) << why_not;
  std::unique_ptr<Tagger> tagger = analyser->NewTagger();
  ASSERT_NE(tagger, nullptr);
  std::vector<Morpheme> words;
  ASSERT_TRUE(tagger->Analyse("今日は学校へ行きました。", words));
  EXPECT_GE(words.size(), 5u);
}

}  // namespace
}  // namespace engine::context
