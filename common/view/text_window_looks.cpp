// The text windows' place and size, printing, margins, font, colours and tab width.
#include <QAction>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <optional>

#include "common/settings/settings.h"
#include "common/view/choosers.h"
#include "common/view/colour_value.h"
#include "common/view/display_dialogs.h"
#include "common/view/messages.h"
#include "common/view/print_area_dialog.h"
#include "common/view/qt_text.h"
#include "common/view/text_pane.h"
#include "common/view/text_printer.h"
#include "common/view/text_window.h"

namespace common::view {

namespace {

common::PrintMargins MarginsOf(const Settings& settings) {
  return {settings.margin_left, settings.margin_top, settings.margin_right, settings.margin_bottom};
}

// A colour asked for from `current`, as the settings hold colours; nullopt on Cancel.
std::optional<int> ChosenColour(Choosers& choosers, QWidget* parent, int current) {
  std::optional<QColor> colour = choosers.ChooseColour(parent, ColourOfBgr(current));
  if (!colour) return std::nullopt;
  return BgrOfColour(*colour);
}

// A stored place from another screen or scale factor is brought onto the screen the window
// opens on, whole, so that its title and status bar can always be reached.
QRect FittedToScreen(QRect place) {
  QScreen* screen = QGuiApplication::screenAt(place.center());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return place;
  QRect room = screen->availableGeometry();
  place.setWidth(std::min(place.width(), room.width()));
  place.setHeight(std::min(place.height(), room.height()));
  place.moveLeft(std::clamp(place.left(), room.left(), room.right() + 1 - place.width()));
  place.moveTop(std::clamp(place.top(), room.top(), room.bottom() + 1 - place.height()));
  return place;
}

}  // namespace

WindowLooks LooksOf(const Settings& settings, const WindowLooksKeys& keys) {
  return {settings.*keys.top,         settings.*keys.left,        settings.*keys.height,
          settings.*keys.width,       settings.*keys.font_name,   settings.*keys.font_size,
          settings.*keys.font_colour, settings.*keys.edit_colour, settings.*keys.tab_width};
}

void StoreLooks(Settings& settings, const WindowLooksKeys& keys, const WindowLooks& looks) {
  settings.*keys.top = looks.top;
  settings.*keys.left = looks.left;
  settings.*keys.height = looks.height;
  settings.*keys.width = looks.width;
  settings.*keys.font_name = looks.font_name;
  settings.*keys.font_size = looks.font_size;
  settings.*keys.font_colour = looks.font_colour;
  settings.*keys.edit_colour = looks.edit_colour;
  settings.*keys.tab_width = looks.tab_width;
}

// A window that names these captions otherwise renames its actions after construction.
void TextWindow::AddPrintAndLooksActions() {
  AddActions({
      {.name = "printText",
       .caption = tr("印刷(&P)..."),
       .key = QKeySequence(Qt::CTRL | Qt::Key_P),
       .triggered = [this] { PrintDocument(); }},
      {.name = "printPreview",
       .caption = tr("印刷プレビュー(&V)..."),
       .triggered = [this] { PreviewDocument(); }},
      {.name = "printerSetup", .caption = tr("プリンタ設定(&R)...")},
      {.name = "printMargins",
       .caption = tr("印刷余白設定(&D)"),
       .triggered = [this] { ChoosePrintMargins(); }},
      {.name = "chooseFont",
       .caption = tr("フォント設定(&F)"),
       .triggered = [this] { ChooseEditorFont(); }},
      {.name = "chooseTextColour",
       .caption = tr("文字色設定(&C)"),
       .triggered = [this] { ChooseTextColour(); }},
      {.name = "chooseBackground",
       .caption = tr("画面色設定(&H)"),
       .triggered = [this] { ChooseBackgroundColour(); }},
      {.name = "chooseTabWidth",
       .caption = tr("TAB幅設定(&T)"),
       .triggered = [this] { ChooseTabWidth(); }},
  });
  // The printer, its paper and options are chosen in the print dialog itself.
  Named("printerSetup")->setEnabled(false);
}

// The font as set, without the zoom that only the screen shows.
QFont TextWindow::PrintFont() const {
  QFont font = pane_->font();
  if (pane_->EditorFontSize() > 0) font.setPointSize(pane_->EditorFontSize());
  return font;
}

void TextWindow::PrintDocument() {
  QPrinter printer(QPrinter::HighResolution);
  // The job's title; the print dialog also proposes it, in the home folder, for a PDF file.
  printer.setDocName(QStringOfPath(document_path_.filename()));
  if (!services_.choosers->SetUpPrinter(this, printer)) return;
  TellPrintOutcome(PrintText(printer, {pane_->Text(), PrintFont(), pane_->TabStopChars()},
                             MarginsOf(WindowSettings()))
                       .outcome);
}

// The preview lays the pages out again whenever its page set-up changes, and prints through the
// same layout; what went wrong is told once, after it closes.
void TextWindow::PreviewDocument() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QStringOfPath(document_path_.filename()));
  QPrintPreviewDialog preview(&printer, this);
  PrintOutcome outcome = PrintOutcome::kPrinted;
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
    PrintOutcome laid_out = PrintText(*target, {pane_->Text(), PrintFont(), pane_->TabStopChars()},
                                      MarginsOf(WindowSettings()))
                                .outcome;
    if (laid_out != PrintOutcome::kPrinted) outcome = laid_out;
  });
  preview.exec();
  TellPrintOutcome(outcome);
}

