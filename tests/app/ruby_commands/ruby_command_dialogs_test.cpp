// The dialogs of the ruby commands, driven through their controls: each round-trips its
// settings, refuses what the core refuses, and stores only what it stores on cancel.
#include <QtTest>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "app/ruby_commands/grade_dialog.h"
#include "app/ruby_commands/level_dialog.h"
#include "app/ruby_commands/line_field_dialog.h"
#include "app/ruby_commands/non_ruby_area_dialog.h"
#include "app/ruby_commands/ruby_command_dialogs.h"
#include "common/settings.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::RecordingMessenger;
using testing_support::Sjis;

template <typename Widget>
Widget& Child(QDialog& dialog, const char* name) {
  auto* child = dialog.findChild<Widget*>(name);
  if (!child) qFatal("no control %s", name);
  return *child;
}

void Click(QDialog& dialog, const char* name) { Child<QAbstractButton>(dialog, name).click(); }

// Presses a button of the modal dialog that is about to open.
void ClickInNextModal(const char* name) {
  QTimer::singleShot(0, [name] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) qFatal("no modal dialog");
    Click(*dialog, name);
  });
}

bool Accepted(const QDialog& dialog) { return dialog.result() == QDialog::Accepted; }

bool Showed(const RecordingMessenger& messenger, const std::string& title,
            const std::string& text) {
  ::testing::AssertionResult shown = testing_support::ShowedOnly(messenger, title, text);
  if (!shown) qWarning("%s", shown.message());
  return static_cast<bool>(shown);
}

}  // namespace

class RubyCommandDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();

  void GradeDialogRoundTripsItsSettings();
  void GradeDialogRefusesAReversedRange();
  void GradeDialogRefusesAStoredValueNoBoxShows();
  void LevelDialogRoundTripsItsSettings();
  void LevelDialogRefusesAReversedRangeButKeepsIt();
  void LevelDialogRefusesABoxWithoutLevel();
  void LineFieldDialogRoundTripsItsSettings();
  void LineFieldDialogKeepsImmediateChoicesOnCancel();
  void LineFieldDialogRefusals_data();
  void LineFieldDialogRefusals();
  void LineFieldSeparatorEntry_data();
  void LineFieldSeparatorEntry();
  void LineFieldDialogShowsTheCaretField();
  void LineFieldMarkDeletionIsCheckedOnChange();
  void NonRubyAreaDialogStoresStringsOnConfirm();
  void NonRubyAreaDialogModeTakesEffectAtOnce();
  void NonRubyAreaDialogRefusesUnencodableStrings();
  void HelpButtonCallsHelpOrHides();
  void ModalDialogsReturnOnlyAConfirmedChoice();

 private:
  common::Settings settings_;
  RecordingMessenger messenger_;
  app::RubySessionChoices session_;
};

void RubyCommandDialogsTest::init() {
  settings_ = common::Settings();
  messenger_ = RecordingMessenger();
  session_ = app::RubySessionChoices();
}

void RubyCommandDialogsTest::GradeDialogRoundTripsItsSettings() {
  engine::StoreGradeRubyOptions({.range_kind = 1,
                                 .lower_grade = 2,
                                 .upper_grade = 5,
                                 .tag = true,
                                 .header = false,
                                 .compound_check = true},
                                settings_);
  app::GradeDialog dialog(settings_, messenger_, {});
  QVERIFY(Child<QRadioButton>(dialog, "range_radio").isChecked());
  QCOMPARE(Child<QComboBox>(dialog, "lower_box").currentText(), QStringLiteral("２年"));
  QCOMPARE(Child<QComboBox>(dialog, "upper_box").currentText(), QStringLiteral("５年"));
  QVERIFY(Child<QCheckBox>(dialog, "tag_check").isChecked());

  Click(dialog, "above_radio");
  QVERIFY(Child<QComboBox>(dialog, "upper_box").isHidden());
  QCOMPARE(Child<QLabel>(dialog, "after_label").text(), QStringLiteral("以上(難)の漢字にルビ"));
  Child<QComboBox>(dialog, "lower_box").setCurrentIndex(3);
  Click(dialog, "header_check");
  Click(dialog, "run_button");
  QVERIFY(Accepted(dialog));
  QVERIFY(messenger_.records.empty());
  QCOMPARE(settings_.grade_range_type, 2);
  QCOMPARE(settings_.grade_low, 4);
  QCOMPARE(settings_.grade_ruby_out_flag, 1);
  QCOMPARE(dialog.Options().lower_grade, 4);
  QVERIFY(dialog.Options().compound_check);
}

