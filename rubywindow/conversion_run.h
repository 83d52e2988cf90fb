// The order in which the YMI and NNN conversions run, the same from the command line and from a
// window: the refusal of an empty text, the notation check, the refusal of the options
// (YMI), the marker warning, and only then the file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>

#include "common/messenger.h"
#include "common/notation/non_ruby_areas.h"
#include "common/encoding/text_source.h"
#include "rubywindow/nnn_writer.h"
#include "rubywindow/ymi_options.h"

namespace rubywindow {

enum class [[nodiscard]] ConversionStatus : int{
    kOk = 1,
    kNothingToConvert = -1,  // an empty text; its message was shown
    kNotationFault = -2,     // the fault was reported at its line
    kReadFailed = -3,        // the text could not be read whole; nothing was shown or written
    kRefused = -4,           // the options' refusal was shown
    kCancelled = -5,         // the marker question was not answered OK
    kWriteFailed = -6,       // the writer has reported it
};

// What a conversion reads: the ruby text of `document`, whose name the output takes.
struct ConversionInput {
  const std::filesystem::path& document;
  const common::TextSource& text;
  common::NonRubyAreas areas;  // skipped by the check
  // The line at which a fault at this offset is reported, where a window moves its caret;
  // empty for the logical line.
  std::function<int(std::size_t fault_offset)> fault_line{};
  // The notation check; a window leaves it out once the user has taken the text as it is.
  bool check_notation = true;
};

// The check before a conversion: the whole text from its start, separators allowed. kOk,
// kNotationFault after the fault's message, or kReadFailed (a scan cut short by a read error
// proves nothing either way).
ConversionStatus CheckBeforeConversion(const ConversionInput& input, common::Messenger& messenger);

// Writes YmiPath(input.document) after the empty-text refusal, the check (unless left out),
// RefusalOf(options) and, with
// options.warn_markers, the marker warning, which only informs.
ConversionStatus ConvertToYmi(const ConversionInput& input, const YmiOptions& options,
                              common::Messenger& messenger);

// Writes NnnPath(input.document) after the empty-text refusal, the check and, with
// `ask_on_missing_markers`, the marker question (OK runs the conversion).
ConversionStatus ConvertToNnn(const ConversionInput& input, const NnnOptions& options,
                              bool ask_on_missing_markers, common::Messenger& messenger);

}  // namespace rubywindow
