#include "common/notation/field_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "common/encoding/cp932.h"

namespace common {
namespace {

// One row per kind of entry: what the edit keeps of it, and the separator byte it stands for
// (nullopt where it is refused, with the reason).
struct EntryRow {
  std::string_view name;
  std::string typed;  // Shift_JIS
  std::string kept;
  std::optional<char> byte;
  SeparatorFault fault;
};

class SeparatorEntries : public testing::TestWithParam<EntryRow> {};

TEST_P(SeparatorEntries, OneRuleForEveryEntry) {
  const EntryRow& row = GetParam();
  EXPECT_EQ(KeptSeparatorEdit(row.typed), row.kept);
  EXPECT_EQ(SeparatorByteOf(row.typed), row.byte);
  EXPECT_EQ(SeparatorFaultOf(SeparatorEntry(row.typed)), row.fault);
  // What the edit keeps stands for the same separator as what was typed.
  EXPECT_EQ(SeparatorByteOf(KeptSeparatorEdit(row.typed)), row.byte);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SeparatorEntries,
    testing::Values(
        EntryRow{"comma", ",", ",", ',', SeparatorFault::kNone},
        EntryRow{"only_the_first_character_counts", ",;", ",;", ',', SeparatorFault::kNone},
        EntryRow{"backslash_t_is_the_tab", "\\t", "\\t", '\t', SeparatorFault::kNone},
        EntryRow{"backslash_t_and_more_is_the_tab", "\\tx", "\\tx", '\t', SeparatorFault::kNone},
        EntryRow{"lone_backslash", "\\", "\\", '\\', SeparatorFault::kNone},
        EntryRow{"backslash_before_another_letter_is_cut_back", "\\x", "\\", '\\',
                 SeparatorFault::kNone},
        EntryRow{"backslash_before_capital_t_is_no_tab", "\\T", "\\", '\\',
                 SeparatorFault::kNone},
        EntryRow{"typed_tab", "\t", "\t", '\t', SeparatorFault::kNone},
        EntryRow{"space", " ", " ", ' ', SeparatorFault::kNone},
        EntryRow{"half_width_katakana_is_one_byte", Sjis("ｱ"), Sjis("ｱ"), '\xB1',
                 SeparatorFault::kNone},
        EntryRow{"empty_is_refused", "", "", std::nullopt, SeparatorFault::kEmpty},
        EntryRow{"double_byte_is_refused", Sjis("、"), Sjis("、"), std::nullopt,
                 SeparatorFault::kDoubleByte},
        // ソ ends in 0x5C: its trail byte is no backslash.
        EntryRow{"double_byte_ending_in_a_backslash_is_refused", Sjis("ソt"), Sjis("ソt"),
                 std::nullopt, SeparatorFault::kDoubleByte},
        EntryRow{"utf8_double_byte_is_refused", "\xE3\x80\x81", "\xE3\x80\x81", std::nullopt,
                 SeparatorFault::kDoubleByte}),
    [](const testing::TestParamInfo<EntryRow>& info) { return std::string(info.param.name); });

TEST(SeparatorCode, TwoUpperCaseHexDigits) {
  EXPECT_EQ(SeparatorCode('\t'), "0x09");
  EXPECT_EQ(SeparatorCode('\xB1'), "0xB1");
}

}  // namespace
}  // namespace common
