// html: writes the HTML ruby page of a ruby file, or its pass-through page, and can show it in
// the browser.
#include <filesystem>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/conversion_check.h"
#include "cli/messages.h"
#include "cli/user_text.h"
#include "common/cp932.h"
#include "common/message_format.h"
#include "common/status.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/messages.h"
#include "rubywindow/pass_through_page.h"
#include "rubywindow/ruby_page.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
namespace rw = rubywindow;

constexpr std::string_view kUtf8Charset = "UTF-8";

constexpr std::string_view kPassThrough = "--pass-through";
constexpr std::string_view kOpen = "--open";

constexpr OptionSpec kOptions[] = {
    {kPassThrough, "", ValueKind::kNone, "",
     "keep the HTML page as it is and mark up only its ruby (writes ...Rb.htm)"},
    {kOpen, "", ValueKind::kNone, "",
     "show the page with PROGRAM/WWWBROWSER of the settings, else xdg-open"},
    kOutputFileOptionSpec,
};

// Nobody can pick a browser program from a terminal run; --set PROGRAM/WWWBROWSER=... does.
class NoBrowserPicker final : public rw::BrowserPicker {
 public:
  std::optional<std::string> PickBrowser() override { return std::nullopt; }
};

CommandResult ShowInBrowser(const CommandEnv& env, const fs::path& page) {
  env.messenger.Tell({std::string(rw::messages::kTitleShowingPage),
                      common::FormatMessage(rw::messages::kShowingPage, {PathText(page)})});
  // The setting is Shift_JIS like the whole settings file; the system wants the UTF-8 name.
  std::string browser =
      common::Cp932ToUtf8(env.settings.web_browser).value_or(env.settings.web_browser);
  common::ProcessStarter starter;
  NoBrowserPicker picker;
  rw::LaunchStatus status = rw::LaunchBrowser(page, browser, starter, picker, env.messenger);
  return common::IsOk(status) ? CommandResult::Success() : CommandResult::Failure();
}

// The written page (Shift_JIS), or nullopt after the message of a refusal or a failure. A ruby
// page declares the encoding it is handed to the user in; a pass-through page keeps its own.
std::optional<fs::path> WritePage(const CommandEnv& env, const fs::path& file,
                                  const common::TextSource& text, common::TextEncoding encoding) {
  if (text.Size() == 0) {
    env.messenger.Tell({std::string(rw::messages::kTitleCaution),
                        std::string(rw::messages::kNothingToShow), common::Icon::kWarning});
    return std::nullopt;
  }
  if (!env.args.Has(kPassThrough)) {
    rw::HtmlPageSettings settings = rw::HtmlPageSettingsOf(env.settings);
    if (encoding != common::TextEncoding::kShiftJis) settings.charset = kUtf8Charset;
    if (!common::IsOk(rw::WriteRubyPage(file, text, settings, env.messenger))) {
      return std::nullopt;
    }
    return rw::RubyPagePath(file);
  }
  if (!PassesConversionCheck(text, file, env.settings, env.messenger)) return std::nullopt;
  if (!common::IsOk(rw::WritePassThroughPage(file, text, env.messenger))) return std::nullopt;
  return rw::PassThroughPagePath(file);
}

CommandResult RunHtml(const CommandEnv& env) {
  fs::path file = env.args.Operands().front();
  if (file == kStandardStream && env.args.Has(kOpen) && !env.args.Has(kOutputOption)) {
    return CommandResult::UsageError(std::string(messages::kOpenNeedsFile));
  }
  std::optional<UserText> input = OpenUserText(env, file, messages::kCannotOpenFile);
  if (!input) return CommandResult::Failure();
  std::optional<fs::path> page =
      WritePage(env, DocumentOf(env, *input), *input->sjis, input->form.encoding);
  if (!page) return CommandResult::Failure();
  std::optional<fs::path> delivered = DeliverWritten(env, *input, *page);
  if (!delivered) return CommandResult::Failure();
  return env.args.Has(kOpen) ? ShowInBrowser(env, *delivered) : CommandResult::Success();
}

}  // namespace

const Command kHtmlCommand = {
    "html",
    "html FILE [--pass-through] [--open] [-o OUT]",
    "write the HTML ruby page of a ruby file (FILE without extension + Rb.html)",
    "Every group becomes a <RUBY> element, styled by the browser display settings of the\n"
    "settings file (FONT/RBFONTNAME, RBFONTSIZE, PROGRAM/ALIGNFLAG, GYOUOKURI, BROWSER/...).\n"
    "The path of the page is printed. With --pass-through the text is an HTML page of its own:\n"
    "its bytes are kept, only the ruby notation of its body becomes <RUBY> mark-up, and the\n"
    "notation is checked first (a fault is reported with its line; status 1, nothing written).\n"
    "The page is in the encoding of FILE, and a ruby page declares it (Shift_JIS or UTF-8).\n"
    "FILE - reads standard input and prints the page; -o OUT writes it there. --open starts\n"
    "the browser with the page's path as one argument of its own, never through a shell;\n"
    "when it cannot be started, xdg-open is tried, and when that fails too the status is 1.\n",
    kOptions,
    1,
    1,
    RunHtml,
};

}  // namespace cli
