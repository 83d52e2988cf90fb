// Compiles validated entries into the bytes of a ruby dictionary file.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/ruby_dictionary_format.h"

namespace dictionary {

// One accepted source entry: the word's Shift_JIS bytes (2 × its length) and its reading as
// written in the source (hiragana, ー, '*' and '|').
struct SourceEntry {
  std::string key;
  std::string reading;
};

// Entries of word length L at index L - 1, in source order.
using EntriesByLength = std::array<std::vector<SourceEntry>, kMaxWordLength>;

enum class CompileError {
  kNone,
  kBucketOverflow,  // more than 255 keys share one bucket of a word length
  kTooLarge,        // an offset would not fit in 24 bits
};

struct CompiledDictionary {
  CompileError error = CompileError::kNone;
  int failed_length = 0;  // the word length at fault
  std::string bytes;
  std::array<std::size_t, kMaxWordLength> word_counts{};
  std::array<LengthRecord, kMaxWordLength> records{};
  bool ok() const { return error == CompileError::kNone; }
};

// Encodes a source reading: each hiragana becomes its trail byte, ー becomes 0xF2, '*' and '|'
// stay. Bytes of anything else are left out (validation admits nothing else).
std::string EncodeReading(std::string_view reading);

// Lays out the header and the ten length sections. Within a bucket, entries keep their source
// order, so the later of two equal keys is the one a lookup finds.
CompiledDictionary CompileDictionary(const EntriesByLength& entries);
// The same into `result`, whose buffer from an earlier compile is used again: a run that
// compiles one dictionary after another writes into memory it already has.
void CompileDictionary(const EntriesByLength& entries, CompiledDictionary& result);

}  // namespace dictionary
