// The main text window's part in the dictionary commands: their actions and keys, the label
// that opens the dictionary selection, and what the commands ask of the window.
#include <QAction>
#include <QStatusBar>

#include "app/dictionary_commands/dictionary_commands.h"
#include "app/dictionary_indicator.h"
#include "app/main_text_window.h"
#include "common/view/edit_commands.h"
#include "common/view/key_scheme.h"
#include "common/view/text_pane.h"
#include "engine/commands/dictionary_use.h"
#include "rubywindow/view/ruby_window.h"

namespace app {

// Ctrl+W belongs to the duplicate check here. Searching down again keeps its menu entry and a
// toolbar button, and the find dialog searches either way.
void MainTextWindow::CreateDictionaryActions() {
  using K = QKeySequence;
  DictionaryCommands* tools = dictionary_commands_.get();
  auto run = [tools](void (DictionaryCommands::*command)()) {
    return [tools, command] { (tools->*command)(); };
  };
  AddActions({
      {.name = "dictionarySourceAction",
       .caption = tr("辞書元FILE読込"),
       .triggered = run(&DictionaryCommands::OpenSourceClick)},
      {.name = "dictionaryBuildAction",
       .caption = tr("辞書作成開始"),
       .triggered = run(&DictionaryCommands::BuildClick)},
      {.name = "buildReportAction",
       .caption = tr("エラーメッセージ表示"),
       .triggered = run(&DictionaryCommands::ShowReportClick)},
      {.name = "restoreSourceAction",
       .caption = tr("Preファイルを復元(&B)"),
       .key = K(Qt::CTRL | Qt::ALT | Qt::Key_B),
       .triggered = run(&DictionaryCommands::RestoreClick)},
      {.name = "sortSourceAction",
       .caption = tr("ソート(&S)"),
       .key = K(Qt::CTRL | Qt::ALT | Qt::Key_S),
       .triggered = run(&DictionaryCommands::SortClick)},
      {.name = "duplicateCheckAction",
       .caption = tr("重複チェック(&W)"),
       .key = K(Qt::CTRL | Qt::Key_W),
       .triggered = run(&DictionaryCommands::DuplicateCheckClick)},
      {.name = "dictionarySelectAction",
       .caption = tr("辞書選択"),
       .key = K(Qt::SHIFT | Qt::Key_F8),
       .triggered = run(&DictionaryCommands::RegistryClick)},
      {.name = "readInContextAction",
       .caption = tr("文の流れから読む(MeCab + UniDic)"),
       .hint = tr("外すと、本体辞書の最長一致だけで読みを付けます"),
       .toggled = [this](bool on) {
         WindowSettings().yomi_mode = static_cast<int>(on ? engine::ReadingMode::kContext
                                                          : engine::ReadingMode::kDictionary);
       }},
  });
  // The check mark shows the setting; rows with a check mark start on.
  Named("readInContextAction")
      ->setChecked(WindowSettings().yomi_mode == static_cast<int>(engine::ReadingMode::kContext));
  QAction* search_down = Edit().Action(common::view::EditAction::kFindDown);
  common::view::SetSchemeKeys(search_down, {}, common::view::KeySchemeOf(WindowSettings()));
  search_down->setIconText(tr("次検"));
  Edit().Action(common::view::EditAction::kFindUp)->setIconText(tr("前検"));

  auto* choice = new ClickableLabel(tr("▼使用辞書▼"), this);
  choice->setObjectName("dictionaryChoice");
  choice->setToolTip(tr("「総るび」＆「行＆ﾌｨｰﾙﾄﾞるび」で使う辞書を指定"));
  choice->setCursor(Qt::PointingHandCursor);
  statusBar()->addPermanentWidget(choice);
  connect(choice, &ClickableLabel::clicked, tools, &DictionaryCommands::RegistryClick);
}

bool MainTextWindow::MayDropText() {
  return ConfirmUnsaved(Traits().files.unsaved_title) != common::Answer::kCancel;
}

void MainTextWindow::ReplaceText(const QString& text) { Pane()->ReplaceWholeText(text); }

void MainTextWindow::ShowBuildReport(const std::filesystem::path& report) {
  if (rubywindow::view::RubyWindow* window = NewRubyWindow()) {
    window->ShowBuildReport(report);
    window->activateWindow();
  }
}

void MainTextWindow::ShowDictionaryIndicator(const QString& text) {
  dictionary_indicator_->setText(text);
}

}  // namespace app
