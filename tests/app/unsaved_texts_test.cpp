// Unsaved text kept aside while it is edited and offered back at the next start: the main
// window and the ruby window, against a store in a scratch folder.
#include "app/unsaved_texts.h"

#include "app/single_instance.h"
#include "common/documents/recovery.h"
#include "tests/app/main_window_fixture.h"

using common::RecoveredText;
using common::TextEncoding;

class UnsavedTextsTest : public MainWindowFixture {
  Q_OBJECT

  std::optional<ScratchDir> state_;
  std::optional<common::RecoveryStore> store_;

  std::optional<RecoveredText> KeptFor(std::string_view window) const {
    for (RecoveredText& text : store_->Left()) {
      if (text.window == window) return text;
    }
    return std::nullopt;
  }

  // A start of the program, as far as the window goes.
  void StartWindow() { window_ = MakeWindow(settings_, program_, &*store_); }

 private slots:
  void init() {
    state_.emplace();
    store_.emplace(state_->Path() / "recovery");
    ResetServices();
    StartWindow();
  }

  void cleanup() { TearDown(); }

  // Typing is copied a moment later, and the copy goes once the text is saved.
  void TypedTextIsKeptUntilSaved() {
    window_->Pane()->insertPlainText(QStringLiteral("作文の下書き"));
    QVERIFY(QTest::qWaitFor([&] { return KeptFor(common::kMainTextCopy).has_value(); }, 5000));
    QCOMPARE(QString::fromStdString(KeptFor(common::kMainTextCopy)->text),
             QStringLiteral("作文の下書き"));

    choosers_.save_answers = {QtPath(*docs_ / "draft.txt")};
    QVERIFY(window_->SaveAs());
    QVERIFY(!KeptFor(common::kMainTextCopy));
  }

  // What a crash left comes back into its windows, unsaved, under its own file names; the
  // exit question then decides, and a "No" there leaves nothing behind.
  void LeftTextsComeBackIntoTheirWindows() {
    const fs::path text_file = *docs_ / "作文.txt";
    const fs::path ruby_file = *docs_ / "作文.srb";
    QVERIFY(store_->Keep({"main", text_file, TextEncoding::kUtf8, "本文\n二行目"}));
    QVERIFY(store_->Keep({"ruby", ruby_file, TextEncoding::kShiftJis, "{本/ほん}{文/ぶん}"}));
    messenger_.Script({Answer::kYes});
    app::OfferUnsavedTexts(*window_, *store_, messenger_);

    QCOMPARE(messenger_.records.size(), std::size_t{1});
    QVERIFY(messenger_.records[0].text.find(text_file.string()) != std::string::npos);
    QVERIFY(messenger_.records[0].text.find(ruby_file.string()) != std::string::npos);
    QCOMPARE(window_->Pane()->toPlainText(), QStringLiteral("本文\n二行目"));
    QVERIFY(window_->IsModified());
    QCOMPARE(window_->CurrentFileName(), text_file);
    QCOMPARE(window_->DocumentEncoding(), TextEncoding::kUtf8);
    rubywindow::view::RubyWindow* ruby = window_->RubyWindowIfOpen();
    QVERIFY(ruby != nullptr);
    QCOMPARE(ruby->Pane()->toPlainText(), QStringLiteral("{本/ほん}{文/ぶん}"));
    QVERIFY(ruby->IsModified());
    QCOMPARE(ruby->DocumentPath(), ruby_file);
    QCOMPARE(store_->Left().size(), std::size_t{2});  // still kept until saved or discarded

    messenger_.default_answer = Answer::kNo;
    QVERIFY(window_->close());
    QVERIFY(store_->Left().empty());
    QVERIFY(!fs::exists(text_file));
  }

