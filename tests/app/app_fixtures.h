// Shared pieces of the desktop program's tests: a program folder whose dictionaries are built
// from sample sources, message checks that say what was shown, and answers to modal dialogs.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/program_dir.h"
#include "common/encoding/text_source.h"
#include "common/platform/working_files.h"
#include "dictionary/build_command.h"
#include "rubywindow/browser_launcher.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace app_testing {

// The folder of the sources shipped as the program's samples.
inline std::filesystem::path SampleDir() {
  return std::filesystem::path(MIRUKAZE_TEST_DATA_DIR).parent_path().parent_path() / "data" /
         "sample";
}

// Makes `home` a program folder with dic/Qv_Body.dic built from `main_source`. With
// `ruby_command_dictionaries`, dic/ also gets the sample sources, the standard user dictionary
// (一月 read ひと*つき) and the grade and level dictionaries. Gives the grade dictionary's kanji
// count (0 without it), or nullopt when a build failed.
inline std::optional<int> MakeProgramFolder(const std::filesystem::path& home,
                                            const std::filesystem::path& main_source,
                                            bool ruby_command_dictionaries) {
  namespace fs = std::filesystem;
  const common::ProgramDir program(home);
  if (ruby_command_dictionaries) {
    fs::copy(SampleDir() / "dic", program.DicDir(), fs::copy_options::recursive);
  }
  fs::create_directories(program.DicDir());
  testing_support::ScratchDir work_folder;
  const common::WorkDir work(work_folder.Path());
  testing_support::RecordingMessenger quiet;
  quiet.default_answer = common::Answer::kNo;  // no build report
  auto build = [&](const char* base_name, const std::string& source) {
    common::StringTextSource text(source);
    return dictionary::RunDictionaryBuild(text, program.DicDir() / base_name, program, work, quiet)
               .status == dictionary::BuildStatus::kOk;
  };
  if (!build("Qv_Body", testing_support::ReadFile(main_source))) return std::nullopt;
  if (!ruby_command_dictionaries) return 0;
  if (!build("Qv_Users", testing_support::Sjis("一月,ひと*つき\n"))) return std::nullopt;
  dictionary::GradeBuildResult grade = dictionary::RunGradeBuild(program, work, quiet);
  if (grade.status != dictionary::GradeBuildStatus::kOk ||
      dictionary::RunLevelBuild(program, work, quiet) != dictionary::LevelBuildStatus::kOk) {
    return std::nullopt;
  }
  return grade.kanji_count;
}

inline QString QtPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

// No browser or other program is ever started by a test.
class NoStarter final : public common::ProgramStarter {
 public:
  bool Start(const std::string&, const std::vector<std::string>&) override { return false; }
};

// ShowedOnly for Qt Test: a mismatch is logged with what was really shown.
inline bool Showed(const testing_support::RecordingMessenger& messenger, std::string_view title,
                   std::string_view text) {
  ::testing::AssertionResult shown = testing_support::ShowedOnly(messenger, title, text);
  if (!shown) qWarning("%s", shown.message());
  return static_cast<bool>(shown);
}

// Answers the next modal dialog of type D once the event loop runs.
template <typename D>
void AnswerModal(std::function<void(D&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (dialog == nullptr) qFatal("no modal dialog");
    answer(*dialog);
  });
}

}  // namespace app_testing
