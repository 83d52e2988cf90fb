#include "engine/sweep/run_segmenter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

// The runs of one chunk as "bytes of the run" plus '+' when tags stand inside it and '~' when
// it is cut; then where the scan stopped and whether a NUL byte ended the input.
struct Segmented {
  std::vector<std::string> runs;
  std::size_t stop = 0;
  bool ended = false;
};

Segmented Segment(const std::string& chunk, bool last_chunk, bool html_mode = false) {
  RunSegmenter segmenter(html_mode);
  segmenter.Begin(chunk, last_chunk, 0);
  Segmented result;
  CharacterRun run;
  std::vector<std::uint32_t> offsets;
  while (segmenter.Next(run, offsets)) {
    std::vector<std::uint32_t> own = std::move(offsets);
    offsets.clear();
    std::string shown = chunk.substr(run.begin, run.end - run.begin);
    if (run.has_tags) {
      EXPECT_EQ(own.size(), run.count) << shown;
      shown += '+';
    } else {
      EXPECT_EQ(run.end - run.begin, 2 * run.count) << shown;
    }
    if (run.cut) shown += '~';
    result.runs.push_back(shown);
    if (run.cut) break;
  }
  result.stop = segmenter.Stop();
  result.ended = segmenter.Ended();
  return result;
}

TEST(RunSegmenter, YieldsTheRunsBetweenWhatNoWordCrosses) {
  const std::string body = "\x0F";
  const std::string parting = "<" + std::string(kPartingTagBytes - 2, 'x') + ">";
  struct Case {
    std::string chunk;
    bool last_chunk;
    bool html_mode;
    std::vector<std::string> runs;
  };
  const Case cases[] = {
      // Groups (± ends in '}' as a trail byte), areas, and single bytes part the runs.
      {Sjis("漢字 本{±山/やま}日\x11語\x12今"),
       true,
       false,
       {Sjis("漢字"), Sjis("本"), Sjis("日"), Sjis("今")}},
      // The head gets no runs; tags inside a run stay in it, tags around it do not.
      {Sjis("<title>字</title>") + body + Sjis("<b>漢<i>字</i>。"),
       true,
       true,
       {Sjis("漢<i>字</i>。") + "+"}},
      {Sjis("<b>漢字"), true, false, {Sjis("漢字")}},  // no tags outside HTML mode
      // Tags of 65535 bytes part the run as a line feed would.
      {body + Sjis("漢") + parting + Sjis("字"), true, true, {Sjis("漢"), Sjis("字")}},
      // The chunk ends inside a run, inside its tags, or after a lead byte: the run is cut.
      {Sjis("本 漢字"), false, false, {Sjis("本"), Sjis("漢字") + "~"}},
      {body + Sjis("漢<b"), false, true, {Sjis("漢") + "~"}},
      {Sjis("漢字") + "\x88", false, false, {Sjis("漢字") + "~"}},
      // At the end of the input a lead byte without its trail byte stands alone.
      {Sjis("漢字") + "\x88", true, false, {Sjis("漢字")}},
      {Sjis("漢字") + std::string(1, '\0') + Sjis("本"), true, false, {Sjis("漢字")}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Segment(c.chunk, c.last_chunk, c.html_mode).runs, c.runs) << c.chunk;
  }
}

TEST(RunSegmenter, StopsWhereTheNextChunkMustGoOn) {
  // A lead byte at the end of a chunk waits for its trail byte, in text and in a group.
  EXPECT_EQ(Segment("ab\x88", false).stop, 2u);
  EXPECT_EQ(Segment("{ab\x88", false).stop, 3u);
  EXPECT_EQ(Segment("{ab\x88", true).stop, 4u);
  Segmented ended = Segment(Sjis("漢") + std::string(1, '\0') + "x", true);
  EXPECT_TRUE(ended.ended);
  EXPECT_EQ(ended.stop, 2u);  // nothing from the NUL byte on is written
}

}  // namespace
}  // namespace engine
