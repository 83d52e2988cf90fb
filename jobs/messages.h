// Message texts and titles of the jobs (UTF-8), filled in by common::FormatMessage: what every
// front end shows when a text cannot be read, converted or written back.
#pragma once

#include <string_view>

#include "common/messages.h"

namespace jobs::messages {

inline constexpr std::string_view kTitleCaution = "ご注意!!";

inline constexpr std::string_view kCannotReadFile = "ファイル<%s>を読み込めませんでした。";
inline constexpr std::string_view kNotRegularFile =
    "<%s>は通常のファイルではありません（パイプ・デバイス・フォルダは読みません）。";
// The file, then why (common::WriteFailureCause).
inline constexpr std::string_view kCannotWriteFile = "ファイル<%s>に書き込めませんでした。%s";
// A file a job would write is the text it reads (the same name, a link to it, or a hard link).
inline constexpr std::string_view kOutputIsInput =
    "書き出すファイル<%s>は、読み込んだファイル<%s>そのものです（同じファイルか、そこへのリンク）。"
    "読み込んだファイルを失わないよう、何も書きませんでした。別の名前を指定してください。";
inline constexpr std::string_view kCannotWriteOutput = "標準出力に書き込めませんでした。";
inline constexpr std::string_view kCannotReadInput = "標準入力を読み込めませんでした。";
using common::messages::kUnencodable;
// Non-ruby marking fails without a word of its own; the user still learns which text failed.
inline constexpr std::string_view kMarkingFailed =
    "非るび領域の処理に失敗しました。<%s>\nるび振りは中止します。";
// The name of standard input in a message.
inline constexpr std::string_view kStandardInputName = "標準入力";

// Learn found the user dictionary and its source to be the system's, reached through links in
// the program folder: the dictionary, then the folder of the user's own copies.
inline constexpr std::string_view kTitleOwnDictionary = "お知らせ";
inline constexpr std::string_view kOwnDictionaryMade =
    "ユーザー辞書<%s>はシステムの辞書で、書き換えられません。\n"
    "その元ファイルの語をすべて写した自分用の元ファイルと辞書を<%s>に作り、"
    "同じ名前で置き換えました。これからはこの辞書に読みを登録し、るび振りに使います。";

}  // namespace jobs::messages
