// Generates full-size auxiliary lists for the filter benchmark: a grade list of 1026 kanji with
// school grades and readings, a 熟字訓 list, and the twelve kanji-test level lists. The kanji
// are JIS level-1 kanji in a shuffled order from a fixed seed, so two runs give the same bytes;
// the grades and levels are arbitrary, only the sizes match real lists.
//
//   make_filter_data DIC_DIR
//
// writes DIC_DIR/教育漢字.txt, DIC_DIR/小学熟字訓.txt and DIC_DIR/q_file/*.txt (CR LF).
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Random = std::mt19937;

constexpr int kGradeKanji = 1026;
constexpr int kGrades = 6;
constexpr int kJukujikun = 120;

// JIS level-1 kanji: 0x889F to 0x9872, every code assigned.
constexpr int kFirstKanjiLead = 0x88;
constexpr int kLastKanjiLead = 0x98;
constexpr int kFirstKanjiTrail = 0x9F;  // on the first lead byte
constexpr int kLastKanjiTrail = 0x72;   // on the last lead byte
constexpr int kHiraganaLead = 0x82;
constexpr int kFirstHiraganaTrail = 0xA0;  // あ
constexpr int kLastHiraganaTrail = 0xF1;   // ん

// The level lists from 1級 to 10級 and how many kanji each gets; 1級 takes the rest.
struct LevelList {
  std::string_view file;
  int count;
};
constexpr std::array<LevelList, 12> kLevels = {{{"q1.txt", 0},
                                                {"qj1.txt", 500},
                                                {"q2.txt", 185},
                                                {"qj2.txt", 328},
                                                {"q3.txt", 284},
                                                {"q4.txt", 313},
                                                {"q5.txt", 190},
                                                {"q6.txt", 190},
                                                {"q7.txt", 200},
                                                {"q8.txt", 200},
                                                {"q9.txt", 160},
                                                {"q10.txt", 80}}};

int Pick(Random& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

std::vector<std::string> ShuffledKanji(Random& random) {
  std::vector<std::string> kanji;
  for (int lead = kFirstKanjiLead; lead <= kLastKanjiLead; ++lead) {
    int first = lead == kFirstKanjiLead ? kFirstKanjiTrail : 0x40;
    int last = lead == kLastKanjiLead ? kLastKanjiTrail : 0xFC;
    for (int trail = first; trail <= last; ++trail) {
      if (trail == 0x7F) continue;  // never a trail byte
      kanji.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
  std::shuffle(kanji.begin(), kanji.end(), random);
  return kanji;
}

std::string Reading(Random& random, int kana) {
  std::string reading;
  for (int i = 0; i < kana; ++i) {
    reading += static_cast<char>(kHiraganaLead);
    reading += static_cast<char>(Pick(random, kFirstHiraganaTrail, kLastHiraganaTrail));
  }
  return reading;
}

// Two readings of one or two kana per kanji keep the reading area within its 7200 bytes.
void WriteGradeList(const fs::path& file, Random& random, const std::vector<std::string>& kanji) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << "# generated for the filter benchmark\r\n";
  for (int i = 0; i < kGradeKanji; ++i) {
    out << i + 1 << '\t' << kanji[static_cast<std::size_t>(i)] << '\t' << i % kGrades + 1;
    for (int r = 0; r < 2; ++r) out << '\t' << Reading(random, Pick(random, 1, 2));
    out << "\r\n";
  }
}

void WriteJukujikunList(const fs::path& file, Random& random,
                        const std::vector<std::string>& kanji) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << "# generated for the filter benchmark\r\n";
  for (int i = 0; i < kJukujikun; ++i) {
    const std::string& first = kanji[static_cast<std::size_t>(Pick(random, 0, kGradeKanji - 1))];
    const std::string& second = kanji[static_cast<std::size_t>(Pick(random, 0, kGradeKanji - 1))];
    out << first << second << '/' << Reading(random, Pick(random, 2, 4)) << ' '
        << Pick(random, 1, kGrades) << "\r\n";
  }
}

void WriteLevelLists(const fs::path& folder, const std::vector<std::string>& kanji) {
  fs::create_directories(folder);
  std::size_t next = 0;
  // From 10級 up, so that the easy levels hold the grade list's kanji as real lists do.
  for (auto level = kLevels.rbegin(); level != kLevels.rend(); ++level) {
    std::ofstream out(folder / level->file, std::ios::binary | std::ios::trunc);
    out << "# generated for the filter benchmark\r\n";
    std::size_t end = level->count == 0 ? kanji.size() : next + level->count;
    for (; next < end && next < kanji.size(); ++next) out << kanji[next] << "\r\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_filter_data DIC_DIR\n";
    return 2;
  }
  fs::path dic = argv[1];
  Random random(20240602);
  std::vector<std::string> kanji = ShuffledKanji(random);
  // The grade list takes the first kanji, which the level lists give the easy levels.
  WriteGradeList(dic / "教育漢字.txt", random, kanji);
  WriteJukujikunList(dic / "小学熟字訓.txt", random, kanji);
  WriteLevelLists(dic / "q_file", kanji);
  std::cout << "grade list: " << kGradeKanji << " kanji; level lists: " << kanji.size()
            << " kanji\n";
  return 0;
}
