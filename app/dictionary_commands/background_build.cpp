// The worker thread of a build and the messenger that carries its messages across.
#include "app/dictionary_commands/background_build.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <atomic>
#include <string>

namespace app {

// Lives as long as its BackgroundBuild; used from the worker thread only.
class BackgroundBuild::ForwardingMessenger final : public common::Messenger {
 public:
  ForwardingMessenger(QObject& window_side, common::Messenger& target)
      : window_side_(window_side), target_(target) {}

  void Tell(const common::Message& message) override {
    if (abandoned_) return;
    QMetaObject::invokeMethod(
        &window_side_, [&] { target_.Tell(message); }, Qt::BlockingQueuedConnection);
  }

  // A call that is dropped unanswered (the window went away) leaves the cautious answer.
  common::Answer Ask(const common::Message& message, common::Buttons buttons) override {
    common::Answer answer = Cautious(buttons);
    if (abandoned_) return answer;
    QMetaObject::invokeMethod(
        &window_side_, [&] { answer = target_.Ask(message, buttons); },
        Qt::BlockingQueuedConnection);
    return answer;
  }

  void SetProgress(std::string_view text) override {
    if (abandoned_) return;
    QMetaObject::invokeMethod(
        &window_side_, [this, copy = std::string(text)] { target_.SetProgress(copy); },
        Qt::QueuedConnection);
  }

  void Abandon() { abandoned_ = true; }

 private:
  static common::Answer Cautious(common::Buttons buttons) {
    return buttons == common::Buttons::kYesNo ? common::Answer::kNo : common::Answer::kCancel;
  }

  QObject& window_side_;
  common::Messenger& target_;
  std::atomic<bool> abandoned_ = false;
};

BackgroundBuild::BackgroundBuild(common::Messenger& messenger, QObject* parent)
    : QObject(parent),
      messenger_(messenger),
      forwarding_(std::make_unique<ForwardingMessenger>(*this, messenger)) {}

// The worker may be waiting for this thread in a blocking call: the calls it has posted are
// dropped, which releases it, until it has ended.
BackgroundBuild::~BackgroundBuild() {
  if (thread_ == nullptr) return;
  forwarding_->Abandon();
  constexpr int kPollMilliseconds = 20;
  while (!thread_->wait(QDeadlineTimer(kPollMilliseconds))) {
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
  }
  QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
  delete thread_;
}

bool BackgroundBuild::Start(std::function<void(common::Messenger&)> job,
                            std::function<void()> done) {
  if (Running()) return false;
  thread_ = QThread::create([this, job = std::move(job)] { job(*forwarding_); });
  connect(thread_, &QThread::finished, this, [this, done = std::move(done)] {
    thread_->deleteLater();
    thread_ = nullptr;
    done();
    emit Finished();
  });
  thread_->start();
  return true;
}

}  // namespace app
