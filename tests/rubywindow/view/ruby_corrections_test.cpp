// The ruby window's corrections driven through its actions and dialogs: the kana of all
// readings, the repair of selected or all groups, and the emphasis that colours the groups
// without touching the text.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "app/dictionary_commands/background_build.h"
#include "rubywindow/view/ruby_repair_dialog.h"
#include "tests/cli/cli_runner.h"
#include "tests/rubywindow/view/ruby_window_fixture.h"

using namespace rubywindow::view;
using testing_support::Sjis;
using testing_support::WriteFile;
namespace fs = std::filesystem;

namespace {

using namespace ruby_window_testing;

// The characters of the text shown bold: what the emphasis has coloured.
QString Emphasised(const Fixture& f) {
  QString shown;
  for (QTextBlock block = f.Pane()->document()->begin(); block.isValid(); block = block.next()) {
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
      if (range.format.fontWeight() == QFont::Bold) {
        shown += block.text().mid(range.start, range.length);
      }
    }
  }
  return shown;
}

void WaitForColouring(const Fixture& f) { QTRY_VERIFY(!f.window->EmphasisColouring()); }

void OpenText(Fixture& f, const char* utf8) { f.Open("a.srb", Sjis(utf8)); }

void Select(const Fixture& f, const QString& part) {
  int at = f.Pane()->Text().indexOf(part);
  QTextCursor cursor = f.Pane()->textCursor();
  cursor.setPosition(at);
  cursor.setPosition(at + static_cast<int>(part.size()), QTextCursor::KeepAnchor);
  f.Pane()->setTextCursor(cursor);
}

}  // namespace

class RubyCorrectionsTest : public QObject {
  Q_OBJECT

