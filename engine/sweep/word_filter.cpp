// The tables of the word filter, filled from the keys of the loaded length sections.
#include "engine/sweep/word_filter.h"

#include <stdexcept>
#include <string>

#include "common/encoding/sjis.h"
#include "common/message_format.h"
#include "engine/messages.h"

namespace engine {
namespace {

constexpr int kFewestSlotBits = 10;
constexpr int kMostSlotBits = 22;
constexpr std::size_t kSlotsPerEntry = 4;

int SlotBits(std::size_t entries) {
  int bits = std::bit_width(entries * kSlotsPerEntry);
  return std::clamp(bits, kFewestSlotBits, kMostSlotBits);
}

}  // namespace

void RequireFewEnoughPasses(std::size_t count) {
  if (count <= kMaxPasses) return;
  throw std::length_error(common::FormatMessage(
      messages::kTooManyPasses,
      {static_cast<std::int64_t>(kMaxPasses), static_cast<std::int64_t>(count)}));
}

std::uint8_t& WordFilter::MakeFirstSlot(std::uint16_t code) {
  std::uint16_t& page = first_page_of_[code >> kPageBits];
  if (page == 0) {
    page = static_cast<std::uint16_t>(first_pages_.size() >> kPageBits);
    first_pages_.resize(first_pages_.size() + kPageSize, 0);
  }
  return first_pages_[std::size_t{page} << kPageBits | (code & (kPageSize - 1))];
}

WordFilter::WordFilter(const std::vector<PassWords>& passes) {
  RequireFewEnoughPasses(passes.size());
  std::size_t count = passes.size();
  // Keys that walk through each length: the words of that length and the longer ones.
  std::array<std::size_t, dictionary::kMaxWordLength + 1> walking{};
  for (std::size_t i = 0; i < count; ++i) {
    auto length = static_cast<std::size_t>(passes[i].word_length);
    for (std::size_t k = 1; k <= length; ++k) walking[k] += passes[i].section->KeyCount();
    longest_ = std::max(longest_, length);
  }
  first_pages_.assign(kPageSize, 0);  // page 0
  for (std::size_t length = 2; length <= longest_; ++length) {
    if (length <= kLongestInLine) continue;  // in the lines
    Table& table = tables_[length];
    int bits = SlotBits(walking[length]);
    table.slot_bytes.assign(std::size_t{1} << bits, 0);
    table.shift = 64 - bits;
  }
  if (longest_ >= 2) {
    // Half the two-character slots a table of their own would have, in the memory the tables
    // of two to five characters took: twice as many lines, or half, ran no faster.
    int line_bits = SlotBits(walking[2]) - kQuarterBits - 1;
    lines_.assign(std::size_t{1} << line_bits, Line{});
    line_shift_ = 64 - line_bits;
  }
  std::array<int, dictionary::kMaxWordLength + 1> passes_of_length{};
  for (std::size_t i = 0; i < count; ++i) {
    auto length = static_cast<std::size_t>(passes[i].word_length);
    // Beyond seven passes of one length, passes share a bit: each then also names the other's
    // words, which its lookup rules out.
    int place = passes_of_length[length]++ % std::countr_one(unsigned{kWordBits});
    auto word_bit = static_cast<std::uint8_t>(1u << place);
    Table& own = tables_[length];
    for (std::size_t slot = 0; slot <= kWordBits; ++slot) {
      if (slot & word_bit) own.passes[slot] |= std::uint32_t{1} << i;
    }
    const dictionary::LengthSection& section = *passes[i].section;
    for (std::size_t k = 0; k < section.KeyCount(); ++k) {
      std::string_view key = section.Key(static_cast<int>(k));
      if (key.size() != 2 * length) continue;
      std::uint64_t hash = 0;
      Line* line = nullptr;
      for (std::size_t walked = 1; walked <= length; ++walked) {
        const char* character = key.data() + 2 * (walked - 1);
        hash = Push(hash, common::CodeOf(static_cast<unsigned char>(character[0]),
                                         static_cast<unsigned char>(character[1])));
        std::uint8_t bit = walked == length ? word_bit : kLongerBit;
        if (walked == 2) line = &lines_[LineIndexOf(hash)];
        if (walked == 1) {
          MakeFirstSlot(static_cast<std::uint16_t>(hash)) |= bit;
        } else if (walked <= kLongestInLine) {
          line->bytes[SlotInLine(walked, hash)] |= bit;
        } else {
          tables_[walked].slot_bytes[SlotOf(walked, hash)] |= bit;
        }
      }
    }
  }
}

}  // namespace engine
