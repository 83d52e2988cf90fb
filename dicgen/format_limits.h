// Turns the chosen words into source lines that the builder accepts and the dictionary format
// holds, leaving out (and logging) the words that would break a limit: more than ten
// characters, a line of 60 bytes or more, more key bytes of one length than a section holds,
// more than 255 keys in one bucket, or a file past 24-bit offsets. Where a limit forces a
// choice, the words of lower rank go first.
#pragma once

#include <string>
#include <vector>

#include "dicgen/drop_log.h"
#include "dicgen/sjis_table.h"
#include "dicgen/word_entry.h"

namespace dicgen {

struct SourceLine {
  std::string text;  // Shift_JIS "word,reading", without line end
  std::size_t key_bytes = 0;
  long rank = 0;
};

// Whether the entry's line stays under the builder's 60 bytes (every character of a word and
// its reading takes two bytes in Shift_JIS, a separator one).
bool FitsSourceLine(const WordEntry& entry);

// The size of the dictionary file that the builder makes of `lines`, rounded up to the
// alignment; FitFormatLimits keeps it within 24-bit offsets.
std::size_t DictionaryBytes(const std::vector<SourceLine>& lines);

// The kept lines, by word length and, within a length, from the highest rank to the lowest:
// a lookup scans a bucket from its last key, so the commonest words are found first.
std::vector<SourceLine> FitFormatLimits(const std::vector<WordEntry>& entries,
                                        const SjisTable& sjis, DropLog& drops);

}  // namespace dicgen
