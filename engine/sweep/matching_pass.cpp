// The sweep: the input is read chunk by chunk; the segmenter finds the runs of double-byte
// characters, the match table plays every pass on each run, and a run in which no word was
// found is left in the chunk, to be written later in one piece with what surrounds it.
//
// Runs are independent of each other, except a run cut at a chunk's end and its continuation in
// the next chunk. So in a long chunk a second table, on a thread of its own, plays the runs of
// the chunk's front as the segmenter finds them, while the rest are found and played here; what
// this thread writes follows what the helper wrote. This thread also finds every run and joins
// the two outputs, so the front is sized from chunk to chunk until both threads end together.
#include "engine/sweep/matching_pass.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/platform/background_task.h"
#include "engine/byte_stream.h"
#include "engine/sweep/chunk_reader.h"
#include "engine/sweep/match_table.h"
#include "engine/sweep/run_segmenter.h"

namespace engine {
namespace {

// Chunks shorter than this are played on one thread: sharing them would cost more than it
// saves.
constexpr std::size_t kSharedChunkBytes = 1 << 15;
// The helper's front of a chunk, in 64ths of its bytes: where it starts, how far it moves after
// each chunk, and its bounds.
constexpr std::size_t kShareScale = 64;
constexpr std::size_t kFirstShare = 32;
constexpr std::size_t kShareStep = 1;
constexpr std::size_t kLeastShare = 16;
constexpr std::size_t kMostShare = 48;

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
  struct RunList {
    std::vector<Run> runs;
    std::vector<std::uint32_t> offsets;  // of the characters of every run with tags
    void Clear() {
      runs.clear();
      offsets.clear();
    }
  };
  // Bytes of the chunk from `written` on are written up to there. Each thread reads the chunk
  // through its own view of it, kept with what it writes, so that the helper never reads a line
  // of memory that this thread writes as it finds runs.
  struct Writing {
    std::string* out = nullptr;
    std::size_t written = 0;
    std::string_view chunk;
  };
  // The second table, its thread, its runs and what it writes, made for the first chunk long
  // enough to share, and kept apart in memory from what this thread writes as it plays. The
  // table is made by the helper's thread on its first job, so that the memory it writes as it
  // plays comes from that thread's own allocations and never shares a cache line with this
  // thread's.
  struct alignas(64) Helper {
    explicit Helper(std::shared_ptr<const MatchWords> words) : words(std::move(words)) {}
    std::shared_ptr<const MatchWords> words;
    std::optional<MatchTable> table;
    RunList runs;
    std::string out;
    Writing writing;
    common::BackgroundTask task;
  };

  bool Find(RunList& list);
  static void MoveLast(RunList& from, RunList& to);
  bool ShareFront();
  std::size_t PlayRun(MatchTable& table, const RunList& list, const Run& run, Writing& writing);
  void Flush(std::size_t offset, Writing& writing) const;

