// The helpers every ruby-window test reaches for.
#pragma once

#include <filesystem>

#include "tests/support/failing_source.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace rubywindow {
namespace fs = std::filesystem;
using testing_support::BytesEqual;
using testing_support::FailingSource;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::ShowedOnly;
using testing_support::Sjis;
using testing_support::TestData;
using testing_support::WriteFile;
}  // namespace rubywindow
