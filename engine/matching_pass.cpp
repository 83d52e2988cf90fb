// The sweep: the input is read chunk by chunk; the segmenter finds the runs of double-byte
// characters, the match table plays every pass on each run, and a run in which no word was
// found is left in the chunk, to be written later in one piece with what surrounds it.
#include "engine/matching_pass.h"

#include <cstring>
#include <string>
#include <string_view>

#include "engine/byte_stream.h"
#include "engine/chunk_reader.h"
#include "engine/match_table.h"
#include "engine/run_segmenter.h"

namespace engine {
namespace {

class MatchingSweep {
 public:
  MatchingSweep(const std::vector<PassWords>& passes, bool html_mode, ByteSource& in)
      : table_(passes), segmenter_(html_mode), chunks_(in) {}

  // Sweeps the next chunk of the input, appending what it writes to `out`; false once the
  // input is done.
  bool Step(std::string& out);

 private:
  std::size_t WriteRun(const CharacterRun& run, std::string& out);
  void Flush(std::size_t offset, std::string& out);

  MatchTable table_;
  RunSegmenter segmenter_;
  ChunkReader chunks_;
  std::vector<std::uint32_t> offsets_;
  std::string waiting_;  // the undecided end of a cut run, as it now stands
  std::string_view chunk_;
  std::size_t written_ = 0;  // the chunk is written up to here
  bool done_ = false;
};

bool MatchingSweep::Step(std::string& out) {
  if (done_ || !chunks_.Next()) {
    done_ = true;
    return false;
  }
  chunk_ = chunks_.Chunk();
  bool last = chunks_.IsLast();
  written_ = 0;
  segmenter_.Begin(chunk_, last, 0);
  CharacterRun run;
  std::size_t keep = chunk_.size();
  bool cut = false;
  while (!cut && segmenter_.Next(run, offsets_)) {
    table_.Play(chunk_, run, offsets_);
    cut = run.cut;
    keep = WriteRun(run, out);
  }
  if (segmenter_.Ended() || last) {
    Flush(segmenter_.Ended() ? segmenter_.Stop() : chunk_.size(), out);  // nothing from NUL on
    done_ = true;
    return true;
  }
  if (!cut) keep = segmenter_.Stop();
  Flush(keep, out);
  chunks_.KeepFrom(keep);
  return true;
}

// Writes what the passes decided of the run; returns where the chunk's undecided rest starts
// (meaningful for a cut run only).
std::size_t MatchingSweep::WriteRun(const CharacterRun& run, std::string& out) {
  std::size_t decided = table_.Waiting();
  std::size_t keep = table_.EndBefore(decided);
  if (!table_.Changed()) return keep;  // the chunk holds the run as it stands
  Flush(run.begin, out);
  table_.Write(0, decided, out);
  written_ = keep;
  if (run.cut && run.has_tags) {
    // Tags the decided words took ahead of themselves have left the undecided end, which is
    // rewritten in place as it now stands, ending where the run ends in the chunk.
    waiting_.clear();
    table_.Write(decided, run.count, waiting_);
    keep = run.end - waiting_.size();
    chunks_.Rewrite(keep, waiting_);
    written_ = keep;
  }
  return keep;
}

// Writes the unchanged bytes of the chunk up to `offset`.
void MatchingSweep::Flush(std::size_t offset, std::string& out) {
  if (offset <= written_) return;
  out.append(chunk_.substr(written_, offset - written_));
  written_ = offset;
}

}  // namespace

struct MatchingStage::State {
  State(const std::vector<PassWords>& passes, bool html_mode, ByteSource& upstream)
      : sweep(passes, html_mode, upstream) {}
  MatchingSweep sweep;
  std::string buffer;
  std::size_t read = 0;  // bytes of the buffer handed on already
};

MatchingStage::MatchingStage(const std::vector<PassWords>& passes, bool html_mode,
                             ByteSource& upstream)
    : state_(std::make_unique<State>(passes, html_mode, upstream)) {}

MatchingStage::~MatchingStage() = default;

bool MatchingStage::Fill() {
  std::string& buffer = state_->buffer;
  if (state_->read == buffer.size()) {
    buffer.clear();
    state_->read = 0;
  }
  while (state_->read == buffer.size()) {
    if (!state_->sweep.Step(buffer)) return false;
  }
  return true;
}

bool MatchingStage::ReadBlock(std::string& out, std::size_t max_bytes) {
  if (!Fill()) return false;
  std::string& buffer = state_->buffer;
  if (out.empty() && state_->read == 0) {
    out.swap(buffer);  // the whole output of one chunk, handed on without a copy
    return true;
  }
  std::size_t n = std::min(max_bytes, buffer.size() - state_->read);
  out.append(buffer, state_->read, n);
  state_->read += n;
  return true;
}

bool MatchingStage::AtEnd() { return !Fill(); }

void RunMatchingPasses(const std::vector<PassWords>& passes, bool html_mode, ByteSource& in,
                       ByteSink& out) {
  MatchingSweep sweep(passes, html_mode, in);
  std::string buffer;
  while (sweep.Step(buffer)) {
    out.Write(buffer);
    buffer.clear();
  }
}

void RunMatchingPass(int word_length, const dictionary::LengthSection& section, bool html_mode,
                     common::TextReader& in, common::TextWriter& out) {
  FileSource source(in);
  FileSink sink(out);
  RunMatchingPasses({PassWords{word_length, &section}}, html_mode, source, sink);
}

}  // namespace engine
