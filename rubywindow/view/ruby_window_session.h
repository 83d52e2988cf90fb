// What the ruby window's user chooses that the program keeps until it ends but never saves:
// the page settings not in the settings file and the check start dialog's last answers.
#pragma once

#include "rubywindow/html_page_settings.h"
#include "rubywindow/view/check_start_dialog.h"

namespace rubywindow::view {

struct RubyWindowSession {
  bool detailed_display = true;  // off: a plain page in the browser's own style
  int page_background = kWhite;  // 0x00BBGGRR
  CheckStart check_start;
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
