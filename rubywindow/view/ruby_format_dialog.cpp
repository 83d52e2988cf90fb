// The browser display settings dialog.
#include "rubywindow/view/ruby_format_dialog.h"

#include <QButtonGroup>
#include <QRadioButton>

#include "common/settings/settings.h"
#include "common/view/choosers.h"
#include "common/view/colour_value.h"
#include "common/view/font_fallback.h"
#include "common/view/qt_text.h"
#include "common/view/sjis_codec.h"
#include "rubywindow/html_page_settings.h"
#include "rubywindow/view/ruby_window_session.h"
#include "ui_ruby_format_dialog.h"

namespace rubywindow::view {

namespace {

using common::view::BgrOfColour;
using common::view::ColourOfBgr;

void Paint(QWidget* widget, int foreground_bgr, int background_bgr) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, ColourOfBgr(foreground_bgr));
  palette.setColor(QPalette::Window, ColourOfBgr(background_bgr));
  widget->setPalette(palette);
}

}  // namespace

RubyFormatDialog::RubyFormatDialog(common::Settings& settings, RubyWindowSession& session,
                                   common::view::Choosers& choosers, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::RubyFormatDialog>()),
      alignments_(new QButtonGroup(this)),
      settings_(settings),
      session_(session),
      choosers_(choosers) {
  ui_->setupUi(this);
  CreateAlignmentButtons();
  ui_->detailed->setChecked(session_.detailed_display);
  ui_->lineHeight->setValue(settings_.html_line_spacing);
  ui_->lineBreakMarks->setChecked(settings_.mark_line_breaks != 0);
  ui_->pageBreakMarks->setChecked(settings_.mark_page_breaks != 0);
  ShowDetails(session_.detailed_display);
  ShowChoices();

  connect(ui_->detailed, &QCheckBox::toggled, this, &RubyFormatDialog::ShowDetails);
  connect(ui_->fontButton, &QPushButton::clicked, this, &RubyFormatDialog::ChooseFont);
  connect(ui_->backgroundButton, &QPushButton::clicked, this, &RubyFormatDialog::ChooseBackground);
  connect(ui_->rubyColourButton, &QPushButton::clicked, this, &RubyFormatDialog::ChooseRubyColour);
  connect(ui_->baseColourButton, &QPushButton::clicked, this, &RubyFormatDialog::ChooseBaseColour);
}

RubyFormatDialog::~RubyFormatDialog() = default;

void RubyFormatDialog::CreateAlignmentButtons() {
  for (int index = 0; index < kAlignmentCount; ++index) {
    auto* button = new QRadioButton(
        common::view::QStringOfUtf8(kAlignments[static_cast<std::size_t>(index)].label_utf8),
        ui_->alignmentGroup);
    ui_->alignmentLayout->addWidget(button);
    alignments_->addButton(button, index);
  }
  // An index outside the table (a hand-edited settings file) shows the class the page uses.
  int index = static_cast<int>(&AlignmentOf(settings_.html_ruby_align) - kAlignments.data());
  alignments_->button(index)->setChecked(true);
}

void RubyFormatDialog::done(int result) {
  settings_.html_ruby_align = alignments_->checkedId();
  settings_.html_line_spacing = ui_->lineHeight->value();
  if (result == QDialog::Accepted) {
    session_.detailed_display = ui_->detailed->isChecked();
    settings_.mark_line_breaks = ui_->lineBreakMarks->isChecked() ? 1 : 0;
    settings_.mark_page_breaks = ui_->pageBreakMarks->isChecked() ? 1 : 0;
  }
  QDialog::done(result);
}

void RubyFormatDialog::ChooseFont() {
  QFont current(common::view::DecodeSjis(settings_.html_font_name), settings_.html_font_size);
  std::optional<QFont> font = choosers_.ChooseFont(this, current);
  if (!font) return;
  // The page is Shift_JIS: a family it cannot name keeps the previous one.
  if (std::optional<std::string> name = common::view::EncodeSjis(font->family())) {
    settings_.html_font_name = *name;
  }
  if (font->pointSize() > 0) settings_.html_font_size = font->pointSize();
  // The font dialog has no colour of its own, so the text colour is asked for right after it.
  if (std::optional<int> colour = PickColour(settings_.html_text_color)) {
    settings_.html_text_color = *colour;
  }
  ShowChoices();
}

void RubyFormatDialog::ChooseBackground() {
  if (std::optional<int> colour = PickColour(session_.page_background)) {
    session_.page_background = *colour;
    ShowChoices();
  }
}

void RubyFormatDialog::ChooseRubyColour() {
  if (std::optional<int> colour = PickColour(settings_.html_ruby_color)) {
    settings_.html_ruby_color = *colour;
    ShowChoices();
  }
}

void RubyFormatDialog::ChooseBaseColour() {
  if (std::optional<int> colour = PickColour(settings_.html_base_color)) {
    settings_.html_base_color = *colour;
    ShowChoices();
  }
}

std::optional<int> RubyFormatDialog::PickColour(int bgr) {
  std::optional<QColor> colour = choosers_.ChooseColour(this, ColourOfBgr(bgr));
  if (!colour) return std::nullopt;
  return BgrOfColour(*colour);
}

void RubyFormatDialog::ShowDetails(bool detailed) {
  ui_->details->setVisible(detailed);
  ui_->browserDefaultNote->setVisible(!detailed);
}

// The preview: the font name, a full-width blank and the size in that font and its colours.
void RubyFormatDialog::ShowChoices() {
  QString family = common::view::DecodeSjis(settings_.html_font_name);
  ui_->preview->setText(tr("%1　%2pt").arg(family).arg(settings_.html_font_size));
  ui_->preview->setFont(common::view::EditorFont(family, settings_.html_font_size));
  Paint(ui_->preview, settings_.html_text_color, session_.page_background);
  Paint(ui_->rubySwatch, settings_.html_ruby_color, settings_.html_ruby_color);
  Paint(ui_->baseSwatch, settings_.html_base_color, settings_.html_base_color);
}

}  // namespace rubywindow::view
