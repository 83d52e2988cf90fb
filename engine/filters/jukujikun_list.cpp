// Loading the school 熟字訓 list and finding an entry in it as plain text.
#include "engine/filters/jukujikun_list.h"

#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"
#include "dictionary/source_text.h"

namespace engine {
namespace {

constexpr char kComment = '#';
constexpr char kOneCharacterMark = '>';
constexpr char kLineFeed = '\n';
constexpr std::size_t kSeparatorBytes = 1;  // between the reading and the grade digit

// The first two bytes of `text` (two or more) as one number.
std::size_t FirstBytesOf(std::string_view text) {
  return static_cast<std::size_t>(static_cast<unsigned char>(text[0])) << 8 |
         static_cast<unsigned char>(text[1]);
}

}  // namespace

bool JukujikunList::Load(const std::filesystem::path& file, common::Messenger& messenger) {
  dictionary::SourceText list = dictionary::ReadSourceText(file, messenger);
  SetText(list.sjis);
  return list.status != dictionary::SourceTextStatus::kUnreadable;
}

// '#' is never a trail byte, so a comment can be found byte by byte.
void JukujikunList::SetText(std::string_view text) {
  text_.clear();
  text_.reserve(text.size());
  bool in_comment = false;
  for (char byte : text) {
    if (byte == kLineFeed) in_comment = false;
    if (byte == kComment) in_comment = true;
    if (!in_comment) text_ += byte;
  }
  IndexEntries();
}

std::optional<int> JukujikunList::GradeOf(std::string_view base_and_reading,
                                          bool one_character) const {
  if (first_bytes_.empty() || base_and_reading.size() < 2 ||
      !first_bytes_[FirstBytesOf(base_and_reading)]) {
    return std::nullopt;
  }
  auto found = entries_.find(base_and_reading);
  if (found == entries_.end()) return std::nullopt;
  if (one_character && !found->second.marked) return std::nullopt;
  return found->second.grade;
}

// Every text that starts an entry and stands one separator byte before a grade digit is a
// "base/reading" the list answers for; the first such place in the list counts. Finding them
// once keeps each group's question to one lookup.
void JukujikunList::IndexEntries() {
  entries_.clear();
  first_bytes_.assign(std::size_t{1} << 16, false);
  for (std::size_t start = 0; start < text_.size(); ++start) {
    if (!StartsEntry(start)) continue;
    bool marked = start > 0 && text_[start - 1] == kOneCharacterMark;
    for (std::size_t end = start + 1; end < text_.size(); ++end) {
      std::optional<int> grade = GradeAfter(end);
      std::string_view key = std::string_view(text_).substr(start, end - start);
      if (grade && key.find(common::kGroupSeparator) != std::string_view::npos) {
        entries_.try_emplace(std::string(key), Entry{*grade, marked});
        first_bytes_[FirstBytesOf(key)] = true;  // a key holds at least a byte and '/'
      }
      if (text_[end] == kLineFeed) break;  // a group never spans a line
    }
  }
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
