// The passes of one run decided on its match table.
#include "engine/sweep/match_table.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "common/platform/background_task.h"
#include "common/encoding/sjis.h"
#include "dictionary/ruby_dictionary_format.h"

namespace engine {
namespace {

// Dictionaries of fewer words make their tables on one thread: a second would cost more than
// it saves.
constexpr std::size_t kWordsMadeAside = 20000;

const std::vector<PassWords>& Checked(const std::vector<PassWords>& passes) {
  RequireFewEnoughPasses(passes.size());
  return passes;
}

}  // namespace

MatchWords::MatchWords(const std::vector<PassWords>& all_passes)
    : passes(Checked(all_passes)) {
  // The filter and the short words' tables are made from the same sections, side by side when
  // they are large enough to be worth a thread.
  std::size_t words = 0;
  for (const PassWords& pass : passes) words += pass.section->KeyCount();
  common::BackgroundTask aside;
  auto make_filter = [this] { filter = WordFilter(passes); };
  if (words >= kWordsMadeAside) {
    aside.Start(make_filter);
  } else {
    make_filter();
  }
  one_character.reserve(passes.size());
  short_words.reserve(passes.size());
  for (const PassWords& pass : passes) {
    const std::uint32_t bit = std::uint32_t{1} << short_words.size();
    if (one_character.emplace_back(pass).Holds()) {
      one_character_passes |= bit;
      short_words.emplace_back(PassWords{});
    } else if (short_words.emplace_back(pass).Holds()) {
      short_passes |= bit;
    }
  }
  aside.Wait();
}

MatchTable::MatchTable(std::shared_ptr<const MatchWords> words)
    : words_(std::move(words)),
      passes_(words_->passes),
      filter_(words_->filter),
      short_words_(words_->short_words),
      short_passes_(words_->short_passes),
      one_character_(words_->one_character),
      one_character_passes_(words_->one_character_passes),
      positions_(passes_.size()),
      indexes_(passes_.size()),
      starts_(passes_.size(), 0) {}

void MatchTable::Play(std::string_view chunk, const CharacterRun& run,
                      const std::uint32_t* offsets) {
  chunk_ = chunk;
  run_ = run;
  offsets_ = offsets;
  changed_ = false;
  group_bytes_ = 0;
  if (!continues_) std::fill(starts_.begin(), starts_.end(), 0);
  found_ = LookUp();
  if (!run.has_tags) LookUpLongerWords();

  grouped_.assign(run.count, 0);
  segments_.resize(run.count);
  if (run.has_tags) SetUpGaps();
  // A window spans its characters and the tags between them; only long tags let it reach the
  // span at which it gives up its word, and then each step of every pass must be followed.
  bool spans_checked =
      run.has_tags && (run.end - run.begin) + 2 * dictionary::kMaxWordLength > kMaxWindowSpan;
  // In a cut run each pass decides only what the pass before it has decided.
  std::size_t limit = run.count;
  for (std::size_t pass = 0; pass < passes_.size(); ++pass) {
    std::size_t start = std::min(starts_[pass], limit);
    if (one_character_passes_ >> pass & 1) {
      // A window of one character is never cut by tags and stands at the limit when done.
      if (found_ >> pass & 1) PlayOneCharacterPass(pass, start, limit);
      starts_[pass] = limit;
    } else if (spans_checked) {
      starts_[pass] = PlayPassAroundTags(pass, start, limit);
    } else if ((found_ >> pass & 1) || run.cut) {
      starts_[pass] = PlayPass(pass, start, limit);
    }
    if (run.cut) limit = starts_[pass];
  }
  waiting_ = run.cut ? limit : run.count;
  continues_ = run.cut;
  if (run.cut) {
    for (std::size_t& start : starts_) start -= waiting_;
  }
}

// The match table of the run; returns the passes that may find a word anywhere in it. Each
// pass's candidates are listed in order as they are found, so that a pass visits only the
// positions worth a lookup.
std::uint32_t MatchTable::LookUp() {
  const std::size_t count = run_.count;
  candidates_.resize(count);
  codes_.resize(count);
  for (std::vector<std::uint32_t>& positions : positions_) positions.clear();
  if (!run_.has_tags) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(chunk_.data() + run_.begin);
    for (std::size_t i = 0; i < count; ++i) {
      codes_[i] = common::CodeOf(bytes[2 * i], bytes[2 * i + 1]);
    }
  } else {
    for (std::size_t i = 0; i < count; ++i) {
      const char* character = At(i);
      codes_[i] = common::CodeOf(static_cast<unsigned char>(character[0]),
                                 static_cast<unsigned char>(character[1]));
    }
  }
  // Runs are short (a few dozen characters): every slot the walks will read first is asked
  // for before the first walk, so that the run waits for the memory once, not at each step.
  for (std::size_t i = 0; i < count; ++i) filter_.Prefetch(codes_.data() + i, count - i);
  std::uint32_t any = 0;
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t found = filter_.Candidates(codes_.data() + i, count - i);
    candidates_[i] = found;
    any |= found;
    // The passes come to these words only after the whole run is looked up: their slots are
    // asked for now, so that the passes seldom wait for them. One-character passes look at
    // every character anyway, in a table small enough to stay near.
    for (std::uint32_t passes = found & ~one_character_passes_; passes != 0; passes &= passes - 1) {
      auto pass = static_cast<std::size_t>(std::countr_zero(passes));
      positions_[pass].push_back(static_cast<std::uint32_t>(i));
      if (run_.has_tags) continue;  // the key is not in one piece
      if (short_passes_ >> pass & 1) {
        short_words_[pass].Prefetch(At(i));
      } else {
        passes_[pass].section->Prefetch(At(i));
      }
    }
  }
  return any;
}

