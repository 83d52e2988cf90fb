// Message texts and titles of the default-dictionary generator (UTF-8), filled in by
// common::FormatMessage.
#pragma once

#include <string_view>

namespace dictionary::generator::messages {

inline constexpr std::string_view kTitleGenerator = "辞書の生成";

// Inputs.
inline constexpr std::string_view kCannotReadData =
    "データファイル<%s>が読めません。\nパッケージが入っているか確かめてください。";
inline constexpr std::string_view kNotKanjidic =
    "<%s>には漢字の行がありません。\nKANJIDICのファイルか確かめてください。";
inline constexpr std::string_view kNoLexicon =
    "読みの元になる辞書データ（UniDicかIPAdic）が見つかりません。\n"
    "mecab-ipadic か unidic-mecab を入れてください。";
inline constexpr std::string_view kLexiconEmpty =
    "<%s>から単語が一つも読めませんでした。\n辞書データのファイルか確かめてください。";
inline constexpr std::string_view kBadTableLine = "<%s>の%d行目が読めません：%s";

// Output.
inline constexpr std::string_view kCannotWriteSource =
    "<%s>が書けません。\nフォルダーに書き込めるか、ディスクに空きがあるか確かめてください。";

// Report lines: what was left out and why.
inline constexpr std::string_view kDroppedNotShiftJis =
    "Shift_JISで書けない字を含む語 %d語（例：%s）";
inline constexpr std::string_view kDroppedHalfWidth =
    "半角の字を含む語（文中では語が切れて照合されない） %d語（例：%s）";
inline constexpr std::string_view kDroppedReadingMismatch =
    "読みが語の仮名と合わない語 %d語（例：%s）";
inline constexpr std::string_view kDroppedKatakanaKe =
    "片仮名語の一部のケを含む語（ケにルビが付くため） %d語（例：%s）";
inline constexpr std::string_view kDroppedTooLong = "11字以上の語 %d語（例：%s）";
inline constexpr std::string_view kDroppedEntryTooLong =
    "見出しと読みで60バイト以上になる語 %d語（例：%s）";
inline constexpr std::string_view kDroppedLengthFull =
    "同じ字数の見出しが720000バイトを超えた分 %d語（例：%s）";
inline constexpr std::string_view kDroppedBucketFull =
    "一つの検索区画に255語を超えた分 %d語（例：%s）";
inline constexpr std::string_view kDroppedFileFull =
    "辞書が16MB（24ビットの位置）を超えた分 %d語（例：%s）";
inline constexpr std::string_view kDroppedTableLineUnfit =
    "手直しの表の行で読みが語に合わないもの（表の誤り） %d行（例：%s）";

}  // namespace dictionary::generator::messages
