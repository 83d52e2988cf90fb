// The report lines are the messages of messages.h, filled with the count and examples.
#include "dicgen/drop_log.h"

#include <algorithm>
#include <cstdint>

#include "common/message_format.h"
#include "dicgen/kana.h"
#include "dicgen/messages.h"
#include "dicgen/sjis_table.h"

namespace dicgen {
namespace {

constexpr std::size_t kExamplesShown = 5;

std::string_view PatternOf(DropReason reason) {
  switch (reason) {
    case DropReason::kNotShiftJis:
      return messages::kDroppedNotShiftJis;
    case DropReason::kHalfWidth:
      return messages::kDroppedHalfWidth;
    case DropReason::kReadingMismatch:
      return messages::kDroppedReadingMismatch;
    case DropReason::kKatakanaKe:
      return messages::kDroppedKatakanaKe;
    case DropReason::kClassical:
      return messages::kDroppedClassical;
    case DropReason::kVariantOnly:
      return messages::kDroppedVariantOnly;
    case DropReason::kTooLong:
      return messages::kDroppedTooLong;
    case DropReason::kEntryTooLong:
      return messages::kDroppedEntryTooLong;
    case DropReason::kLengthFull:
      return messages::kDroppedLengthFull;
    case DropReason::kBucketFull:
      return messages::kDroppedBucketFull;
    case DropReason::kFileFull:
      return messages::kDroppedFileFull;
    case DropReason::kNameWithKana:
      return messages::kDroppedNameWithKana;
    case DropReason::kTableLineUnfit:
      return messages::kDroppedTableLineUnfit;
  }
  return {};
}

}  // namespace

DropReason WhyNotEncoded(std::u32string_view word) {
  bool half_width = std::any_of(word.begin(), word.end(), IsSingleByteCharacter);
  return half_width ? DropReason::kHalfWidth : DropReason::kNotShiftJis;
}

void DropLog::Add(DropReason reason, const std::u32string& word) {
  Tally& tally = tallies_[static_cast<std::size_t>(reason)];
  ++tally.count;
  if (tally.examples.size() < kExamplesShown) tally.examples.push_back(word);
}

std::size_t DropLog::Count(DropReason reason) const {
  return tallies_[static_cast<std::size_t>(reason)].count;
}

std::vector<std::string> DropLog::Lines() const {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < kDropReasonCount; ++i) {
    const Tally& tally = tallies_[i];
    if (tally.count == 0) continue;
    std::string examples;
    for (const std::u32string& word : tally.examples) {
      if (!examples.empty()) examples += messages::kExampleSeparator;
      examples += EncodeUtf8(word);
    }
    lines.push_back(common::FormatMessage(PatternOf(static_cast<DropReason>(i)),
                                          {static_cast<std::int64_t>(tally.count), examples}));
  }
  return lines;
}

}  // namespace dicgen
