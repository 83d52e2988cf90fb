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

struct Parsed {
  ParseOutcome outcome;
  ParsedArgs args;
};

Parsed Parse(std::vector<std::string> args, bool stop_at_operand = false) {
  Parsed parsed;
  const std::span<const OptionSpec> tables[] = {kTable};
  parsed.outcome = ParseArguments(args, tables, stop_at_operand, parsed.args);
  return parsed;
}

TEST(OptionParser, ValueComesFromTheNextArgumentOrAfterEquals) {
  Parsed parsed = Parse({"--name", "a", "--file=b/c", "-n", "d"});
  ASSERT_TRUE(parsed.outcome.ok) << parsed.outcome.error;
  EXPECT_EQ(*parsed.args.Last("--name"), "d");
  EXPECT_EQ(parsed.args.All("--name"), (std::vector<std::string>{"a", "d"}));
  EXPECT_EQ(*parsed.args.Last("--file"), "b/c");
}

TEST(OptionParser, OperandsKeepTheirOrderBetweenOptions) {
  Parsed parsed = Parse({"x", "--flag", "y", "-", "--", "--flag"});
  ASSERT_TRUE(parsed.outcome.ok);
  EXPECT_TRUE(parsed.args.Has("--flag"));
  EXPECT_EQ(parsed.args.Operands(), (std::vector<std::string>{"x", "y", "-", "--flag"}));
}

TEST(OptionParser, UnknownOptionIsAnError) {
  Parsed parsed = Parse({"--nmae", "a"});
  EXPECT_FALSE(parsed.outcome.ok);
  EXPECT_EQ(parsed.outcome.error, "unknown option '--nmae'");
}

TEST(OptionParser, OptionWithoutItsValueIsAnError) {
  Parsed parsed = Parse({"--file"});
  EXPECT_FALSE(parsed.outcome.ok);
  EXPECT_EQ(parsed.outcome.error, "option '--file' needs a value");
}

TEST(OptionParser, FlagGivenAValueIsAnError) {
  Parsed parsed = Parse({"--flag=1"});
  EXPECT_FALSE(parsed.outcome.ok);
  EXPECT_EQ(parsed.outcome.error, "option '--flag' takes no value");
}

TEST(OptionParser, StopsBeforeTheFirstOperandWhenAsked) {
  Parsed parsed = Parse({"--flag", "ruby", "--name", "a"}, true);
  ASSERT_TRUE(parsed.outcome.ok);
  EXPECT_EQ(parsed.outcome.consumed, 1u);
  EXPECT_TRUE(parsed.args.Operands().empty());
  EXPECT_FALSE(parsed.args.Has("--name"));
}

TEST(OptionParser, TextValueArrivesInShiftJis) {
  Parsed parsed = Parse({"--name", "【漢】"});
  ASSERT_TRUE(parsed.outcome.ok);
  EXPECT_EQ(*parsed.args.Last("--name"), "\x81\x79\x8A\xBF\x81\x7A");
}

TEST(OptionParser, TextValueShiftJisCannotHoldIsAnError) {
  Parsed parsed = Parse({"--name", "\xF0\x9F\x98\x80"});  // an emoji
  EXPECT_FALSE(parsed.outcome.ok);
  EXPECT_EQ(parsed.outcome.error,
            "the value of '--name' holds a character that Shift_JIS cannot represent");
}

TEST(OptionParser, PathValueKeepsItsBytes) {
  Parsed parsed = Parse({"--file", "\xF0\x9F\x98\x80/漢.txt"});
  ASSERT_TRUE(parsed.outcome.ok);
  EXPECT_EQ(*parsed.args.Last("--file"), "\xF0\x9F\x98\x80/漢.txt");
}

}  // namespace
}  // namespace cli
