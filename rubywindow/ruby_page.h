// The HTML ruby page: a whole page in which every ruby group of a text is a <RUBY> element,
// styled by the browser display settings.
#pragma once

#include <filesystem>
#include <string_view>

#include "common/messenger.h"
#include "common/encoding/text_source.h"
#include "rubywindow/html_page_settings.h"
#include "rubywindow/output_file.h"
#include "rubywindow/output_sink.h"

namespace rubywindow {

// The document path without its extension, with "Rb.html": /doc/story.srb gives
// /doc/storyRb.html.
std::filesystem::path RubyPagePath(const std::filesystem::path& document);

// A document named without a folder ("新規ﾌｧｲﾙ.srb") is placed in the program folder.
std::filesystem::path DocumentInFolder(const std::filesystem::path& document,
                                       const std::filesystem::path& program_dir);

// Writes the page for `source`; `title_name` is the document's file name (Shift_JIS).
void RenderRubyPage(const common::TextSource& source, std::string_view title_name,
                    const HtmlPageSettings& settings, OutputSink& out);

// Writes RubyPagePath(document). A failure is reported here ("ご注意!!"); the browser display
// goes on to its report and the browser all the same.
OutputStatus WriteRubyPage(const std::filesystem::path& document, const common::TextSource& source,
                           const HtmlPageSettings& settings, common::Messenger& messenger);

}  // namespace rubywindow
