// Message texts and titles of the ruby passes (UTF-8), filled in by common::FormatMessage.
#pragma once

#include <string_view>

namespace engine::messages {

inline constexpr std::string_view kTitleWarning = "Warning";
inline constexpr std::string_view kTitleGoodbye = "再見。";
inline constexpr std::string_view kTitleCaution = "ご注意!!";
inline constexpr std::string_view kTitleCautionPlain = "ご注意";

// Pieces of the status-line progress text that the steps of a ruby command append.
inline constexpr std::string_view kProgressChecked = "C";
inline constexpr std::string_view kProgressMarked = "N";
inline constexpr std::string_view kProgressPass = "->";
inline constexpr std::string_view kProgressCleanUp = "S";

// Working files of a dictionary run.
inline constexpr std::string_view kPassInputMissing = "< %s > がない";
inline constexpr std::string_view kCannotOpenPassOutput = "Can't open <%s>.･･";
inline constexpr std::string_view kPassOutputNotClosed = "failed close <ji_ku==%d>.･･";
inline constexpr std::string_view kPassInputNotClosed = "failed <in file> close <ji_ku==%d>.･･";

// Guards and preparation of a ruby command.
inline constexpr std::string_view kRubyWindowOpen =
    "るび振りWindowがすでに開いています。\nるび振りWindowを閉じてから実行してください！";
inline constexpr std::string_view kNothingToRuby = "るび振りする内容がありません！";
// A NUL byte would end the matching passes' input and lose the rest of the text.
inline constexpr std::string_view kTextHoldsNul =
    "%d 行目に NUL 文字 (0x00) があります。\n"
    "この文字から後ろが失われるため、るび振りは中止します。\n"
    "文字を取り除いてから実行してください。";
inline constexpr std::string_view kTextNotRead =
    "文書<%s>を読み込めませんでした。\nるび振りは中止します。";
inline constexpr std::string_view kPreparedTextNotWritten =
    "作業ファイル<%s>を書き込めませんでした。\nるび振りは中止します。";

// Dictionary application, naming and the abort report.
inline constexpr std::string_view kUserResultNotRenamed = "00::Rename Fail to user_0.$rb.";
inline constexpr std::string_view kWorkingFileMissing = "%s が存在しません。";
inline constexpr std::string_view kRubyFileNotRenamed = "%s to %s rename failed";
inline constexpr std::string_view kAborted = "問題が発生しました。<in %s>\nるび振りは中止します。";

}  // namespace engine::messages
