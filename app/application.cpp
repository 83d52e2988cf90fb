// Start-up and the end of the desktop program.
#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

#include "app/command_line.h"
#include "app/instance_handover.h"
#include "app/main_text_window.h"
#include "app/messages.h"
#include "app/qt_translations.h"
#include "app/screenshots.h"
#include "app/single_instance.h"
#include "app/unsaved_texts.h"
#include "common/platform/command_words.h"
#include "common/message_format.h"
#include "common/platform/program_starter.h"
#include "common/settings/settings.h"
#include "common/view/choosers.h"
#include "common/view/message_box_messenger.h"
#include "common/view/qt_text.h"
#include "common/view/search_memory.h"
#include "common/view/watching_starter.h"
#include "speech/qt/qt_speech_engine.h"
#include "speech/qt/speech_controls.h"
#include "speech/read_aloud.h"

namespace app {

namespace {

namespace fs = std::filesystem;
using common::view::PathOfQString;
using common::view::QStringOfUtf8;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// --help and --version are answered before the lock and before any window system is needed.
bool AsksFor(int argc, char** argv, std::string_view option, std::string_view short_option) {
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--") return false;
    if (argument == option || argument == short_option) return true;
  }
  return false;
}

// The arguments that Qt has left after taking its own (-platform, -style, ...).
std::vector<std::string> ArgumentsAfterQt() {
  QStringList all = QCoreApplication::arguments();
  std::vector<std::string> arguments;
  for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(all[i].toStdString());
  return arguments;
}

void TellStartFailure(common::Messenger& messenger, const std::string& text) {
  messenger.Tell({std::string(messages::kTitleStartFailed), text, common::Icon::kWarning});
}

// --home, or the folder of the executable (links resolved, as the installed launcher relies on).
std::optional<fs::path> ProgramFolder(const StartOptions& options, common::Messenger& messenger) {
  if (!options.home) return PathOfQString(QCoreApplication::applicationDirPath());
  std::error_code error;
  fs::path home = fs::absolute(*options.home, error).lexically_normal();
  if (!error && fs::is_directory(home, error)) return home;
  TellStartFailure(messenger,
                   common::FormatMessage(messages::kNoProgramDir, {options.home->string()}));
  return std::nullopt;
}

// The second start asks the running copy to show itself and to open the file it was given; then
// it ends as it always has. Qt's own options are not taken out here: a command line that does
// not parse hands over no file.
int HandOverToRunningCopy(int argc, char** argv, const fs::path& lock_file) {
  QCoreApplication application(argc, argv);
  ParsedCommandLine parsed = ParseCommandLine(ArgumentsAfterQt());
  std::optional<fs::path> file;
  if (parsed.options && parsed.options->file) {
    std::error_code error;
    file = fs::absolute(*parsed.options->file, error);
  }
  (void)HandOver(HandoverSocketOf(lock_file), file);  // without an answer there is no one to ask
  return kExitFailed;
}

// --help or --version answered on the terminal, before anything else starts; nothing when
// neither is asked for.
std::optional<int> AnswerInformationRequest(int argc, char** argv) {
  if (AsksFor(argc, argv, "--help", "-h")) {
    std::cout << UsageText();
    return kExitOk;
  }
  if (AsksFor(argc, argv, "--version", "--version")) {
    std::cout << "mirukaze " MIRUKAZE_VERSION "\n";
    return kExitOk;
  }
  return std::nullopt;
}

// The engine's reports reach the read-aloud service: started (or why not), ended, failed.
void ConnectSpeech(speech::qt::QtSpeechEngine& engine, speech::ReadAloud& read_aloud) {
  QObject::connect(
      &engine, &speech::qt::QtSpeechEngine::started,
      [&read_aloud](speech::StartOutcome outcome) { read_aloud.EngineStarted(outcome); });
  QObject::connect(&engine, &speech::qt::QtSpeechEngine::ended,
                   [&read_aloud] { read_aloud.SpeechEnded(); });
  QObject::connect(&engine, &speech::qt::QtSpeechEngine::failed,
                   [&read_aloud](speech::EngineError error) { read_aloud.ServiceFailed(error); });
}

// The documentation's pictures, when they are asked for.
void ScheduleScreenshotsIfAsked(MainTextWindow& window) {
  if (const char* folder = std::getenv(kScreenshotDirVariable); folder != nullptr && *folder) {
    ScheduleScreenshots(window, folder);
  }
}

}  // namespace

