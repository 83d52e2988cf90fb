// The shared frame of the text windows: file commands, looks, status panels and the tables
// that build actions, menus and bars.
#include "common/view/text_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>
#include <algorithm>

#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/view/application_menu.h"
#include "common/view/caret_position.h"
#include "common/view/choosers.h"
#include "common/view/key_scheme.h"
#include "common/view/qt_text.h"
#include "common/view/sjis_codec.h"
#include "common/view/status_line.h"
#include "common/view/text_pane.h"

namespace common::view {

namespace fs = std::filesystem;

namespace {

// Marks an action whose key the text keeps for itself (Shift+Enter as a line break).
constexpr const char* kTextKeepsKey = "textKeepsKey";

}  // namespace

TextWindow::TextWindow(const WindowServices& services, const TextWindowTraits& traits,
                       QWidget* parent)
    : QMainWindow(parent), services_(services), traits_(traits), pane_(new TextPane(this)) {
  setCentralWidget(pane_);
  edit_ = new EditCommands(pane_, *services_.search, *services_.messenger, this);
  caret_panel_ = new StatusLine(this);
  file_panel_ = new StatusLine(this);
  caret_panel_->setObjectName(QStringLiteral("caretPanel"));
  file_panel_->setObjectName(QStringLiteral("filePanel"));
  caret_panel_->setMinimumWidth(traits_.caret_panel_width);
  file_panel_->setMinimumWidth(traits_.file_panel_width);
  // A long path takes only the room left over, never that of the panels beside it.
  file_panel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(caret_panel_);
  statusBar()->addWidget(file_panel_, 1);
  connect(pane_, &TextPane::caretMoved, this, &TextWindow::RefreshCaretDisplay);
  connect(pane_, &TextPane::fileDropped, this,
          [this](const QString& file) { OpenNamedFile(PathOfQString(file)); });
  setAcceptDrops(true);
  recent_menu_ = new QMenu(tr("最近使ったファイル(&L)"), this);
  recent_menu_->menuAction()->setObjectName(QString::fromLatin1(kRecentFilesMenu));
  connect(recent_menu_, &QMenu::aboutToShow, this, &TextWindow::FillRecentFilesMenu);
  connect(pane_->document(), &QTextDocument::modificationChanged, this, &TextWindow::RefreshTitle);
  // Zooming lasts until the program ends: it never reaches the settings. Ctrl+= is Ctrl++
  // without the Shift key on most keyboards.
  const QList<QKeySequence> zoom_in{QKeySequence(QKeySequence::ZoomIn),
                                    QKeySequence(Qt::CTRL | Qt::Key_Equal)};
  AddActions({{.name = "zoomIn",
               .caption = tr("拡大"),
               .key = zoom_in.front(),
               .triggered = [this] { pane_->Zoom(1); }},
              {.name = "zoomOut",
               .caption = tr("縮小"),
               .key = QKeySequence(QKeySequence::ZoomOut),
               .triggered = [this] { pane_->Zoom(-1); }},
              {.name = "desktopKeys",
               .caption = tr("デスクトップ標準のキー(&K)"),
               .hint = tr("Ctrl+Z で元に戻す、Ctrl+Y でやり直し、Ctrl+W で閉じる、Ctrl+Q で終了"),
               .toggled = [this](bool on) { ChooseKeyScheme(on); }}});
  SetSchemeKeys(Named("zoomIn"), {zoom_in, zoom_in}, KeyScheme::kProgram);
  AddStandardActions();
  AddPrintAndLooksActions();
  AddSpeechActions();
  UseKeySchemeOfSettings();
  KeepUnsavedCopies();
}

TextWindow::~TextWindow() = default;

bool TextWindow::IsModified() const { return pane_->IsModified(); }

// Files.

void TextWindow::SetDocumentPath(const fs::path& path) {
  document_path_ = path;
  RefreshTitle();
  DocumentPathChanged();
  RefreshCaretDisplay();
}

// A window holding unsaved changes says so with a "*" before its title.
void TextWindow::RefreshTitle() {
  QString title = TitleFor(document_path_);
  setWindowTitle(pane_->IsModified() ? u'*' + title : title);
}

bool TextWindow::LoadDocument(const fs::path& path) {
  std::optional<LoadedText> loaded = LoadTextFile(path, WindowMessenger());
  if (!loaded) return false;
  pane_->setPlainText(loaded->text);
  form_ = loaded->form;
  pane_->ApplyLoadCapacity(SjisByteLength(loaded->text), WindowSettings().edit_area_extra);
  return true;
}

void TextWindow::NewDocument() {
  if (!ClearedForOtherText()) return;
  pane_->clear();
  pane_->SetModified(false);
  form_ = {};
  pane_->setFocus();
  SetDocumentPath(NewDocumentPath());
}

void TextWindow::OpenDocument() {
  if (!ClearedForOtherText()) return;
  std::optional<QString> chosen = services_.choosers->OpenFileName(
      this, QStringOfUtf8(traits_.files.open_dialog_title),
      QStringOfPath(WindowSettings().user_path), QtFilterOf(traits_.files.file_filter));
  if (!chosen) return;
  (void)OpenDocumentFile(PathOfQString(*chosen));  // a failure has shown its message
}

void TextWindow::OpenNamedFile(const fs::path& path) {
  if (!ClearedForOtherText()) return;
  (void)OpenDocumentFile(path);  // a failure has shown its message
}

// A file dropped on the toolbar or the status bar opens as one dropped on the text.
void TextWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TextWindow::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    event->acceptProposedAction();
    OpenNamedFile(PathOfQString(url.toLocalFile()));
    return;
  }
}