  MatchTable table_;
  RunSegmenter segmenter_;
  ChunkReader chunks_;
  RunList runs_;         // the runs this thread plays
  std::string own_out_;  // what it writes of them while the helper writes what comes before
  std::string waiting_;  // the undecided end of a cut run, as it now stands
  std::string_view chunk_;
  bool chunk_done_ = false;  // the segmenter has found the chunk's last run
  bool done_ = false;
  std::unique_ptr<Helper> helper_;
  std::size_t share_ = kFirstShare;  // of the next shared chunk, in 64ths
};

bool MatchingSweep::Step(std::string& out) {
  if (done_ || !chunks_.Next()) {
    done_ = true;
    return false;
  }
  chunk_ = chunks_.Chunk();
  bool last = chunks_.IsLast();
  segmenter_.Begin(chunk_, last, 0);
  chunk_done_ = false;
  runs_.Clear();
  Writing writing{&out, 0, chunk_};
  std::size_t keep = chunk_.size();
  bool cut = false;
  bool more = true;
  // The continuation of a cut run is played first, by the table that played its beginning.
  if (table_.Continues()) {
    more = Find(runs_);
    if (more) {
      keep = PlayRun(table_, runs_, runs_.runs.back(), writing);
      cut = runs_.runs.back().run.cut;
      more = !cut;
    }
    runs_.Clear();
  }

  // In a long chunk the helper plays the runs of the front as soon as they are found, while the
  // rest are found and played here; a cut run waits for the helper, as its play may rewrite the
  // chunk.
  bool shared = more && ShareFront();
  Writing own = writing;
  if (shared) {
    own_out_.clear();
    own = {&own_out_, helper_->runs.runs.back().run.end, chunk_};
  }
  more = more && (!runs_.runs.empty() || Find(runs_));
  while (more && !runs_.runs.back().run.cut) {
    PlayRun(table_, runs_, runs_.runs.back(), own);
    more = Find(runs_);
  }
  if (shared) {
    // A helper still at work had the larger part: the next front is a little shorter.
    if (helper_->task.Busy()) {
      share_ = std::max(share_ - kShareStep, kLeastShare);
    } else {
      share_ = std::min(share_ + kShareStep, kMostShare);
    }
    helper_->task.Wait();
    Flush(helper_->runs.runs.front().run.begin, writing);
    out.append(helper_->out);
    out.append(own_out_);
    writing.written = own.written;
  } else {
    writing = own;
  }
  if (more) {
    keep = PlayRun(table_, runs_, runs_.runs.back(), writing);
    cut = true;
  }

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

// Appends the chunk's next run to `list`; false when the chunk holds no more.
bool MatchingSweep::Find(RunList& list) {
  if (chunk_done_) return false;
  Run run;
  run.offsets = list.offsets.size();
  if (!segmenter_.Next(run.run, list.offsets)) {
    chunk_done_ = true;
    return false;
  }
  chunk_done_ = run.run.cut;  // a cut run is the chunk's last
  list.runs.push_back(run);
  return true;
}

void MatchingSweep::MoveLast(RunList& from, RunList& to) {
  Run run = from.runs.back();
  from.runs.pop_back();
  auto offsets = from.offsets.begin() + static_cast<std::ptrdiff_t>(run.offsets);
  std::size_t moved_offsets = to.offsets.size();
  to.offsets.insert(to.offsets.end(), offsets, from.offsets.end());
  from.offsets.erase(offsets, from.offsets.end());
  run.offsets = moved_offsets;
  to.runs.push_back(run);
}

// In a chunk long enough to share, finds the runs that begin in its front and starts the helper
// on them; the run found after them is left to this thread. False when nothing was shared.
bool MatchingSweep::ShareFront() {
  if (chunk_.size() < kSharedChunkBytes) return false;
  if (!helper_) helper_ = std::make_unique<Helper>(table_.Words());
  Helper& helper = *helper_;
  helper.runs.Clear();
  const std::size_t front = chunk_.size() / kShareScale * share_;
  while (Find(helper.runs)) {
    const CharacterRun& run = helper.runs.runs.back().run;
    if (run.cut || run.begin >= front) {
      MoveLast(helper.runs, runs_);
      break;
    }
  }
  if (helper.runs.runs.empty()) return false;
  helper.out.clear();
  helper.writing = {&helper.out, helper.runs.runs.front().run.begin, chunk_};
  helper.task.Start([this, &helper] {
    if (!helper.table) helper.table.emplace(helper.words);
    for (const Run& run : helper.runs.runs) {
      PlayRun(*helper.table, helper.runs, run, helper.writing);
    }
    Flush(helper.runs.runs.back().run.end, helper.writing);
  });
  return true;
}

// Plays the run and writes what the passes decided of it; returns where the chunk's undecided
// rest starts (meaningful for a cut run only).
std::size_t MatchingSweep::PlayRun(MatchTable& table, const RunList& list, const Run& at,
                                   Writing& writing) {
  const CharacterRun& run = at.run;
  table.Play(writing.chunk, run, list.offsets.data() + at.offsets);
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
  writing.out->append(writing.chunk.substr(writing.written, offset - writing.written));
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
