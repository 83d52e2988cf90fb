// The word-processor and web files of a ruby text, from start to end, for every front end:
// the notation check, the file made from the text in Shift_JIS, and its place beside the text
// (an edited one kept as its backup), at the user's output or into a stream.
#pragma once

#include "common/messenger.h"
#include "engine/filters/first_ruby.h"
#include "jobs/conversion_jobs.h"
#include "worksheet/sheet_formats.h"

namespace jobs {

struct ExportChoices {
  worksheet::SheetFormat format = worksheet::SheetFormat::kHtml5;
  // Where a word keeps its ruby in the file; the ruby file itself is left as it is.
  engine::FirstRubyScope first_ruby = engine::FirstRubyScope::kEvery;
  bool vertical = false;  // written top to bottom
};

// Writes the text's name + ".odt", ".docx" or ".html" (UTF-8 whatever the text's encoding).
// An empty text is refused, and a notation fault is reported with its line (unless the job
// leaves the check out); nothing is written then.
[[nodiscard]] JobResult RunExportJob(const ConversionJob& job, const ExportChoices& choices,
                                     common::Messenger& messenger);

}  // namespace jobs
