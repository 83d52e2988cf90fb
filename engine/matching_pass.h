// One matching pass: every run of a fixed number of double-byte characters is looked up in the
// loaded length section of a ruby dictionary, and each word found is written as ruby groups.
#pragma once

#include "common/text_file.h"
#include "dictionary/ruby_dictionary.h"

namespace engine {

// Streams `in` to `out` for words of `word_length` characters, which `dictionary` must have
// loaded. Groups, non-ruby areas and (in HTML mode) the head and tags are copied unchanged; a
// NUL byte ends the input. Always completes: a read error ends the input early and a write
// error is remembered by `out`, so the caller learns of either when it closes the files.
void RunMatchingPass(int word_length, const dictionary::RubyDictionary& dictionary, bool html_mode,
                     common::TextReader& in, common::TextWriter& out);

}  // namespace engine
