// The dialogs of the ruby commands, driven through their controls: each round-trips its
// settings, refuses what the core refuses, and stores only what it stores on cancel.
#include "app/ruby_commands/ruby_command_dialogs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>
#include <memory>

#include "app/ruby_commands/grade_dialog.h"
#include "app/ruby_commands/level_dialog.h"
#include "app/ruby_commands/line_field_dialog.h"
#include "app/ruby_commands/non_ruby_area_dialog.h"
#include "common/settings/settings.h"
#include "tests/app/app_fixtures.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::Sjis;

template <typename Widget>
Widget& Child(QDialog& dialog, const char* name) {
  auto* child = dialog.findChild<Widget*>(name);
  if (!child) qFatal("no control %s", name);
  return *child;
}

void Click(QDialog& dialog, const char* name) { Child<QAbstractButton>(dialog, name).click(); }

// Works the controls as a user would: "name" clicks a button, "name=value" picks an item of a
// box by its index, sets a number box or types into a line.
void Operate(QDialog& dialog, const QStringList& steps) {
  for (const QString& step : steps) {
    const QString name = step.section('=', 0, 0);
    const QString value = step.section('=', 1);
    if (!step.contains('=')) {
      Click(dialog, name.toLatin1().constData());
    } else if (auto* box = dialog.findChild<QComboBox*>(name)) {
      box->setCurrentIndex(value.toInt());
    } else if (auto* number = dialog.findChild<QSpinBox*>(name)) {
      number->setValue(value.toInt());
    } else {
      Child<QLineEdit>(dialog, name.toLatin1().constData()).setText(value);
    }
  }
}

void ClickInNextModal(const char* name) {
  app_testing::AnswerModal<QDialog>([name](QDialog& dialog) { Click(dialog, name); });
}

bool Accepted(const QDialog& dialog) { return dialog.result() == QDialog::Accepted; }

}  // namespace

class RubyCommandDialogsTest : public QObject {
  Q_OBJECT

  common::Settings settings_;
  testing_support::RecordingMessenger messenger_;
  app::RubySessionChoices session_;

  std::unique_ptr<QDialog> Make(const QString& kind) {
    if (kind == "grade") return std::make_unique<app::GradeDialog>(settings_, messenger_, nullptr);
    if (kind == "level") return std::make_unique<app::LevelDialog>(settings_, messenger_, nullptr);
    if (kind == "line") {
      return std::make_unique<app::LineFieldDialog>(settings_, session_, QString(), messenger_,
                                                    nullptr);
    }
    return std::make_unique<app::NonRubyAreaDialog>(settings_, messenger_);
  }

 private slots:
  void init() {
    settings_ = common::Settings();
    messenger_ = testing_support::RecordingMessenger();
    session_ = app::RubySessionChoices();
  }

  void GradeDialogRoundTripsItsSettings() {
    engine::StoreGradeRubyOptions(
        {.range_kind = 1, .lower_grade = 2, .upper_grade = 5, .tag = true, .compound_check = true},
        settings_);
    app::GradeDialog dialog(settings_, messenger_, {});
    QVERIFY(Child<QRadioButton>(dialog, "range_radio").isChecked());
    QCOMPARE(Child<QComboBox>(dialog, "lower_box").currentText(), QStringLiteral("２年"));
    QCOMPARE(Child<QComboBox>(dialog, "upper_box").currentText(), QStringLiteral("５年"));
    QVERIFY(Child<QCheckBox>(dialog, "tag_check").isChecked());
    Operate(dialog, {"above_radio", "lower_box=3", "header_check", "run_button"});
    QVERIFY(Accepted(dialog));
    QCOMPARE(settings_.grade_range_type, 2);
    QCOMPARE(settings_.grade_low, 4);
    QCOMPARE(settings_.grade_ruby_out_flag, 1);
    QCOMPARE(dialog.Options().lower_grade, 4);
    QVERIFY(dialog.Options().compound_check);
  }

  void LevelDialogTakesTheFirstBoxForASingleLevel() {
    app::LevelDialog dialog(settings_, messenger_, {});
    Operate(dialog, {"single_radio", "first_box=11", "run_button"});
    QVERIFY(Accepted(dialog));
    QCOMPARE(settings_.level_range_type, 0);
    QCOMPARE(settings_.level_high, 11);
    QCOMPARE(settings_.level_low, 11);
    QCOMPARE(dialog.Options().second_box, 11);
    app::LevelDialog reopened(settings_, messenger_, {});
    QVERIFY(Child<QRadioButton>(reopened, "single_radio").isChecked());
    QCOMPARE(Child<QComboBox>(reopened, "first_box").currentText(), QStringLiteral("１０級"));
  }

