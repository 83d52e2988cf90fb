// The text-window frame through a small window of its own: the file commands never write over a
// read-only file without asking, whichever command writes, and a window's looks go to its own
// settings keys only.
#include "common/view/text_window.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include "common/view/application_dialog.h"
#include "common/view/application_menu.h"
#include "common/view/qt_text.h"
#include "common/view/search_memory.h"
#include "common/view/text_pane.h"
#include "tests/common/view/plain_window.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;
using common::Answer;
using common::Settings;
using testing_support::Fixture;
using testing_support::PlainWindow;
using testing_support::ReadFile;
using testing_support::WriteFile;


class TextWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void everyWriteAsksBeforeClearingReadOnly_data() {
    QTest::addColumn<QString>("route");
    QTest::addColumn<bool>("allowed");
    for (const char* route : {"save", "save as", "unsaved question", "close"}) {
      QTest::newRow((std::string(route) + ", declined").c_str()) << route << false;
      QTest::newRow((std::string(route) + ", allowed").c_str()) << route << true;
    }
  }
  void everyWriteAsksBeforeClearingReadOnly() {
    QFETCH(QString, route);
    QFETCH(bool, allowed);
    Fixture f;
    fs::path file = f.dir / "locked.txt";
    WriteFile(file, "old");
    QVERIFY(f.window.OpenDocumentFile(file));
    fs::permissions(file, fs::perms::owner_read);
    f.Type("new ");
    f.choosers.save_answers = {common::view::QStringOfPath(file)};
    std::vector<Answer> answers;
    if (route == "unsaved question" || route == "close") answers.push_back(Answer::kYes);
    answers.push_back(allowed ? Answer::kOk : Answer::kCancel);
    for (Answer answer : answers) f.messenger.Script({answer});

    f.window.show();
    if (route == "save") {
      f.window.Save();
    } else if (route == "save as") {
      f.window.SaveAs();
    } else if (route == "unsaved question") {
      f.window.NewDocument();
    } else {
      f.window.close();
    }
    const testing_support::RecordingMessenger::Record& asked = f.messenger.records.back();
    QCOMPARE(asked.title, std::string("read-only"));
    QCOMPARE(asked.text, "<" + file.string() + "> is read-only");
    QCOMPARE(ReadFile(file), std::string(allowed ? "new old" : "old"));
    // A declined write keeps the text and the window.
    QCOMPARE(f.window.IsModified(), !allowed);
    QCOMPARE(f.window.isVisible(), !allowed || route != "close");
  }

  // Ctrl+Y redoes what Ctrl+U undid, and the title shows unsaved changes.
  void redoAndTheUnsavedMarkInTheTitle() {
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QCOMPARE(f.window.windowTitle(), QString("untitled"));
    QTest::keyClicks(f.window.Pane(), "ab");
    QCOMPARE(f.window.windowTitle(), QString("*untitled"));
    QTest::keyClick(f.window.Pane(), Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(f.window.Pane()->Text(), QString());
    QCOMPARE(f.window.windowTitle(), QString("untitled"));
    QTest::keyClick(f.window.Pane(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f.window.Pane()->Text(), QString("ab"));
    QCOMPARE(f.window.windowTitle(), QString("*untitled"));
  }

  // Ctrl++, Ctrl+- and Ctrl+wheel change the shown size only: the settings keep theirs.
  void zoomChangesTheShownFontOnly() {
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    common::view::TextPane* pane = f.window.Pane();
    int size = pane->font().pointSize();
    QTest::keyClick(pane, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(pane, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(pane->font().pointSize(), size + 2);
    QWheelEvent wheel(QPointF(10, 10), pane->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, -2 * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pane->viewport(), &wheel);
    QTest::keyClick(pane, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(pane->font().pointSize(), size - 1);
    f.window.CloseWithoutQuery();
    QCOMPARE(f.settings.ymi_font_size, size);
  }

  // A file dropped on the text opens it after the same question as Open; Cancel keeps the text.
  void droppedFileOpensAfterTheUnsavedQuestion() {
    Fixture f;
    fs::path file = f.dir / "dropped.txt";
    WriteFile(file, "dropped");
    f.window.show();
    f.Type("mine");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(common::view::QStringOfPath(file))});
    auto drop = [&] {
      QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(f.window.Pane()->viewport(), &enter);
      QApplication::sendEvent(f.window.Pane()->viewport(), &event);
    };
    f.messenger.Script({Answer::kCancel});
    drop();
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QCOMPARE(f.messenger.records[0].text, std::string("unsaved"));
    QCOMPARE(f.window.Pane()->Text(), QString("mine"));
    f.messenger.Script({Answer::kNo});
    drop();
    QCOMPARE(f.window.Pane()->Text(), QString("dropped"));
    QCOMPARE(f.window.DocumentPath(), file);
  }

  // The file menu offers the last eight files opened or saved, the latest first, each once;
  // the list is the settings', so the next start offers it too.
  void recentFilesAreOfferedLatestFirst() {
    Fixture f;
    std::vector<fs::path> files;
    for (int i = 0; i < 10; ++i) {
      files.push_back(f.dir / ("f" + std::to_string(i) + ".txt"));
      WriteFile(files.back(), std::to_string(i));
      QVERIFY(f.window.OpenDocumentFile(files.back()));
    }
    QVERIFY(f.window.OpenDocumentFile(files[5]));
    QCOMPARE(f.settings.main_recent_files[0], files[5]);
    QCOMPARE(f.settings.main_recent_files[1], files[9]);
    QCOMPARE(f.settings.main_recent_files[7], files[2]);
    auto* menu = f.window.findChild<QAction*>("recentFiles")->menu();
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), qsizetype{8});
    QCOMPARE(menu->actions()[1]->text(), "&2 " + common::view::QStringOfPath(files[9]));
    menu->actions()[1]->trigger();
    QCOMPARE(f.window.Pane()->Text(), QString("9"));
  }

  void newDocumentSavesUnderAChosenName() {
    Fixture f;
    fs::path file = f.dir / "chosen.txt";
    f.choosers.save_answers = {common::view::QStringOfPath(file)};
    f.Type("text");
    f.window.findChild<QAction*>("save")->trigger();
    QCOMPARE(ReadFile(file), std::string("text"));
    QCOMPARE(f.window.DocumentPath(), file);
    QCOMPARE(f.settings.user_path, f.dir.Path());  // the next dialog starts there
    QVERIFY(f.messenger.records.empty());
  }

  // A place stored on a larger screen, or a screen to the left, opens whole on this one.
  void storedPlaceIsFittedToTheScreen_data() {
    QTest::addColumn<QRect>("stored");
    QTest::newRow("too large") << QRect(0, 0, 9000, 7000);
    QTest::newRow("far right and below") << QRect(5000, 4000, 400, 300);
    QTest::newRow("left of the screen") << QRect(-3000, -200, 400, 300);
  }
  void storedPlaceIsFittedToTheScreen() {
    QFETCH(QRect, stored);
    Fixture f;
    f.settings.ymi_left = stored.left();
    f.settings.ymi_top = stored.top();
    f.settings.ymi_width = stored.width();
    f.settings.ymi_height = stored.height();
    PlainWindow window({.settings = &f.settings,
                        .messenger = &f.messenger,
                        .choosers = &f.choosers,
                        .search = &f.search});
    QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(room.contains(QRect(window.pos(), window.size())),
             qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                            .arg(window.x())
                            .arg(window.y())
                            .arg(window.width())
                            .arg(window.height())
                            .arg(room.width())
                            .arg(room.height())));
  }

  // Slots 0 and 1 named, 2 empty, 3 named: two entries, and Ctrl+F3 starts nothing.
  void applicationMenuShowsTheSlotsBeforeTheFirstGap() {
    Fixture f;
    f.settings.app_names = {"ed", "view", "", "late"};
    f.settings.app_paths = {"/opt/ed", "/opt/view", "", "/opt/late"};
    f.window.findChild<common::view::ApplicationMenu*>()->Rebuild();
    QStringList shown;
    for (int slot = 0; slot < common::kApplicationSlots; ++slot) {
      auto* launch = f.window.findChild<QAction*>(QStringLiteral("launchApplication%1").arg(slot));
      QCOMPARE(launch->shortcut(), QKeySequence(Qt::CTRL | (Qt::Key_F1 + slot)));
      if (launch->isVisible()) shown << launch->text();
    }
    QCOMPARE(shown, (QStringList{"◆ ed", "◆ view"}));
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(&f.window, Qt::Key_F3, Qt::ControlModifier);
    QVERIFY(f.starter.started.empty());
  }

  // The program sees the text as it stands in the window, under the file's full path as one
  // argument; the window's own state is untouched.
  void launchWritesTheTextFirstAndKeepsTheModifiedFlag() {
    Fixture f;
    f.settings.app_names[0] = "ed";
    f.settings.app_paths[0] = "/opt/my ed";
    fs::path file = f.dir / "a b;$(x).txt";
    WriteFile(file, "old");
    QVERIFY(f.window.OpenDocumentFile(file));
    f.Type("new ");
    f.window.findChild<common::view::ApplicationMenu*>()->Rebuild();
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(&f.window, Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(f.starter.started, (std::vector<std::string>{"/opt/my ed", file.string()}));
    QCOMPARE(f.starter.file_then, std::string("new old"));
    QVERIFY(f.window.IsModified());
    QVERIFY(f.messenger.records.empty());
    f.starter.starts = false;
    f.window.findChild<QAction*>("launchApplication0")->trigger();
    QCOMPARE(f.messenger.records.back().text, std::string("did not start"));
  }

  // A file that cannot be written stops the launch: the program never opens an old copy.
  void unwritableFileStopsTheLaunch() {
    Fixture f;
    f.settings.app_names[0] = "ed";
    f.settings.app_paths[0] = "/opt/ed";
    fs::path file = f.dir / "locked.txt";
    WriteFile(file, "old");
    QVERIFY(f.window.OpenDocumentFile(file));
    fs::permissions(file, fs::perms::owner_read);
    f.Type("new ");
    QCOMPARE(static_cast<int>(f.window.findChild<common::view::ApplicationMenu*>()->Launch(0)),
             static_cast<int>(common::ApplicationLaunch::kNotWritten));
    QVERIFY(f.starter.started.empty());
    QCOMPARE(ReadFile(file), std::string("old"));
    QCOMPARE(f.messenger.records.back().text,
             file.string() + " に書き込めなかったので、アプリケーションは起動しませんでした。");
  }

  // Registered in one window, the program is in the menus of every window at once.
  void registrationRebuildsEveryWindowsMenu() {
    Fixture f;
    Fixture other;
    testing_support::ScratchDir bin;
    fs::path program = bin / "my editor";
    WriteFile(program, "");
    f.choosers.open_answers = {common::view::QStringOfPath(program)};
    common::view::ApplicationDialog dialog(f.settings, f.messenger, f.choosers, "/usr/bin",
                                           &f.window);
    dialog.findChild<QLineEdit*>("nameEdit")->setText("編集");
    dialog.RegisterClick();
    QCOMPARE(f.settings.app_paths[0], program.string());
    QCOMPARE(dialog.findChild<QListWidget*>("applicationList")->count(), 1);
    other.settings = f.settings;
    common::view::ApplicationMenu::RebuildEverywhere();
    auto* launch = other.window.findChild<QAction*>("launchApplication0");
    QVERIFY(launch->isVisible());
    QCOMPARE(launch->text(), QString("◆ 編集"));
    dialog.RegisterClick();  // the same name again
    QCOMPARE(f.messenger.records.back().text,
             std::string("登録済みのものと同名です。\n別の名称にして下さい。"));
    QCOMPARE(f.choosers.asked.size(), std::size_t{1});
  }

  void looksComeFromAndReturnToTheWindowsOwnKeys() {
    Fixture f;
    f.settings.ymi_top = 120;
    f.settings.ymi_left = 130;
    f.settings.ymi_edit_color = 0x123456;
    PlainWindow window({.settings = &f.settings,
                        .messenger = &f.messenger,
                        .choosers = &f.choosers,
                        .search = &f.search});
    QCOMPARE(window.pos(), QPoint(130, 120));
    QCOMPARE(window.Pane()->BackgroundColour(), 0x123456);
    Settings before = f.settings;
    window.resize(610, 420);
    window.CloseWithoutQuery();
    QCOMPARE(f.settings.ymi_width, 610);
    QCOMPARE(f.settings.ymi_height, 420);
    QCOMPARE(f.settings.main_width, before.main_width);
    QCOMPARE(f.settings.nnn_height, before.nnn_height);
  }
};

QTEST_MAIN(TextWindowTest)
#include "text_window_test.moc"
