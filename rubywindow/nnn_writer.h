// The NNN file: every ruby group of a text rewritten into the user's own notation by a template
// with the markers "****1" to "****8".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/settings/settings.h"
#include "common/encoding/text_source.h"
#include "rubywindow/output_file.h"
#include "rubywindow/output_sink.h"
#include "rubywindow/template_table.h"

namespace rubywindow {

inline constexpr std::string_view kDefaultNnnTemplateUtf8 = "〒****1****4〒";

// Texts are Shift_JIS.
struct NnnOptions {
  std::string template_text;
  std::string font_name;  // "****7"
  int font_size = 8;      // "****8"
};

// The current template of the settings with the dialog's initial font (ＭＳ明朝, 8 points).
NnnOptions NnnOptionsOf(const common::Settings& settings);

// The document path cut at the first '.' of its name, with ".nnn".
std::filesystem::path NnnPath(const std::filesystem::path& document);

// The template filled for one group.
void WriteGroup(const TemplateTable& table, std::string_view base, std::string_view reading,
                const NnnOptions& options, OutputSink& out);

// The dialog's preview: the template filled for the sample group {花/はな}.
std::string NnnPreview(const NnnOptions& options);

void RenderNnn(const common::TextSource& source, const NnnOptions& options, OutputSink& out);

// Writes NnnPath(document); a failure is reported here ("ご報告").
OutputStatus WriteNnn(const std::filesystem::path& document, const common::TextSource& source,
                      const NnnOptions& options, common::Messenger& messenger);

// The question for a template without "****1" or "****4" ("〓警告〓", OK/Cancel); nullopt when
// both are there.
std::optional<common::Message> NnnMarkerWarning(const TemplateTable& table);

}  // namespace rubywindow