int RunApplication(int argc, char** argv) {
  if (std::optional<int> answered = AnswerInformationRequest(argc, argv)) return *answered;
  // Taken before anything can show: a second copy hands over its file and ends, silently.
  const fs::path lock_file = UserLockFile(messages::kInstanceLockName);
  SingleInstanceLock lock(lock_file);
  LockOutcome locked = lock.Acquire();
  if (locked == LockOutcome::kHeldElsewhere) return HandOverToRunningCopy(argc, argv, lock_file);

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringOfUtf8(messages::kApplicationTitle));
  (void)InstallQtTranslations(application);  // without them Qt's own texts stay English
  ParsedCommandLine parsed = ParseCommandLine(ArgumentsAfterQt());
  if (!parsed.options) {
    std::cerr << "mirukaze: " << parsed.error << "\n" << UsageText();
    return kExitUsage;
  }
  common::view::MessageBoxMessenger messenger(nullptr);
  std::optional<fs::path> home = ProgramFolder(*parsed.options, messenger);
  if (!home) return kExitFailed;
  common::ProgramDir program(*home);
  common::Settings settings = common::LoadSettings(program.Dir());

  // The working files of the passes get a private folder, so that nothing else can collide
  // with their fixed names; it goes with the program.
  QTemporaryDir work(QDir::tempPath() + "/mirukaze-XXXXXX");
  if (!work.isValid()) {
    TellStartFailure(messenger,
                     common::FormatMessage(messages::kNoWorkDir, {QDir::tempPath().toStdString()}));
    return kExitFailed;
  }
  common::view::DialogChoosers choosers;
  common::view::SearchMemory search;
  common::view::WatchingStarter processes;
  common::WordSplittingStarter starter(processes);
  // The speech service is reached at the first speech command, off the window's thread, which
  // says why when nothing can be heard; the program starts without waiting for it.
  speech::qt::QtSpeechEngine speech_engine;
  speech::ReadAloud read_aloud(speech_engine, settings, messenger);
  ConnectSpeech(speech_engine, read_aloud);
  // Only the one running copy keeps unsaved text aside; without the lock, what is found there
  // may be another copy's live text.
  common::RecoveryStore unsaved(
      locked == LockOutcome::kAcquired ? common::RecoveryStore::UserFolder() : fs::path());
  speech::qt::SpeechControls speech_controls(settings, read_aloud);
  MainTextWindow window({.settings = &settings,
                         .program = &program,
                         .messenger = &messenger,
                         .choosers = &choosers,
                         .search = &search,
                         .starter = &starter,
                         .speech = &speech_controls,
                         .recovery = &unsaved,
                         .work_dir = PathOfQString(work.path())});
  messenger.SetParent(&window);
  messenger.SetProgressSink([&window](const QString& text) { window.ShowProgress(text); });
  window.show();
  // Unsaved text left by a killed run comes before the file named on the command line, or
  // handed over by a second start meanwhile.
  RunStart start(window, unsaved, messenger);
  // Only the holder of the lock may answer on the socket beside it.
  std::optional<HandoverServer> handover;
  if (locked == LockOutcome::kAcquired) {
    handover.emplace(HandoverSocketOf(lock_file));
    QObject::connect(&*handover, &HandoverServer::handedOver, &window,
                     [&start](const std::optional<fs::path>& file) { start.HandOver(file); });
  }
  start.Run(parsed.options->file);
  ScheduleScreenshotsIfAsked(window);
  return application.exec();
}

}  // namespace app