bool TextWindow::OpenDocumentFile(const fs::path& path) {
  WindowSettings().user_path = path.parent_path();
  pane_->SetTabStopChars(StoredLooks().tab_width);
  if (!LoadDocument(path)) return false;
  SetDocumentPath(path);
  RememberRecent(path);
  ShowFileStatus(traits_.files.opened_status, path);
  pane_->setFocus();
  pane_->SetModified(false);
  return true;
}

bool TextWindow::Save() {
  if (!pane_->IsModified()) {
    Tell(traits_.files.not_edited, std::string(traits_.files.not_edited.text));
    return false;
  }
  return SaveEdited();
}

bool TextWindow::SaveEdited() {
  std::optional<fs::path> target = OverwriteTarget();
  if (!target) return SaveAs();
  if (!traits_.files.save_path_title.empty()) {
    WindowMessenger().Tell(
        {std::string(traits_.files.save_path_title), target->string(), Icon::kInformation});
  }
  return ClearReadOnlyIfAsked(*target) && WriteDocument(*target);
}

bool TextWindow::SaveAs() {
  if (pane_->Text().isEmpty()) {
    Tell(traits_.files.nothing_to_save, std::string(traits_.files.nothing_to_save.text));
    return false;
  }
  fs::path proposed = WindowSettings().user_path / document_path_.filename();
  std::optional<QString> chosen = services_.choosers->SaveFileName(
      this, QStringOfUtf8(traits_.files.save_dialog_title), QStringOfPath(proposed),
      QtFilterOf(traits_.files.file_filter));
  if (!chosen) return false;
  fs::path path = PathOfQString(*chosen);
  WindowSettings().user_path = path.parent_path();
  if (!ClearReadOnlyIfAsked(path) || !WriteDocument(path)) return false;
  SetDocumentPath(path);
  RememberRecent(path);
  return true;
}

