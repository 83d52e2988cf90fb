// The NNN settings dialog: a template box over the stored list, the legend of the markers and
// the core's preview of the template.
#include "rubywindow/view/nnn_format_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/view/choosers.h"
#include "common/view/dialog_buttons.h"
#include "common/view/sjis_codec.h"
#include "rubywindow/template_list.h"
#include "rubywindow/template_table.h"
#include "rubywindow/view/template_list_dialog.h"

namespace rubywindow::view {

namespace {

using common::view::DecodeSjis;

constexpr int kTemplateMaxCharacters = 128;

}  // namespace

NnnFormatDialog::NnnFormatDialog(common::Settings& settings, NnnChoices& choices,
                                 common::Messenger& messenger, common::view::Choosers& choosers,
                                 QWidget* parent, std::function<void()> open_help)
    : QDialog(parent),
      settings_(settings),
      choices_(choices),
      messenger_(messenger),
      choosers_(choosers) {
  setWindowTitle(tr("ユーザー指定によるルビ書式変換"));
  CreateControls(std::move(open_help));
  FillTemplateCombo(*template_box_, settings_.nnn_templates, settings_.nnn_template);
  show_result_->setChecked(choices_.show_result);
  warn_markers_->setChecked(choices_.warn_markers);
  ShowFont();
  ShowPreview();
  connect(template_box_, &QComboBox::editTextChanged, this, &NnnFormatDialog::ShowPreview);
}

void NnnFormatDialog::CreateControls(std::function<void()> open_help) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      tr("◎ルビの形式を、ユーザー指定の形式に変換。結果は拡張子<nnn>のファイルに出力される。"),
      this));
  layout->addWidget(
      new QLabel(tr("●指定形式(128字以内)と表示例● (長いと表示はカットされます) "), this));
  template_box_ = new QComboBox(this);
  template_box_->setObjectName(QStringLiteral("templateBox"));
  template_box_->setEditable(true);
  template_box_->setInsertPolicy(QComboBox::NoInsert);
  template_box_->lineEdit()->setMaxLength(kTemplateMaxCharacters);
  layout->addWidget(template_box_);
  preview_ = new QLabel(this);
  preview_->setObjectName(QStringLiteral("preview"));
  preview_->setFrameShape(QFrame::Panel);
  preview_->setFrameShadow(QFrame::Sunken);
  preview_->setTextFormat(Qt::PlainText);
  layout->addWidget(preview_);

  auto* legend = new QGridLayout;
  const QStringList entries = {tr("****1 →  漢字部"),         tr("****4 →  ルビ字部"),
                               tr("****2 →  漢字の長さ(バイト)"), tr("****5 →  ルビの長さ(バイト)"),
                               tr("****3 →  漢字の長さ(字数)"),   tr("****6 →  ルビの長さ(字数)")};
  for (int i = 0; i < entries.size(); ++i) {
    legend->addWidget(new QLabel(entries[i], this), i / 2, i % 2);
  }
  font_name_ = new QLabel(this);
  font_size_ = new QLabel(this);
  font_name_->setObjectName(QStringLiteral("fontName"));
  legend->addWidget(font_name_, 3, 0);
  legend->addWidget(font_size_, 3, 1);
  layout->addLayout(legend);
  layout->addWidget(new QLabel(tr("■その他の表現はそのまま文字列として出力されます。"), this));

  show_result_ = new QCheckBox(tr("実行後 .nnn ファイルを表示する"), this);
  warn_markers_ = new QCheckBox(tr("漢字部・ルビかな部の不存在を警告"), this);
  show_result_->setObjectName(QStringLiteral("showResult"));
  warn_markers_->setObjectName(QStringLiteral("warnMarkers"));
  layout->addWidget(show_result_);
  layout->addWidget(warn_markers_);
  layout->addWidget(
      new QLabel(tr("▲フォント名と　 サイズを取得し、****7と ****8に 代入する。"), this));

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* font = buttons->addButton(tr("フォント取得(Ｆ６)"), QDialogButtonBox::ActionRole);
  QPushButton* list = buttons->addButton(tr("リスト編集(Ｆ５)"), QDialogButtonBox::ActionRole);
  QPushButton* run = buttons->addButton(tr("実行(Ｆ８)"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(tr("中止(Esc)"), QDialogButtonBox::RejectRole);
  font->setObjectName(QStringLiteral("fontButton"));
  list->setObjectName(QStringLiteral("listButton"));
  run->setObjectName(QStringLiteral("runButton"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  font->setShortcut(QKeySequence(Qt::Key_F6));
  list->setShortcut(QKeySequence(Qt::Key_F5));
  run->setShortcut(QKeySequence(Qt::Key_F8));
  connect(font, &QPushButton::clicked, this, &NnnFormatDialog::ChooseFont);
  connect(list, &QPushButton::clicked, this, &NnnFormatDialog::EditList);
  common::view::AddHelpButton(*buttons, tr("ヘルプ(F1)"), std::move(open_help),
                              QKeySequence(Qt::Key_F1));
  connect(buttons, &QDialogButtonBox::accepted, this, &NnnFormatDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &NnnFormatDialog::reject);
  layout->addWidget(buttons);
}

void NnnFormatDialog::ShowPreview() {
  NnnOptions options = choices_.options;
  options.template_text = common::view::EncodeSjisLossy(template_box_->currentText());
  preview_->setText(DecodeSjis(NnnPreview(options)));
}

void NnnFormatDialog::ShowFont() {
  font_name_->setText(tr("****7  →  ") + DecodeSjis(choices_.options.font_name));
  font_size_->setText(tr("****8  →  ") + QString::number(choices_.options.font_size));
}

void NnnFormatDialog::ChooseFont() {
  QFont current(DecodeSjis(choices_.options.font_name), choices_.options.font_size);
  std::optional<QFont> chosen = choosers_.ChooseFont(this, current);
  if (!chosen) return;
  std::optional<std::string> name = SjisOrTell(chosen->family(), messenger_);
  if (!name) return;
  choices_.options.font_name = *name;
  choices_.options.font_size = chosen->pointSize();
  ShowFont();
  ShowPreview();
}

void NnnFormatDialog::EditList() {
  if (EditTemplateCombo(*template_box_, messenger_, this)) ShowPreview();
}

// A template without "****1" or "****4" runs only when the warning is answered OK.
void NnnFormatDialog::accept() {
  std::optional<std::string> template_text = SjisOrTell(template_box_->currentText(), messenger_);
  if (!template_text) return;
  choices_.show_result = show_result_->isChecked();
  choices_.warn_markers = warn_markers_->isChecked();
  if (choices_.warn_markers) {
    std::optional<common::Message> question =
        NnnMarkerWarning(ParseTemplate(*template_text, kNnnMarkers));
    if (question && messenger_.Ask(*question, common::Buttons::kOkCancel) != common::Answer::kOk) {
      return;
    }
  }
  choices_.options.template_text = *template_text;
  settings_.nnn_template = *template_text;
  QDialog::accept();
}

void NnnFormatDialog::done(int result) {
  settings_.nnn_templates = StoredList(TemplateItemsOf(*template_box_));
  QDialog::done(result);
}

}  // namespace rubywindow::view
