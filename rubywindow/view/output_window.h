// The YMI window and the NNN window: the files the ruby window's YMI and NNN commands write,
// shown for editing and saving on the shared text-window frame. They differ only in data (keys,
// captions, messages, sizes), and the YMI window adds its page in the browser.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "common/view/text_window.h"
#include "common/settings/window_place.h"
#include "rubywindow/view/job_work_folder.h"
#include "rubywindow/view/ruby_document.h"
#include "rubywindow/view/ruby_window_context.h"

namespace rubywindow::view {

// How one output window differs from the other.
struct OutputWindowKind {
  common::view::TextWindowTraits traits;
  std::string_view title_format;       // %s the path
  std::string_view empty_path_name;    // shown in the title when there is no path
  common::view::FixedMessage missing;  // the file to show does not exist; %s the path
  common::WindowPlace minimum;         // a smaller stored size is raised, moving to this place
  bool has_tab_to_comma = true;
  bool has_close_in_popup = false;
};

class OutputWindow : public common::view::TextWindow {
  Q_OBJECT

 public:
  // Shows the file the conversion has just written. A missing file is reported and the window
  // opens empty under its name.
  void ShowOutputFile(const std::filesystem::path& path);

 protected:
  OutputWindow(const RubyWindowContext& context, const OutputWindowKind& kind, QWidget* parent);

  // The window's own commands, then its menus, toolbar and pop-up menu.
  void CreateActions();
  void CreateMenus(const common::view::MenuGroups& extra_menu, const QString& extra_caption);

  QString TitleFor(const std::filesystem::path& path) const override;
  std::filesystem::path NewDocumentPath() const override { return DocumentPath(); }
  std::optional<std::filesystem::path> OverwriteTarget() override;

  const RubyWindowContext& Context() const { return context_; }

 private:
  RubyWindowContext context_;
  const OutputWindowKind& kind_;
};

class YmiWindow : public OutputWindow {
  Q_OBJECT

 public:
  explicit YmiWindow(const RubyWindowContext& context, QWidget* parent = nullptr);
  static const OutputWindowKind& Kind();

 public slots:
  // The window's text as an HTML ruby page in the browser, after the notation check.
  void HtmlView();

 private:
  JobWorkFolder work_folder_;
};

class NnnWindow : public OutputWindow {
  Q_OBJECT

 public:
  explicit NnnWindow(const RubyWindowContext& context, QWidget* parent = nullptr);
  static const OutputWindowKind& Kind();
};

}  // namespace rubywindow::view
