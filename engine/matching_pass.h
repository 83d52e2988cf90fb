// One matching pass: every run of a fixed number of double-byte characters is looked up in the
// loaded length section of a ruby dictionary, and each word found is written as ruby groups.
#pragma once

#include <memory>
#include <string>

#include "common/text_file.h"
#include "dictionary/ruby_dictionary.h"
#include "engine/byte_stream.h"

namespace engine {

// Streams `in` to `out` for words of `word_length` characters, looked up in `section` (the
// dictionary's section of that length). Groups, non-ruby areas and (in HTML mode) the head and
// tags are copied unchanged; a NUL byte ends the input. Always completes: a read error ends the
// input early and a write error is remembered by `out`, so the caller learns of either when it
// closes the files.
void RunMatchingPass(int word_length, const dictionary::LengthSection& section, bool html_mode,
                     ByteSource& in, ByteSink& out);
void RunMatchingPass(int word_length, const dictionary::LengthSection& section, bool html_mode,
                     common::TextReader& in, common::TextWriter& out);

// The same pass as a source for the next step: it scans `upstream` a chunk at a time, as its
// own output is asked for, so that only a few chunks of the text are in memory at once.
class MatchingStage final : public ByteSource {
 public:
  MatchingStage(int word_length, const dictionary::LengthSection& section, bool html_mode,
                ByteSource& upstream);
  ~MatchingStage() override;
  bool ReadBlock(std::string& out, std::size_t max_bytes) override;
  bool AtEnd() override;

 private:
  struct State;
  bool Fill();  // false when the pass has nothing more to give
  std::unique_ptr<State> state_;
};

}  // namespace engine