void TextWindow::TellPrintOutcome(PrintOutcome outcome) {
  if (outcome == PrintOutcome::kNoRoom) {
    WindowMessenger().Tell({std::string(kTitleCaution), std::string(kPrintNoRoom), Icon::kWarning});
  } else if (outcome == PrintOutcome::kNotStarted) {
    WindowMessenger().Tell(
        {std::string(kTitleCaution), std::string(kPrintNotStarted), Icon::kWarning});
  }
}

void TextWindow::ChoosePrintMargins() {
  PrintAreaDialog dialog(MarginsOf(WindowSettings()), HelpOpener(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  common::PrintMargins margins = dialog.Margins();
  Settings& settings = WindowSettings();
  settings.margin_left = margins.left;
  settings.margin_top = margins.top;
  settings.margin_right = margins.right;
  settings.margin_bottom = margins.bottom;
}

// Neither the font nor the colours are part of the text, so none of these touches its modified
// flag; each goes to the settings at once, so that a program ended any way keeps it.
void TextWindow::ChooseEditorFont() {
  std::optional<QFont> font = services_.choosers->ChooseFont(this, PrintFont());
  if (!font) return;
  pane_->SetEditorQFont(*font);
  StoreCurrentLooks();
}

void TextWindow::ChooseTextColour() {
  if (std::optional<int> bgr = ChosenColour(*services_.choosers, this, pane_->TextColour())) {
    pane_->SetTextColour(*bgr);
    StoreCurrentLooks();
  }
}

void TextWindow::ChooseBackgroundColour() {
  if (std::optional<int> bgr = ChosenColour(*services_.choosers, this, pane_->BackgroundColour())) {
    pane_->SetBackgroundColour(*bgr);
    StoreCurrentLooks();
  }
}

void TextWindow::ChooseTabWidth() {
  TabWidthDialog dialog(pane_->TabStopChars(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  pane_->SetTabStopChars(dialog.TabWidth());
  StoreCurrentLooks();
}

void TextWindow::ApplyLooks(const WindowLooks& looks) {
  QRect place = FittedToScreen(QRect(looks.left, looks.top, looks.width, looks.height));
  move(place.topLeft());
  resize(place.size());
  pane_->SetEditorFont(looks.font_name, looks.font_size);
  pane_->SetTextColour(looks.font_colour);
  pane_->SetBackgroundColour(looks.edit_colour);
  pane_->SetTabStopChars(looks.tab_width);
}

// A maximised or minimised window keeps the place it returns to.
void TextWindow::StoreCurrentLooks() {
  bool normal = !isMaximized() && !isMinimized() && !isFullScreen();
  QRect place = normal ? QRect(pos(), size()) : normalGeometry();
  WindowLooks looks = StoredLooks();
  looks.top = place.top();
  looks.left = place.left();
  looks.height = place.height();
  looks.width = place.width();
  looks.font_name = pane_->EditorFontNameSjis();
  looks.font_size = pane_->EditorFontSize();
  looks.font_colour = pane_->TextColour();
  looks.edit_colour = pane_->BackgroundColour();
  looks.tab_width = pane_->TabStopChars();
  StoreLooks(WindowSettings(), traits_.looks, looks);
}

void TextWindow::ShowStandardSize(QPoint place) {
  showNormal();
  move(place);
  resize(WindowSettings().standard_width, WindowSettings().standard_height);
}

}  // namespace common::view