// A read-only target is written only when the user agrees to make it writable. True when the
// file may be written (also when it is not read-only or does not exist).
bool TextWindow::ClearReadOnlyIfAsked(const fs::path& path) {
  if (!FileExists(path) || !IsReadOnly(path)) return true;
  const FixedMessage& question = traits_.files.read_only;
  Answer answer = WindowMessenger().Ask(
      {std::string(question.title), FormatMessage(question.text, {path.string()}), question.icon},
      Buttons::kOkCancel);
  if (answer != Answer::kOk) return false;
  if (ClearReadOnly(path)) return true;
  Tell(traits_.files.read_only_kept,
       FormatMessage(traits_.files.read_only_kept.text, {path.string()}));
  return false;
}

bool TextWindow::WriteDocument(const fs::path& path) {
  if (!SaveTextFile(path, pane_->Text(), form_, WindowMessenger())) return false;
  ShowFileStatus(traits_.files.saved_status, path);
  pane_->SetModified(false);
  return true;
}

// Before New and Open.
bool TextWindow::ClearedForOtherText() {
  return ConfirmUnsaved(traits_.files.unsaved_title, traits_.files.unsaved_before_open) !=
         Answer::kCancel;
}

// Yes saves first; a save that does not happen turns the answer into Cancel, so that the text
// is never thrown away unsaved.
Answer TextWindow::ConfirmUnsaved(std::string_view title, std::string_view question) {
  if (!pane_->IsModified()) return Answer::kNo;
  if (question.empty()) question = traits_.files.unsaved_text;
  Answer answer = WindowMessenger().Ask(
      {std::string(title), std::string(question), Icon::kQuestion}, Buttons::kYesNoCancel);
  if (answer == Answer::kYes && !SaveEdited()) return Answer::kCancel;
  return answer;
}

void TextWindow::ShowFileStatus(std::string_view pattern, const fs::path& path) {
  file_panel_->setText(QStringOfUtf8(FormatMessage(pattern, {path.string()})));
}

void TextWindow::Tell(const FixedMessage& message, std::string text) {
  WindowMessenger().Tell({std::string(message.title), std::move(text), message.icon});
}

// Actions, menus and bars.

void TextWindow::ChooseKeyScheme(bool desktop_keys) {
  WindowSettings().desktop_keys = desktop_keys;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<TextWindow*>(widget);
    if (window != nullptr && window->services_.settings == services_.settings) {
      window->UseKeySchemeOfSettings();
    }
  }
}

// The editor leaves every key of the window's actions to them, except the few that the text
// keeps for itself.
void TextWindow::UseKeySchemeOfSettings() {
  KeyScheme scheme = KeySchemeOf(WindowSettings());
  QAction* choice = Named("desktopKeys");
  {
    const QSignalBlocker quiet(choice);
    choice->setChecked(scheme == KeyScheme::kDesktop);
  }
  ApplyKeyScheme(actions(), scheme);
  QList<QKeySequence> reserved;
  for (QAction* action : actions()) {
    if (!action->property(kTextKeepsKey).toBool()) reserved += action->shortcuts();
  }
  pane_->SetReservedShortcuts(reserved);
}

void TextWindow::AddActions(const std::vector<ActionRow>& rows) {
  for (const ActionRow& row : rows) {
    auto* action = new QAction(row.caption, this);
    action->setObjectName(QString::fromLatin1(row.name));
    if (!row.hint.isEmpty()) {
      action->setToolTip(row.hint);
      action->setStatusTip(row.hint);
    }
    if (!row.icon.isNull()) action->setIcon(row.icon);
    if (!row.icon_text.isEmpty()) action->setIconText(row.icon_text);
    QList<QKeySequence> keys;
    if (!row.key.isEmpty()) keys.append(row.key);
    SetSchemeKeys(action, {keys, row.desktop_keys.value_or(keys)}, KeySchemeOf(WindowSettings()));
    if (row.text_keeps_key) {
      action->setProperty(kTextKeepsKey, true);
    } else {
      for (const QKeySequence& key : action->shortcuts()) pane_->ReserveShortcut(key);
    }
    if (row.toggled) {
      action->setCheckable(true);
      action->setChecked(true);
      connect(action, &QAction::toggled, this, row.toggled);
    }
    if (row.triggered) connect(action, &QAction::triggered, this, row.triggered);
    addAction(action);  // the key works whether or not a menu shows the action
  }
}

