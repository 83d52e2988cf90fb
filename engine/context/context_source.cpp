#include "engine/context/context_source.h"

#include "engine/messages.h"

namespace engine::context {

ContextSource::ContextSource(std::filesystem::path unidic) : unidic_(std::move(unidic)) {}

bool ContextSource::OpenAnalyser() {
  std::lock_guard lock(mutex_);
  if (!tried_) {
    tried_ = true;
    analyser_ = context::OpenAnalyser(unidic_, why_not_);
  }
  return analyser_ != nullptr;
}

std::string ContextSource::Description() {
  if (!OpenAnalyser()) return why_not_;
  return analyser_->Description();
}

std::optional<ContextResources> ContextSource::Resources(
    const std::filesystem::path& main_dictionary, common::Messenger& messenger) {
  if (!OpenAnalyser()) {
    std::lock_guard lock(mutex_);
    if (!told_) {
      told_ = true;
      messenger.Tell({std::string(messages::kTitleNotice), why_not_, common::Icon::kInformation});
    }
    return std::nullopt;
  }
  std::lock_guard lock(mutex_);
  std::error_code error;
  auto time = std::filesystem::last_write_time(main_dictionary, error);
  auto size = std::filesystem::file_size(main_dictionary, error);
  if (!lexicon_ || lexicon_path_ != main_dictionary || lexicon_time_ != time ||
      lexicon_size_ != size) {
    std::shared_ptr<const Lexicon> lexicon = Lexicon::Load(main_dictionary, messenger);
    if (!lexicon) return std::nullopt;
    lexicon_ = std::move(lexicon);
    lexicon_path_ = main_dictionary;
    lexicon_time_ = time;
    lexicon_size_ = size;
  }
  return ContextResources{analyser_, lexicon_, &Conventions::BuiltIn()};
}

std::shared_ptr<ContextSource> ProcessContextSource() {
  static const std::shared_ptr<ContextSource> source = std::make_shared<ContextSource>();
  return source;
}

}  // namespace engine::context
