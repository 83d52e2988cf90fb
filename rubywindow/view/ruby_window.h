// The ruby window: one ruby file as editable text, its saving, and the commands that check it
// and show it in the browser.
#pragma once

#include <QFutureWatcher>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"
#include "common/notation/notation_checker.h"
#include "common/view/sjis_codec.h"
#include "common/encoding/text_encoding.h"
#include "common/view/text_window.h"
#include "jobs/conversion_jobs.h"
#include "jobs/job_text.h"
#include "jobs/learn_job.h"
#include "rubywindow/view/job_work_folder.h"
#include "rubywindow/view/ruby_window_context.h"
#include "worksheet/sheet_formats.h"

class QMenu;

namespace rubywindow::view {

class RubyEmphasis;
struct RubyWindowSession;

class RubyWindow : public common::view::TextWindow {
  Q_OBJECT

 public:
  // Places the window and applies its looks from the settings. Everything in `context` must
  // outlive the window. The window does not delete itself when closed; its owner does.
  explicit RubyWindow(const RubyWindowContext& context, QWidget* parent = nullptr);
  ~RubyWindow() override;

  // Opens a ruby file (Shift_JIS, or UTF-8 when it is valid UTF-8 holding non-ASCII text). A
  // missing file is reported and the window shows an empty text under that name; no name, or
  // the name of a document not yet saved ("新規ﾌｧｲﾙ.srb"), opens empty without a message.
  // `field_flag` says that the last ruby pass was a line-and-field pass over fields.
  void OpenRubyFile(const std::filesystem::path& path, bool field_flag);
  // Says in the status bar that a ruby command has just written the open file, and where the
  // file it replaced was kept (empty: none was).
  void AnnounceWritten(const std::filesystem::path& backup);
  // Shows the dictionary build report in error-list mode, in which the browser displays and the
  // check do nothing.
  void ShowBuildReport(const std::filesystem::path& report_path);

  bool YmiAvailable() const { return ymi_available_; }
  bool ErrorListMode() const { return error_list_mode_; }
  bool EmphasisColouring() const;
  bool EmphasisShown() const;

 signals:
  // The colouring of the groups has ended: all coloured, the limit reached, stopped by Esc or by
  // the window closing.
  void EmphasisColoured();

 public slots:
  void BrowserRubyDisplay();
  void HtmlRubyDisplay();
  void RubyFormatSettings();
  void ChooseBrowser();
  void NotationTest();
  void MakeYmi();
  void MakeNnn();
  void ExportSheet(worksheet::SheetFormat format, bool vertical);
  void ConvertAllKana();
  void RepairRuby();
  void ToggleEmphasis();

 protected:
  QString TitleFor(const std::filesystem::path& path) const override;
  std::filesystem::path NewDocumentPath() const override;
  std::optional<std::filesystem::path> OverwriteTarget() override;
  void DocumentPathChanged() override;
  void SavedByCommand() override;
  bool QueryClose() override;
  void WindowClosing() override;
  void PreparePopupMenu(QPoint at) override;
  // Without the notation: the bases as a reader of the page sees them, or the readings when
  // the settings say to read by ruby.
  std::optional<QString> SpokenText(const QString& text) override;

 private:
  static const common::view::TextWindowTraits& Traits();
  void CreateActions();
  void CreateMenus();
  std::vector<common::view::ActionRow> OutputActions();
  std::vector<common::view::ActionRow> ExportActions();
  bool MayConvert(const std::string& text);
  QWidget* OutputWindowParent();
  std::vector<common::view::ActionRow> CorrectionActions();
  std::vector<common::view::ActionRow> ReadingActions();
  void CreateReadingsMenu();
  // Lists the readings of the group with alternatives at `position` (a character index) in the
  // readings menu; false when there is none.
  bool FillReadingChoices(int position);
  void ChooseReadingAtCaret();
  std::vector<common::view::ActionRow> LearningActions();
  // The corrected words of the text weighed against the user dictionary's source, and the
  // list the user confirms them by; nullopt after a message.
  struct LearnOffer {
    jobs::LearnPlan plan;
    std::filesystem::path dictionary;
    std::string list;  // UTF-8
  };
  std::optional<LearnOffer> FindCorrections();
  bool RefuseWhileBuilding();
  void LearnReadings();
  void StartLearning(LearnOffer offer);
  // Yes to the question on save; `never_ask` is set when its check box was ticked.
  bool AskToLearnOnSave(const LearnOffer& offer, bool& never_ask);
  void ReplaceText(const std::string& sjis);
  void SetEmphasis(bool on);
  // The check before the emphasis goes off runs beside the window, so that a long text never
  // keeps it waiting; its verdict is taken only for the text it was run on.
  struct OffCheck {
    std::optional<std::string> file;  // the text as its file holds it; none: not encodable
    common::UnencodableCharacter bad;
    common::NotationCheck check;
  };
  void StartOffCheck();
  void FinishOffCheck();
  std::filesystem::path DocumentOnDisk();

  // Checks and pages.
  std::optional<std::string> TextInSjis();
  std::optional<jobs::JobText> EditedText();
  std::optional<jobs::JobResult> RunConversion(
      const std::function<jobs::JobResult(const jobs::ConversionJob& job)>& run);
  std::optional<common::NotationCheck> RunCheck(const std::string& text, std::size_t start,
                                                bool report_separators);
  void ShowFault(const common::NotationCheck& check, std::string_view file);
  bool PassesCheckBeforeConversion(const std::string& text);
  bool HasPageToShow();
  void ShowPage(const std::filesystem::path& page);

  void Tell(std::string_view title, std::string text,
            common::Icon icon = common::Icon::kInformation);
  common::Messenger& Messenger() const { return WindowMessenger(); }

  RubyWindowContext context_;
  std::unique_ptr<RubyWindowSession> own_session_;
  JobWorkFolder work_folder_;
  RubyWindowSession& session_;
  common::view::StatusLine* spare_panel_ = nullptr;
  RubyEmphasis* emphasis_ = nullptr;
  QMenu* readings_menu_ = nullptr;  // the readings of one group, refilled before it opens
  QFutureWatcher<OffCheck>* off_check_ = nullptr;
  int off_check_revision_ = 0;

  bool error_list_mode_ = false;
  bool check_before_conversions_ = true;
  bool ymi_available_ = false;
  bool field_flag_ = false;
};

}  // namespace rubywindow::view
