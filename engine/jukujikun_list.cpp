// Loading the school 熟字訓 list and finding an entry in it as plain text.
#include "engine/jukujikun_list.h"

#include "common/sjis.h"
#include "common/sjis_reader.h"
#include "common/text_file.h"

namespace engine {
namespace {

constexpr char kComment = '#';
constexpr char kOneCharacterMark = '>';
constexpr char kLineFeed = '\n';
constexpr std::size_t kSeparatorBytes = 1;  // between the reading and the grade digit

std::size_t NextCharacterOf(std::string_view text, std::size_t at) {
  return at + common::SjisReader(text, at).Peek().bytes.size();
}

}  // namespace

bool JukujikunList::Load(const std::filesystem::path& file) {
  common::FileBytes list = common::ReadTextFile(file);
  SetText(list.ok ? list.bytes : std::string());
  return list.ok;
}

// '#' is never a trail byte, so a comment can be found byte by byte.
void JukujikunList::SetText(std::string_view text) {
  answers_[0].clear();
  answers_[1].clear();
  text_.clear();
  text_.reserve(text.size());
  bool in_comment = false;
  for (char byte : text) {
    if (byte == kLineFeed) in_comment = false;
    if (byte == kComment) in_comment = true;
    if (!in_comment) text_ += byte;
  }
}

std::optional<int> JukujikunList::GradeOf(std::string_view base_and_reading,
                                          bool one_character) const {
  auto& answers = answers_[one_character ? 1 : 0];
  auto known = answers.find(base_and_reading);
  if (known != answers.end()) return known->second;
  std::optional<int> grade = SearchGrade(base_and_reading, one_character);
  answers.emplace(std::string(base_and_reading), grade);
  return grade;
}

std::optional<int> JukujikunList::SearchGrade(std::string_view base_and_reading,
                                              bool one_character) const {
  for (std::size_t at = common::FindAligned(text_, base_and_reading); at != std::string::npos;
       at = common::FindAligned(text_, base_and_reading, NextCharacterOf(text_, at))) {
    std::optional<int> grade = GradeAfter(at + base_and_reading.size());
    if (!grade || !StartsEntry(at)) continue;
    if (one_character && (at == 0 || text_[at - 1] != kOneCharacterMark)) return std::nullopt;
    return grade;
  }
  return std::nullopt;
}

// An entry begins the text or follows a single-byte character ('>', a line feed, a space);
// after the trail byte of a kanji the match is the tail of a longer base.
bool JukujikunList::StartsEntry(std::size_t at) const {
  return at == 0 ||
         (!common::IsLeadByte(text_[at - 1]) && common::IsCharacterStart(text_, 0, at - 1));
}

std::optional<int> JukujikunList::GradeAfter(std::size_t entry_end) const {
  std::size_t digit_at = entry_end + kSeparatorBytes;
  if (digit_at >= text_.size()) return std::nullopt;
  char digit = text_[digit_at];
  if (digit < '1' || digit > '6') return std::nullopt;
  return digit - '0';
}

}  // namespace engine
