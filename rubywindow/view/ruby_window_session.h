// What the ruby window's user chooses that the program keeps until it ends but never saves:
// the page settings not in the settings file, the last answers of its dialogs, and the YMI
// and NNN windows it opened.
#pragma once

#include <QPointer>
#include <optional>

#include "rubywindow/html_page_settings.h"
#include "rubywindow/kana_table.h"
#include "rubywindow/view/check_start_dialog.h"
#include "rubywindow/view/nnn_format_dialog.h"
#include "rubywindow/view/output_window.h"
#include "rubywindow/ymi_options.h"

namespace rubywindow::view {

struct RubyWindowSession {
  bool detailed_display = true;  // off: a plain page in the browser's own style
  int page_background = kWhite;  // 0x00BBGGRR
  CheckStart check_start;
  // The YMI and NNN dialogs' last choices; empty until first used.
  std::optional<YmiOptions> ymi;
  std::optional<NnnChoices> nnn;
  // At most one YMI and one NNN window, which outlive the ruby window that opened them.
  QPointer<YmiWindow> ymi_window;
  QPointer<NnnWindow> nnn_window;
};

// The page settings of a browser display: the stored ones with the session's two.
inline HtmlPageSettings PageSettingsOf(const common::Settings& settings,
                                       const RubyWindowSession& session) {
  HtmlPageSettings page = HtmlPageSettingsOf(settings);
  page.detailed = session.detailed_display;
  page.background_color = session.page_background;
  return page;
}

}  // namespace rubywindow::view
