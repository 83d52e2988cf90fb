#include "rubywindow/ruby_group_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/encoding/text_source.h"
#include "rubywindow/output_sink.h"
#include "tests/rubywindow/rubywindow_fixtures.h"

namespace rubywindow {
namespace {

constexpr std::size_t kBlock = 1 << 16;  // what ByteInput loads at once

struct ReadCase {
  const char* name;
  std::string after_open;  // the text after the group's '{'
  std::string base;
  std::string reading;
  std::string rest;  // what is left unread after the group
};

std::vector<ReadCase> Cases() {
  return {
      {"closed", Sjis("漢字/かんじ}です"), Sjis("漢字"), Sjis("かんじ"), Sjis("です")},
      // ± is 0x81 0x7D: its trail byte is no '}', even when it opens the next block.
      {"trail-byte close", Sjis("±/か}x"), Sjis("±"), Sjis("か"), "x"},
      {"returns dropped", Sjis("漢\r/か\r}x"), Sjis("漢"), Sjis("か"), "x"},
      {"line feed ends it", Sjis("漢/か\nx}"), Sjis("漢"), Sjis("か"), "\nx}"},
      {"close before separator", Sjis("漢字}/x"), Sjis("漢字"), "", "/x"},
      {"unclosed at the end", Sjis("漢/かな"), Sjis("漢"), Sjis("かな"), ""},
  };
}

// Reads the group whose '{' stands `open` bytes into the text.
ReadCase ReadAt(const ReadCase& c, std::size_t open) {
  std::string text = std::string(open, 'a') + "{" + c.after_open;
  common::StringTextSource source(text);
  ByteInput in(source);
  while (in.Offset() <= open) in.Get();
  ReadCase read{c.name, "", "", "", ""};
  ReadGroup(in, read.base, read.reading);
  for (int byte = in.Get(); byte >= 0; byte = in.Get()) read.rest += static_cast<char>(byte);
  return read;
}

TEST(ReadGroup, GroupIsReadAlikeWhereverALoadedBlockEnds) {
  for (const ReadCase& c : Cases()) {
    // From a group inside the first block to one whose every byte the block end falls after.
    for (std::size_t before_end = 0; before_end <= c.after_open.size() + 2; ++before_end) {
      ReadCase read = ReadAt(c, kBlock - before_end);
      EXPECT_EQ(read.base, c.base) << c.name << " " << before_end;
      EXPECT_EQ(read.reading, c.reading) << c.name << " " << before_end;
      EXPECT_EQ(read.rest, c.rest) << c.name << " " << before_end;
    }
    ReadCase short_text = ReadAt(c, 0);
    EXPECT_EQ(short_text.base, c.base) << c.name;
    EXPECT_EQ(short_text.reading, c.reading) << c.name;
    EXPECT_EQ(short_text.rest, c.rest) << c.name;
  }
}

}  // namespace
}  // namespace rubywindow
