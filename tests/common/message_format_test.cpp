#include "common/message_format.h"

#include <gtest/gtest.h>

namespace common {
namespace {

TEST(FormatMessage, FillsPlaceholdersInOrder) {
  EXPECT_EQ(FormatMessage("%s 行目::%d 字 %lu %X", {std::string_view("a"), std::int64_t{12},
                                                     std::int64_t{7}, std::int64_t{0x2c}}),
            "a 行目::12 字 7 2C");
  EXPECT_EQ(FormatMessage("100%% %s", {}), "100% %s");
}

}  // namespace
}  // namespace common