void RubyCommandDialogsTest::GradeDialogRefusesAReversedRange() {
  app::GradeDialog dialog(settings_, messenger_, {});
  Click(dialog, "range_radio");
  Child<QComboBox>(dialog, "lower_box").setCurrentIndex(3);
  Child<QComboBox>(dialog, "upper_box").setCurrentIndex(1);
  Click(dialog, "run_button");
  QVERIFY(!Accepted(dialog));
  QVERIFY(Showed(messenger_, "ご確認！", "右欄の学年は左欄の学年より上にして下さい。"));
  QCOMPARE(settings_.grade_low, common::Settings().grade_low);  // nothing stored
}

void RubyCommandDialogsTest::GradeDialogRefusesAStoredValueNoBoxShows() {
  settings_.grade_low = 9;
  app::GradeDialog dialog(settings_, messenger_, {});
  QCOMPARE(Child<QComboBox>(dialog, "lower_box").currentIndex(), -1);
  Click(dialog, "run_button");
  QVERIFY(!Accepted(dialog));
  QVERIFY(Showed(messenger_, "ご注意！",
                 "設定 NENSITA の値 9 は範囲外です。\n\n設定を確認してください。"));
}

void RubyCommandDialogsTest::LevelDialogRoundTripsItsSettings() {
  app::LevelDialog dialog(settings_, messenger_, {});
  Click(dialog, "single_radio");
  QVERIFY(Child<QComboBox>(dialog, "second_box").isHidden());
  QCOMPARE(Child<QLabel>(dialog, "range_label").text(), QString());
  Child<QComboBox>(dialog, "first_box").setCurrentIndex(11);
  const bool tagged = Child<QCheckBox>(dialog, "tag_check").isChecked();
  Click(dialog, "tag_check");
  Click(dialog, "run_button");
  QVERIFY(Accepted(dialog));
  // A single level has no second box: it takes the first one's level.
  QCOMPARE(settings_.level_range_type, 0);
  QCOMPARE(settings_.level_high, 11);
  QCOMPARE(settings_.level_low, 11);
  QCOMPARE(settings_.level_check_box, tagged ? 0 : 1);
  QCOMPARE(dialog.Options().second_box, 11);

  app::LevelDialog reopened(settings_, messenger_, {});
  QVERIFY(Child<QRadioButton>(reopened, "single_radio").isChecked());
  QCOMPARE(Child<QComboBox>(reopened, "first_box").currentText(), QStringLiteral("１０級"));
}

void RubyCommandDialogsTest::LevelDialogRefusesAReversedRangeButKeepsIt() {
  app::LevelDialog dialog(settings_, messenger_, {});
  Click(dialog, "range_radio");
  QCOMPARE(Child<QLabel>(dialog, "range_label").text(), QStringLiteral(" ～"));
  Child<QComboBox>(dialog, "first_box").setCurrentIndex(2);
  Child<QComboBox>(dialog, "second_box").setCurrentIndex(2);
  Click(dialog, "run_button");
  QVERIFY(!Accepted(dialog));
  QVERIFY(Showed(
      messenger_, "ご注意！！",
      "級の範囲の設定が不正です。\n\n　下位級(易) ～ 上位級(難) \n\nの順に設定してください。"));
  // The kind and both boxes are stored before they are checked.
  QCOMPARE(settings_.level_range_type, 1);
  QCOMPARE(settings_.level_high, 2);
  QCOMPARE(settings_.level_low, 2);
}

void RubyCommandDialogsTest::LevelDialogRefusesABoxWithoutLevel() {
  settings_.level_low = 12;  // 級外 is no item of the boxes
  app::LevelDialog dialog(settings_, messenger_, {});
  Click(dialog, "run_button");
  QVERIFY(!Accepted(dialog));
  QVERIFY(Showed(messenger_, "ご注意！！", "級の指定がありません。\n\n確認してください。"));
}

void RubyCommandDialogsTest::LineFieldDialogRoundTripsItsSettings() {
  session_.separator_typed = "\\t";
  app::LineFieldDialog dialog(settings_, session_, {}, messenger_, {});
  QCOMPARE(Child<QLineEdit>(dialog, "mark_edit").text(), QStringLiteral("♀"));
  QCOMPARE(Child<QLabel>(dialog, "separator_code_label").text(), QStringLiteral("0x09"));
  Click(dialog, "both_radio");
  Child<QLineEdit>(dialog, "mark_edit").setText(QStringLiteral("◆"));
  Click(dialog, "delete_mark_radio");
  Click(dialog, "field_range_radio");
  Child<QSpinBox>(dialog, "first_field_box").setValue(2);
  Child<QSpinBox>(dialog, "second_field_box").setValue(4);
  Click(dialog, "run_button");
  QVERIFY(Accepted(dialog));
  QVERIFY(messenger_.records.empty());
  QCOMPARE(settings_.line_head_mark, Sjis("◆"));
  QCOMPARE(settings_.line_field_mode, 2);
  QCOMPARE(settings_.field_range_type, 1);
  QCOMPARE(settings_.field_min, 2);
  QCOMPARE(settings_.field_max, 4);
  QVERIFY(session_.delete_mark);
  QCOMPARE(dialog.Options().separator, std::string("\t"));
  QVERIFY(dialog.Options().delete_mark);
}

