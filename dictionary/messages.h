// Message texts and titles of the dictionary steps (UTF-8), filled in by common::FormatMessage.
// Texts that end up in the build report are converted to Shift_JIS where they are written.
#pragma once

#include <string_view>

namespace dictionary::messages {

inline constexpr std::string_view kTitleWarning = "Warning";
inline constexpr std::string_view kTitleAttention = "注意！";
inline constexpr std::string_view kTitleReportAttention = "注意！012";
inline constexpr std::string_view kTitleNotice = "お知らせ";
inline constexpr std::string_view kTitleCaution = "ご注意";
inline constexpr std::string_view kTitleCautionFullWidth = "ご注意！";
inline constexpr std::string_view kTitleCautionDouble = "ご注意!!";
inline constexpr std::string_view kTitleConfirmation = "ご確認！";
inline constexpr std::string_view kTitleConfirm = "確認";

// Loader.
// The dictionary and the length of the words whose part did not fit in memory.
inline constexpr std::string_view kNoMemoryForSection =
    "辞書<%s>の %d 字の語を読み込むメモリが足りません。\n"
    "ほかのプログラムを閉じてからやり直してください。";
inline constexpr std::string_view kCannotOpenDictionary =
    "指定された辞書<%s>が開けません。\n正しく登録し直してください。";
inline constexpr std::string_view kNotADictionary =
    "<%s>は<るび振り>用の辞書ではありません。\n辞書の指定を確かめてください。";
inline constexpr std::string_view kDictionaryTooShort =
    "辞書<%s>は辞書の見出し部分より短いファイルです。\n辞書を作り直してください。";
inline constexpr std::string_view kDamagedSection =
    "辞書<%s>の %d 字の語の部分が壊れています。\n辞書を作り直してください。";
inline constexpr std::string_view kCannotReadDictionary = "辞書<%s>を読み込めませんでした。";

// Source validation: the texts of the rejected-line numbers (number 2 has none).
inline constexpr std::string_view kFirstFieldTooLong = "第１ﾌｨｰﾙﾄﾞの字数が１０字を超えている。";
inline constexpr std::string_view kNoRubyTarget = "被ルビ字（漢字・々・ケ・ヶ）が１字もない。";
inline constexpr std::string_view kPipeWithoutKana = "| の後にるびかながない。";
inline constexpr std::string_view kFullWidthSymbolInReading =
    "第２ﾌｨｰﾙﾄﾞに<平仮名or音引き>以外の全角文字がある<削除>";
inline constexpr std::string_view kForeignCharInReading =
    "第２ﾌｨｰﾙﾄﾞに<*><|><平仮名or音引き>以外の文字がある<削除>";
inline constexpr std::string_view kSeparatorCountMismatch =
    "漢字数と読み数が一致しない< * の数をCheck or 不要なspaceを削除>";
inline constexpr std::string_view kReadingStartsHalfWidth = "コンマ（,）の直後に半角文字がある。";
inline constexpr std::string_view kSeparatorAtEnd = "第２ﾌｨｰﾙﾄﾞの最後に * がある<不適切な箇所>";
inline constexpr std::string_view kHalfWidthInFirstField =
    "第１ﾌｨｰﾙﾄﾞに半角文字がある<半角文字削除>";
// The faults that share a number with others, told apart.
inline constexpr std::string_view kNoComma = "コンマ（,）がない<見出し語,読み の形にする>";
inline constexpr std::string_view kReadingStartsLongVowel = "読みが ー（音引き）で始まっている。";
inline constexpr std::string_view kEntryTooLong =
    "見出し語と読みで６０バイト（全角３０字）以上ある<短くする>";

// With the line number the build report gives the same line; %s names the character.
inline constexpr std::string_view kHalfWidthInFirstFieldBox =
    "%d行目：見出し語（第１フィールド）に半角文字 %s があります。\n"
    "見出し語は全角文字だけで書いてください。";
inline constexpr std::string_view kNoCommaBox =
    "%d行目：コンマ（,）がありません。\n見出し語と読みをコンマで区切ってください。";
inline constexpr std::string_view kBlankCharacter = "空白";
inline constexpr std::string_view kTabCharacter = "タブ";
inline constexpr std::string_view kControlCharacter = "制御文字";
// The report's path, then why (common::WriteFailureCause).
inline constexpr std::string_view kReportCannotOpen = "報告ファイル<%s>が作れません。%s";
inline constexpr std::string_view kReportWriteFailed =
    "報告ファイル<%s>に書き込めません。%s\n書きかけの報告は残していません。";
inline constexpr std::string_view kTooManyWords = "%d 字のデータが多すぎる。";
inline constexpr std::string_view kWorkFileWriteFailed = "作業ファイル<%s>に書き込めない。";

// Build report lines.
inline constexpr std::string_view kReportRejectedLine = "%lu行目：<errnum=%d>%s\n";
inline constexpr std::string_view kReportLengthCount = "%d 字：%lu 語\n";
inline constexpr std::string_view kReportTotalWords = "合計語数= %d\n\n";
inline constexpr std::string_view kReportErrorTotal = "Error 総数= %d\n\n";
inline constexpr std::string_view kReportFooter =
    "【てすまろ】るび振り用辞書<%s>作成・更新結果\n◆作成日時：%s\n";

// Builder.
inline constexpr std::string_view kRejectedEntries =
    " %d 個の不正データがあります。\nこのまま辞書を作成しますか。";
inline constexpr std::string_view kDictionaryName = " 辞書名＝＝%s";
inline constexpr std::string_view kReadOnlyTarget =
    "<%s>は読み出し専用ファイルとして\n既に存在します。\n\n属性を解除して書き込みますか？";
inline constexpr std::string_view kTargetExists =
    "<%s>は既に存在しています。\n\n上書きしていいですか？";
inline constexpr std::string_view kCannotCreateDictionary = "辞書<%s>を作れませんでした。";
inline constexpr std::string_view kDictionaryWriteFailed =
    "辞書<%s>に書き込めませんでした。\n元の辞書はそのまま残っています。";
inline constexpr std::string_view kLackOfMemory =
    "辞書を作るメモリが足りません。\nほかのプログラムを閉じてからやり直してください。";
inline constexpr std::string_view kCannotOpenWorkFile = "作業ファイル<%s>を読み込めませんでした。";
inline constexpr std::string_view kWorkFileDamaged = "作業ファイル<%s>の内容が壊れている。";
inline constexpr std::string_view kBucketOverflow =
    "%d 字の語で、同じ検索区画に入る語が 255 語を超えている。\n"
    "辞書を作成できません。語の一部を別の辞書に分けてください。";
inline constexpr std::string_view kDictionaryTooLarge =
    "%d 字の語までで、辞書が形式の上限(16MB)を超える。\n"
    "辞書を作成できません。語の一部を別の辞書に分けてください。";

// The status line during a build, one text per step.
inline constexpr std::string_view kProgressValidating = "検査中";
inline constexpr std::string_view kProgressCompiling = "作成中";
inline constexpr std::string_view kProgressWriting = "書込中";

// The build command.
inline constexpr std::string_view kNothingToBuild = "作成する内容がありません。";
// The source of a build is a file the build itself would write: the dictionary (a source named
// .dic), the report or the header dump, by its name or through a link.
inline constexpr std::string_view kSourceIsBuildOutput =
    "辞書の元ファイル<%s>は、辞書作成が書き出す<%s>そのものです（同じファイルか、そこへのリンク）。"
    "書き出せば元ファイルが失われるため、辞書は作りません。"
    "元ファイルを別の名前（拡張子 .pre など）にしてから作ってください。";
// The restored source would be written into the dictionary it is restored from.
inline constexpr std::string_view kRestoreIntoDictionary =
    "復元先<%s>は、辞書<%s>そのものです（リンク）。辞書を失わないよう、復元しません。"
    "リンクを取り除いてからやり直してください。";
inline constexpr std::string_view kTextNotRead = "辞書元のテキストを最後まで読み込めませんでした。";
// %s the dictionary's file name.
inline constexpr std::string_view kBuildDone =
    "辞書 %s を作成・更新しました。\nｴﾗｰﾒｯｾｰｼﾞを表示しますか。";
inline constexpr std::string_view kBuildFailed = "辞書 %s の作成・更新に\n失敗しました。";

// Restore.
inline constexpr std::string_view kNotRubyDictionary =
    "指定された辞書は、<るび振り>用の辞書ではありません。\n";
inline constexpr std::string_view kCannotCreateSource = "辞書の元ファイル<%s>を作れませんでした。";
inline constexpr std::string_view kSourceWriteFailed =
    "辞書の元ファイル<%s>に書き込めませんでした。\n元のファイルはそのまま残っています。";
inline constexpr std::string_view kRestoreDone = "< %s >ファイルを作成しました。";
inline constexpr std::string_view kRestoreFailed = "< %s >ファイルの作成に\n失敗しました。";

// Titles of the auxiliary dictionaries and the registry.
inline constexpr std::string_view kTitleImportantReport = "大事なご報告";
inline constexpr std::string_view kTitleVeryImportantReport = "大事な大事なご報告";
inline constexpr std::string_view kTitleConfirmationDouble = "ご確認!!";
inline constexpr std::string_view kTitleConfirmationPlain = "ご確認";
inline constexpr std::string_view kTitleReport = "ご報告";
inline constexpr std::string_view kTitleWarningJapanese = "警告";

// Grade-allocation dictionary.
inline constexpr std::string_view kGradeDictionaryBroken =
    "配当学年辞書<%s>が壊れています。\n配当学年辞書を作り直してください。";
inline constexpr std::string_view kGradeCountOutOfRange =
    "設定 DICTIONARY/H_KANJISUU の値 %d は 0 から %d までの範囲にありません。\n"
    "設定ファイルを確かめてください。";
// The list, then the line, column and character that Shift_JIS cannot hold.
inline constexpr std::string_view kSourceUnencodable =
    "<%s>の %d 行 %d 字目の文字<%s>は Shift_JIS にありません。\nこの一覧は読みませんでした。";
inline constexpr std::string_view kGradeSourceMissing = "教育漢字.txt がオープンできません！";
inline constexpr std::string_view kGradeDictionaryExists =
    "haitouNen.dic はすでに存在します。作成しますか？\n"
    "（旧ファイルは拡張子<.di$>に改名されます。）";
inline constexpr std::string_view kGradeCannotCreate = "< haitouNen.dic > がオープンできません！";
inline constexpr std::string_view kGradeLineError =
    "%d行目でエラー発生。データを確認してください。";
inline constexpr std::string_view kGradeTooManyKanji =
    "教育漢字.txt の漢字が %d 字あります。\n配当学年辞書に入る漢字は %d 字までです。";
inline constexpr std::string_view kGradeTooManyReadingBytes =
    "教育漢字.txt の読みが合わせて %d バイトあります。\n"
    "配当学年辞書に入る読みは %d バイトまでです。";
inline constexpr std::string_view kGradeTooManyReadings =
    "%d行目でエラー発生。１字の読みは %d 個までです。";
inline constexpr std::string_view kGradeWriteFailed =
    "< haitouNen.dic > に書き込めない。\n元の辞書はそのまま残っています。";
inline constexpr std::string_view kGradeSettingsUnwritable =
    "設定ファイル<%s>に書き込めません。\n"
    "漢字の数 H_KANJISUU を記録できないため、HaitouNen.dic は作りませんでした。";
inline constexpr std::string_view kGradeBuildDone = "HaitouNen.dic を作成・更新しました。";
inline constexpr std::string_view kGradeBuildFailed =
    "HaitouNen.dic の作成・更新に\n失敗しました。";

// Kanji-test level dictionary.
inline constexpr std::string_view kLevelDictionaryBroken =
    "漢検級辞書<%s>が壊れています。\n漢検級辞書を作り直してください。";
inline constexpr std::string_view kLevelSourceMissing = "対象テキスト %s がない\n";
inline constexpr std::string_view kLevelCannotCreate = "漢検級辞書<%s>を作れませんでした。";
inline constexpr std::string_view kLevelWriteFailed =
    "%s に書き込めない。\n元の辞書はそのまま残っています。";
inline constexpr std::string_view kLevelTooManyKanji =
    "漢検級の一覧の漢字が合わせて %d 字あります。\n漢検級辞書に入る漢字は %d 字までです。";
inline constexpr std::string_view kLevelBucketOverflow =
    "漢検級の一覧で、同じ検索区画に入る漢字が %d 字を超えています（区画 %d）。\n"
    "漢検級辞書を作成できません。";
inline constexpr std::string_view kLevelBuildDone = "kanken_Q.dic を作成・更新しました。";
inline constexpr std::string_view kLevelBuildFailed = "kanken_Q.dic の作成・更新に\n失敗しました。";

// Registry.
inline constexpr std::string_view kRegistryNoName = "「登録する辞書名」を記入してください。";
inline constexpr std::string_view kRegistryFull =
    "すでに辞書は １０個 登録されています。\nどれか削除してから新しい辞書を登録して下さい。";
inline constexpr std::string_view kRegistryControlCharacter =
    "辞書名に改行やタブなどの制御文字は使えません。\n別の名称にして下さい。";
inline constexpr std::string_view kRegistryDuplicateName =
    "登録済みのものと同名です。\n別の名称にして下さい。";
inline constexpr std::string_view kRegistryCannotOpen = "指定された辞書が開けません。\n";
inline constexpr std::string_view kRegistryNotRubyDictionary =
    "指定された辞書は、<るび振り用>の辞書ではありません。\n";
inline constexpr std::string_view kRegistryNotInDicFolder =
    "辞書ファイル<%s>は dic フォルダ<%s>にありません。\n"
    "登録できるのは dic フォルダの辞書だけです。";
inline constexpr std::string_view kRegistryConfirmRemoveChecked =
    "ﾁｪｯｸした辞書を登録から削除します。\n\n本当にいいですか？";
inline constexpr std::string_view kRegistryConfirmRemoveAll =
    "すべての辞書を登録から削除します。\n\n本当にいいですか？";
inline constexpr std::string_view kRegistryNotChecked = "番号 %d の辞書は登録されていません。";
inline constexpr std::string_view kRegistryNothingSelected =
    "登録したい辞書ファイルが選択されていません。\nまず選択(反転)してください。";
inline constexpr std::string_view kRegistryNoFile =
    "[ %s ] は辞書ファイルが登録されていません。\n\n登録し直してください。";
inline constexpr std::string_view kRegistryFileMissing =
    "辞書ファイル[%s](%s) は存在しません。\n\n一覧から削除の上、登録し直してください。";
inline constexpr std::string_view kRegistryStandardMissing =
    "標準辞書の qv_users.dic がありません。";
inline constexpr std::string_view kRegistryChooseForCheck =
    "存在確認したいファイルを選択（反転）してください。";
inline constexpr std::string_view kRegistryFileExists =
    "    Congratulations!!\n\n[ %s ]辞書 は [ %s ] です。";
inline constexpr std::string_view kRegistryFileAbsent =
    "    Sorry!!\n\n[ %s ]辞書 は [ %s ] に登録されていますが\n\n"
    "ここには該当ファイルは存在しません!!";
inline constexpr std::string_view kLabelStandardPre = "[標準ﾌﾟﾚ]";
inline constexpr std::string_view kLabelStandardPreMainWindow = "[標準pre]";
inline constexpr std::string_view kLabelMainDictionary = "[本体辞書]";
inline constexpr std::string_view kLabelPlus = "＋";

// Source sort (status-line texts) and duplicate check.
inline constexpr std::string_view kSortRunning = "行単位で昇順にソート中です。";
inline constexpr std::string_view kSortDone = "行単位で昇順にソートしました。";
inline constexpr std::string_view kSortUndecodableLine =
    "%d 行目に Shift_JIS として読めない文字があります。\nソートしませんでした。";
inline constexpr std::string_view kSortNoCollator =
    "日本語の照合順序を用意できませんでした。\nソートしませんでした。";
inline constexpr std::string_view kTitleDuplicateFound = "発見!!";
inline constexpr std::string_view kDuplicateFound =
    "%d ﾊﾞｲﾄ目 :: %d 行 及び %d 行 :: %d 字 \n\n重複文字＝[ %s ]";
inline constexpr std::string_view kTitleDuplicateCheckDone = "重複チェック完了";
inline constexpr std::string_view kNoDuplicate =
    "第１ﾌｨ-ﾙﾄﾞの重複行は\n(もう)ありません。\n\nお疲れ様！";

}  // namespace dictionary::messages