// Each gap starts as the tags that stand in the text between its two characters.
void MatchTable::SetUpGaps() {
  gaps_.assign(run_.count, Gap{});
  tags_.clear();
  for (std::size_t i = 1; i < run_.count; ++i) {
    std::size_t begin = Offset(i - 1) + 2;
    std::size_t bytes = Offset(i) - begin;
    if (bytes == 0) continue;
    auto node = static_cast<std::int32_t>(tags_.size());
    tags_.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(bytes), -1});
    gaps_[i] = {node, node, bytes};
  }
}

// Every window of the pass that starts at or after the end of its last word and holds no
// grouped character is asked in turn, left to right; the table names the few worth a lookup.
// Returns where the window stands at `limit`.
std::size_t MatchTable::PlayPass(std::size_t pass, std::size_t start, std::size_t limit) {
  const auto length = static_cast<std::size_t>(passes_[pass].word_length);
  std::size_t resume = start;
  if (found_ >> pass & 1) {
    if (!(short_passes_ >> pass & 1) && !run_.has_tags) return PlayLongerPass(pass, start, limit);
    for (std::uint32_t at : positions_[pass]) {
      if (at < resume) continue;
      if (at + length > limit) break;
      if (!AllPlain(at, length)) continue;
      if (TryWord(pass, at)) resume = at + length;  // the window starts again after the word
    }
  }
  return WindowAtLimit(resume, limit, length);
}

// Whether none of the `length` characters from `at` is grouped yet.
bool MatchTable::AllPlain(std::size_t at, std::size_t length) const {
  const std::uint8_t* grouped = grouped_.data() + at;
  return std::all_of(grouped, grouped + length, [](std::uint8_t g) { return g == kPlain; });
}

// Where a pass's window stands at `limit` once its last word ended at `resume`: at most L − 1
// characters, none grouped, none in a word.
std::size_t MatchTable::WindowAtLimit(std::size_t resume, std::size_t limit,
                                      std::size_t length) const {
  std::size_t window = std::max(resume, limit + 1 >= length ? limit + 1 - length : 0);
  for (std::size_t i = limit; i > window; --i) {
    if (grouped_[i - 1]) return i;
  }
  return window;
}

// PlayPass for a pass of longer words in a run without tags, whose words LookUpLongerWords has
// looked up. Characters beyond the window's start are grouped only by earlier passes, so a
// window looked up ahead is the one the pass comes to, or one it skips.
std::size_t MatchTable::PlayLongerPass(std::size_t pass, std::size_t start, std::size_t limit) {
  const auto length = static_cast<std::size_t>(passes_[pass].word_length);
  const dictionary::LengthSection& words = *passes_[pass].section;
  const std::vector<std::uint32_t>& positions = positions_[pass];
  const std::vector<int>& indexes = indexes_[pass];
  std::size_t resume = start;
  for (std::size_t k = 0; k < positions.size(); ++k) {
    std::uint32_t at = positions[k];
    if (at < resume || indexes[k] < 0) continue;
    if (at + length > limit) break;
    if (!AllPlain(at, length)) continue;
    PlaceWord(at, length, words.ReadingOf(indexes[k]));
    resume = at + length;  // the window starts again after the word
  }
  return WindowAtLimit(resume, limit, length);
}

