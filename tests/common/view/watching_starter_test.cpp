// Starting a browser for a window: the start is judged by the launcher's own end within the
// watch, a launcher that gives up after a second or two is reported as not started, and the
// window's thread is never held while the watch goes on.
#include "common/view/watching_starter.h"

#include <QTest>
#include <optional>

using namespace std::chrono_literals;

namespace {

class WatchingStarterTest : public QObject {
  Q_OBJECT

 private slots:
  void LauncherEndIsTheVerdict_data();
  void LauncherEndIsTheVerdict();
};

void WatchingStarterTest::LauncherEndIsTheVerdict_data() {
  QTest::addColumn<QString>("program");
  QTest::addColumn<QString>("script");
  QTest::addColumn<bool>("started");
  // xdg-open ends with the status of the browser it handed the page to.
  QTest::newRow("fails after 1.5 s") << "sh"
                                     << "sleep 1.5; exit 1" << false;
  QTest::newRow("ends well at once") << "sh"
                                     << "exit 0" << true;
  QTest::newRow("keeps running") << "sh"
                                 << "exec >/dev/null 2>&1; sleep 6" << true;
  QTest::newRow("fails at once") << "sh"
                                 << "exit 3" << false;
  QTest::newRow("missing") << "/nonexistent/mirukaze-browser"
                           << "" << false;
}

void WatchingStarterTest::LauncherEndIsTheVerdict() {
  QFETCH(QString, program);
  QFETCH(QString, script);
  QFETCH(bool, started);
  common::view::WatchingStarter starter(3s);
  std::optional<bool> told;
  std::vector<std::string> arguments = {"-c", script.toStdString()};
  if (script.isEmpty()) arguments = {"page.html"};
  starter.StartThen(program.toStdString(), arguments, [&told](bool ok) { told = ok; });
  QVERIFY(!told.has_value());  // the caller goes on at once
  QTRY_VERIFY_WITH_TIMEOUT(told.has_value(), 10'000);
  QCOMPARE(*told, started);
}

}  // namespace

QTEST_MAIN(WatchingStarterTest)
#include "watching_starter_test.moc"
