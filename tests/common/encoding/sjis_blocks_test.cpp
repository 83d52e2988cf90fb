#include "common/encoding/sjis_blocks.h"

#include <gtest/gtest.h>

#include <random>

namespace common {
namespace {

// Character starts found a block at a time agree with the walk a byte at a time, for lead bytes
// in long runs and short, runs that reach the block's end, and either carried state.
TEST(SjisBlocks, CharacterStartsAgreeWithAByteWalk) {
  std::mt19937_64 random(11);
  for (int round = 0; round < 200000; ++round) {
    std::uint64_t leads = random();
    if (round % 3 == 1) leads |= random();  // long runs
    if (round % 3 == 2) leads &= random();  // short runs
    if (round % 7 == 0) leads |= std::uint64_t{0xFF} << 56;
    for (bool carried : {false, true}) {
      std::uint64_t expected = 0;
      bool trail = carried;
      for (int i = 0; i < 64; ++i) {
        bool start = !trail;
        if (start) expected |= std::uint64_t{1} << i;
        trail = start && ((leads >> i) & 1) != 0;
      }
      bool block_trail = carried;
      ASSERT_EQ(CharacterStartsOf64(leads, block_trail), expected)
          << std::hex << leads << " carried " << carried;
      ASSERT_EQ(block_trail, trail) << std::hex << leads << " carried " << carried;
    }
  }
  bool trail = false;
  EXPECT_EQ(CharacterStartsOf64(~std::uint64_t{0}, trail), 0x5555555555555555u);
  EXPECT_FALSE(trail);
  trail = true;
  EXPECT_EQ(CharacterStartsOf64(~std::uint64_t{0}, trail), 0xAAAAAAAAAAAAAAAAu);
  EXPECT_TRUE(trail);
}

}  // namespace
}  // namespace common
