#pragma once
// A private temporary folder for a test, and plain file access.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kestrel::testing {

/// A folder of its own under the system's temporary folder, made when first used and removed
/// with everything in it.
class TempDir {
 public:
  TempDir() = default;
  ~TempDir() {
    if (path_.empty()) return;
    std::error_code ec;
    // Give back write access that a test took away, so everything can be removed.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string File(const std::string& name) { return (path() / name).string(); }
  const std::filesystem::path& path() {
    if (path_.empty()) Make();
    return path_;
  }

 private:
  void Make() {
    std::random_device rd;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::filesystem::path candidate =
          base / ("kestrel-test-" + std::to_string(rd()) + std::to_string(rd()));
      if (std::filesystem::create_directory(candidate)) {
        path_ = candidate;
        return;
      }
    }
    ADD_FAILURE() << "no temporary folder";
  }
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

/// Joins lines with CR LF after each, as the program writes its files.
inline std::string CrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace kestrel::testing
