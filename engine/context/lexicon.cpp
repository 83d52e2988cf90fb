#include "engine/context/lexicon.h"

#include <algorithm>

#include "common/encoding/sjis_reader.h"

namespace engine::context {

namespace {

// The segments of an encoded reading, first alternatives only, into the first of `room`'s
// strings (added when there are too few), which keep their room from one call to the next; how
// many there are.
std::size_t DecodeSegmentsInto(std::string_view encoded, Segments& room) {
  std::size_t count = 0;
  auto next = [&] {
    if (count == room.size()) room.emplace_back();
    room[count].clear();
    return &room[count++];
  };
  std::string* segment = next();
  bool in_alternative = false;
  for (char byte : encoded) {
    if (byte == dictionary::kSegmentSeparator) {
      segment = next();
      in_alternative = false;
    } else if (byte == dictionary::kAlternativeSeparator) {
      in_alternative = true;
    } else if (!in_alternative) {
      if (static_cast<unsigned char>(byte) == dictionary::kEncodedLongVowel) {
        *segment += "\x81\x5B";
      } else {
        *segment += static_cast<char>(dictionary::kHiraganaLead);
        *segment += byte;
      }
    }
  }
  return count;
}

}  // namespace

Segments DecodeSegments(std::string_view encoded) {
  Segments segments;
  segments.resize(DecodeSegmentsInto(encoded, segments));
  return segments;
}

std::unique_ptr<Lexicon> Lexicon::Load(const std::filesystem::path& path,
                                       common::Messenger& messenger) {
  dictionary::RubyDictionary file;
  if (!file.Open(path, messenger)) return nullptr;
  auto lexicon = std::make_unique<Lexicon>();
  for (int length = 1; length <= dictionary::kMaxWordLength; ++length) {
    if (!file.LoadLength(length, lexicon->sections_[length - 1], messenger)) return nullptr;
  }
  return lexicon;
}

bool Lexicon::Find(std::string_view word, Segments& out) const {
  std::size_t length = word.size() / 2;
  if (length == 0 || length > sections_.size() || word.size() % 2 != 0) return false;
  const dictionary::LengthSection& section = sections_[length - 1];
  int index = section.Find(word);
  if (index < 0) return false;
  out = DecodeSegments(section.ReadingOf(index));
  return out.size() == length;
}

void Lexicon::LearnKanjiReadings() {
  for (const dictionary::LengthSection& section : sections_) LearnKanjiReadings(section);
}

// A segment of a word whose reading divides over its characters tells how one kanji reads; a
// word with group ruby (an empty segment) tells nothing of its single kanji. Words with kana
// among their kanji are passed over, as their segments stand for the kanji alone.
void Lexicon::LearnKanjiReadings(const dictionary::LengthSection& section) {
  Segments segments;
  for (std::size_t i = 0; i < section.KeyCount(); ++i) {
    std::string_view key = section.Key(static_cast<int>(i));
    std::string_view encoded = section.ReadingOf(static_cast<int>(i));
    std::size_t separators = static_cast<std::size_t>(
        std::count(encoded.begin(), encoded.end(), dictionary::kSegmentSeparator));
    if ((separators + 1) * 2 != key.size()) continue;
    const std::size_t count = DecodeSegmentsInto(encoded, segments);
    if (std::any_of(segments.begin(), segments.begin() + static_cast<std::ptrdiff_t>(count),
                    [](const std::string& s) { return s.empty(); })) {
      continue;
    }
    for (std::size_t c = 0; c < count; ++c) {
      auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(key[2 * c]) << 8 |
                                             static_cast<unsigned char>(key[2 * c + 1]));
      std::vector<std::string>& readings = kanji_[code];
      if (std::find(readings.begin(), readings.end(), segments[c]) == readings.end()) {
        readings.push_back(segments[c]);
      }
    }
  }
}

void Lexicon::AddKanjiReading(std::uint16_t kanji, std::string reading) {
  std::vector<std::string>& readings = kanji_[kanji];
  if (std::find(readings.begin(), readings.end(), reading) == readings.end()) {
    readings.push_back(std::move(reading));
  }
}

const std::vector<std::string>& Lexicon::ReadingsOf(std::uint16_t kanji) const {
  static const std::vector<std::string> kNone;
  // The readings given by hand (a lexicon without a dictionary) are there already.
  std::call_once(learned_, [this] { const_cast<Lexicon*>(this)->LearnKanjiReadings(); });
  auto found = kanji_.find(kanji);
  return found == kanji_.end() ? kNone : found->second;
}

}  // namespace engine::context
