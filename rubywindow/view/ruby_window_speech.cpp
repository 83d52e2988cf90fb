// The ruby window's text as it is read aloud: never the notation itself, which no reader of the
// page sees and a voice would spell out.
#include "common/settings.h"
#include "common/view/sjis_codec.h"
#include "rubywindow/view/ruby_window.h"
#include "speech/spoken_ruby_text.h"

namespace rubywindow::view {

std::optional<QString> RubyWindow::SpokenText(const QString& text) {
  common::view::Unencodable bad;
  std::optional<std::string> sjis = common::view::EncodeSjis(text, &bad);
  if (!sjis) {
    TellUnencodable(bad);
    return std::nullopt;
  }
  speech::SpokenPart part = context_.settings->read_ruby_readings != 0
                                ? speech::SpokenPart::kReadings
                                : speech::SpokenPart::kBases;
  return common::view::DecodeSjis(speech::SpokenRubyText(*sjis, part));
}

}  // namespace rubywindow::view
