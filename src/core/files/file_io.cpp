#include "files/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#define KESTREL_POSIX_FILES 1
#endif

namespace fs = std::filesystem;

namespace kestrel {

namespace {

constexpr size_t kPrefixBytes = 256;  ///< kept of a file that is too large, to name its kind

std::string ReadPrefix(std::ifstream& in, size_t count) {
  std::string prefix(count, '\0');
  in.read(prefix.data(), static_cast<std::streamsize>(count));
  prefix.resize(static_cast<size_t>(in.gcount()));
  return prefix;
}

std::string TemporaryName(const fs::path& target) {
  static std::mt19937_64 generator{std::random_device{}()};
  static const char kHex[] = "0123456789abcdef";
  std::string suffix;
  uint64_t bits = generator();
  for (int i = 0; i < 12; ++i, bits >>= 4) suffix += kHex[bits & 15];
  return "." + target.filename().string() + "." + suffix + ".tmp";
}

/// Makes the data of a written file (or, for a folder, its entries) durable where the platform
/// offers it.
void Sync([[maybe_unused]] std::FILE* file) {
#ifdef KESTREL_POSIX_FILES
  ::fsync(::fileno(file));
#endif
}

void SyncFolder([[maybe_unused]] const fs::path& folder) {
#ifdef KESTREL_POSIX_FILES
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
#endif
}

}  // namespace

LoadedFile LoadFile(const std::string& path, size_t maxBytes) {
  LoadedFile result;
  std::error_code ec;
  // Only regular files: opening a pipe or a device could block or never end.
  if (path.empty() || !fs::is_regular_file(fs::status(path, ec)) || ec) return result;
  std::ifstream in(path, std::ios::binary);
  if (!in) return result;
  const uintmax_t size = fs::file_size(path, ec);
  if (!ec && size > maxBytes) {
    result.status = LoadStatus::kTooLarge;
    result.bytes = ReadPrefix(in, kPrefixBytes);
    return result;
  }
  // The size may change under us: read at most one byte more than allowed, in chunks.
  std::string bytes;
  constexpr size_t kChunk = 64 * 1024;
  while (in && bytes.size() <= maxBytes) {
    const size_t old = bytes.size();
    const size_t want = std::min(kChunk, maxBytes + 1 - old);
    bytes.resize(old + want);
    in.read(bytes.data() + old, static_cast<std::streamsize>(want));
    bytes.resize(old + static_cast<size_t>(in.gcount()));
    if (in.gcount() == 0) break;
  }
  if (in.bad()) return result;
  if (bytes.size() > maxBytes) {
    result.status = LoadStatus::kTooLarge;
    bytes.resize(kPrefixBytes);
    result.bytes = std::move(bytes);
    return result;
  }
  result.status = LoadStatus::kLoaded;
  result.bytes = std::move(bytes);
  return result;
}

bool PathExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec);
}

bool IsReadOnlyFile(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::is_regular_file(status)) return false;
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) return true;
#ifdef KESTREL_POSIX_FILES
  if (::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS)) return true;
#endif
  return false;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  auto fail = [error](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (path.empty()) return fail("no file name");
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (ec) return fail(ec.message());
    target = resolved;
  }
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const fs::file_status old = fs::status(target, ec);
  const bool replacing = !ec && fs::exists(old);
  // Only a regular file may be replaced: renaming over a pipe or a device node (as root, say
  // /dev/null) would put a plain file in its place.
  if (replacing && !fs::is_regular_file(old)) return fail("not a regular file");

  // Exclusive creation: never write into a file that someone else made under the same name.
  fs::path temporary;
  std::FILE* file = nullptr;
  for (int attempt = 0; attempt < 8 && !file; ++attempt) {
    temporary = folder / TemporaryName(target);
    file = std::fopen(temporary.string().c_str(), "wbx");
  }
  if (!file) return fail(std::generic_category().message(errno));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  if (ok) Sync(file);
  ok = std::fclose(file) == 0 && ok;
  std::string why = ok ? "" : std::generic_category().message(errno);
  if (ok && replacing) fs::permissions(temporary, old.permissions(), ec);
  if (ok) {
    fs::rename(temporary, target, ec);
    ok = !ec;
    if (!ok) why = ec.message();
  }
  if (!ok) {
    fs::remove(temporary, ec);
    return fail(why);
  }
  SyncFolder(folder);
  return true;
}

}  // namespace kestrel
