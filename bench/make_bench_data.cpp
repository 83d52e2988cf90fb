// Generates the inputs of the ruby benchmark: a large dictionary source, a small user
// dictionary source and a long Shift_JIS text that uses their words. Everything is made
// from a fixed seed, so two runs produce the same bytes.
//
//   make_bench_data OUT_DIR [TEXT_BYTES]
//
// writes OUT_DIR/Qv_Body.pre, OUT_DIR/bench_user.pre and OUT_DIR/bench_text.txt (CR LF).
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

constexpr int kMaxWordLength = 10;

// Bucket counts of the dictionary format per word length, and the words generated per
// length: at most a few dozen keys share a bucket, far below the format's 255.
constexpr std::array<int, kMaxWordLength> kBuckets = {997, 12227, 6551, 1999, 997,
                                                      997, 997,   499,  499,  499};
constexpr std::array<int, kMaxWordLength> kMainWords = {2500, 60000, 35000, 20000, 12000,
                                                        8000, 6000,  4000,  3000,  2500};
constexpr std::array<int, kMaxWordLength> kUserWords = {0, 3000, 1500, 500, 0, 0, 0, 0, 0, 0};
constexpr int kBucketLimit = 200;           // generated words never fill a bucket beyond this
constexpr std::size_t kMaxEntryBytes = 59;  // a source entry stays below 60 bytes
constexpr std::size_t kDefaultTextBytes = 21 * 1024 * 1024;

// JIS level-1 kanji: 0x889F to 0x9872, every code assigned.
constexpr int kFirstKanjiLead = 0x88;
constexpr int kLastKanjiLead = 0x98;
constexpr int kFirstKanjiTrail = 0x9F;  // on the first lead byte
constexpr int kLastKanjiTrail = 0x72;   // on the last lead byte
constexpr int kHiraganaLead = 0x82;
constexpr int kFirstHiraganaTrail = 0xA0;  // あ
constexpr int kLastHiraganaTrail = 0xF1;   // ん

using Random = std::mt19937;

