// The sweep: the input is read chunk by chunk; the segmenter finds the runs of double-byte
// characters, the match table plays every pass on each run, and a run in which no word was
// found is left in the chunk, to be written later in one piece with what surrounds it.
//
// Runs are independent of each other, except a run cut at a chunk's end and its continuation in
// the next chunk. So in a long chunk a second table, on a thread of its own, plays the second
// half of the runs while the first half is played here; what it writes follows the first half.
#include "engine/matching_pass.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "engine/background_task.h"
#include "engine/byte_stream.h"
#include "engine/chunk_reader.h"
#include "engine/match_table.h"
#include "engine/run_segmenter.h"

namespace engine {
namespace {

// Runs over fewer bytes than this are played on one thread: sharing them would cost more than
// it saves.
constexpr std::size_t kSharedRunBytes = 1 << 15;

class MatchingSweep {
 public:
  MatchingSweep(std::shared_ptr<const MatchWords> words, bool html_mode, ByteSource& in)
      : table_(std::move(words)), segmenter_(html_mode), chunks_(in) {}

  // Sweeps the next chunk of the input, appending what it writes to `out`; false once the
  // input is done.
  bool Step(std::string& out);

 private:
  struct Run {
    CharacterRun run;
    std::size_t offsets = 0;  // where its characters' offsets start, when it has tags
  };
  // Bytes of the chunk from `written` on are written up to there.
  struct Writing {
    std::string* out = nullptr;
    std::size_t written = 0;
  };
  // The second table, its thread and what it writes, made for the first chunk long enough to
  // share, and kept apart in memory from what this thread writes as it plays.
  struct alignas(64) Helper {
    explicit Helper(std::shared_ptr<const MatchWords> words) : table(std::move(words)) {}
    MatchTable table;
    std::string out;
    Writing writing;
    BackgroundTask task;
  };

  void Segment();
  std::size_t Share(std::size_t first, std::size_t end) const;
  void PlayRuns(MatchTable& table, std::size_t first, std::size_t end, Writing& writing);
  std::size_t PlayRun(MatchTable& table, const Run& run, Writing& writing);
  void Flush(std::size_t offset, Writing& writing) const;

