// A small text window for the frame's tests: the looks keys of the YMI window, the recent files
// of the main text window, and a new document without a file, so that Save asks for a name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/program_starter.h"
#include "common/settings/settings.h"
#include "common/view/qt_text.h"
#include "common/view/search_memory.h"
#include "common/view/text_pane.h"
#include "common/view/text_window.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/scripted_choosers.h"
#include "tests/support/test_files.h"

namespace testing_support {

namespace fs = std::filesystem;
using common::Settings;

inline const common::view::TextWindowTraits& Traits() {
  static const common::view::TextWindowTraits traits{
      .looks = {&Settings::ymi_top, &Settings::ymi_left, &Settings::ymi_height,
                &Settings::ymi_width, &Settings::ymi_font_name, &Settings::ymi_font_size,
                &Settings::ymi_font_color, &Settings::ymi_edit_color, &Settings::ymi_tab_width},
      .files = {.open_dialog_title = "open",
                .save_dialog_title = "save as",
                .file_filter = "all (*)|*",
                .opened_status = "opened %s",
                .saved_status = "saved %s",
                .not_edited = {"notice", "not edited"},
                .nothing_to_save = {"notice", "nothing"},
                .read_only = {"read-only", "<%s> is read-only", common::Icon::kQuestion},
                .read_only_kept = {"read-only", "<%s> stays read-only"},
                .unsaved_text = "unsaved",
                .unsaved_title = "confirm",
                .unsaved_on_close_title = "confirm close",
                .save_path_title = {},
                .close_query_format = "window: %s",
                .close_query_rank = common::view::kYmiWindowRank},
      .rows = {},
      .caret_panel_width = 100,
      .file_panel_width = 100,
      .recent_files = &Settings::main_recent_files,
  };
  return traits;
}

// A window whose new document has no file: Save asks for a name.
class PlainWindow final : public common::view::TextWindow {
 public:
  explicit PlainWindow(const common::view::WindowServices& services,
                       const common::view::TextWindowTraits& traits = Traits())
      : TextWindow(services, traits, nullptr) {
    AddActions({{.name = "save", .caption = "save", .triggered = [this] { Save(); }}});
    AddMenu("file", {{"save"}, {common::view::kRecentFilesMenu}});
    AddApplicationMenu({"refused", "did not start"});
    ApplyLooks(StoredLooks());
    SetDocumentPath(NewDocumentPath());
  }

 protected:
  QString TitleFor(const fs::path& path) const override {
    return common::view::QStringOfPath(path);
  }
  fs::path NewDocumentPath() const override { return "untitled"; }
  std::optional<fs::path> OverwriteTarget() override {
    if (DocumentPath() == NewDocumentPath()) return std::nullopt;
    return DocumentPath();
  }
};

// Records the programs started, and what their file held at that moment.
class RecordingStarter final : public common::ProgramStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.push_back(program);
    started.insert(started.end(), arguments.begin(), arguments.end());
    if (!arguments.empty()) file_then = ReadFile(arguments.front());
    return starts;
  }
  std::vector<std::string> started;
  std::string file_then;
  bool starts = true;
};

struct Fixture {
  testing_support::ScratchDir dir;
  Settings settings;
  testing_support::RecordingMessenger messenger;
  testing_support::ScriptedChoosers choosers;
  common::view::SearchMemory search;
  RecordingStarter starter;
  PlainWindow window{{.settings = &settings,
                      .messenger = &messenger,
                      .choosers = &choosers,
                      .search = &search,
                      .starter = &starter}};

  void Type(const char* text) { window.Pane()->insertPlainText(QString::fromUtf8(text)); }
};

}  // namespace testing_support
