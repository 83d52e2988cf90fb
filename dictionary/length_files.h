// The working files "d01.$" … "d10.$" read back: the accepted entries of each word length, in
// source order, as the compiler takes them.
#pragma once

#include "common/platform/working_files.h"
#include "dictionary/dictionary_compiler.h"

namespace dictionary {

enum class LengthFileStatus { kOk, kMissing, kDamaged };

struct LengthFileEntries {
  LengthFileStatus status = LengthFileStatus::kOk;
  int failed_length = 0;  // the word length whose file is at fault
  EntriesByLength entries;
};

// Lines that start with '#' and empty lines are passed over. An entry line holds the word's
// 2 × L bytes, a comma and the reading; a line that does not (the file was changed since
// validation) makes the file kDamaged. May throw std::bad_alloc.
LengthFileEntries ReadLengthFiles(const common::WorkDir& work);

}  // namespace dictionary
