// Message texts and titles of the default-dictionary generator (UTF-8), filled in by
// common::FormatMessage: its faults, the report lines that say what was left out and why, the
// summary of a run, and the comment lines that the generated lists carry.
#pragma once

#include <string_view>

namespace dicgen::messages {

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
inline constexpr std::string_view kDroppedClassical =
    "文語の活用形しかない語（名詞の後の助詞を取るため） %d語（例：%s）";
inline constexpr std::string_view kDroppedVariantOnly =
    "くだけた形や異形の読みしかない語（部分の語の読みに任せる） %d語（例：%s）";
inline constexpr std::string_view kDroppedTooLong = "11字以上の語 %d語（例：%s）";
inline constexpr std::string_view kDroppedEntryTooLong =
    "見出しと読みで60バイト以上になる語 %d語（例：%s）";
inline constexpr std::string_view kDroppedLengthFull =
    "同じ字数の見出しが720000バイトを超えた分 %d語（例：%s）";
inline constexpr std::string_view kDroppedBucketFull =
    "一つの検索区画に255語を超えた分 %d語（例：%s）";
inline constexpr std::string_view kDroppedFileFull =
    "辞書が16MB（24ビットの位置）を超えた分 %d語（例：%s）";
inline constexpr std::string_view kDroppedNameWithKana =
    "漢字の間に仮名を挟む固有名詞（文中では語の切れ目をまたぐ） %d語（例：%s）";
inline constexpr std::string_view kDroppedTableLineUnfit =
    "手直しの表の行で読みが語に合わないもの（表の誤り） %d行（例：%s）";

// The summary of the default dictionaries: a line per file, with the details indented below.
inline constexpr std::string_view kDetailIndent = "  ";
inline constexpr std::string_view kMainSourceSummary = "Qv_Body.pre：%d語";
inline constexpr std::string_view kContextSummary =
    "文脈の読み（MeCab + UniDic）：文中では短い語と仮名に分かれる活用形 %d語を除き、文脈の見出し "
    "%d語（%dバイト）を追加";
inline constexpr std::string_view kKanaOverlapSummary =
    "仮名で重なる見出し：語と文脈の見出しをつないだ見出し %d語を追加、つながない組 %d組（例：%s）";
inline constexpr std::string_view kContextFallback =
    "文脈の読み：MeCab を使えないため、辞書データの読みだけで作りました（%s）";
inline constexpr std::string_view kNoUnidicForAnalyser = "UniDic がありません";
inline constexpr std::string_view kTableCopied = "%s：%s からコピー";
inline constexpr std::string_view kDictionaryBuilt = "%s：%d語";
inline constexpr std::string_view kRejectedLines = "作成時に除かれた行 %d行（例：%s）";
inline constexpr std::string_view kGradeDictionaryBuilt = "HaitouNen.dic：%d字";
inline constexpr std::string_view kLevelDictionaryBuilt = "kanken_Q.dic：%d字";
inline constexpr std::string_view kTimeTaken = "所要時間：%s秒";
inline constexpr std::string_view kDictionaryBuildFailed = "%s の作成・更新に\n失敗しました。";

// Lines of the build report error_ck.out that the summary reads back.
inline constexpr std::string_view kReportRejectedMark = "行目：<errnum=";
inline constexpr std::string_view kReportTotalMark = "合計語数= ";

// Report lines of the grade list.
inline constexpr std::string_view kGradeListSummary =
    "教育漢字.txt：%d字、読み%d個（%dバイト。読みの領域は%dバイト）";
inline constexpr std::string_view kEducationKanjiCount =
    "KANJIDICの教育漢字（G1〜G6）が%d字あります。学年別漢字配当表は1026字です。";
inline constexpr std::string_view kKanjiNotShiftJis = "Shift_JISで書けない漢字 %d字（例：%s）";
inline constexpr std::string_view kUnusedReadings =
    "辞書データの一般語の%d語未満でしか使われていない読み %d個（例：%s）";
inline constexpr std::string_view kReadingAreaFull =
    "読みの領域に収めるために除いた、使う語の少ない読み %d個（例：%s）";
inline constexpr std::string_view kReadingsFromNames =
    "一般語に使用例がなく、固有名詞の読みを入れた漢字 %d字（例：%s）";
inline constexpr std::string_view kReadingWithoutEvidence =
    "辞書データで%"
    "d語以上に使われる読みがなく、いちばん多く使われる読み（なければKANJIDICの最初の読み）"
    "だけを入れた漢字 %d字（例：%s）";
inline constexpr std::string_view kKanjiWithoutReading =
    "KANJIDICに平仮名で書ける読みがない漢字 %d字（例：%s）";
inline constexpr std::string_view kExampleSeparator = "、";

// Report lines of the level lists.
inline constexpr std::string_view kLevelListSummary =
    "q_file：%d字（10級〜5級 %d字、2級 %d字、1級 %d字）";

// The comment lines of the generated lists (converted to Shift_JIS when written).
inline constexpr std::string_view kListSource =
    "# KANJIDIC（EDRDG、CC BY-SA 4.0）から mirukaze-cli make-default-dic が作成";
inline constexpr std::string_view kGradeListHead =
    "# 教育漢字：番号<TAB>漢字<TAB>学年<TAB>読み…　学年はKANJIDICのG1〜G6";
inline constexpr std::string_view kGradeListReadings =
    "# 読みは、KANJIDICの音訓（名乗りを除く）とその連濁・促音化した形のうち、"
    "辞書データ（UniDicかIPAdic）の一般語が使う読み。使う語の多い順";
inline constexpr std::string_view kLevelSchoolGrade =
    "# 漢検%s：小学%d年の教育漢字（KANJIDICのG%d）";
inline constexpr std::string_view kLevelOtherJouyou =
    "# 漢検２級：教育漢字以外の常用漢字（KANJIDICのG8）。４級・３級・準２級・２級の別を示す"
    "資料がないため、常用漢字のすべてを出題範囲とする２級にまとめた";
inline constexpr std::string_view kLevelNameKanji =
    "# 漢検１級：人名用漢字（KANJIDICのG9・G10）。準１級と１級の別を示す資料がないため、"
    "１級にまとめた";
inline constexpr std::string_view kLevelKeptElsewhere =
    "# 漢検%s：級ごとの漢字表がないため、この級の漢字は %s にまとめてある";

}  // namespace dicgen::messages