  // Both filter dialogs show the stored first-occurrence choice and store the one confirmed;
  // a cancelled or refused dialog leaves it as it was.
  void FirstOccurrenceIsShownAndStoredOnConfirm_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("stored");
    QTest::newRow("grade, document") << "grade" << QStringList{"first_ruby_box=1", "run_button"}
                                     << 1;
    QTest::newRow("grade, every") << "grade" << QStringList{"first_ruby_box=0", "run_button"}
                                  << 0;
    QTest::newRow("grade, cancelled")
        << "grade" << QStringList{"first_ruby_box=1", "cancel_button"} << 2;
    QTest::newRow("grade, refused")
        << "grade" << QStringList{"range_radio", "lower_box=3", "upper_box=1", "first_ruby_box=1",
                                  "run_button"}
        << 2;
    QTest::newRow("level, document")
        << "level" << QStringList{"single_radio", "first_box=11", "first_ruby_box=1", "run_button"}
        << 1;
  }
  void FirstOccurrenceIsShownAndStoredOnConfirm() {
    QFETCH(QString, dialog);
    QFETCH(QStringList, steps);
    QFETCH(int, stored);
    settings_.first_ruby = 2;
    std::unique_ptr<QDialog> shown = Make(dialog);
    QCOMPARE(Child<QComboBox>(*shown, "first_ruby_box").currentIndex(), 2);
    Operate(*shown, steps);
    QCOMPARE(settings_.first_ruby, stored);
  }

  void LineFieldDialogRoundTripsItsSettings() {
    session_.separator_typed = "\\t";
    app::LineFieldDialog dialog(settings_, session_, {}, messenger_, {});
    QCOMPARE(Child<QLineEdit>(dialog, "mark_edit").text(), QStringLiteral("♀"));
    Operate(dialog, {"both_radio", "mark_edit=◆", "delete_mark_radio", "field_range_radio",
                     "first_field_box=2", "second_field_box=4", "run_button"});
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

  void LineFieldDialogKeepsImmediateChoicesOnCancel() {
    app::LineFieldDialog dialog(settings_, session_, {}, messenger_, {});
    Operate(dialog, {"fields_radio", "after_radio", "first_field_box=7"});
    QTest::keyClicks(&Child<QLineEdit>(dialog, "separator_edit"), ";");
    Operate(dialog, {"mark_edit=◆", "delete_mark_radio", "cancel_button"});
    QVERIFY(!Accepted(dialog));
    QCOMPARE(settings_.line_field_mode, 1);
    QCOMPARE(settings_.field_range_type, 2);
    QCOMPARE(settings_.field_min, 7);
    QCOMPARE(session_.separator_typed, QStringLiteral(";"));
    // The mark and its handling wait for "実行(F5)".
    QCOMPARE(settings_.line_head_mark, Sjis("♀"));
    QVERIFY(!session_.delete_mark);
  }

  // Every dialog starts from stored values that no box can show (NENSITA 9, 級外) and from a
  // reversed field range: a row that does not choose anew is refused for them.
  void DialogsRefuseWhatTheCoreRefuses_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    auto row = [](const char* name, QString dialog, QStringList steps, QString title,
                  QString text) { QTest::newRow(name) << dialog << steps << title << text; };
    row("grade range reversed", "grade", {"range_radio", "lower_box=3", "upper_box=1"}, "ご確認！",
        "右欄の学年は左欄の学年より上にして下さい。");
    row("grade no box shows", "grade", {}, "ご注意！",
        "設定 NENSITA の値 9 は範囲外です。\n\n設定を確認してください。");
    row("level range reversed", "level", {"range_radio", "first_box=2", "second_box=2"},
        "ご注意！！",
        "級の範囲の設定が不正です。\n\n　下位級(易) ～ 上位級(難) \n\nの順に設定してください。");
    row("level box without level", "level", {}, "ご注意！！",
        "級の指定がありません。\n\n確認してください。");
    row("no mark", "line", {"lines_radio", "mark_edit="}, "ご注意！",
        "行頭マーク文字列を指定して下さい。");
    row("no separator", "line", {"fields_radio"}, "ご注意！",
        "フィールド・セパレーターを指定して下さい。");
    row("double-byte separator", "line", {"fields_radio", "separator_edit=、"}, "ご注意",
        "フィールド・セパレーターは\n半角１字です。\n（タブは \\t）");
    row("reversed fields", "line", {"fields_radio", "separator_edit=,"}, "ご注意！",
        "フィールドは 左欄＜右欄 となるように，数値をセットして下さい。");
    row("unencodable mark", "line", {"lines_radio", "mark_edit=😀"}, "ご注意!!",
        "文字「😀」（U+1F600） は Shift_JIS で表せません。\n別の文字にしてください。");
    row("unencodable area string", "areas", {"end_edit=😀"}, "ご注意!!",
        "文字「😀」（U+1F600） は Shift_JIS で表せません。\n別の文字にしてください。");
  }

  void DialogsRefuseWhatTheCoreRefuses() {
    QFETCH(QString, dialog);
    QFETCH(QStringList, steps);
    QFETCH(QString, title);
    QFETCH(QString, text);
    settings_.grade_low = 9;
    settings_.level_low = 12;
    settings_.field_range_type = 1;
    settings_.field_min = 3;
    settings_.field_max = 2;
    std::unique_ptr<QDialog> shown = Make(dialog);
    Operate(*shown, steps << (dialog == "areas" ? "confirm_button" : "run_button"));
    QVERIFY(!Accepted(*shown));
    QVERIFY(app_testing::Showed(messenger_, title.toStdString(), text.toStdString()));
  }

  // F5 runs each ruby command's dialog, whatever its run button's caption says: the key goes to
  // the dialog once it is the active window, as a key typed there does.
  void F5RunsEveryDialog_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("grade") << "grade" << QStringList{"above_radio", "lower_box=3"};
    QTest::newRow("level") << "level" << QStringList{"range_radio", "first_box=5", "second_box=2"};
    QTest::newRow("line") << "line" << QStringList{"lines_radio", "mark_edit=■"};
  }
  void F5RunsEveryDialog() {
    QFETCH(QString, dialog);
    QFETCH(QStringList, steps);
    std::unique_ptr<QDialog> shown = Make(dialog);
    Operate(*shown, steps);
    shown->show();
    shown->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown.get()));
    QTest::keyClick(shown->windowHandle(), Qt::Key_F5);
    // A button's key clicks it as the mouse would, after showing it pressed.
    QTRY_VERIFY2(Accepted(*shown),
                 messenger_.records.empty() ? "not run" : messenger_.records.back().text.c_str());
  }

  void LineFieldSeparatorEntry_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("code");
    QTest::newRow("tab") << "\\t" << QString("\\t") << "0x09";
    QTest::newRow("backslash before another letter") << "\\x" << QString("\\") << "0x5C";
    QTest::newRow("comma") << "," << QString(",") << "0x2C";
    QTest::newRow("a second character stays") << ",;" << QString(",;") << "0x2C";
  }

  void LineFieldSeparatorEntry() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, code);
    app::LineFieldDialog dialog(settings_, session_, {}, messenger_, {});
    Click(dialog, "fields_radio");
    QTest::keyClicks(&Child<QLineEdit>(dialog, "separator_edit"), typed);
    QCOMPARE(Child<QLineEdit>(dialog, "separator_edit").text(), shown);
    QCOMPARE(Child<QLabel>(dialog, "separator_code_label").text(), code);
  }

  void LineFieldDialogShowsTheCaretField() {
    // ソ ends in 0x5C, the backslash: no separator.
    app::LineFieldDialog dialog(settings_, session_, QStringLiteral("漢字\\ソ\\読み"), messenger_,
                                {});
    QCOMPARE(Child<QLabel>(dialog, "caret_field_label").text(), QString("・現ｶ-ｿﾙは<1>field."));
    Click(dialog, "fields_radio");
    QTest::keyClicks(&Child<QLineEdit>(dialog, "separator_edit"), "\\");
    QCOMPARE(Child<QLabel>(dialog, "caret_field_label").text(), QString("・現ｶ-ｿﾙは<3>field."));
  }

  void LineFieldMarkDeletionIsCheckedOnChange() {
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

  void NonRubyAreaDialogStoresStringsOnConfirm() {
    app::NonRubyAreaDialog dialog(settings_, messenger_);
    Operate(dialog, {"start_edit=【", "end_edit=】", "delete_end_check", "confirm_button"});
    QVERIFY(Accepted(dialog));
    QCOMPARE(settings_.no_rb_bgn_str, Sjis("【"));
    QCOMPARE(settings_.no_rb_end_str, Sjis("】"));
    QCOMPARE(dialog.Areas().start, Sjis("【"));
    QVERIFY(!dialog.Areas().delete_start);
    QVERIFY(dialog.Areas().delete_end);
  }

  void NonRubyAreaDialogModeTakesEffectAtOnce() {
    app::NonRubyAreaDialog dialog(settings_, messenger_);
    Operate(dialog, {"off_radio", "start_edit=【", "cancel_button"});
    QVERIFY(!settings_.no_rb_yuko);
    QCOMPARE(settings_.no_rb_bgn_str, std::string("<HTML>"));  // the strings wait for "確定"
  }

  void HelpButtonCallsHelpOrHides() {
    int helped = 0;
    app::GradeDialog with_help(settings_, messenger_, [&helped] { ++helped; });
    Click(with_help, "help_button");
    QCOMPARE(helped, 1);
    app::LevelDialog without_help(settings_, messenger_, {});
    QVERIFY(Child<QPushButton>(without_help, "help_button").isHidden());
  }

  void ModalDialogsReturnOnlyAConfirmedChoice() {
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
};

QTEST_MAIN(RubyCommandDialogsTest)
#include "ruby_command_dialogs_test.moc"
