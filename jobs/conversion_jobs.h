// The conversions of a ruby text, from start to end, for every front end: the HTML ruby page,
// the pass-through page, YMI and NNN. Each runs in the order of rubywindow/conversion_run.h
// (empty text, notation check, options, write) over the text in Shift_JIS and hands its file to
// the user in the text's form (a ruby page declaring the charset it is written in).
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>

#include "common/messenger.h"
#include "common/notation/non_ruby_areas.h"
#include "jobs/delivery.h"
#include "jobs/job_text.h"
#include "rubywindow/html_page_settings.h"
#include "rubywindow/nnn_writer.h"
#include "rubywindow/ymi_options.h"

namespace jobs {

struct ConversionJob {
  const JobText& text;
  const Destination& destination;
  const common::WorkDir& work;
  common::NonRubyAreas areas;  // skipped by the notation check
  // Where a fault at this offset is reported (a window moves its caret there); empty for the
  // logical line.
  std::function<int(std::size_t fault_offset)> fault_line{};
  // The notation check before the conversion; a window leaves it out once the user has taken the
  // text as it is.
  bool check_notation = true;
  // What the program last wrote to each file beside a text (jobs/written_record.h), so that a
  // file a person edited is kept as the backup and an untouched one is simply replaced.
  std::filesystem::path written_record{};
};

// The page source the YMI window writes its text under: "list.ymi" gives "listYMI.ymi" (whose
// page is then "listYMIRb.html"), in the program folder when the path names no folder; nullopt
// when the path does not end in ".ymi", in any case.
std::optional<std::filesystem::path> YmiPageSource(const std::filesystem::path& ymi_file,
                                                   const std::filesystem::path& program_dir);

// The HTML ruby page (name + "Rb.html"). An empty text is refused.
[[nodiscard]] JobResult RunRubyPageJob(const ConversionJob& job,
                                       rubywindow::HtmlPageSettings settings,
                                       common::Messenger& messenger);

// The pass-through page (name + "Rb.htm") of a text that is an HTML page of its own, after the
// notation check. An empty text is refused.
[[nodiscard]] JobResult RunPassThroughPageJob(const ConversionJob& job,
                                              common::Messenger& messenger);

// The YMI file; with options.warn_markers the marker warning is shown first.
[[nodiscard]] JobResult RunYmiJob(const ConversionJob& job, const rubywindow::YmiOptions& options,
                                  common::Messenger& messenger);

// The NNN file; with `ask_on_missing_markers` the marker question comes first (OK runs it).
[[nodiscard]] JobResult RunNnnJob(const ConversionJob& job, const rubywindow::NnnOptions& options,
                                  bool ask_on_missing_markers, common::Messenger& messenger);

}  // namespace jobs
