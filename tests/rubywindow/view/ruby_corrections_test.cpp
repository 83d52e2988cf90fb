// The ruby window's corrections driven through its actions and dialogs: the kana of all
// readings, the repair of selected or all groups, and the emphasis that colours the groups
// without touching the text.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "common/program_dir.h"
#include "common/settings.h"
#include "common/view/search_memory.h"
#include "common/view/text_pane.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/view/ruby_repair_dialog.h"
#include "rubywindow/view/ruby_window.h"
#include "rubywindow/view/ruby_window_session.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/scripted_choosers.h"
#include "tests/support/test_files.h"

using namespace rubywindow::view;
using testing_support::Sjis;
using testing_support::WriteFile;
namespace fs = std::filesystem;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class NoStarter final : public rubywindow::ProgramStarter {
 public:
  bool Start(const std::string&, const std::vector<std::string>&) override { return true; }
};

struct Fixture {
  testing_support::ScratchDir dir;
  common::Settings settings;
  common::ProgramDir program{dir.Path()};
  testing_support::RecordingMessenger messenger;
  testing_support::ScriptedChoosers choosers;
  common::view::SearchMemory search;
  NoStarter starter;
  RubyWindowSession session;
  std::unique_ptr<RubyWindow> window;

  explicit Fixture(int emphasis = 0) {
    settings.highlight_readings = emphasis;
    window = std::make_unique<RubyWindow>(
        RubyWindowContext{&settings, &program, &messenger, &choosers, &search, &starter, &session});
  }
  common::view::TextPane* Pane() const { return window->findChild<common::view::TextPane*>(); }
  QAction* Action(const char* name) const {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }
  void Open(const char* utf8) {
    fs::path path = dir / "a.srb";
    WriteFile(path, Sjis(utf8));
    window->OpenRubyFile(path, false);
    messenger.records.clear();
  }
  void Select(const char* utf8) {
    int at = Pane()->Text().indexOf(U(utf8));
    QTextCursor cursor = Pane()->textCursor();
    cursor.setPosition(at);
    cursor.setPosition(at + U(utf8).size(), QTextCursor::KeepAnchor);
    Pane()->setTextCursor(cursor);
  }
  // The characters of the text shown bold: what the emphasis has coloured.
  QString Emphasised() const {
    QString shown;
    for (QTextBlock block = Pane()->document()->begin(); block.isValid(); block = block.next()) {
      for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        if (range.format.fontWeight() == QFont::Bold) {
          shown += block.text().mid(range.start, range.length);
        }
      }
    }
    return shown;
  }
  void WaitForColouring() const { QTRY_VERIFY(!window->EmphasisColouring()); }
};

// Runs `prepare` on the next modal dialog, then presses its run button.
void RunNextDialog(std::function<void(QDialog*)> prepare) {
  QTimer::singleShot(0, [prepare] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    prepare(dialog);
    dialog->accept();
  });
}

void ClickRadio(QDialog* dialog, const char* caption) {
  for (auto* radio : dialog->findChildren<QRadioButton*>()) {
    if (radio->text() == U(caption)) radio->click();
  }
}

}  // namespace

class RubyCorrectionsTest : public QObject {
  Q_OBJECT

 private slots:
  // The first use turns readings to hiragana (nothing to do here), the second to katakana; the
  // text between groups stays.
  void kanaConversionAlternates() {
    Fixture f;
    f.Open("{漢字/かんじ}と{仮名/かな}\r\n");
    f.Action("convertAllKana")->trigger();
    QCOMPARE(f.Pane()->Text(), U("{漢字/かんじ}と{仮名/かな}\n"));
    QVERIFY(!f.window->IsModified());
    f.Action("convertAllKana")->trigger();
    QCOMPARE(f.Pane()->Text(), U("{漢字/カンジ}と{仮名/カナ}\n"));
    QVERIFY(f.window->IsModified());
    f.WaitForColouring();
    QCOMPARE(f.Emphasised(), U("{漢字/カンジ}{仮名/カナ}"));
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
    f.Open((text + U("\r\n")).toUtf8().constData());
    f.Select(selected.toUtf8().constData());
    RunNextDialog([&](QDialog* dialog) {
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
    f.Open("{お茶/おちゃ}を\r\n");
    f.messenger.Script({common::Answer::kNo});
    f.Action("repairRuby")->trigger();
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QVERIFY(!f.window->IsModified());
    f.messenger.Script({common::Answer::kYes});
    RunNextDialog([](QDialog* dialog) { ClickRadio(dialog, "平仮名→片仮名"); });
    f.Action("repairRuby")->trigger();
    QCOMPARE(f.Pane()->Text(), U("{お茶/オチャ}を\n"));
  }

  void repairRefusesASelectionThatIsNoGroup() {
    Fixture f;
    f.Open("漢字{本/ほん}\r\n");
    f.Select("漢字");
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
    f.Open("a{漢字/かんじ}b\r\n{人/ひと|にん}\r\n");
    if (modified) f.Pane()->insertPlainText(U("x"));
    f.Select("b");
    QString before = f.Pane()->Text();
    f.Action("rubyEmphasis")->trigger();
    f.WaitForColouring();
    QCOMPARE(f.Emphasised(), U("{漢字/かんじ}{人/ひと|にん}"));
    QCOMPARE(f.settings.highlight_readings, 1);
    f.Action("rubyEmphasis")->trigger();
    QCOMPARE(f.Emphasised(), QString());
    QCOMPARE(f.Pane()->Text(), before);
    QCOMPARE(f.window->IsModified(), modified);
    QCOMPARE(f.Pane()->SelectedText(), U("b"));
    QCOMPARE(f.settings.highlight_readings, 0);
  }

  // At most the limit and one more group are coloured, counted across lines.
  void emphasisStopsAfterTheLimit() {
    Fixture f;
    f.settings.highlight_max = 1;
    f.Open("{一/いち}\r\n{二/に}{三/さん}\r\n");
    f.Action("rubyEmphasis")->trigger();
    f.WaitForColouring();
    QCOMPARE(f.Emphasised(), U("{一/いち}{二/に}"));
  }

  // A faulty text keeps its emphasis: switching back checks the notation first.
  void emphasisStaysOnAFaultyText() {
    Fixture f(1);
    f.Open("{漢字/かんじ}{ok\r\n");
    f.WaitForColouring();
    QVERIFY(f.Action("rubyEmphasis")->isChecked());
    f.Action("rubyEmphasis")->trigger();
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QVERIFY(f.Action("rubyEmphasis")->isChecked());
    QCOMPARE(f.settings.highlight_readings, 1);
    QCOMPARE(f.Emphasised(), U("{漢字/かんじ}"));
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
