// The YMI file: a tabular ruby text in which each chosen field is replaced by the template
// filled with the field's text (groups by their base) and its reading (groups by their reading).
#pragma once

#include <filesystem>

#include "common/messenger.h"
#include "common/encoding/text_source.h"
#include "rubywindow/output_file.h"
#include "rubywindow/output_sink.h"
#include "rubywindow/ymi_options.h"

namespace rubywindow {

// The document path cut at the first '.' of its name, with ".ymi".
std::filesystem::path YmiPath(const std::filesystem::path& document);

// Converts `source` by `options` (which RefusalOf has passed).
void RenderYmi(const common::TextSource& source, const YmiOptions& options, OutputSink& out);

// Writes YmiPath(document); a failure is reported here ("ご注意!!").
OutputStatus WriteYmi(const std::filesystem::path& document, const common::TextSource& source,
                      const YmiOptions& options, common::Messenger& messenger);

}  // namespace rubywindow