  // A run is killed after an edit of story.txt, once the copy has been kept: its lock file and
  // the copy stay behind. The next start is given story.txt, as a file manager starts it. Yes
  // brings the edit back, unsaved, and story.txt is not loaded over it; No discards the copy
  // and opens story.txt as it is on disk. A second start that hands over other.txt while the
  // question is open asks for the same thing later: other.txt takes story.txt's place.
  void AKilledRunsEditWinsOverTheFileArgument_data() {
    QTest::addColumn<bool>("take_back");
    QTest::addColumn<bool>("handed_over");
    QTest::newRow("yes") << true << false;
    QTest::newRow("no") << false << false;
    QTest::newRow("yes, other.txt handed over meanwhile") << true << true;
    QTest::newRow("no, other.txt handed over meanwhile") << false << true;
  }

  void AKilledRunsEditWinsOverTheFileArgument() {
    QFETCH(bool, take_back);
    QFETCH(bool, handed_over);
    const fs::path story = *docs_ / "story.txt";
    const fs::path other = *docs_ / "other.txt";
    const fs::path lock_file = state_->Path() / "TesmaroVR11.lock";
    WriteFile(story, "今日は晴れ。\n");
    WriteFile(other, "別の文章\n");
    {
      app::SingleInstanceLock killed_run(lock_file);
      QCOMPARE(killed_run.Acquire(), app::LockOutcome::kAcquired);
      QVERIFY(window_->OpenFile(story));
      window_->Pane()->moveCursor(QTextCursor::End);
      window_->Pane()->insertPlainText(QStringLiteral("明日は雨。\n"));
      QVERIFY(QTest::qWaitFor([&] { return KeptFor(common::kMainTextCopy).has_value(); }, 5000));
      window_.reset();  // no close, no question: the process is gone, and its lock with it
    }
    QVERIFY(fs::exists(lock_file));

    app::SingleInstanceLock next_run(lock_file);
    QCOMPARE(next_run.Acquire(), app::LockOutcome::kAcquired);
    StartWindow();
    messenger_.Script({take_back ? Answer::kYes : Answer::kNo});
    app::RunStart start(*window_, *store_, messenger_);
    if (handed_over) messenger_.on_ask = [&] { start.HandOver(other); };
    start.Run(story);

    QCOMPARE(messenger_.records.size(), std::size_t{1});
    QVERIFY(messenger_.records[0].text.find(story.string()) != std::string::npos);
    QCOMPARE(ReadFile(story), std::string("今日は晴れ。\n"));
    if (take_back) {
      QCOMPARE(window_->CurrentFileName(), story);
      QCOMPARE(window_->Pane()->toPlainText(), QStringLiteral("今日は晴れ。\n明日は雨。\n"));
      QVERIFY(window_->IsModified());
      QVERIFY(KeptFor(common::kMainTextCopy).has_value());  // until it is saved or discarded
      QCOMPARE(window_->StatusText(1), QStringLiteral("未保存の文章を戻しました。") +
                                           (handed_over ? "other.txt" : "story.txt") +
                                           QStringLiteral(" は読み込んでいません。"));
      QCOMPARE(window_->DocumentEncoding(), TextEncoding::kUtf8);
    } else {
      QCOMPARE(window_->CurrentFileName(), handed_over ? other : story);
      QCOMPARE(window_->Pane()->toPlainText(),
               handed_over ? QStringLiteral("別の文章\n") : QStringLiteral("今日は晴れ。\n"));
      QVERIFY(!window_->IsModified());
      QVERIFY(store_->Left().empty());
    }
  }

  void DecliningDiscardsAndNothingLeftAsksNothing() {
    QVERIFY(store_->Keep({"main", *docs_ / "a.txt", TextEncoding::kShiftJis, "a"}));
    messenger_.Script({Answer::kNo});
    app::OfferUnsavedTexts(*window_, *store_, messenger_);
    QVERIFY(store_->Left().empty());
    QVERIFY(window_->Pane()->toPlainText().isEmpty());
    QVERIFY(!window_->IsModified());

    app::OfferUnsavedTexts(*window_, *store_, messenger_);
    QCOMPARE(messenger_.records.size(), std::size_t{1});
  }
};

QTEST_MAIN(UnsavedTextsTest)
#include "unsaved_texts_test.moc"