void RubyCommandDialogsTest::LineFieldDialogKeepsImmediateChoicesOnCancel() {
  app::LineFieldDialog dialog(settings_, session_, {}, messenger_, {});
  Click(dialog, "fields_radio");
  QVERIFY(!Child<QLineEdit>(dialog, "mark_edit").isEnabled());
  QVERIFY(Child<QLineEdit>(dialog, "separator_edit").isEnabled());
  Click(dialog, "after_radio");
  QCOMPARE(Child<QLabel>(dialog, "field_word_label").text(), QStringLiteral("フィールド以降"));
  Child<QSpinBox>(dialog, "first_field_box").setValue(7);
  QTest::keyClicks(&Child<QLineEdit>(dialog, "separator_edit"), ";");
  Child<QLineEdit>(dialog, "mark_edit").setText(QStringLiteral("◆"));
  Click(dialog, "delete_mark_radio");
  Click(dialog, "cancel_button");
  QVERIFY(!Accepted(dialog));
  QCOMPARE(settings_.line_field_mode, 1);
  QCOMPARE(settings_.field_range_type, 2);
  QCOMPARE(settings_.field_min, 7);
  QCOMPARE(session_.separator_typed, QStringLiteral(";"));
  // The mark and its handling wait for "実行(F5)".
  QCOMPARE(settings_.line_head_mark, Sjis("♀"));
  QVERIFY(!session_.delete_mark);
}

void RubyCommandDialogsTest::LineFieldDialogRefusals_data() {
  QTest::addColumn<QString>("mode");
  QTest::addColumn<QString>("mark");
  QTest::addColumn<QString>("separator");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("message");
  QTest::newRow("no mark") << "lines_radio"
                           << ""
                           << ""
                           << "ご注意！"
                           << "行頭マーク文字列を指定して下さい。";
  QTest::newRow("no separator") << "fields_radio"
                                << ""
                                << ""
                                << "ご注意！"
                                << "フィールド・セパレーターを指定して下さい。";
  QTest::newRow("double-byte separator")
      << "fields_radio"
      << ""
      << "、"
      << "ご注意"
      << "フィールド・セパレーターは\n半角１字です。\n（タブは \\t）";
  QTest::newRow("reversed fields")
      << "fields_radio"
      << ""
      << ","
      << "ご注意！"
      << "フィールドは 左欄＜右欄 となるように，数値をセットして下さい。";
  QTest::newRow("unencodable mark") << "lines_radio"
                                    << "😀"
                                    << ""
                                    << "ご注意!!"
                                    << "文字「😀」（U+1F600） は Shift_JIS で表せません。\n"
                                       "別の文字にしてください。";
}

void RubyCommandDialogsTest::LineFieldDialogRefusals() {
  QFETCH(QString, mode);
  QFETCH(QString, mark);
  QFETCH(QString, separator);
  QFETCH(QString, title);
  QFETCH(QString, message);
  settings_.field_range_type = 1;
  settings_.field_min = 3;
  settings_.field_max = 2;
  app::LineFieldDialog dialog(settings_, session_, {}, messenger_, {});
  Click(dialog, mode.toLatin1().constData());
  Child<QLineEdit>(dialog, "mark_edit").setText(mark);
  Child<QLineEdit>(dialog, "separator_edit").setText(separator);
  Click(dialog, "run_button");
  QVERIFY(!Accepted(dialog));
  QVERIFY(Showed(messenger_, title.toStdString(), message.toStdString()));
}

void RubyCommandDialogsTest::LineFieldSeparatorEntry_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("code");
  QTest::newRow("tab") << "\\t"
                       << "\\t"
                       << "0x09";
  QTest::newRow("backslash before another letter") << "\\x"
                                                   << "\\"
                                                   << "0x5C";
  QTest::newRow("comma") << ","
                         << ","
                         << "0x2C";
}

void RubyCommandDialogsTest::LineFieldSeparatorEntry() {
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(QString, code);
  app::LineFieldDialog dialog(settings_, session_, {}, messenger_, {});
  Click(dialog, "fields_radio");
  QTest::keyClicks(&Child<QLineEdit>(dialog, "separator_edit"), typed);
  QCOMPARE(Child<QLineEdit>(dialog, "separator_edit").text(), shown);
  QCOMPARE(Child<QLabel>(dialog, "separator_code_label").text(), code);
}