// Ctrl+S saves under either set of keys; under the desktop's Ctrl+W closes the window.
void TextWindow::AddStandardActions() {
  using K = QKeySequence;
  const StandardRows& rows = traits_.rows;
  QStyle* look = style();
  std::vector<ActionRow> table;
  if (rows.has_new) {
    table.push_back({.name = "newFile",
                     .caption = tr("新規作成(&N)"),
                     .hint = QStringOfUtf8(rows.new_hint),
                     .icon = look->standardIcon(QStyle::SP_FileIcon),
                     .triggered = [this] { NewDocument(); }});
  }
  table.push_back({.name = "openFile",
                   .caption = tr("開く(&O)..."),
                   .key = K(Qt::CTRL | Qt::Key_O),
                   .hint = QStringOfUtf8(rows.open_hint),
                   .icon = look->standardIcon(QStyle::SP_DialogOpenButton),
                   .triggered = [this] { OpenDocument(); }});
  table.push_back({.name = "saveFile",
                   .caption = tr("上書き保存(&S)"),
                   .key = K(Qt::CTRL | Qt::Key_S),
                   .hint = QStringOfUtf8(rows.save_hint),
                   .icon = look->standardIcon(QStyle::SP_DialogSaveButton),
                   .triggered = [this] {
                     if (Save()) SavedByCommand();
                   }});
  table.push_back({.name = "saveAs",
                   .caption = tr("名前をつけて保存(&A)..."),
                   .hint = QStringOfUtf8(rows.save_as_hint),
                   .icon_text = tr("別名"),  // it has no picture: a short name for its button
                   .triggered = [this] {
                     if (SaveAs()) SavedByCommand();
                   }});
  if (rows.has_close) {
    table.push_back({.name = "closeWindow",
                     .caption = tr("閉じる(&C)"),
                     .desktop_keys = {{K(Qt::CTRL | Qt::Key_W)}},
                     .hint = QStringOfUtf8(rows.close_hint),
                     .icon = look->standardIcon(QStyle::SP_DialogCloseButton),
                     .triggered = [this] { close(); }});
  }
  table.push_back({.name = "showToolBar",
                   .caption = rows.tool_bar_caption.empty() ? tr("ﾂｰﾙﾊﾞｰ表示(&B)")
                                                            : QStringOfUtf8(rows.tool_bar_caption),
                   .toggled = [this](bool on) {
                     if (tool_bar_ != nullptr) tool_bar_->setVisible(on);
                   }});
  table.push_back({.name = "wordWrap",
                   .caption = tr("端で折り返す(&L)"),
                   .toggled = [this](bool on) { pane_->SetWordWrap(on); }});
  if (rows.standard_place) {
    table.push_back({.name = "standardSize",
                     .caption = tr("画面規定値(&G)"),
                     .key = K(Qt::SHIFT | Qt::Key_Return),
                     .hint = tr("画面規定値"),
                     .triggered = [this, place = *rows.standard_place] { ShowStandardSize(place); },
                     .text_keeps_key = true});
  }
  AddActions(table);
}

QAction* TextWindow::Named(const char* name) const {
  auto* action = findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  Q_ASSERT_X(action != nullptr, "TextWindow::Named", name);
  return action;
}

// The latest first, each file once, at most kRecentFiles of them.
void TextWindow::RememberRecent(const fs::path& path) {
  if (traits_.recent_files == nullptr) return;
  auto& recent = WindowSettings().*traits_.recent_files;
  std::vector<fs::path> kept{path};
  for (const fs::path& file : recent) {
    if (!file.empty() && file != path) kept.push_back(file);
  }
  kept.resize(recent.size());
  std::copy(kept.begin(), kept.end(), recent.begin());
}

