// Makes file reads of the test program fail part-way through a file, as a failing disk does.
#pragma once

#include <cstddef>

namespace cli {

// While it lives, every pread() of this program at or after `offset` fails with EIO. Only a
// test program that links failing_disk.cpp has it.
class FailingDisk {
 public:
  explicit FailingDisk(std::size_t offset);
  ~FailingDisk();
  FailingDisk(const FailingDisk&) = delete;
  FailingDisk& operator=(const FailingDisk&) = delete;
};

}  // namespace cli
