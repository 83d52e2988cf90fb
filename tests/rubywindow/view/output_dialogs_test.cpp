// The YMI and NNN settings dialogs and the template list editor: choices refused with a message,
// the separator edit, the marker question and the editor's limits.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "rubywindow/nnn_writer.h"
#include "rubywindow/view/output_window.h"
#include "rubywindow/view/template_list_dialog.h"
#include "rubywindow/view/ymi_settings_dialog.h"
#include "rubywindow/ymi_writer.h"
#include "tests/rubywindow/view/ruby_window_fixture.h"

using namespace rubywindow::view;
using namespace ruby_window_testing;
using testing_support::Sjis;

class OutputDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // A refused choice keeps the dialog open with its message; the options stay unaccepted.
  void ymiDialogRefusesFieldsOutOfOrder() {
    Fixture f;
    rubywindow::TemplateList stored = f.settings.ymi_templates;
    rubywindow::YmiOptions options;
    YmiSettingsDialog dialog(options, stored, f.messenger);
    dialog.findChild<QSpinBox*>("firstField")->setValue(3);
    dialog.findChild<QSpinBox*>("lastField")->setValue(2);
    ClickRadio(&dialog, "ﾌｨｰﾙﾄﾞ範囲指定");
    dialog.accept();
    QCOMPARE(dialog.result(), int{QDialog::Rejected});
    QVERIFY(testing_support::ShowedOnly(f.messenger, "ご確認！",
                                        "左のフィールド≦右のフィールド にして下さい。"));
  }

  // The separator edit keeps what the line-and-field dialog's edit keeps.
  void ymiDialogSeparatorEntry_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("code");
    QTest::newRow("tab") << "\\t" << QString("\\t") << "0x09";
    QTest::newRow("backslash before another letter") << "\\x" << QString("\\") << "0x5C";
    QTest::newRow("a second character stays") << ",;" << QString(",;") << "0x2C";
  }

  void ymiDialogSeparatorEntry() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, code);
    Fixture f;
    rubywindow::TemplateList stored = f.settings.ymi_templates;
    rubywindow::YmiOptions options;
    YmiSettingsDialog dialog(options, stored, f.messenger);
    auto* separator = dialog.findChild<QLineEdit*>("separator");
    separator->clear();
    QTest::keyClicks(separator, typed);
    QCOMPARE(separator->text(), shown);
    QCOMPARE(dialog.findChild<QLabel*>("separatorCode")->text(), code);
  }

  // Cancel at the marker question keeps the NNN dialog open; OK runs.
  void nnnMarkerQuestionCancelKeepsTheDialog() {
    Fixture f;
    NnnChoices choices{.options = rubywindow::NnnOptionsOf(f.settings), .warn_markers = true};
    NnnFormatDialog dialog(f.settings, choices, f.messenger, f.choosers);
    dialog.TemplateBox()->setEditText(U("[****1]"));
    f.messenger.Script({common::Answer::kCancel, common::Answer::kOk});
    dialog.accept();
    QCOMPARE(dialog.result(), int{QDialog::Rejected});
    QCOMPARE(f.messenger.records.back().text,
             std::string("ルビかな部<****4>がありません。\nこのまま実行していいですか。"));
    dialog.accept();
    QCOMPARE(dialog.result(), int{QDialog::Accepted});
  }

  // The editor takes twenty lines at most and says so in red on the twenty-first; a list cut
  // down to three lines leaves the other seventeen entries empty.
  void listEditorLimits() {
    testing_support::RecordingMessenger messenger;
    rubywindow::TemplateList list;
    list.fill(Sjis("〒****1****4〒"));
    TemplateListDialog dialog(list, messenger);
    QPlainTextEdit* editor = dialog.Editor();
    QCOMPARE(editor->blockCount(), 20);
    QTextCursor cursor = editor->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(U("\n21行目"));
    editor->setTextCursor(cursor);
    QVERIFY(dialog.PositionLabel()->text().startsWith(U("［ 21 行： 5字目")));
    QVERIFY(dialog.PositionLabel()->text().endsWith(U(" >>この行は無効です。")));
    QVERIFY(dialog.PositionLabel()->styleSheet().contains(U("#ff0000")));

    editor->setPlainText(QString(1500, u'x'));
    QCOMPARE(editor->toPlainText().size(), 1400);

    editor->setPlainText(U("a\nb\nc"));
    dialog.accept();
    QCOMPARE(dialog.List()[2], std::string("c"));
    for (std::size_t i = 3; i < dialog.List().size(); ++i) QVERIFY(dialog.List()[i].empty());
  }

  // The list edited from the YMI dialog is the stored list at once, and the box shows its first
  // entry.
  void ymiListEditingStoresTheList() {
    Fixture f;
    rubywindow::TemplateList stored = f.settings.ymi_templates;
    rubywindow::YmiOptions options;
    YmiSettingsDialog dialog(options, stored, f.messenger);
    QTimer::singleShot(0, [] {
      auto* editor = qobject_cast<TemplateListDialog*>(QApplication::activeModalWidget());
      QVERIFY(editor);
      editor->Editor()->setPlainText(U("@@@@2\n@@@@1"));
      editor->accept();
    });
    dialog.EditList();
    QCOMPARE(stored[0], std::string("@@@@2"));
    QVERIFY(stored[2].empty());
    QCOMPARE(dialog.TemplateBox()->currentText(), U("@@@@2"));
    QCOMPARE(dialog.Preview()->text(), U("へいわ"));
  }
};

QTEST_MAIN(OutputDialogsTest)
#include "output_dialogs_test.moc"
