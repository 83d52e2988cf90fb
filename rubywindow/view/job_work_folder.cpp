// A window's folder for working files.
#include "rubywindow/view/job_work_folder.h"

#include <QTemporaryDir>
#include <utility>

namespace rubywindow::view {

JobWorkFolder::JobWorkFolder(std::filesystem::path given) : given_(std::move(given)) {}

JobWorkFolder::~JobWorkFolder() = default;

std::filesystem::path JobWorkFolder::Path() {
  if (!given_.empty()) return given_;
  if (!own_) own_ = std::make_unique<QTemporaryDir>();
  return own_->path().toStdString();
}

}  // namespace rubywindow::view
