// The option parser that reads every command's arguments; its errors are tested through
// cli::Run with the other usage errors.
#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cli {
namespace {

constexpr OptionSpec kTable[] = {
    {"--name", "-n", ValueKind::kText, "TEXT", "a text"},
    {"--file", "", ValueKind::kPath, "PATH", "a path"},
    {"--flag", "", ValueKind::kNone, "", "a flag"},
};

ParseOutcome Parse(std::vector<std::string> args, ParsedArgs& parsed,
                   bool stop_at_operand = false) {
  const std::span<const OptionSpec> tables[] = {kTable};
  return ParseArguments(args, tables, stop_at_operand, parsed);
}

TEST(OptionParser, ValuesAndOperandsInAnyOrderUntilDoubleDash) {
  ParsedArgs parsed;
  ASSERT_TRUE(
      Parse({"x", "--name", "a", "--file=b/c", "-", "-n", "d", "--flag", "--", "--flag"}, parsed)
          .ok);
  EXPECT_EQ(parsed.All("--name"), (std::vector<std::string>{"a", "d"}));
  EXPECT_EQ(*parsed.Last("--name"), "d");
  EXPECT_EQ(*parsed.Last("--file"), "b/c");
  EXPECT_TRUE(parsed.Has("--flag"));
  EXPECT_EQ(parsed.Operands(), (std::vector<std::string>{"x", "-", "--flag"}));
}

TEST(OptionParser, StopsBeforeTheFirstOperandWhenAsked) {
  ParsedArgs parsed;
  ParseOutcome outcome = Parse({"--flag", "ruby", "--name", "a"}, parsed, true);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.consumed, 1u);
  EXPECT_TRUE(parsed.Operands().empty());
  EXPECT_FALSE(parsed.Has("--name"));
}

TEST(OptionParser, TextArrivesInShiftJisWhilePathKeepsItsBytes) {
  ParsedArgs parsed;
  ASSERT_TRUE(Parse({"--name", "【漢】", "--file", "\xF0\x9F\x98\x80/漢.txt"}, parsed).ok);
  EXPECT_EQ(*parsed.Last("--name"), "\x81\x79\x8A\xBF\x81\x7A");
  EXPECT_EQ(*parsed.Last("--file"), "\xF0\x9F\x98\x80/漢.txt");  // an emoji Shift_JIS lacks
}

}  // namespace
}  // namespace cli
