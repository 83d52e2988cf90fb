// The helpers every ruby-window test reaches for.
#pragma once

#include <filesystem>

#include "tests/support/failing_source.h"
#include "tests/support/test_helpers.h"

namespace rubywindow {
namespace fs = std::filesystem;
using namespace testing_support::helpers;
using testing_support::FailingSource;
}  // namespace rubywindow
