// The helpers every Qt-free test reaches for, under their short names: a test file or a
// folder's fixture header says `using namespace testing_support::helpers;` in its namespace.
#pragma once

#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace testing_support::helpers {
using testing_support::BytesEqual;
using testing_support::FilesIn;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::ShowedOnly;
using testing_support::Sjis;
using testing_support::TestData;
using testing_support::WriteFile;
}  // namespace testing_support::helpers
