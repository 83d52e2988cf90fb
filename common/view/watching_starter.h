// Starting programs for the windows: a browser is watched for seconds after its start without
// holding the window, and whether it started is told on the window's thread.
#pragma once

#include <QObject>
#include <chrono>

#include "common/platform/program_starter.h"

namespace common::view {

class WatchingStarter final : public QObject, public ProgramStarter {
  Q_OBJECT

 public:
  // How long a started program is watched for an end with a failure: xdg-open ends with the
  // status of a browser that gives up after a second or two.
  static constexpr std::chrono::milliseconds kBrowserWatch{10'000};

  explicit WatchingStarter(std::chrono::milliseconds watch = kBrowserWatch,
                           QObject* parent = nullptr);

  // The short watch of ProcessStarter, for programs that are not waited for.
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
  // Returns at once; `started` is called from the event loop when the watch is over.
  void StartThen(const std::string& program, const std::vector<std::string>& arguments,
                 std::function<void(bool started)> started) override;

 private:
  std::chrono::milliseconds watch_;
  ProcessStarter quick_;
};

}  // namespace common::view
