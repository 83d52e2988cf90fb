#include "cli/user_text.h"

#include <gtest/gtest.h>

#include <string>

#include "common/cp932.h"
#include "common/text_encoding.h"
#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

// A ruby file larger than a conversion piece comes back whole: no double-byte character and no
// CR LF pair is split where one piece ends, and the byte-order mark stands once, at the start.
TEST(UserText, LargeRubyFileComesBackWholeInPieces) {
  ScratchDir dir;
  const std::string line = "\x8A\xBF" "a\r\n";  // 漢a, five bytes, so pieces end anywhere in it
  std::string sjis;
  while (sjis.size() < 6 * (std::size_t{1} << 20)) sjis += line;
  WriteFile(dir / "r.srb", sjis);
  UserText text;
  text.encoding = common::TextEncoding::kUtf8WithBom;
  text.lf_line_ends = true;
  std::string out;
  int pieces = 0;
  ASSERT_TRUE(ConvertForUser(dir / "r.srb", text, [&](std::string_view piece) {
    out += piece;
    ++pieces;
    return true;
  }));
  EXPECT_GT(pieces, 1);
  std::string expected = "\xEF\xBB\xBF" + common::CrLfToLf(*common::Cp932ToUtf8(sjis));
  EXPECT_TRUE(out == expected);
}

}  // namespace
}  // namespace cli
