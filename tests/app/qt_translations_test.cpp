// Qt's own texts in Japanese: the choice of language and the stock buttons it gives.
#include "app/qt_translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QTest>

class QtTranslationsTest : public QObject {
  Q_OBJECT

 private slots:
  void languageOfQtsTexts_data() {
    QTest::addColumn<QString>("system");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("C") << "C" << false << "ja";
    QTest::newRow("English") << "en_US" << false << "ja";
    QTest::newRow("English, asked for") << "en_GB" << true << "en";
    QTest::newRow("Japanese") << "ja_JP" << false << "ja";
    QTest::newRow("German") << "de_DE" << false << "de";
  }
  void languageOfQtsTexts() {
    QFETCH(QString, system);
    QFETCH(bool, asked);
    QFETCH(QString, chosen);
    QLocale locale = app::QtTextLocale(QLocale(system), asked);
    QCOMPARE(locale.name().left(2), chosen);
  }

  // The test runs in a C locale, as a desktop session without a language would. The file
  // dialog names the kinds of file and folders in the language of the buttons beside them.
  void stockButtonsSpeakJapanese() {
    qunsetenv("LANGUAGE");
    QVERIFY(app::InstallQtTranslations(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QVERIFY2(
        buttons.button(QDialogButtonBox::Cancel)->text().contains(QStringLiteral("キャンセル")),
        qPrintable(buttons.button(QDialogButtonBox::Cancel)->text()));
    const QString kind = QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment();
    QVERIFY2(kind.contains(QStringLiteral("テキスト")), qPrintable(kind));
    const QString folder =
        QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms");
    QVERIFY2(folder != QStringLiteral("Folder"), qPrintable(folder));
  }
};

QTEST_MAIN(QtTranslationsTest)
#include "qt_translations_test.moc"