int Pick(Random& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

std::vector<std::string> LevelOneKanji() {
  std::vector<std::string> kanji;
  for (int lead = kFirstKanjiLead; lead <= kLastKanjiLead; ++lead) {
    int first = lead == kFirstKanjiLead ? kFirstKanjiTrail : 0x40;
    int last = lead == kLastKanjiLead ? kLastKanjiTrail : 0xFC;
    for (int trail = first; trail <= last; ++trail) {
      if (trail == 0x7F) continue;  // never a trail byte
      kanji.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
  return kanji;
}

std::string Hiragana(Random& random) {
  return {static_cast<char>(kHiraganaLead),
          static_cast<char>(Pick(random, kFirstHiraganaTrail, kLastHiraganaTrail))};
}

// The bucket a key falls into: each character as a 16-bit word with the trail byte high,
// summed with wrap-around, modulo the bucket count.
int BucketOf(std::string_view key, int buckets) {
  unsigned sum = 0;
  for (std::size_t i = 0; i + 1 < key.size(); i += 2) {
    sum += static_cast<unsigned char>(key[i]) | static_cast<unsigned char>(key[i + 1]) << 8;
  }
  return static_cast<int>((sum & 0xFFFF) % static_cast<unsigned>(buckets));
}

// One kana segment per kanji, joined by '*'; shortened to one kana each when the entry would
// reach 60 bytes.
std::string ReadingFor(Random& random, int length) {
  int most = length <= 3 ? 3 : 2;
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::string reading;
    for (int i = 0; i < length; ++i) {
      if (i > 0) reading += '*';
      int kana = attempt == 0 ? Pick(random, 1, most) : 1;
      for (int k = 0; k < kana; ++k) reading += Hiragana(random);
    }
    if (2 * static_cast<std::size_t>(length) + 1 + reading.size() <= kMaxEntryBytes) {
      return reading;
    }
  }
  std::abort();  // unreachable: one kana per kanji always fits
}

struct Entry {
  std::string key;
  std::string reading;
};

// Unique words of one length, keeping every bucket below kBucketLimit.
std::vector<Entry> MakeWords(Random& random, const std::vector<std::string>& kanji, int length,
                             int count) {
  std::vector<Entry> entries;
  std::unordered_set<std::string> seen;
  std::vector<int> fill(static_cast<std::size_t>(kBuckets[length - 1]), 0);
  while (static_cast<int>(entries.size()) < count) {
    std::string key;
    for (int i = 0; i < length; ++i) {
      key += kanji[static_cast<std::size_t>(Pick(random, 0, static_cast<int>(kanji.size()) - 1))];
    }
    int& bucket = fill[static_cast<std::size_t>(BucketOf(key, kBuckets[length - 1]))];
    if (bucket >= kBucketLimit || !seen.insert(key).second) continue;
    ++bucket;
    entries.push_back({key, ReadingFor(random, length)});
  }
  return entries;
}

bool WriteSource(const std::string& path, const std::array<std::vector<Entry>, 10>& words) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "# generated for the ruby benchmark\r\n";
  for (const std::vector<Entry>& of_length : words) {
    for (const Entry& entry : of_length) out << entry.key << ',' << entry.reading << "\r\n";
  }
  return static_cast<bool>(out.flush());
}

std::array<std::vector<Entry>, 10> MakeDictionary(Random& random,
                                                  const std::vector<std::string>& kanji,
                                                  const std::array<int, 10>& counts) {
  std::array<std::vector<Entry>, 10> words;
  for (int length = 1; length <= kMaxWordLength; ++length) {
    words[length - 1] = MakeWords(random, kanji, length, counts[length - 1]);
  }
  return words;
}

// Prose-like pieces between the words.
constexpr std::array<std::string_view, 12> kParticles = {
    "\x82\xCC",                  // の
    "\x82\xCD",                  // は
    "\x82\xAA",                  // が
    "\x82\xF0",                  // を
    "\x82\xC9",                  // に
    "\x82\xC5",                  // で
    "\x82\xC6",                  // と
    "\x82\xE0",                  // も
    "\x82\xA9\x82\xE7",          // から
    "\x82\xDC\x82\xC5",          // まで
    "\x82\xC5\x82\xB7",          // です
    "\x82\xB5\x82\xDC\x82\xB7",  // します
};
constexpr std::string_view kComma = "\x81\x41";   // 、
constexpr std::string_view kPeriod = "\x81\x42";  // 。
constexpr std::array<std::string_view, 6> kAscii = {"ABC", "2024", "HTML", "OK", "x86", "Ver.2"};

std::string MakeLine(Random& random, const std::array<std::vector<Entry>, 10>& words,
                     const std::vector<std::string>& kanji) {
  std::string line;
  int pieces = Pick(random, 6, 18);
  for (int i = 0; i < pieces; ++i) {
    int what = Pick(random, 0, 99);
    if (what < 55) {
      // Short words are the common ones in real text.
      int length = std::min(kMaxWordLength, 1 + std::geometric_distribution<int>(0.45)(random));
      const std::vector<Entry>& pool = words[length - 1];
      line +=
          pool[static_cast<std::size_t>(Pick(random, 0, static_cast<int>(pool.size()) - 1))].key;
    } else if (what < 65) {
      line += kanji[static_cast<std::size_t>(Pick(random, 0, static_cast<int>(kanji.size()) - 1))];
    } else if (what < 72) {
      line += ' ';
      line +=
          kAscii[static_cast<std::size_t>(Pick(random, 0, static_cast<int>(kAscii.size()) - 1))];
      line += ' ';
    } else if (what < 80) {
      line += kComma;
    }
    line += kParticles[static_cast<std::size_t>(
        Pick(random, 0, static_cast<int>(kParticles.size()) - 1))];
  }
  line += kPeriod;
  line += "\r\n";
  return line;
}

bool WriteText(const std::string& path, std::size_t bytes, Random& random,
               const std::array<std::vector<Entry>, 10>& words,
               const std::vector<std::string>& kanji) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::size_t written = 0;
  while (written < bytes) {
    std::string line = MakeLine(random, words, kanji);
    out << line;
    written += line.size();
  }
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: make_bench_data OUT_DIR [TEXT_BYTES]\n";
    return 2;
  }
  std::string dir = argv[1];
  std::size_t text_bytes = argc == 3 ? std::strtoull(argv[2], nullptr, 10) : kDefaultTextBytes;
  Random random(20240601);
  std::vector<std::string> kanji = LevelOneKanji();
  std::array<std::vector<Entry>, 10> main_words = MakeDictionary(random, kanji, kMainWords);
  std::array<std::vector<Entry>, 10> user_words = MakeDictionary(random, kanji, kUserWords);
  std::size_t total = 0;
  for (const std::vector<Entry>& of_length : main_words) total += of_length.size();
  if (!WriteSource(dir + "/Qv_Body.pre", main_words) ||
      !WriteSource(dir + "/bench_user.pre", user_words) ||
      !WriteText(dir + "/bench_text.txt", text_bytes, random, main_words, kanji)) {
    std::cerr << "make_bench_data: cannot write to " << dir << "\n";
    return 1;
  }
  std::cout << "main dictionary source: " << total << " words\n";
  return 0;
}
