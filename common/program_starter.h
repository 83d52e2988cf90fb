// Starting another program (the browser, a registered application) as a process of its own.
#pragma once

#include <string>
#include <vector>

namespace common {

// Starts a program without waiting for it; the arguments go to it as they are, never through a
// shell, so a path with blanks stays one argument.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // false when the program could not be started (not found, not executable, or ended with a
  // failure at once).
  virtual bool Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

// Starts programs as processes of their own, detached from ours. A start waits up to a second
// for a program that fails at once.
class ProcessStarter final : public ProgramStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace common