 private slots:
  // '^' in the text marks the caret. Through the pop-up menu opened at the caret, or F4 at it,
  // the reading picked replaces its group as one edit, which one undo takes back; away from a
  // group with alternatives nothing is listed and the text stays.
  void chosenReadingIsWrittenAndUndone_data() {
    QTest::addColumn<bool>("by_popup");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pick");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pop-up, second reading")
        << true << U("{一/いち}と{人/ひ^と|にん}") << 1 << U("{一/いち}と{人/にん}");
    QTest::newRow("pop-up, later line") << true << U("{人/ひと|にん}\n{今日/^きょう|こんにち}")
                                        << 1 << U("{人/ひと|にん}\n{今日/こんにち}");
    QTest::newRow("pop-up, first reading")
        << true << U("{人/ひと|^にん}") << 0 << U("{人/ひと}");
    QTest::newRow("pop-up, no alternatives") << true << U("{人/^ひと}") << 0 << U("{人/ひと}");
    QTest::newRow("F4 after the group") << false << U("あ{人/ひと|にん}^い") << 1
                                       << U("あ{人/にん}い");
    QTest::newRow("F4, no group") << false << U("{人/ひと|にん}あ^い") << 0
                                  << U("{人/ひと|にん}あい");
  }
  void chosenReadingIsWrittenAndUndone() {
    QFETCH(bool, by_popup);
    QFETCH(QString, text);
    QFETCH(int, pick);
    QFETCH(QString, expected);
    Fixture f;
    int caret = static_cast<int>(text.indexOf('^'));
    const QString original = QString(text).remove('^');
    OpenText(f, original.toUtf8().constData());
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QTextCursor cursor = f.Pane()->textCursor();
    cursor.setPosition(caret);
    f.Pane()->setTextCursor(cursor);
    bool listed = false;
    QTimer menu_open;  // gone with the test when no menu opens
    menu_open.setSingleShot(true);
    connect(&menu_open, &QTimer::timeout, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      QMenu* readings = menu;
      if (by_popup) {
        QAction* entry = f.Action("popupReadings");
        if (entry->isEnabled() && menu->actions().contains(entry)) readings = entry->menu();
      }
      if (readings != menu || !by_popup) {
        listed = readings->actions().size() > pick;
        if (listed) readings->actions().at(pick)->trigger();
      }
      menu->close();
    });
    menu_open.start(0);
    if (by_popup) {
      emit f.Pane()->customContextMenuRequested(f.Pane()->cursorRect().center());
    } else {
      f.Trigger("chooseReading");
    }
    QCOMPARE(listed, expected != original);
    QCOMPARE(f.Pane()->Text(), expected);
    if (expected == original) return;
    f.Pane()->undo();
    QCOMPARE(f.Pane()->Text(), original);
  }

  // この読みを辞書に登録 finds the corrected words against a fresh run over the text's bases,
  // asks before adding them, and builds the user dictionary beside the window, which says so
  // and refuses a second learn meanwhile; once built, the dictionary reads them so, and a build
  // that fails is told, the words kept in the source. A word the dictionary reads otherwise is
  // shown and left alone. Cancelled, nothing changes.
  void learnedReadingsReachTheUserDictionary_data() {
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<bool>("replaced");  // the answer to the question before the build replaces
    QTest::addColumn<QString>("outcome");
    QTest::newRow("built") << true << true << U("2 語を Qv_Users.dic に登録しました。");
    QTest::newRow("not built")
        << true << false
        << U("2 語を Qv_Users.dic の元ファイルに書きましたが、辞書は作成できませんでした。");
    QTest::newRow("cancelled") << false << false << QString();
  }
  void learnedReadingsReachTheUserDictionary() {
    QFETCH(bool, confirmed);
    QFETCH(bool, replaced);
    QFETCH(QString, outcome);
    Fixture f;
    app::BackgroundBuild builds(f.messenger);
    RubyWindowContext context = f.Context();
    context.builds = &builds;
    f.window = std::make_unique<RubyWindow>(context);
    f.settings.dic_pattern = 2;
    f.settings.yomi_mode = 0;
    auto build = [&f](const char* name, const char* lines) {
      fs::path source = f.dir / "dic" / (std::string(name) + ".pre");
      fs::create_directories(source.parent_path());
      WriteFile(source, Sjis(lines));
      cli::CliRun built = cli::RunCli({"--home", f.dir.Path().string(), "--no", "build-dic",
                                       source.string()});
      QCOMPARE(built.exit_code, 0);
    };
    build("Qv_Body", "今日,*きょう\r\n大学生,だい*がく*せい\r\n人,ひと\r\n");
    build("Qv_Users", "人,ひと\r\n");
    const std::string source_before = testing_support::ReadFile(f.dir / "dic" / "Qv_Users.pre");
    OpenText(f, "{今日/こんにち}は{大/だい}{学/がく}{生/なま}の{人/にん}\r\n");
    f.messenger.Script({confirmed ? common::Answer::kOk : common::Answer::kCancel,
                        replaced ? common::Answer::kOk : common::Answer::kCancel});
    f.Trigger("learnReadings");
    QVERIFY(!f.messenger.records.empty());
    const std::string& asked = f.messenger.records.front().text;
    QVERIFY2(asked.find("今日,*こんにち") != std::string::npos &&
                 asked.find("大学生,だい*がく*なま") != std::string::npos &&
                 asked.find("人,にん（辞書: 人,ひと）") != std::string::npos,
             asked.c_str());
    if (!confirmed) {
      QVERIFY(!builds.Running());
      QCOMPARE(testing_support::ReadFile(f.dir / "dic" / "Qv_Users.pre"), source_before);
      return;
    }
    // The build waits for the window to answer its question, so it is still running here.
    QVERIFY(builds.Running());
    auto* panel = f.window->findChild<QLabel*>(QStringLiteral("filePanel"));
    QVERIFY(panel);
    QCOMPARE(panel->text(), U("Qv_Users.dic を作成しています…"));
    const std::size_t told = f.messenger.records.size();
    f.Trigger("learnReadings");
    QCOMPARE(f.messenger.records.size(), told + 1);
    QCOMPARE(f.messenger.records.back().text,
             std::string("辞書を作成中です。\n作成が終わってから登録してください。"));
    QTRY_VERIFY(!builds.Running());
    QTRY_COMPARE(panel->text(), outcome);
    QCOMPARE(testing_support::ReadFile(f.dir / "dic" / "Qv_Users.pre"),
             source_before + Sjis("今日,*こんにち\r\n大学生,だい*がく*なま\r\n"));
    QCOMPARE(testing_support::ReadFile(f.dir / "dic" / "Qv_Users.~pre"), source_before);
    if (!replaced) return;
    fs::path next = f.dir / "next.txt";
    WriteFile(next, Sjis("人と大学生が今日来た。\r\n"));
    cli::CliRun run = cli::RunCli(
        {"--home", f.dir.Path().string(), "ruby", "--dic-mode", "2", next.string()});
    QCOMPARE(run.exit_code, 0);
    const std::string ruby = testing_support::ReadFile(f.dir / "next.srb");
    QVERIFY(ruby.find(Sjis("{今日/こんにち}")) != std::string::npos);
    QVERIFY(ruby.find(Sjis("{大/だい}{学/がく}{生/なま}")) != std::string::npos);
    QVERIFY(ruby.find(Sjis("{人/ひと}")) != std::string::npos);
  }

  // Saving a ruby file whose readings were corrected by hand offers them to the user dictionary
  // with the same list; ticking 今後は確認しない turns the question off, and with the setting
  // off nothing is asked.
  void savingOffersTheCorrections_data() {
    QTest::addColumn<int>("setting");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("never_ask");
    QTest::newRow("yes") << 1 << true << false;
    QTest::newRow("no, never again") << 1 << false << true;
    QTest::newRow("off") << 0 << true << false;
  }
  void savingOffersTheCorrections() {
    QFETCH(int, setting);
    QFETCH(bool, yes);
    QFETCH(bool, never_ask);
    Fixture f;
    f.settings.dic_pattern = 2;
    f.settings.yomi_mode = 0;
    f.settings.learn_on_save = setting;
    for (const auto& [name, lines] : {std::pair{"Qv_Body", "今日,*きょう\r\n"},
                                      std::pair{"Qv_Users", "人,ひと\r\n"}}) {
      fs::path source = f.dir / "dic" / (std::string(name) + ".pre");
      fs::create_directories(source.parent_path());
      WriteFile(source, Sjis(lines));
      QCOMPARE(cli::RunCli({"--home", f.dir.Path().string(), "--no", "build-dic", source.string()})
                   .exit_code,
               0);
    }
    const std::string source_before = testing_support::ReadFile(f.dir / "dic" / "Qv_Users.pre");
    OpenText(f, "{今日/きょう}は晴れ\r\n");
    f.Pane()->ReplaceWholeText(U("{今日/こんにち}は晴れ\n"));
    QString asked;
    QTimer answer;  // goes with the test when no question comes
    answer.setSingleShot(true);
    connect(&answer, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      asked = box->text();
      box->checkBox()->setChecked(never_ask);
      box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    answer.start(0);
    f.Trigger("saveFile");
    QVERIFY(!f.window->IsModified());
    QCOMPARE(!asked.isEmpty(), setting == 1);
    QVERIFY2(asked.isEmpty() || asked.contains(U("今日,*こんにち")), qPrintable(asked));
    const bool learnt = setting == 1 && yes;
    QCOMPARE(testing_support::ReadFile(f.dir / "dic" / "Qv_Users.pre"),
             learnt ? source_before + Sjis("今日,*こんにち\r\n") : source_before);
    QCOMPARE(f.settings.learn_on_save, never_ask ? 0 : setting);
  }

  // The direction follows the readings: hiragana in any of them turns all to katakana, else all
  // go to hiragana. The text between groups stays, and the emphasis colours stay as they were.
  void kanaConversionFollowsTheReadings_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("hiragana") << U("{漢字/かんじ}と{仮名/かな}\r\n")
                              << U("{漢字/カンジ}と{仮名/カナ}\n")
                              << U("{漢字/かんじ}と{仮名/かな}\n");
    QTest::newRow("katakana") << U("{漢字/カンジ}と{仮名/カナ}\r\n")
                              << U("{漢字/かんじ}と{仮名/かな}\n")
                              << U("{漢字/カンジ}と{仮名/カナ}\n");
    QTest::newRow("mixed") << U("{漢字/カンジ}と{仮名/かな}\r\n")
                           << U("{漢字/カンジ}と{仮名/カナ}\n")
                           << U("{漢字/かんじ}と{仮名/かな}\n");
  }
  void kanaConversionFollowsTheReadings() {
    QFETCH(QString, text);
    QFETCH(QString, first);
    QFETCH(QString, second);
    Fixture f;
    OpenText(f, text.toUtf8().constData());
    bool emphasis = f.Action("rubyEmphasis")->isChecked();
    f.Action("convertAllKana")->trigger();
    QCOMPARE(f.Pane()->Text(), first);
    QVERIFY(f.window->IsModified());
    f.Action("convertAllKana")->trigger();
    QCOMPARE(f.Pane()->Text(), second);
    QCOMPARE(f.Action("rubyEmphasis")->isChecked(), emphasis);
    if (!emphasis) QVERIFY(Emphasised(f).isEmpty());
  }

  void repairOfTheSelection_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("whole_document");
    QTest::addColumn<QString>("expected");
    QTest::newRow("base") << U("{漢字/かんじ}の{本/ほん}です") << U("{漢字/かんじ}の{本/ほん}")
                          << U("漢字だけ残す。") << false << U("漢字の本です");
    QTest::newRow("reading") << U("{漢字/かんじ}の{本/ほん}") << U("{漢字/かんじ}の{本/ほん}")
                             << U("かなだけ残す。") << false << U("かんじのほん");
    QTest::newRow("katakana, whole groups")
        << U("{お茶/おちゃ}を") << U("{お茶/おちゃ}") << U("平仮名→片仮名") << false
        << U("{オ茶/オチャ}を");
    QTest::newRow("every occurrence")
        << U("{本/ほん}と{本/ほん}") << U("{本/ほん}") << U("漢字だけ残す。") << true
        << U("本と本");
  }
  void repairOfTheSelection() {
    QFETCH(QString, text);
    QFETCH(QString, selected);
    QFETCH(QString, kind);
    QFETCH(bool, whole_document);
    QFETCH(QString, expected);
    Fixture f;
    OpenText(f, (text + U("\r\n")).toUtf8().constData());
    Select(f, selected);
    AcceptNextDialog([&](QDialog* dialog) {
      ClickRadio(dialog, kind.toUtf8().constData());
      ClickRadio(dialog, whole_document ? "全文書" : "選択部分");
    });
    f.Action("repairRuby")->trigger();
    QCOMPARE(f.Pane()->Text(), expected + U("\n"));
    QVERIFY(f.messenger.records.empty());
  }

  // Without a selection the user is asked first; Yes repairs every group, and only readings
  // change kana.
  void repairWithoutSelectionAsksThenTakesAllGroups() {
    Fixture f;
    OpenText(f, "{お茶/おちゃ}を\r\n");
    f.messenger.Script({common::Answer::kNo});
    f.Action("repairRuby")->trigger();
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QVERIFY(!f.window->IsModified());
    f.messenger.Script({common::Answer::kYes});
    AcceptNextDialog([](QDialog* dialog) { ClickRadio(dialog, "平仮名→片仮名"); });
    f.Action("repairRuby")->trigger();
    QCOMPARE(f.Pane()->Text(), U("{お茶/オチャ}を\n"));
  }

  void repairRefusesASelectionThatIsNoGroup() {
    Fixture f;
    OpenText(f, "漢字{本/ほん}\r\n");
    Select(f, U("漢字"));
    f.Action("repairRuby")->trigger();
    QVERIFY(testing_support::ShowedOnly(f.messenger, "注意!",
                                        "01:ルビ部の { ～ } までを選択してください。"));
    QCOMPARE(f.Pane()->Text(), U("漢字{本/ほん}\n"));
  }

  // On and off again: the text stays byte-equal, the modified flag and the selection as they
  // were, and only the groups were coloured.
  void emphasisChangesOnlyTheDisplay_data() {
    QTest::addColumn<bool>("modified");
    QTest::newRow("saved") << false;
    QTest::newRow("edited") << true;
  }
  void emphasisChangesOnlyTheDisplay() {
    QFETCH(bool, modified);
    Fixture f;
    OpenText(f, "a{漢字/かんじ}b\r\n{人/ひと|にん}\r\n");
    if (modified) f.Pane()->insertPlainText(U("x"));
    Select(f, U("b"));
    QString before = f.Pane()->Text();
    f.Action("rubyEmphasis")->trigger();
    WaitForColouring(f);
    QCOMPARE(Emphasised(f), U("{漢字/かんじ}{人/ひと|にん}"));
    QCOMPARE(f.settings.highlight_readings, 1);
    f.Action("rubyEmphasis")->trigger();
    QTRY_COMPARE(Emphasised(f), QString());
    QCOMPARE(f.Pane()->Text(), before);
    QCOMPARE(f.window->IsModified(), modified);
    QCOMPARE(f.Pane()->SelectedText(), U("b"));
    QCOMPARE(f.settings.highlight_readings, 0);
  }

  // At most the limit and one more group are coloured, counted across lines.
  void emphasisStopsAfterTheLimit() {
    Fixture f;
    f.settings.highlight_max = 1;
    OpenText(f, "{一/いち}\r\n{二/に}{三/さん}\r\n");
    f.Action("rubyEmphasis")->trigger();
    WaitForColouring(f);
    QCOMPARE(Emphasised(f), U("{一/いち}{二/に}"));
  }

  // A faulty text keeps its emphasis: switching back checks the notation first.
  void emphasisStaysOnAFaultyText() {
    Fixture f(1);
    OpenText(f, "{漢字/かんじ}{ok\r\n");
    WaitForColouring(f);
    QVERIFY(f.Action("rubyEmphasis")->isChecked());
    f.Action("rubyEmphasis")->trigger();
    QTRY_COMPARE(f.messenger.records.size(), std::size_t{1});
    QVERIFY(f.Action("rubyEmphasis")->isChecked());
    QCOMPARE(f.settings.highlight_readings, 1);
    QCOMPARE(Emphasised(f), U("{漢字/かんじ}"));
  }

  // The check runs beside the window; a text edited meanwhile is checked again, so a verdict
  // on the old text never switches off the emphasis of a faulty one.
  void emphasisOffWeighsTheTextAsItIsWhenTheCheckEnds() {
    Fixture f(1);
    OpenText(f, "{漢字/かんじ}\r\n");
    WaitForColouring(f);
    f.Action("rubyEmphasis")->trigger();
    f.Pane()->moveCursor(QTextCursor::End);
    f.Pane()->insertPlainText(U("{ok"));
    QTRY_COMPARE(f.messenger.records.size(), std::size_t{1});
    QVERIFY(f.Action("rubyEmphasis")->isChecked());
    QCOMPARE(f.settings.highlight_readings, 1);
  }

  void emphasisSettingsAreStoredOnlyWhenDecided() {
    common::Settings settings;
    EmphasisSettingsDialog dialog(settings);
    dialog.findChild<QCheckBox*>("emphasisOn")->setChecked(true);
    dialog.findChild<QSpinBox*>("emphasisLimit")->setValue(2000);
    dialog.reject();
    QCOMPARE(settings.highlight_readings, 0);
    dialog.accept();
    QCOMPARE(settings.highlight_readings, 1);
    QCOMPARE(settings.highlight_max, 2000);
  }
};

QTEST_MAIN(RubyCorrectionsTest)
#include "ruby_corrections_test.moc"
