// The matching passes of a dictionary run, played in one sweep: every run of double-byte
// characters is looked up once for the words of every length, and the passes are then decided
// on that table, each with its own window, longest words first, before the run is written.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/encoding/text_file.h"
#include "dictionary/ruby_dictionary.h"
#include "engine/byte_stream.h"
#include "engine/sweep/match_table.h"
#include "engine/sweep/word_filter.h"

namespace engine {

// Streams `in` to `out` as if each pass of `passes` (at most kMaxPasses) had read the whole
// output of the one before it: a pass for length L slides a window of L characters over the
// text and writes each word it finds as ruby groups, which no later pass splits again. Groups,
// non-ruby areas and (in HTML mode) the head and tags are copied unchanged; a NUL byte ends the
// input. Always completes: a read error ends the input early and a write error is remembered
// by `out`, so the caller learns of either when it closes the files.
void RunMatchingPasses(const std::vector<PassWords>& passes, bool html_mode, ByteSource& in,
                       ByteSink& out);
// The same with the passes' tables made already.
void RunMatchingPasses(std::shared_ptr<const MatchWords> words, bool html_mode, ByteSource& in,
                       ByteSink& out);
// One pass, for words of `word_length` characters from `section`.
void RunMatchingPass(int word_length, const dictionary::LengthSection& section, bool html_mode,
                     common::TextReader& in, common::TextWriter& out);

// The same passes as a source for the next step: it reads `upstream` a chunk at a time, as its
// own output is asked for, so that only a few chunks of the text are in memory at once.
class MatchingStage final : public ByteSource {
 public:
  MatchingStage(std::shared_ptr<const MatchWords> words, bool html_mode, ByteSource& upstream);
  ~MatchingStage() override;
  bool ReadBlock(std::string& out, std::size_t max_bytes) override;
  bool AtEnd() override;

 private:
  struct State;
  bool Fill();  // false when the passes have nothing more to give
  std::unique_ptr<State> state_;
};

}  // namespace engine
