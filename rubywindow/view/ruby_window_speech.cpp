// The ruby window's text as it is read aloud: never the notation itself, which no reader of the
// page sees and a voice would spell out.
#include "common/settings/settings.h"
#include "common/view/sjis_codec.h"
#include "jobs/job_text.h"
#include "rubywindow/view/ruby_window.h"
#include "speech/spoken_ruby_text.h"

namespace rubywindow::view {

std::optional<QString> RubyWindow::SpokenText(const QString& text) {
  std::optional<std::string> sjis =
      jobs::EditedTextInShiftJis(text.toStdString(), DocumentPath(), Messenger());
  if (!sjis) return std::nullopt;
  speech::SpokenPart part = context_.settings->read_ruby_readings != 0
                                ? speech::SpokenPart::kReadings
                                : speech::SpokenPart::kBases;
  return common::view::DecodeSjis(speech::SpokenRubyText(*sjis, part));
}

}  // namespace rubywindow::view