// A longer word is found through its bucket, its key, its reading's place and its reading,
// each of which the one before names. The buckets were asked for as the run was looked up;
// every window of the longer passes is now looked up and its reading asked for before any pass
// is played, so that the run waits for the memory a few times rather than at every word. A
// window a longer word takes first is looked up for nothing, which costs less than the wait.
void MatchTable::LookUpLongerWords() {
  std::uint32_t longer = found_ & ~short_passes_ & ~one_character_passes_;
  for (std::uint32_t passes = longer; passes != 0; passes &= passes - 1) {
    auto pass = static_cast<std::size_t>(std::countr_zero(passes));
    for (std::uint32_t at : positions_[pass]) passes_[pass].section->PrefetchBucket(At(at));
  }
  for (std::uint32_t passes = longer; passes != 0; passes &= passes - 1) {
    auto pass = static_cast<std::size_t>(std::countr_zero(passes));
    const dictionary::LengthSection& words = *passes_[pass].section;
    const std::size_t key_bytes = 2 * static_cast<std::size_t>(passes_[pass].word_length);
    std::vector<int>& indexes = indexes_[pass];
    indexes.clear();
    for (std::uint32_t at : positions_[pass]) {
      int index = words.Find(std::string_view(At(at), key_bytes));
      if (index >= 0) words.PrefetchReading(index);
      indexes.push_back(index);
    }
  }
}

// The same step by step, for a run whose tags are long enough that a window may span more than
// kMaxWindowSpan bytes: it then gives up its word and starts again after the tags.
std::size_t MatchTable::PlayPassAroundTags(std::size_t pass, std::size_t start, std::size_t limit) {
  const auto length = static_cast<std::size_t>(passes_[pass].word_length);
  const std::uint32_t bit = std::uint32_t{1} << pass;
  std::size_t window = start;
  std::size_t span = 0;  // bytes from the window's first character to the scan position
  for (std::size_t i = start; i < limit; ++i) {
    if (i > window && gaps_[i].bytes > 0) {
      span += gaps_[i].bytes;
      if (span > kMaxWindowSpan) window = i, span = 0;
    }
    if (grouped_[i]) {
      window = i + 1, span = 0;
      continue;
    }
    span += 2;
    if (i + 1 - window < length) continue;
    if ((candidates_[window] & bit) && TryWord(pass, window)) {
      window = i + 1, span = 0;
      continue;
    }
    ++window;
    span = window > i ? 0 : span - 2 - gaps_[window].bytes;
  }
  return window;
}

// Each plain character that is a word of its own takes its group, written out already.
void MatchTable::PlayOneCharacterPass(std::size_t pass, std::size_t start, std::size_t limit) {
  const OneCharacterWords& words = one_character_[pass];
  for (std::size_t i = start; i < limit; ++i) {
    if (grouped_[i] != kPlain || !(candidates_[i] >> pass & 1)) continue;
    const OneCharacterWords::Word* word = words.Find(codes_[i]);
    if (word == nullptr) continue;
    changed_ = true;
    if (!word->grouped) continue;
    grouped_[i] = kWrittenGroup;
    segments_[i] = words.Group(*word);
    group_bytes_ += word->size - 2;
  }
}

bool MatchTable::TryWord(std::size_t pass, std::size_t at) {
  const auto length = static_cast<std::size_t>(passes_[pass].word_length);
  std::string_view key;
  if (!run_.has_tags) {
    key = std::string_view(At(at), 2 * length);
  } else {
    key_.resize(2 * length);
    for (std::size_t i = 0; i < length; ++i) std::memcpy(&key_[2 * i], At(at + i), 2);
    key = key_;
  }
  std::string_view reading;
  const ShortWords& short_words = short_words_[pass];
  if (short_words.Holds()) {
    if (!short_words.Find(key.data(), reading)) return false;
  } else {
    const dictionary::LengthSection& words = *passes_[pass].section;
    int index = words.Find(key);
    if (index < 0) return false;
    reading = words.ReadingOf(index);
  }
  PlaceWord(at, length, reading);
  return true;
}

