// Writing a converted file next to the document: the conversion goes to a temporary sibling,
// which replaces the target only once it is complete, so a failure never leaves a cut-off file.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "common/messenger.h"
#include "common/status.h"
#include "common/text_source.h"
#include "rubywindow/output_sink.h"

namespace rubywindow {

enum class [[nodiscard]] OutputStatus : int{
    kOk = 1,
    kCannotCreate = -1,  // the file cannot be created, written whole, or is read-only
    kReadFailed = -2,    // the text could not be read whole; nothing was written
    kSameAsInput = -3,   // the target is the file the text is read from; nothing was written
};

// Runs `convert` into a text file (LF written as CR LF) that then takes the place of `target`.
// On failure `target` is as it was and no temporary file is left; for kCannotCreate `error`
// holds the system's cause (errno).
OutputStatus WriteConvertedFile(const common::TextSource& source,
                                const std::filesystem::path& target,
                                const std::function<void(OutputSink&)>& convert, int& error);

// Shows the message for a failed `status`: `cannot_create` (with the target's path and why,
// from `error`) under `title`, or that the text could not be read. Nothing is shown for kOk.
void ReportOutputFailure(OutputStatus status, int error, const std::filesystem::path& target,
                         std::string_view cannot_create, std::string_view title,
                         common::Messenger& messenger);

// `path` cut at the first '.' of its file name, with `extension` appended: the YMI and NNN
// file names ("/data/list.lrb" gives "/data/list.ymi").
std::filesystem::path CutAtFirstDot(const std::filesystem::path& path, std::string_view extension);

// A path as the page and message texts show it: CP932 when it is UTF-8, else its own bytes.
std::string PathForText(const std::filesystem::path& path);

}  // namespace rubywindow