  MatchTable table_;
  RunSegmenter segmenter_;
  ChunkReader chunks_;
  std::vector<Run> runs_;
  std::vector<std::uint32_t> offsets_;  // of the characters of every run with tags
  std::string waiting_;                 // the undecided end of a cut run, as it now stands
  std::string_view chunk_;
  bool done_ = false;
  std::unique_ptr<Helper> helper_;
};

bool MatchingSweep::Step(std::string& out) {
  if (done_ || !chunks_.Next()) {
    done_ = true;
    return false;
  }
  chunk_ = chunks_.Chunk();
  bool last = chunks_.IsLast();
  segmenter_.Begin(chunk_, last, 0);
  Segment();

  // The continuation of a cut run is played by the table that played its beginning, and a cut
  // run by the table that will play its continuation: both here.
  std::size_t first = !runs_.empty() && table_.Continues() ? 1 : 0;
  std::size_t end = !runs_.empty() && runs_.back().run.cut ? runs_.size() - 1 : runs_.size();
  std::size_t shared = Share(first, end);
  Writing writing{&out, 0};
  if (shared < end) {
    if (!helper_) helper_ = std::make_unique<Helper>(table_.Words());
    Helper& helper = *helper_;
    helper.out.clear();
    helper.writing = {&helper.out, runs_[shared].run.begin};
    helper.task.Start([this, &helper, shared, end] {
      PlayRuns(helper.table, shared, end, helper.writing);
      Flush(runs_[end - 1].run.end, helper.writing);
    });
  }
  PlayRuns(table_, 0, shared, writing);
  if (shared < end) {
    helper_->task.Wait();
    Flush(runs_[shared].run.begin, writing);
    out.append(helper_->out);
    writing.written = helper_->writing.written;
  }
  std::size_t keep = chunk_.size();
  bool cut = end < runs_.size();
  if (cut) keep = PlayRun(table_, runs_.back(), writing);

  if (segmenter_.Ended() || last) {
    Flush(segmenter_.Ended() ? segmenter_.Stop() : chunk_.size(), writing);  // nothing from NUL on
    done_ = true;
    return true;
  }
  if (!cut) keep = segmenter_.Stop();
  Flush(keep, writing);
  chunks_.KeepFrom(keep);
  return true;
}

// Finds every run of the chunk before any is played.
void MatchingSweep::Segment() {
  runs_.clear();
  offsets_.clear();
  Run run;
  run.offsets = 0;
  while (segmenter_.Next(run.run, offsets_)) {
    runs_.push_back(run);
    run.offsets = offsets_.size();
    if (run.run.cut) break;
  }
}

// Where the helper's share of runs [first, end) starts: at the middle of the chunk, or at `end`
// when the runs are too short to share.
std::size_t MatchingSweep::Share(std::size_t first, std::size_t end) const {
  if (first >= end || runs_[end - 1].run.end - runs_[first].run.begin < kSharedRunBytes) {
    return end;
  }
  std::size_t middle =
      runs_[first].run.begin + (runs_[end - 1].run.end - runs_[first].run.begin) / 2;
  auto at = std::partition_point(runs_.begin() + static_cast<std::ptrdiff_t>(first),
                                 runs_.begin() + static_cast<std::ptrdiff_t>(end),
                                 [middle](const Run& run) { return run.run.begin < middle; });
  return static_cast<std::size_t>(at - runs_.begin());
}

void MatchingSweep::PlayRuns(MatchTable& table, std::size_t first, std::size_t end,
                             Writing& writing) {
  for (std::size_t i = first; i < end; ++i) PlayRun(table, runs_[i], writing);
}

// Plays the run and writes what the passes decided of it; returns where the chunk's undecided
// rest starts (meaningful for a cut run only).
std::size_t MatchingSweep::PlayRun(MatchTable& table, const Run& at, Writing& writing) {
  const CharacterRun& run = at.run;
  table.Play(chunk_, run, offsets_.data() + at.offsets);
  std::size_t decided = table.Waiting();
  std::size_t keep = table.EndBefore(decided);
  if (!table.Changed()) return keep;  // the chunk holds the run as it stands
  Flush(run.begin, writing);
  table.Write(0, decided, *writing.out);
  writing.written = keep;
  if (run.cut && run.has_tags) {
    // Tags the decided words took ahead of themselves have left the undecided end, which is
    // rewritten in place as it now stands, ending where the run ends in the chunk.
    waiting_.clear();
    table.Write(decided, run.count, waiting_);
    keep = run.end - waiting_.size();
    chunks_.Rewrite(keep, waiting_);
    writing.written = keep;
  }
  return keep;
}

// Writes the unchanged bytes of the chunk up to `offset`.
void MatchingSweep::Flush(std::size_t offset, Writing& writing) const {
  if (offset <= writing.written) return;
  writing.out->append(chunk_.substr(writing.written, offset - writing.written));
  writing.written = offset;
}

}  // namespace

struct MatchingStage::State {
  State(std::shared_ptr<const MatchWords> words, bool html_mode, ByteSource& upstream)
      : sweep(std::move(words), html_mode, upstream) {}
  MatchingSweep sweep;
  std::string buffer;
  std::size_t read = 0;  // bytes of the buffer handed on already
};

MatchingStage::MatchingStage(std::shared_ptr<const MatchWords> words, bool html_mode,
                             ByteSource& upstream)
    : state_(std::make_unique<State>(std::move(words), html_mode, upstream)) {}

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
  RunMatchingPasses(std::make_shared<const MatchWords>(passes), html_mode, in, out);
}

void RunMatchingPasses(std::shared_ptr<const MatchWords> words, bool html_mode, ByteSource& in,
                       ByteSink& out) {
  MatchingSweep sweep(std::move(words), html_mode, in);
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