// A ruby-target character takes the next segment of the reading; other characters (kana,
// okurigana) stay plain. A reading short of segments leaves the characters it does not cover
// plain; segments beyond the word's characters are ignored.
void MatchTable::PlaceWord(std::size_t at, std::size_t length, std::string_view reading) {
  changed_ = true;
  std::size_t next = 0;
  bool segments_left = true;
  for (std::size_t i = at; i < at + length && segments_left; ++i) {
    const char* character = At(i);
    if (!common::IsRubyTarget(common::CodeOf(static_cast<unsigned char>(character[0]),
                                             static_cast<unsigned char>(character[1])))) {
      continue;
    }
    grouped_[i] = kGroupOfSegment;
    // Segments are a few bytes long: a plain loop finds their end sooner than a library call.
    std::size_t end = next;
    while (end < reading.size() && reading[end] != dictionary::kSegmentSeparator) ++end;
    segments_left = end < reading.size();
    segments_[i] = reading.substr(next, end - next);
    group_bytes_ += kGroupMarks + 2 * segments_[i].size();
    next = end + 1;
  }
  if (run_.has_tags) TakeTagsAhead(at, length);
}

// The tags between a word's characters are written ahead of it (漢<b>字 gives
// <b>{漢/かん}{字/じ}): they join the tags before its first character.
void MatchTable::TakeTagsAhead(std::size_t at, std::size_t length) {
  Gap& front = gaps_[at];
  for (std::size_t i = at + 1; i < at + length; ++i) {
    Gap& gap = gaps_[i];
    if (gap.first < 0) continue;
    if (front.first < 0) {
      front.first = gap.first;
    } else {
      tags_[static_cast<std::size_t>(front.last)].next = gap.first;
    }
    front.last = gap.last;
    front.bytes += gap.bytes;
    gap = Gap{};
  }
}

void MatchTable::Write(std::size_t from, std::size_t to, std::string& out) const {
  if (run_.has_tags) {
    WriteAroundTags(from, to, out);
    return;
  }
  // The room is made first for everything the run's groups can take, and for one block copy
  // beyond it: characters and most written groups then go over in copies of a fixed size.
  std::size_t size = out.size();
  out.resize(size + 2 * (to - from) + group_bytes_ + kGroupCopyBytes);
  char* next = out.data() + size;
  for (std::size_t i = from; i < to; ++i) {
    if (grouped_[i] == kPlain) {
      std::memcpy(next, At(i), 2);
      next += 2;
    } else if (grouped_[i] == kWrittenGroup && segments_[i].size() <= kGroupCopyBytes) {
      std::memcpy(next, segments_[i].data(), kGroupCopyBytes);
      next += segments_[i].size();
    } else {
      next = WriteGroup(i, next);
    }
  }
  out.resize(static_cast<std::size_t>(next - out.data()));
}

void MatchTable::WriteAroundTags(std::size_t from, std::size_t to, std::string& out) const {
  for (std::size_t i = from; i < to; ++i) {
    for (std::int32_t tag = gaps_[i].first; tag >= 0;
         tag = tags_[static_cast<std::size_t>(tag)].next) {
      const TagRange& range = tags_[static_cast<std::size_t>(tag)];
      out.append(chunk_.substr(range.begin, range.length));
    }
    if (grouped_[i]) {
      std::size_t size = out.size();
      out.resize(size + GroupRoom(i));
      out.resize(static_cast<std::size_t>(WriteGroup(i, out.data() + size) - out.data()));
    } else {
      out.append(At(i), 2);
    }
  }
}

// Writes character i's group at `out`; returns the end of what it wrote.
char* MatchTable::WriteGroup(std::size_t i, char* out) const {
  if (grouped_[i] == kWrittenGroup) {
    std::memcpy(out, segments_[i].data(), segments_[i].size());
    return out + segments_[i].size();
  }
  return WriteGroupText(At(i), segments_[i], out);
}

// The most bytes character i's group may write.
std::size_t MatchTable::GroupRoom(std::size_t i) const {
  return grouped_[i] == kWrittenGroup ? segments_[i].size()
                                      : kGroupMarks + 2 + 2 * segments_[i].size();
}

}  // namespace engine
