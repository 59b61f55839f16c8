#pragma once
// Files at the edge: loading a whole file with a size cap, checking a target before a save, and
// writing a file so that it holds either the whole new contents or its previous contents.

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

/// The largest file the program reads. Its own files stay far below this (a canonical function
/// with every combination listed is some tens of kilobytes); anything bigger is not one of them.
inline constexpr size_t kMaxKestrelFileBytes = size_t{2} << 20;

enum class LoadStatus {
  kLoaded,      ///< bytes holds the whole file
  kCannotOpen,  ///< missing, not a regular file, or not readable
  kTooLarge,    ///< bigger than the cap; bytes holds only its first few hundred bytes
};

struct LoadedFile {
  LoadStatus status = LoadStatus::kCannotOpen;
  std::string bytes;
};

/// Loads the file at path if it is a regular file of at most maxBytes bytes. Never blocks on
/// pipes or devices and never reads more than maxBytes + 1 bytes.
LoadedFile LoadFile(const std::string& path, size_t maxBytes = kMaxKestrelFileBytes);

/// Whether something exists at path (a link is followed).
bool PathExists(const std::string& path);
/// Whether path is an existing file that may not be written: its owner-write bit is off, or
/// the operating system refuses this process write access.
bool IsReadOnlyFile(const std::string& path);

/// Writes bytes to path through a temporary file in the same folder that then replaces the
/// target, so a failure at any point leaves the previous file as it was. An existing target
/// keeps its permissions; a link is followed and keeps pointing at the new contents. False when
/// the file could not be written or the target is not a regular file (a pipe, device or folder);
/// error, when given, then says why.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace kestrel