void TextWindow::FillRecentFilesMenu() {
  recent_menu_->clear();
  int number = 0;
  if (traits_.recent_files != nullptr) {
    for (const fs::path& file : WindowSettings().*traits_.recent_files) {
      if (file.empty()) continue;
      ++number;
      QAction* entry =
          recent_menu_->addAction(QStringLiteral("&%1 %2").arg(number).arg(QStringOfPath(file)));
      connect(entry, &QAction::triggered, this, [this, file] { OpenNamedFile(file); });
    }
  }
  if (number == 0) recent_menu_->addAction(tr("（なし）"))->setEnabled(false);
}

QAction* TextWindow::Item(const MenuItem& item) const {
  if (const auto* name = std::get_if<const char*>(&item)) {
    if (std::string_view(*name) == kRecentFilesMenu) return recent_menu_->menuAction();
    return Named(*name);
  }
  return edit_->Action(std::get<EditAction>(item));
}

void TextWindow::FillMenu(QMenu* menu, const MenuGroups& groups) {
  for (const std::vector<MenuItem>& group : groups) {
    if (!menu->isEmpty()) menu->addSeparator();
    for (const MenuItem& item : group) menu->addAction(Item(item));
  }
  connect(menu, &QMenu::aboutToShow, edit_, &EditCommands::UpdateEnabled);
}

QMenu* TextWindow::AddMenu(const QString& caption, const MenuGroups& groups) {
  QMenu* menu = menuBar()->addMenu(caption);
  FillMenu(menu, groups);
  return menu;
}

ApplicationMenu* TextWindow::AddApplicationMenu(const FixedMessage& refused) {
  auto target = [this, refused] {
    // A document not named yet is written where the user's files go.
    fs::path file = document_path_.is_relative() ? WindowSettings().user_path / document_path_
                                                 : document_path_;
    Message refusal{std::string(refused.title), std::string(refused.text), refused.icon};
    return LaunchTarget{file,
                        [this, file] {
                          return SaveTextFile(file, pane_->Text(), form_, WindowMessenger());
                        },
                        refusal};
  };
  auto* applications = new ApplicationMenu(this, services_, target);
  menuBar()->addMenu(applications->Menu());
  return applications;
}

void TextWindow::CreateToolBar(const MenuGroups& groups) {
  tool_bar_ = addToolBar(tr("ツールバー"));
  tool_bar_->setObjectName(QStringLiteral("toolBar"));
  tool_bar_->setMovable(false);
  for (const std::vector<MenuItem>& group : groups) {
    if (!tool_bar_->actions().isEmpty()) tool_bar_->addSeparator();
    for (const MenuItem& item : group) tool_bar_->addAction(Item(item));
  }
}

void TextWindow::CreatePopupMenu(const MenuGroups& groups) {
  popup_ = new QMenu(this);
  FillMenu(popup_, groups);
  pane_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(pane_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    edit_->UpdateEnabled();
    PreparePopupMenu(at);
    popup_->exec(pane_->viewport()->mapToGlobal(at));
  });
}

void TextWindow::RefreshCaretDisplay() { caret_panel_->setText(CaretPositionTextOf(*pane_)); }

// Closing.

bool TextWindow::QueryClose() {
  return ConfirmUnsaved(traits_.files.unsaved_on_close_title) != Answer::kCancel;
}

void TextWindow::CloseWithoutQuery() {
  skip_close_query_ = true;
  close();
}

void TextWindow::closeEvent(QCloseEvent* event) {
  if (!skip_close_query_ && !QueryClose()) {
    event->ignore();
    return;
  }
  StoreCurrentLooks();
  WindowClosing();
  DiscardUnsavedCopy();
  event->accept();
  if (!closed_) {
    closed_ = true;
    emit Closed();
  }
}

}  // namespace common::view