void RubyCommandDialogsTest::LineFieldDialogShowsTheCaretField() {
  // ソ ends in 0x5C, the backslash: no separator.
  app::LineFieldDialog dialog(settings_, session_, QStringLiteral("漢字\\ソ\\読み"), messenger_,
                              {});
  QCOMPARE(Child<QLabel>(dialog, "caret_field_label").text(),
           QStringLiteral("・現ｶ-ｿﾙは<1>field."));
  Click(dialog, "fields_radio");
  QTest::keyClicks(&Child<QLineEdit>(dialog, "separator_edit"), "\\");
  QCOMPARE(Child<QLabel>(dialog, "caret_field_label").text(),
           QStringLiteral("・現ｶ-ｿﾙは<3>field."));
}

void RubyCommandDialogsTest::LineFieldMarkDeletionIsCheckedOnChange() {
  app::LineFieldDialog dialog(settings_, session_, {}, messenger_, {});
  QTest::keyClicks(&Child<QLineEdit>(dialog, "mark_edit"), ",");
  QVERIFY(messenger_.records.empty());  // the mark is kept: a comma does no harm
  Click(dialog, "delete_mark_radio");
  QCOMPARE(messenger_.records.size(), std::size_t{1});
  QCOMPARE(messenger_.records[0].title, std::string("ご注意!!"));
  QVERIFY(messenger_.records[0].text.starts_with("マーク文字列中に"));
  Click(dialog, "run_button");
  QVERIFY(!Accepted(dialog));
  QCOMPARE(messenger_.records.size(), std::size_t{2});
}

void RubyCommandDialogsTest::NonRubyAreaDialogStoresStringsOnConfirm() {
  app::NonRubyAreaDialog dialog(settings_, messenger_);
  QVERIFY(Child<QRadioButton>(dialog, "on_radio").isChecked());
  QCOMPARE(Child<QLineEdit>(dialog, "start_edit").text(), QStringLiteral("<HTML>"));
  QVERIFY(!Child<QCheckBox>(dialog, "delete_start_check").isChecked());
  Child<QLineEdit>(dialog, "start_edit").setText(QStringLiteral("【"));
  Child<QLineEdit>(dialog, "end_edit").setText(QStringLiteral("】"));
  Click(dialog, "delete_end_check");
  Click(dialog, "confirm_button");
  QVERIFY(Accepted(dialog));
  QCOMPARE(settings_.no_rb_bgn_str, Sjis("【"));
  QCOMPARE(settings_.no_rb_end_str, Sjis("】"));
  QVERIFY(!dialog.Areas().delete_start);
  QVERIFY(dialog.Areas().delete_end);
  QCOMPARE(dialog.Areas().start, Sjis("【"));
}

void RubyCommandDialogsTest::NonRubyAreaDialogModeTakesEffectAtOnce() {
  app::NonRubyAreaDialog dialog(settings_, messenger_);
  Click(dialog, "off_radio");
  QVERIFY(!Child<QWidget>(dialog, "strings_group").isEnabled());
  Child<QLineEdit>(dialog, "start_edit").setText(QStringLiteral("【"));
  Click(dialog, "cancel_button");
  QVERIFY(!settings_.no_rb_yuko);
  QCOMPARE(settings_.no_rb_bgn_str, std::string("<HTML>"));
}

void RubyCommandDialogsTest::NonRubyAreaDialogRefusesUnencodableStrings() {
  app::NonRubyAreaDialog dialog(settings_, messenger_);
  Child<QLineEdit>(dialog, "end_edit").setText(QStringLiteral("😀"));
  Click(dialog, "confirm_button");
  QVERIFY(!Accepted(dialog));
  QCOMPARE(messenger_.records.size(), std::size_t{1});
  QCOMPARE(settings_.no_rb_end_str, std::string("<BODY>"));
}

void RubyCommandDialogsTest::HelpButtonCallsHelpOrHides() {
  int helped = 0;
  app::GradeDialog with_help(settings_, messenger_, [&helped] { ++helped; });
  Click(with_help, "help_button");
  QCOMPARE(helped, 1);
  app::LevelDialog without_help(settings_, messenger_, {});
  QVERIFY(Child<QPushButton>(without_help, "help_button").isHidden());
}

void RubyCommandDialogsTest::ModalDialogsReturnOnlyAConfirmedChoice() {
  app::ModalRubyCommandDialogs dialogs(nullptr, messenger_, {});
  ClickInNextModal("run_button");
  std::optional<engine::GradeRubyOptions> grade = dialogs.AskGradeRuby(settings_);
  QVERIFY(grade.has_value());
  QCOMPARE(grade->lower_grade, settings_.grade_low);
  ClickInNextModal("cancel_button");
  QVERIFY(!dialogs.AskLineFieldRuby(settings_, session_, {}).has_value());
  ClickInNextModal("confirm_button");
  QVERIFY(dialogs.AskNonRubyAreas(settings_).has_value());
}

QTEST_MAIN(RubyCommandDialogsTest)
#include "ruby_command_dialogs_test.moc"
