// Where a window's jobs keep their working files.
#pragma once

#include <filesystem>
#include <memory>

class QTemporaryDir;

namespace rubywindow::view {

// The application's folder for working files; a window handed none makes a private one on first
// use, removed when the window goes.
class JobWorkFolder {
 public:
  explicit JobWorkFolder(std::filesystem::path given);
  ~JobWorkFolder();
  JobWorkFolder(const JobWorkFolder&) = delete;
  JobWorkFolder& operator=(const JobWorkFolder&) = delete;

  std::filesystem::path Path();

 private:
  std::filesystem::path given_;
  std::unique_ptr<QTemporaryDir> own_;
};

}  // namespace rubywindow::view
