#pragma once
// Reading this process's memory figures from /proc/self/status (Linux), for the measuring tools.

#include <cstring>
#include <fstream>
#include <string>

namespace kestrel::bench {

/// The value in kB of a /proc/self/status field such as "VmRSS:" or "VmHWM:"; -1 when absent.
inline long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const size_t len = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, len, field) == 0) return std::stol(line.substr(len));
  return -1;
}

}  // namespace kestrel::bench
