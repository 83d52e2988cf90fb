// What every text window takes from the frame, seen from the main window and its child
// windows: the standard rows, keys under both schemes, printing and looks, and dialogs whose
// titles fit.
#include <QHelpEvent>
#include <QStatusBar>

#include "common/view/status_line.h"
#include "tests/app/main_window_fixture.h"

namespace {

// The shortcuts of a window's own actions and of its menus' actions that are held by more than
// one action: Qt runs neither of them.
QStringList SharedKeys(QMainWindow& window) {
  QList<QAction*> actions = window.actions();
  for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) actions += menu->actions();
  QMap<QString, QSet<QAction*>> holders;
  for (QAction* action : actions) {
    for (const QKeySequence& key : action->shortcuts()) holders[key.toString()].insert(action);
  }
  QStringList shared;
  for (auto it = holders.cbegin(); it != holders.cend(); ++it) {
    if (it.value().size() > 1) shared << it.key();
  }
  return shared;
}

// The access keys ("&R") that two entries of one menu share, as "menu: key".
QStringList SharedAccessKeys(QMainWindow& window) {
  QStringList shared;
  for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) {
    QMap<QChar, int> holders;
    for (QAction* action : menu->actions()) {
      const QString text = action->text();
      qsizetype at = text.indexOf('&');
      if (at >= 0 && at + 1 < text.size() && text[at + 1] != '&') {
        ++holders[text[at + 1].toUpper()];
      }
    }
    for (auto it = holders.cbegin(); it != holders.cend(); ++it) {
      if (it.value() > 1) shared << menu->title() + ": " + it.key();
    }
  }
  return shared;
}

}  // namespace

