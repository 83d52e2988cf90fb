// The HTML pass-through page: a text that is itself an HTML page keeps every byte, and only its
// ruby notation in the body becomes <RUBY> mark-up.
#pragma once

#include <filesystem>

#include "common/messenger.h"
#include "common/encoding/text_source.h"
#include "rubywindow/output_file.h"
#include "rubywindow/output_sink.h"

namespace rubywindow {

// The document path without its extension, with "Rb.htm".
std::filesystem::path PassThroughPagePath(const std::filesystem::path& document);

void RenderPassThroughPage(const common::TextSource& source, OutputSink& out);

// Writes PassThroughPagePath(document); a failure is reported here ("Warning").
OutputStatus WritePassThroughPage(const std::filesystem::path& document,
                                  const common::TextSource& source, common::Messenger& messenger);

// Where the conversion of an HTML text starts: its first "<BODY>", else its first "<body>",
// else its first byte. The bytes before it are the head, copied as they are.
std::size_t BodyStartOf(const common::TextSource& source);

// Whether the text begins with "<HTML>" or "<html>".
bool IsHtmlSource(const common::TextSource& source);

// Copies text[0, end) except CR bytes.
void CopyHead(const common::TextSource& source, std::size_t end, OutputSink& out);

}  // namespace rubywindow
