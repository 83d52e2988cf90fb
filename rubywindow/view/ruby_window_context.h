// What the ruby window and the YMI and NNN windows are handed by the application that opens
// them: the services of every text window, and the ruby window's own. They own none of it.
#pragma once

#include <string>

#include "common/view/build_runner.h"
#include "common/view/window_services.h"

namespace rubywindow {
namespace view {
struct RubyWindowSession;

struct RubyWindowContext : common::view::WindowServices {
  // Kept by the application from one ruby window to the next; a window handed none keeps its
  // own for its lifetime.
  RubyWindowSession* session = nullptr;
  // The field separator of line-and-field ruby as typed (Shift_JIS, "\t" for the tab); the YMI
  // dialog starts from it. Empty: the YMI dialog's own.
  std::string line_field_separator{};
  // The application's dictionary builds, which この読みを辞書に登録 joins; none: the window
  // builds in the foreground.
  common::view::BuildRunner* builds = nullptr;
};

}  // namespace view
}  // namespace rubywindow
