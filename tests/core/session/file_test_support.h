#pragma once
// Shared helpers of the file and lifecycle tests: a private temporary folder, a session wired to
// recording messages and scripted file dialogs, and entry helpers that go through the same
// commands a user would.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "session/session.h"

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

/// One run of the program with recording seams and scripted dialogs.
struct FileBench {
  RecordingMessages messages;
  HeadlessProgress progress;
  ScriptedFileDialogs dialogs;
  Session session{messages, progress, &dialogs};
  FunctionModel& model = session.model;
  ProjectRecord& project = session.project;
  TempDir dir;

  /// Canonical entry: opens the window, adds the numbers, presses Ok.
  void Canonical(const std::vector<int>& ones, const std::vector<int>& zeros = {},
                 const std::vector<int>& dontCares = {}) {
    session.DecimalRepClick();
    session.definition.ClearAll();
    const std::vector<int>* lists[3] = {&ones, &zeros, &dontCares};
    for (int target = 0; target < 3; ++target)
      for (int v : *lists[target]) EXPECT_TRUE(session.definition.Add(std::to_string(v), target));
    EXPECT_TRUE(session.definition.Ok());
  }
  /// Literal entry with "Minimize" as given.
  void Literal(const std::string& text, bool minimize = true) {
    session.LiteralRepClick();
    model.functionText = text;
    session.definition.minimizeChecked = minimize;
    EXPECT_TRUE(session.definition.LiteralOk());
  }
  /// The design structure dialog confirmed with OK: the project becomes modified.
  void ConfirmStructure() {
    session.choice.OnShow(model.functionText);
    project.projectModified = 1;
    session.zoom = 17;
  }
  /// The next file dialog answers with this path (or is cancelled).
  void Answer(const std::string& path) { dialogs.answers.push_back(path); }
  void CancelDialog() { dialogs.answers.push_back(std::nullopt); }

  bool OpenFunctionFile(const std::string& path) {
    Answer(path);
    return session.OpenFunction();
  }
  bool OpenProjectFile(const std::string& path) {
    Answer(path);
    return session.OpenProject();
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages.shown) out.push_back(m.text);
    return out;
  }
};

}  // namespace kestrel::testing
