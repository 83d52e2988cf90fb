// A dictionary build on a worker thread, so that the window stays responsive while a large
// source is checked and compiled. What the build says and asks reaches the user from the
// window's thread, and the build waits for every answer as it would on one thread; its progress
// is queued to the window's status line.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "common/messenger.h"
#include "common/view/build_runner.h"

class QThread;

namespace app {

class BackgroundBuild : public QObject, public common::view::BuildRunner {
  Q_OBJECT

 public:
  // `messenger` is the window's. It is only ever called on the thread that made this object.
  explicit BackgroundBuild(common::Messenger& messenger, QObject* parent = nullptr);
  // A build still running is let finish first; questions it asks from then on are answered
  // with the cautious choice (Cancel, No), so that it ends without touching a dictionary.
  ~BackgroundBuild() override;

  bool Running() const override { return thread_ != nullptr; }

  // Runs `job` on a worker thread with a messenger that hands everything to the window's one;
  // `done` runs on this object's thread once the job has ended, then Finished is emitted. False,
  // and nothing started, while another job runs.
  bool Start(std::function<void(common::Messenger&)> job, std::function<void()> done) override;

 signals:
  void Finished();

 private:
  class ForwardingMessenger;

  common::Messenger& messenger_;
  std::unique_ptr<ForwardingMessenger> forwarding_;
  QThread* thread_ = nullptr;
};

}  // namespace app
