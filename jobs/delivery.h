// Where a file a job writes for a text ends up, and how it gets there: beside the text in the
// text's form (a previous file that says something else kept as its backup, where the job keeps
// one), at a file the user named instead, or into a stream for a text that came from one.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "common/messenger.h"
#include "common/encoding/text_conversion.h"
#include "common/platform/working_files.h"
#include "jobs/job_text.h"

namespace jobs {

// Where the user wants a job's file. By default beside the text (or into `stream` for a text
// from a stream).
struct Destination {
  std::optional<std::filesystem::path> output;  // instead of beside the text (-o OUT)
  common::PieceSink stream{};                   // a text from a stream: its file goes here
};

// What every job hands back to the front end that ran it.
struct JobResult {
  bool ok = false;
  std::filesystem::path file;    // the file written; empty when it went into the stream
  std::filesystem::path backup;  // where the file it replaced went; empty when none was kept
  common::UserEncoding form;     // the encoding and line ends it was written in
};

// The document a pass is told it works on, which its file is named after: a stand-in of the
// text's name in the working folder, so that the pass writes nothing beside the text; Deliver
// puts its file in place, where the one rule of jobs/output_guard.h is kept.
std::filesystem::path PassDocument(const JobText& text, const common::WorkDir& work);

// Hands the Shift_JIS file a pass wrote for PassDocument(...) to the user: beside the text in
// its form, at the output, or into the stream; never over the text's own file (refused with
// its message, nothing written). `written_in_form`: the pass wrote the file in
// the text's form already (it is handed on as it is), rather than in Shift_JIS with CR LF.
// Not ok after a message.
// Beside the text, a previous file that a person may have edited (it says something else, and
// `written_record` does not vouch for it as the program's own) is kept as its backup
// (story.~ymi), which the result names; without a record every file that differs counts as
// edited.
[[nodiscard]] JobResult Deliver(const JobText& text, const Destination& destination,
                                const std::filesystem::path& written, bool written_in_form,
                                common::Messenger& messenger,
                                const std::filesystem::path& written_record = {});

}  // namespace jobs
