// The watcher's report pipe is read when the event loop finds it readable.
#include "common/view/watching_starter.h"

#include <QSocketNotifier>

namespace common::view {

WatchingStarter::WatchingStarter(std::chrono::milliseconds watch, QObject* parent)
    : QObject(parent), watch_(watch) {}

bool WatchingStarter::Start(const std::string& program, const std::vector<std::string>& arguments) {
  return quick_.Start(program, arguments);
}

void WatchingStarter::StartThen(const std::string& program,
                                const std::vector<std::string>& arguments,
                                std::function<void(bool started)> started) {
  std::optional<PendingStart> pending = BeginStart(program, arguments, watch_);
  if (!pending) return started(false);
  auto* notifier = new QSocketNotifier(pending->report, QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this,
          [notifier, pending = *pending, started = std::move(started)] {
            notifier->setEnabled(false);
            notifier->deleteLater();
            started(FinishStart(pending));
          });
}

}  // namespace common::view
