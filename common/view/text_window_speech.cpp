// The text windows' read-aloud commands: the selection or the whole text handed to the program's
// read-aloud, in the form each window says it is spoken.
#include <QAction>
#include <QMenu>
#include <optional>

#include "common/view/text_pane.h"
#include "common/view/text_window.h"
#include "speech/qt/speech_controls.h"
#include "speech/read_aloud.h"

namespace common::view {

void TextWindow::AddSpeechActions() {
  AddActions({
      {.name = "readAloudAction",
       .caption = tr("読み上げる(&Y)"),
       .hint = tr("全文or選択部を読み上げる。"),
       .icon_text = tr("読"),
       .triggered = [this] { ReadAloudClick(); }},
      {.name = "pauseSpeechAction",
       .caption = tr("読み上げを中断する"),
       .hint = tr("読み上げを中断する。"),
       .icon_text = tr("止"),
       .triggered = [this] { PauseSpeechClick(); }},
      {.name = "stopSpeechAction",
       .caption = tr("読み上げを終える"),
       .hint = tr("読み上げを終える。"),
       .icon_text = tr("止"),
       .triggered = [this] { StopSpeechClick(); }},
      {.name = "speechSettingsAction",
       .caption = tr("音声設定(&S)"),
       .triggered = [this] { SpeechSettingsClick(); }},
  });
  for (const char* name :
       {"readAloudAction", "pauseSpeechAction", "stopSpeechAction", "speechSettingsAction"}) {
    Named(name)->setEnabled(services_.speech != nullptr);
  }
}

QMenu* TextWindow::AddSpeechMenu() {
  return AddMenu(tr("音声(&K)"), {{"readAloudAction"}, {"speechSettingsAction"}});
}

std::vector<MenuItem> TextWindow::SpeechButtons() {
  return {"readAloudAction", "pauseSpeechAction", "stopSpeechAction"};
}

void TextWindow::ReadAloudClick() {
  if (services_.speech == nullptr) return;
  speech::ReadAloud& speech = services_.speech->Speech();
  QString text = pane_->SelectedText();
  if (text.isEmpty()) text = pane_->Text();
  // A resume, or reading switched off, would throw the prepared text away.
  if (speech.TakesNewText() && !text.isEmpty()) {
    std::optional<QString> spoken = SpokenText(text);
    if (!spoken) return;
    text = *spoken;
  }
  speech.Read(text.toStdString());
}

void TextWindow::PauseSpeechClick() {
  if (services_.speech != nullptr) services_.speech->Speech().Pause();
}

void TextWindow::StopSpeechClick() {
  if (services_.speech != nullptr) services_.speech->Speech().Stop();
}

void TextWindow::SpeechSettingsClick() {
  if (services_.speech != nullptr) services_.speech->ShowSettingsWindow();
}

}  // namespace common::view