class EveryWindowTest : public MainWindowFixture {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpProgram(); }
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  // Every dialog is at least as wide as its title beside the frame's icon and buttons, so that a
  // window manager never cuts the title short.
  void DialogTitlesFitTheirDialogs_data() {
    QTest::addColumn<bool>("in_ruby_window");
    QTest::addColumn<QString>("action");
    for (const char* action :
         {"capacityAction", "standardSizeSettings", "emphasisSettingsAction", "versionAction",
          "gradeRubyAction", "levelRubyAction", "lineRubyAction", "nonRubyAreaAction",
          "dictionarySelectAction", "dictionaryBuildAction", "registerApplications", "printMargins",
          "chooseTabWidth"}) {
      QTest::newRow(action) << false << action;
    }
    for (const char* action : {"rubyFormatSettings", "notationTest", "makeNnn"}) {
      QTest::addRow("ruby %s", action) << true << action;
    }
  }

  void DialogTitlesFitTheirDialogs() {
    QFETCH(bool, in_ruby_window);
    QFETCH(QString, action);
    Type(QStringLiteral("日本語の文章です。"));
    QWidget* window = window_.get();
    if (in_ruby_window) {
      Action("emptyRubyWindowAction")->trigger();
      window = window_->RubyWindowIfOpen();
      window->findChild<common::view::TextPane*>()->insertPlainText("{漢/かん}\n");
    }
    QString title;
    int width = 0;
    QTimer::singleShot(0, [&title, &width] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr) return;
      title = dialog->windowTitle();
      width = dialog->width();
      dialog->close();
    });
    window->findChild<QAction*>(action)->trigger();
    QVERIFY(!title.isEmpty());
    QFont bold = QApplication::font();
    bold.setBold(true);
    constexpr int kFrameRoom = 110;  // the frame's icon and its three buttons
    int needed = QFontMetrics(bold).horizontalAdvance(title) + kFrameRoom;
    QVERIFY2(width >= needed,
             qPrintable(QStringLiteral("%1: %2 < %3").arg(title).arg(width).arg(needed)));
  }

  // The rows every window takes from the frame: which window has which, under what caption, and
  // its keys under the program's and the desktop's scheme (empty: none).
  void StandardRowsOfEveryWindow() {
    struct Row {
      const char* window;
      const char* action;
      const char* caption;  // nullptr: the window has no such row
      const char* program_keys;
      const char* desktop_keys;
    };
    const Row rows[] = {
        {"MainTextWindow", "newFile", "新規作成(&N)", "", ""},
        {"MainTextWindow", "openFile", "開く(&O)...", "Ctrl+O", "Ctrl+O"},
        {"MainTextWindow", "saveFile", "上書き保存(&S)", "Ctrl+S", "Ctrl+S"},
        {"MainTextWindow", "saveAs", "名前をつけて保存(&A)...", "", ""},
        {"MainTextWindow", "closeWindow", nullptr, "", ""},  // Ctrl+W is the duplicate check
        {"MainTextWindow", "showToolBar", "ツールバー表示(&B)", "", ""},
        {"MainTextWindow", "wordWrap", "端で折り返す(&L)", "", ""},
        {"MainTextWindow", "standardSize", nullptr, "", ""},  // its own, with a message
        {"RubyWindow", "newFile", "新規作成(&N)", "", ""},
        {"RubyWindow", "openFile", "開く(&O)...", "Ctrl+O", "Ctrl+O"},
        {"RubyWindow", "closeWindow", "閉じる(&C)", "", "Ctrl+W"},
        {"RubyWindow", "showToolBar", "ﾂｰﾙﾊﾞｰ表示(&B)", "", ""},
        {"RubyWindow", "standardSize", "画面規定値(&G)", "Shift+Return", "Shift+Return"},
        {"RubyWindow", "chooseReading", "読みを選ぶ(&E)", "F4", "F4"},
        {"RubyWindow", "learnReadings", "この読みを辞書に登録(&L)", "", ""},
        {"RubyWindow", "exportOdt", "ODT書き出し（LibreOffice用）(&O)", "", ""},
        {"RubyWindow", "exportDocx", "DOCX書き出し（Word用）(&D)", "", ""},
        {"RubyWindow", "exportHtml5", "HTML5書き出し(&H)", "", ""},
        {"RubyWindow", "exportHtml5Vertical", "HTML5書き出し（縦書き）(&T)", "", ""},
        {"YmiWindow", "newFile", nullptr, "", ""},
        {"YmiWindow", "saveFile", "上書き保存(&S)", "Ctrl+S", "Ctrl+S"},
        {"YmiWindow", "closeWindow", "閉じる(&C)", "", "Ctrl+W"},
        {"YmiWindow", "standardSize", "画面規定値(&G)", "Shift+Return", "Shift+Return"},
        {"NnnWindow", "newFile", nullptr, "", ""},
        {"NnnWindow", "saveAs", "名前をつけて保存(&A)...", "", ""},
        {"NnnWindow", "wordWrap", "端で折り返す(&L)", "", ""},
    };
    QList<common::view::TextWindow*> windows = OpenEveryWindow();
    windows.push_back(window_.get());
    for (bool desktop_keys : {false, true}) {
      Action("desktopKeys")->setChecked(desktop_keys);
      for (const Row& row : rows) {
        auto window = std::ranges::find_if(windows, [&row](common::view::TextWindow* window) {
          return QString(window->metaObject()->className()).endsWith(row.window);
        });
        QVERIFY2(window != windows.end(), row.window);
        const QString where = QString("%1 %2").arg(row.window, row.action);
        auto* action = (*window)->findChild<QAction*>(row.action, Qt::FindDirectChildrenOnly);
        QVERIFY2((action != nullptr) == (row.caption != nullptr), qPrintable(where));
        if (action == nullptr) continue;
        QCOMPARE(action->text(), QString(row.caption));
        QCOMPARE(action->shortcut().toString(),
                 QString(desktop_keys ? row.desktop_keys : row.program_keys));
      }
    }
  }

  void NoKeyServesTwoCommandsOfOneWindow_data() {
    QTest::addColumn<bool>("desktop_keys");
    QTest::newRow("the program's keys") << false;
    QTest::newRow("the desktop's keys") << true;
  }

  // Every text window (the main, ruby, YMI and NNN windows): no key or access key serves two of
  // its commands, and its own menus print (Ctrl+P) and set its looks.
  void NoKeyServesTwoCommandsOfOneWindow() {
    QFETCH(bool, desktop_keys);
    QList<common::view::TextWindow*> windows = OpenEveryWindow();
    windows.push_back(window_.get());
    QCOMPARE(windows.size(), 4);
    Action("desktopKeys")->setChecked(desktop_keys);
    QCOMPARE(settings_.desktop_keys, desktop_keys);
    for (common::view::TextWindow* window : windows) {
      QVERIFY2(SharedKeys(*window).isEmpty(),
               qPrintable(window->windowTitle() + ": " + SharedKeys(*window).join(", ")));
      // Nor does one menu hold two entries under one access key.
      QVERIFY2(SharedAccessKeys(*window).isEmpty(),
               qPrintable(window->windowTitle() + ": " + SharedAccessKeys(*window).join(", ")));
      QList<QAction*> in_menus;
      for (QMenu* menu : window->menuBar()->findChildren<QMenu*>()) in_menus += menu->actions();
      for (const char* name : {"printText", "printerSetup", "printMargins", "chooseFont",
                               "chooseTextColour", "chooseBackground", "chooseTabWidth"}) {
        auto* action = window->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
        QVERIFY2(action != nullptr && in_menus.contains(action),
                 qPrintable(window->windowTitle() + ": " + name));
      }
      QCOMPARE(window->findChild<QAction*>("printText")->shortcut(), QKeySequence("Ctrl+P"));
    }
  }

  // A message longer than its panel, in every panel of every window at the usual width, is
  // shortened in the middle to fit, leaves the bar's other panels in sight, and is whole in the
  // panel's tooltip.
  void LongStatusMessagesFitTheirPanelsAndAreWholeInTheTooltip() {
    QList<common::view::TextWindow*> windows = OpenEveryWindow();
    windows.push_back(window_.get());
    const QString message = QStringLiteral(
        "/home/teacher/教材/二〇二六年度/三年生/国語/物語文/第一単元/story.srb を書き出しました。");
    for (common::view::TextWindow* window : windows) {
      window->resize(650, 400);
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window));
      const auto panels = window->statusBar()->findChildren<common::view::StatusLine*>();
      QVERIFY2(panels.size() >= 2, window->metaObject()->className());
      for (common::view::StatusLine* panel : panels) {
        panel->setText(message);
        QApplication::processEvents();  // the bar lays out its panels again
        const QString where = QStringLiteral("%1 %2: ").arg(window->metaObject()->className(),
                                                             panel->objectName());
        const QString shown = panel->ShownText();
        QVERIFY2(shown.contains(u'…'), qPrintable(where + shown));
        QVERIFY2(panel->fontMetrics().horizontalAdvance(shown) <= panel->contentsRect().width(),
                 qPrintable(where + shown));
        QVERIFY2(panel->geometry().right() < window->statusBar()->width(), qPrintable(where));
        QHelpEvent hover(QEvent::ToolTip, QPoint(1, 1), panel->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(panel, &hover);
        QCOMPARE(panel->toolTip(), message);
        panel->clear();
      }
    }
  }

  void CtrlSSavesAndCtrlCCopiesInEveryWindow_data() { NoKeyServesTwoCommandsOfOneWindow_data(); }

  // Under either set of keys, in every window: Ctrl+C copies the selection and leaves the window
  // open, Ctrl+S writes the file.
  void CtrlSSavesAndCtrlCCopiesInEveryWindow() {
    QFETCH(bool, desktop_keys);
    QList<common::view::TextWindow*> windows = OpenEveryWindow();
    windows.push_back(window_.get());
    Action("desktopKeys")->setChecked(desktop_keys);
    int number = 0;
    for (common::view::TextWindow* window : windows) {
      const QString name = window->metaObject()->className();
      fs::path file = *docs_ / ("window" + std::to_string(++number) + ".txt");
      WriteFile(file, "old\r\n");
      QVERIFY(window->OpenDocumentFile(file));
      window->Pane()->moveCursor(QTextCursor::End);
      window->Pane()->insertPlainText("new");
      window->Pane()->selectAll();
      window->show();
      QApplication::setActiveWindow(window);
      QVERIFY(QTest::qWaitForWindowActive(window));
      QGuiApplication::clipboard()->clear();
      QTest::keyClick(window->Pane(), Qt::Key_C, Qt::ControlModifier);
      QVERIFY2(window->isVisible(), qPrintable(name));
      QCOMPARE(QGuiApplication::clipboard()->text(), "old\nnew");
      QTest::keyClick(window->Pane(), Qt::Key_S, Qt::ControlModifier);
      QVERIFY2(!window->IsModified(), qPrintable(name));
      QCOMPARE(ReadFile(file), std::string("old\r\nnew"));
    }
  }

  // Chosen in one window, the desktop's keys hold in the other too and at the next start; in
  // the text Ctrl+Z undoes, and a command that lost its key keeps its entry.
  void DesktopKeysReachBothWindowsAndTheNextStart() {
    Action("emptyRubyWindowAction")->trigger();
    rubywindow::view::RubyWindow* ruby = window_->RubyWindowIfOpen();
    ruby->findChild<QAction*>("desktopKeys")->trigger();
    QVERIFY(settings_.desktop_keys);
    QVERIFY(Action("desktopKeys")->isChecked());
    QCOMPARE(ruby->findChild<QAction*>("closeWindow")->shortcut().toString(), "Ctrl+W");
    ruby->CloseWithoutQuery();

    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Type("一行");
    QTest::keyClick(&Pane(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Pane().Text(), QString());
    QAction* go_to_end = window_->Edit().Action(common::view::EditAction::kGoToEnd);
    QVERIFY(go_to_end->shortcuts().isEmpty());
    QList<QMenu*> menus = window_->menuBar()->findChildren<QMenu*>();
    QVERIFY(std::ranges::any_of(
        menus, [go_to_end](QMenu* menu) { return menu->actions().contains(go_to_end); }));

    window_ = MakeWindow(settings_, program_);
    QVERIFY(Action("desktopKeys")->isChecked());
    QCOMPARE(Action("exitAction")->shortcuts(), QList<QKeySequence>{QKeySequence("Ctrl+Q")});
  }
};

QTEST_MAIN(EveryWindowTest)
#include "every_window_test.moc"
