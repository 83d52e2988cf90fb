// Shift_JIS positions, the search steps and the caret-position text.
#include <QTest>

#include "common/view/caret_position.h"
#include "common/view/choosers.h"
#include "common/view/qt_text.h"
#include "common/view/sjis_codec.h"
#include "common/view/text_search.h"

using namespace common::view;

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

class SjisTextTest : public QObject {
  Q_OBJECT

 private slots:
  void byteLengthCountsShiftJisBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("kanji") << U("漢字") << 4;
    QTest::newRow("half-width kana") << U("ｱｲｳ") << 3;
    QTest::newRow("ascii and line feed") << U("ab\ncd") << 5;
    QTest::newRow("yen sign written as 0x5C") << U("¥") << 1;
    QTest::newRow("outside Shift_JIS counts two") << U("a😀") << 3;
  }
  void byteLengthCountsShiftJisBytes() {
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(SjisByteLength(text), static_cast<std::size_t>(bytes));
  }

  void byteOffsetFindsItsCharacter_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("index");
    // "a漢ｱ\nb": a = 0, 漢 = 1–2, ｱ = 3, \n = 4, b = 5
    QTest::newRow("lead byte") << 1 << 1;
    QTest::newRow("trail byte gives its character") << 2 << 1;
    QTest::newRow("half-width kana") << 3 << 2;
    QTest::newRow("after the line feed") << 5 << 4;
    QTest::newRow("end") << 6 << 5;
    QTest::newRow("past the end") << 99 << 5;
  }
  void byteOffsetFindsItsCharacter() {
    QFETCH(int, byte);
    QFETCH(int, index);
    QCOMPARE(CharIndexOfByte(U("a漢ｱ\nb"), static_cast<std::size_t>(byte)), index);
  }

  void encodingNamesFirstUnencodableCharacterLineAndColumn() {
    Unencodable bad;
    QVERIFY(!EncodeSjis(U("漢字\nab\nc😀d①"), &bad));
    QCOMPARE(bad.character, U'😀');
    QCOMPARE(bad.line, 3);
    QCOMPARE(bad.column, 2);
    QCOMPARE(EncodeSjis(U("漢ｱ\n")).value(), std::string("\x8A\xBF\xB1\n"));
  }

  void forwardSearchStepsOverTheCharacterAtTheCaret_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("found");
    QTest::newRow("double-byte step skips the kanji at the caret")
        << U("漢字漢") << U("漢") << 0 << 2;
    QTest::newRow("two bytes over ascii stop before a kanji") << U("a漢") << U("漢") << 0 << 1;
    QTest::newRow("single-byte step") << U("abab") << U("ab") << 0 << 2;
    QTest::newRow("half-width kana is single-byte") << U("ｱｱ") << U("ｱ") << 0 << 1;
    QTest::newRow("nothing after the caret") << U("ab漢") << U("漢") << 2 << kNotFound;
  }
  void forwardSearchStepsOverTheCharacterAtTheCaret() {
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(int, start);
    QFETCH(int, found);
    QCOMPARE(FindForward(text, search, start, SearchStepOf(search)), found);
  }

  void backwardSearchFindsTheLastMatchBeforeTheCaret() {
    QCOMPARE(FindBackward(U("漢a漢a"), U("漢"), 0), kNotFound);
    QCOMPARE(FindBackward(U("漢a漢a"), U("漢"), 2), 0);
    QCOMPARE(FindBackward(U("漢a漢a"), U("漢a"), 4), 2);
    QCOMPARE(FindBackward(U("漢a漢a"), U("漢a"), 3), 0);
  }

  void replaceAllExpandsEscapesAndNeverSearchesItsReplacement() {
    QString search = ExpandSearchEscapes(U("a^^tb"));
    QString replacement = ExpandReplacementEscapes(U("x^^ny^^f"));
    QCOMPARE(search, U("a\tb"));
    QCOMPARE(replacement, U("x\ny\f"));
    ReplaceAllResult result = ReplaceAllFrom(U("a\tb,a\tb"), search, replacement, 0);
    QCOMPARE(result.count, 2);
    QCOMPARE(result.replaced, U("x\ny\f,x\ny\f"));
    ReplaceAllResult grows = ReplaceAllFrom(U("aa"), U("a"), U("aa"), 1);
    QCOMPARE(grows.count, 1);
    QCOMPARE(grows.first, 1);
    QCOMPARE(grows.end, 2);
  }

  void windowsFilterBecomesQtFilter() {
    QCOMPARE(QtFilterOf("テキストファイル (*.txt)|*.TXT|HTMLファイル (*.htm;*.html)|*.HTM;*.HTML|"
                        "すべてのファイル (*.*)|*.*"),
             U("テキストファイル (*.txt *.TXT);;HTMLファイル (*.htm *.HTM *.html *.HTML);;"
               "すべてのファイル (*)"));
  }

  // ソ is 0x83 0x5C in Shift_JIS: a path taken through it would end in a backslash.
  void filePathsKeepTheirNamesBetweenQtAndTheFileSystem() {
    const std::filesystem::path path("/texts/漢字 ソ/story.srb");
    QCOMPARE(QStringOfPath(path), U("/texts/漢字 ソ/story.srb"));
    QCOMPARE(PathOfQString(U("/texts/漢字 ソ/story.srb")), path);
  }

  void fontNameOutsideShiftJisIsStoredWithAStandIn() {
    QCOMPARE(EncodeSjisLossy(U("漢😀")), std::string("\x8A\xBF?"));
  }

  void caretPositionTextShowsLineColumnAndCode_data() {
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("shown");
    QTest::newRow("hiragana") << U("あ") << U("12行：(半角)5桁　[ あ ] 0x82A0");
    QTest::newRow("half-width kana") << U("ｱ") << U("12行：(半角)5桁　[ ｱ ] 0xB1");
    QTest::newRow("tab by its picture") << U("\t") << U("12行：(半角)5桁　[ ␉ ] 0x9");
    QTest::newRow("end of text") << QString() << U("12行：(半角)5桁　[ EOF ]");
    QTest::newRow("outside Shift_JIS") << U("😀") << U("12行：(半角)5桁　[ 😀 ] U+1F600");
  }
  void caretPositionTextShowsLineColumnAndCode() {
    QFETCH(QString, character);
    QFETCH(QString, shown);
    QCOMPARE(CaretPositionText(12, 5, character), shown);
  }
};

QTEST_MAIN(SjisTextTest)
#include "sjis_text_test.moc"
