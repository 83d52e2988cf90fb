// The edit control and the shared editing commands, driven as a window drives them.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "common/view/caret_position.h"
#include "common/view/edit_commands.h"
#include "common/view/find_dialog.h"
#include "common/view/line_jump_dialog.h"
#include "common/view/message_box_messenger.h"
#include "common/view/replace_dialog.h"
#include "common/view/text_pane.h"
#include "tests/support/recording_messenger.h"

using namespace common::view;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr std::string_view kNotFoundAfter =
    "検索文字列 < 漢 > は、\n\nカーソル位置より後には\n\n(もう)ありません。";
constexpr std::string_view kNotFoundBefore =
    "検索文字列 < 漢 > は、\n\nカーソル位置より前には\n\n(もう)ありません。";

// A window with one edit control and its commands.
struct Window {
  QMainWindow window;
  TextPane* pane = new TextPane(&window);
  SearchMemory memory;
  testing_support::RecordingMessenger messenger;
  EditCommands commands{pane, memory, messenger, &window};

  explicit Window(const QString& text) {
    window.setCentralWidget(pane);
    window.resize(400, 300);
    pane->setPlainText(text);
  }
  void Trigger(EditAction action) { commands.Action(action)->trigger(); }
  QString Selected() const { return pane->SelectedText(); }
};

// Clipboard data that holds nothing and notes each format it is asked about.
class EmptyClipboardData final : public QMimeData {
 public:
  explicit EmptyClipboardData(QStringList* asked) : asked_(asked) {}
  bool hasFormat(const QString& format) const override {
    asked_->append(format);
    return false;
  }
  QStringList formats() const override { return {}; }

 private:
  QStringList* asked_;
};

}  // namespace

class EditingTest : public QObject {
  Q_OBJECT

 private slots:
  void bytePositionsCountShiftJis() {
    Window w(U("漢ｱa\nb"));
    w.pane->MoveCaretToByte(2);  // ｱ
    QCOMPARE(w.pane->CaretByte(), std::size_t{2});
    QCOMPARE(CaretPositionTextOf(*w.pane), U("1行：(半角)3桁　[ ｱ ] 0xB1"));
    w.pane->SelectBytes(1, 2);  // from the trail byte of 漢 to ｱ: both whole
    QCOMPARE(w.Selected(), U("漢ｱ"));
    QCOMPARE(w.pane->SelectionStartByte(), std::size_t{0});
    QCOMPARE(w.pane->SelectionByteLength(), std::size_t{3});
    w.pane->MoveCaretToByte(5);
    QCOMPARE(w.pane->LogicalLineOfCaret(), 2);
    QCOMPARE(w.pane->TextByteLength(), std::size_t{6});
  }

