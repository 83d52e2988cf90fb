// html: writes the HTML ruby page of a ruby file, or its pass-through page, and can show it in
// the browser.
#include <filesystem>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/user_text.h"
#include "common/encoding/cp932.h"
#include "common/message_format.h"
#include "common/status.h"
#include "jobs/conversion_jobs.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/messages.h"
#include "rubywindow/html_page_settings.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
namespace rw = rubywindow;

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

CommandResult RunHtml(const CommandEnv& env) {
  fs::path file = env.args.Operands().front();
  if (file == kStandardStream && env.args.Has(kOpen) && !env.args.Has(kOutputOption)) {
    return CommandResult::UsageError(std::string(messages::kOpenNeedsFile));
  }
  std::optional<UserText> input = OpenUserText(env, file, messages::kCannotOpenFile);
  if (!input) return CommandResult::Failure();
  jobs::Destination destination = DestinationOf(env);
  jobs::ConversionJob job{*input, destination, env.work, common::NonRubyAreasOf(env.settings)};
  job.written_record = env.program.WrittenRecordDir();
  jobs::JobResult page = env.args.Has(kPassThrough)
                             ? jobs::RunPassThroughPageJob(job, env.messenger)
                             : jobs::RunRubyPageJob(job, rw::HtmlPageSettingsOf(env.settings),
                                                    env.messenger);
  if (!PrintWritten(env, page)) return CommandResult::Failure();
  return env.args.Has(kOpen) ? ShowInBrowser(env, page.file) : CommandResult::Success();
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