  // A repeat search steps over the match at the caret, counts Shift_JIS bytes, and says when
  // nothing is left in its direction, leaving the last match selected.
  void repeatSearchStepsThenReportsTheEnd_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QList<int>>("starts");  // the byte where each match found starts
    QTest::newRow("down from the start") << U("漢字漢") << true << QList<int>{4};
    QTest::newRow("up from the end") << U("a漢a漢") << false << QList<int>{4, 1};
  }
  void repeatSearchStepsThenReportsTheEnd() {
    QFETCH(QString, text);
    QFETCH(bool, down);
    QFETCH(QList<int>, starts);
    Window w(text);
    if (!down) w.pane->MoveCaretToEnd();
    w.memory.search = U("漢");
    const EditAction search = down ? EditAction::kFindDown : EditAction::kFindUp;
    for (int start : starts) {
      w.Trigger(search);
      QCOMPARE(w.pane->SelectionStartByte(), static_cast<std::size_t>(start));
      QCOMPARE(w.Selected(), U("漢"));
    }
    QVERIFY(w.messenger.records.empty());
    w.Trigger(search);
    QVERIFY(ShowedOnly(w.messenger, "お知らせ", down ? kNotFoundAfter : kNotFoundBefore));
    QCOMPARE(w.pane->SelectionStartByte(), static_cast<std::size_t>(starts.back()));
  }

  void replaceDialogFindsAtTheCaretWithoutASelection() {
    Window w(U("漢字漢"));
    QVERIFY(w.commands.ReplaceFindNext(U("漢")));
    QCOMPARE(w.pane->SelectionStartByte(), std::size_t{0});
    QVERIFY(w.commands.ReplaceFindNext(U("漢")));  // now a selection: one character on
    QCOMPARE(w.pane->SelectionStartByte(), std::size_t{4});
  }

  void selectionSeesLineFeeds() {
    Window w(U("a,b,c\nd,e"));
    w.pane->SelectBytes(4, 4);
    QCOMPARE(w.Selected(), U("c\nd,"));
    w.Trigger(EditAction::kTakeReplacement);
    QCOMPARE(w.memory.replacement, U("c\nd,"));
  }

  void findDialogTakesTheSelectionAsSearchString() {
    Window w(U("ab漢ab漢"));
    w.pane->SelectBytes(2, 2);
    w.Trigger(EditAction::kFind);
    FindDialog* dialog = w.commands.FindDialogIfShown();
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->Text(), U("漢"));
    QCOMPARE(w.memory.search, U("漢"));
    dialog->FindNextClicked();
    QCOMPARE(w.pane->SelectionStartByte(), std::size_t{6});
    dialog->SetDown(false);
    dialog->FindNextClicked();
    QCOMPARE(w.pane->SelectionStartByte(), std::size_t{2});
    QVERIFY(!w.memory.down);
  }

  void replaceAllThroughTheDialog() {
    Window w(U("a\tb,a\tb,ab"));
    w.Trigger(EditAction::kReplace);
    ReplaceDialog* dialog = w.commands.ReplaceDialogIfShown();
    dialog->SetFindText(U("a^^tb"));
    dialog->SetReplacementText(U("x^^ny"));
    dialog->ReplaceAllClicked();
    QCOMPARE(w.pane->Text(), U("x\ny,x\ny,ab"));
    QCOMPARE(w.memory.search, U("a\tb"));
    QCOMPARE(w.memory.replacement, U("x\ny"));
    QCOMPARE(dialog->FindText(), U("a\tb"));
    QVERIFY(ShowedOnly(w.messenger, "お知らせ",
                       "検索文字列 < a\tb > は、\n\nカーソル位置より後には\n\n(もう)ありません。"));
    w.pane->undo();  // one edit
    QCOMPARE(w.pane->Text(), U("a\tb,a\tb,ab"));
  }

  void replaceSelectsTheSearchLengthAfterTheInsertion() {
    Window w(U("漢ab漢ab"));
    QVERIFY(w.commands.Replace(U("漢"), U("x")));
    QCOMPARE(w.pane->Text(), U("xab漢ab"));
    QCOMPARE(w.Selected(), U("ab"));  // two bytes, as 漢 has
  }

  void commaAndTabConvertOnlyAsciiCommas() {
    Window w(U("a,b，c\td"));
    w.Trigger(EditAction::kCommaToTab);
    QCOMPARE(w.pane->Text(), U("a\tb，c\td"));
    QCOMPARE(w.memory.search, U(","));
    QCOMPARE(w.memory.replacement, U("\t"));
    w.Trigger(EditAction::kTabToComma);
    QCOMPARE(w.pane->Text(), U("a,b，c,d"));
    QVERIFY(w.pane->IsModified());
    w.pane->undo();
    QCOMPARE(w.pane->Text(), U("a\tb，c\td"));
  }

  void jumpCountsLogicalOrDisplayLines() {
    Window w(U("ab\ncd\nef"));
    w.commands.JumpToLine(3, kLogicalLines);
    QCOMPARE(w.pane->CaretByte(), std::size_t{6});
    QCOMPARE(CaretPositionTextOf(*w.pane), U("3行：(半角)1桁　[ e ] 0x65"));
    w.commands.JumpToLine(9, kLogicalLines);
    QCOMPARE(w.pane->CaretByte(), std::size_t{8});
    w.commands.JumpToLine(0, kLogicalLines);
    QCOMPARE(w.pane->CaretByte(), std::size_t{0});
  }

  void displayLinesFollowTheWrapping() {
    Window w(QString(200, u'漢') + U("\nx"));
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    int wrapped = w.pane->DisplayLineOfByte(401);  // the x
    QVERIFY(wrapped > 2);
    w.commands.JumpToLine(2, kDisplayLines);
    QVERIFY(w.pane->CaretByte() > 0 && w.pane->CaretByte() < 400);
    QCOMPARE(w.pane->LogicalLineOfCaret(), 1);
    w.commands.JumpToLine(wrapped, kDisplayLines);
    QCOMPARE(w.pane->CaretByte(), std::size_t{401});
    w.pane->SetWordWrap(false);
    QCOMPARE(w.pane->DisplayLineOfByte(401), 2);
  }

  // The status bar counts the lines and columns of the file, as the check and the line jump
  // do, however the window wraps them; so it never waits for the layout of a long text.
  void caretDisplayShowsTheFilesLineAndColumn() {
    Window w(QString(200, u'漢') + U("\nx"));
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    QVERIFY(w.pane->DisplayLineOfByte(401) > 2);  // the first line wraps
    w.pane->MoveCaretToByte(300);
    QCOMPARE(CaretPositionTextOf(*w.pane), U("1行：(半角)301桁　[ 漢 ] 0x8ABF"));
    w.pane->MoveCaretToByte(401);
    QCOMPARE(CaretPositionTextOf(*w.pane), U("2行：(半角)1桁　[ x ] 0x78"));

    const int lines = 20000;
    Window long_text((QString(150, u'漢') + u'\n').repeated(lines));
    long_text.window.show();
    long_text.pane->MoveCaretToEnd();
    QCOMPARE(CaretPositionTextOf(*long_text.pane), U("%1行：(半角)1桁　[ EOF ]").arg(lines + 1));
  }

  void jumpDialogRemembersLineAndKind() {
    Window w(U("ab\ncd\nef"));
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<LineJumpDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->SetLine(2);
      dialog->accept();
    });
    w.Trigger(EditAction::kJumpToLine);
    QCOMPARE(w.memory.last_line, 2);
    QCOMPARE(w.memory.line_kind, int(kLogicalLines));
    QCOMPARE(w.pane->CaretByte(), std::size_t{3});
  }

  // Qt's own paste from an empty X clipboard ends the program. Whatever the key, the paste must
  // stop at the question whether the clipboard holds text: Qt's paste would go on to ask for
  // rich text.
  void pasteKeysLeaveAClipboardWithoutTextAlone() {
    Window w(U("ab"));
    w.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QStringList asked;
    QApplication::clipboard()->setMimeData(new EmptyClipboardData(&asked));
    w.commands.UpdateEnabled();
    QVERIFY(!w.commands.Action(EditAction::kPaste)->isEnabled());
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_Insert, Qt::ShiftModifier},
        {Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier}};
    for (const auto& [key, modifiers] : keys) QTest::keyClick(w.pane, key, modifiers);
    w.Trigger(EditAction::kPaste);
    QVERIFY2(!asked.contains(QStringLiteral("application/x-qrichtext")),
             qPrintable(asked.join(u',')));
    QCOMPARE(w.pane->Text(), U("ab"));
    QApplication::clipboard()->clear();
  }

  void editMenuEnablesBySelectionAndClipboard() {
    Window w(U("漢字"));
    QApplication::clipboard()->clear();
    w.commands.UpdateEnabled();
    for (EditAction id :
         {EditAction::kCut, EditAction::kCopy, EditAction::kDelete, EditAction::kTakeSearch,
          EditAction::kTakeReplacement, EditAction::kPaste}) {
      QVERIFY(!w.commands.Action(id)->isEnabled());
    }
    w.pane->SelectBytes(0, 2);
    QApplication::clipboard()->setText(U("x"));
    w.commands.UpdateEnabled();
    QVERIFY(w.commands.Action(EditAction::kCopy)->isEnabled());
    QVERIFY(w.commands.Action(EditAction::kPaste)->isEnabled());
    w.Trigger(EditAction::kTakeSearch);
    QCOMPARE(w.memory.search, U("漢"));
  }

  void clearStringsEmptiesMemoryAndDialogs() {
    Window w(U("abc"));
    w.memory.search = U("a");
    w.memory.replacement = U("b");
    w.Trigger(EditAction::kFind);
    w.Trigger(EditAction::kReplace);
    w.Trigger(EditAction::kClearStrings);
    QVERIFY(w.memory.search.isEmpty() && w.memory.replacement.isEmpty());
    QVERIFY(w.commands.FindDialogIfShown()->Text().isEmpty());
    QVERIFY(w.commands.ReplaceDialogIfShown()->FindText().isEmpty());
    QVERIFY(w.commands.ReplaceDialogIfShown()->ReplacementText().isEmpty());
  }

  void windowShortcutsWinOverTheEditorsOwnKeys() {
    Window w(U("abc"));
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    w.pane->setFocus();
    QTest::keyClick(w.pane, Qt::Key_X);
    QTest::keyClick(w.pane, Qt::Key_Home);
    QTest::keyClick(w.pane, Qt::Key_Z, Qt::ControlModifier);  // 文末Jump, not undo
    QCOMPARE(w.pane->Text(), U("xabc"));
    QCOMPARE(w.pane->CaretByte(), std::size_t{4});
    QTest::keyClick(w.pane, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(w.pane->Text(), U("xabc\n"));
  }

  void looksChangeWithoutMarkingTheText() {
    Window w(U("a"));
    w.pane->SetEditorFont("\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E",
                          14);  // ＭＳ ゴシック
    w.pane->SetBackgroundColour(0xFFFACD);
    QCOMPARE(w.pane->EditorFontNameSjis(),
             std::string("\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E"));
    QCOMPARE(w.pane->EditorFontSize(), 14);
    QCOMPARE(w.pane->BackgroundColour(), 0xFFFACD);
    QVERIFY(!w.pane->IsModified());
    QVERIFY(
        QFontDatabase::writingSystems(w.pane->font().family()).contains(QFontDatabase::Japanese));
    w.pane->ApplyLoadCapacity(1000, 10000);
    QCOMPARE(w.pane->Capacity(), kInitialCapacity);
    w.pane->ApplyLoadCapacity(40000, 10000);
    QCOMPARE(w.pane->Capacity(), std::size_t{50000});
  }

  void messageBoxShowsTheMessageAndReturnsTheButton() {
    QWidget parent;
    MessageBoxMessenger messenger(&parent);
    QString shown;
    QTimer::singleShot(0, [&shown] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      shown = box->windowTitle() + u'|' + box->text();
      QCOMPARE(box->icon(), QMessageBox::Question);
      QCOMPARE(box->buttons().size(), 3);
      box->button(QMessageBox::No)->click();
    });
    common::Answer answer = messenger.Ask({"ご確認", "保存しますか？", common::Icon::kQuestion},
                                          common::Buttons::kYesNoCancel);
    QCOMPARE(answer, common::Answer::kNo);
    QCOMPARE(shown, U("ご確認|保存しますか？"));
  }

  // Right after a dialog has closed no window is active; a message then belongs to the window
  // the user worked in last, not to the program's first window, which it would raise.
  void messageStandsOverTheWindowActiveLast() {
    QMainWindow first;
    QMainWindow second;
    MessageBoxMessenger messenger(&first);
    first.show();
    second.show();
    auto* field = new QLineEdit(&second);
    second.setCentralWidget(field);
    QApplication::setActiveWindow(&second);
    field->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&second));
    QApplication::setActiveWindow(nullptr);
    QWidget* over = nullptr;
    QTimer::singleShot(0, [&over] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      over = box->parentWidget();
      box->button(QMessageBox::Ok)->click();
    });
    messenger.Tell({"お知らせ", "x", common::Icon::kInformation});
    QCOMPARE(over, &second);
  }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
