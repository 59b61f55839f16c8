// Files at the edge: the bounded loader, the read-only check and the all-or-nothing write.

#include "files/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "support/session_fixture.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(LoadFile, LoadsASmallFileWhole) {
  TempDir dir;
  WriteBytes(dir.File("a.kef"), "KESTREL\r\nLITERAL\r\nx1\r\n");
  const LoadedFile f = LoadFile(dir.File("a.kef"));
  EXPECT_EQ(f.status, LoadStatus::kLoaded);
  EXPECT_EQ(f.bytes, "KESTREL\r\nLITERAL\r\nx1\r\n");
}

TEST(LoadFile, MissingFilesFoldersAndPipesCannotBeOpened) {
  TempDir dir;
  EXPECT_EQ(LoadFile(dir.File("missing.kef")).status, LoadStatus::kCannotOpen);
  EXPECT_EQ(LoadFile(dir.path().string()).status, LoadStatus::kCannotOpen);
  EXPECT_EQ(LoadFile("").status, LoadStatus::kCannotOpen);
  // A pipe without a writer would block an open for reading: it is refused before that.
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_EQ(LoadFile(dir.File("pipe")).status, LoadStatus::kCannotOpen);
  EXPECT_EQ(LoadFile("/dev/zero").status, LoadStatus::kCannotOpen);
}

TEST(LoadFile, AFileOverTheCapIsRefusedKeepingOnlyItsStart) {
  TempDir dir;
  std::string bytes = "KESTREL\r\n" + std::string(100, 'a');
  WriteBytes(dir.File("big.kef"), bytes);
  const LoadedFile f = LoadFile(dir.File("big.kef"), 50);
  EXPECT_EQ(f.status, LoadStatus::kTooLarge);
  EXPECT_LE(f.bytes.size(), 256u);
  EXPECT_EQ(f.bytes.substr(0, 9), "KESTREL\r\n");
  EXPECT_EQ(LoadFile(dir.File("big.kef"), bytes.size()).status, LoadStatus::kLoaded);
  EXPECT_EQ(LoadFile(dir.File("big.kef"), bytes.size() - 1).status, LoadStatus::kTooLarge);
}

TEST(LoadFile, AHundredMegabyteFileIsRefusedAtOnce) {
  TempDir dir;
  const std::string path = dir.File("huge.kep");
  {
    // A sparse file: 100 MB long without writing 100 MB.
    WriteBytes(path, "KESTREL\r\nDECIMAL\r\n");
    fs::resize_file(path, 100u << 20);
  }
  const auto start = std::chrono::steady_clock::now();
  const LoadedFile f = LoadFile(path);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(f.status, LoadStatus::kTooLarge);
  EXPECT_LE(f.bytes.size(), 256u);
  EXPECT_LT(took, std::chrono::milliseconds(500));
}

TEST(IsReadOnlyFile, FollowsTheOwnerWriteBit) {
  TempDir dir;
  const std::string path = dir.File("a.kef");
  EXPECT_FALSE(IsReadOnlyFile(path));  // missing
  WriteBytes(path, "x");
  EXPECT_FALSE(IsReadOnlyFile(path));
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_TRUE(IsReadOnlyFile(path));
  EXPECT_FALSE(IsReadOnlyFile(dir.path().string()));
}

TEST(WriteFileAtomically, CreatesAndReplacesLeavingNoTemporaryFiles) {
  TempDir dir;
  const std::string path = dir.File("a.kef");
  ASSERT_TRUE(WriteFileAtomically(path, "first\r\n"));
  EXPECT_EQ(ReadBytes(path), "first\r\n");
  ASSERT_TRUE(WriteFileAtomically(path, "second\r\n"));
  EXPECT_EQ(ReadBytes(path), "second\r\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(WriteFileAtomically, KeepsThePermissionsOfTheReplacedFile) {
  TempDir dir;
  const std::string path = dir.File("a.kef");
  WriteBytes(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(WriteFileAtomically, AFailedWriteLeavesThePreviousFileWhole) {
  TempDir dir;
  // The target is a folder that cannot be replaced by a file: the write fails after the
  // temporary file was written, which must then disappear.
  fs::create_directory(dir.File("folder.kef"));
  WriteBytes(dir.File("folder.kef") + "/inside", "keep");
  EXPECT_FALSE(WriteFileAtomically(dir.File("folder.kef"), "new"));
  EXPECT_EQ(ReadBytes(dir.File("folder.kef") + "/inside"), "keep");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
  // A folder that does not exist.
  EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/folder/a.kef"), "x"));
  EXPECT_FALSE(WriteFileAtomically("", "x"));
}

TEST(WriteFileAtomically, AFolderThatCannotBeWrittenLeavesThePreviousFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into any folder";
  TempDir dir;
  const std::string path = dir.File("a.kef");
  WriteBytes(path, "old");
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(WriteFileAtomically(path, "new"));
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(ReadBytes(path), "old");
}

TEST(WriteFileAtomically, WritesThroughASymbolicLink) {
  TempDir dir;
  WriteBytes(dir.File("real.kef"), "old");
  fs::create_symlink(dir.File("real.kef"), dir.File("link.kef"));
  ASSERT_TRUE(WriteFileAtomically(dir.File("link.kef"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir.File("link.kef")));
  EXPECT_EQ(ReadBytes(dir.File("real.kef")), "new");
}

// A save aimed at a pipe, a device or a folder must not put a regular file in its place (as
// root, a rename would replace a device node such as /dev/null).
TEST(WriteFileAtomically, APipeAFolderOrALinkToAPipeIsNotReplaced) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("pipe.kef").c_str(), 0600), 0);
  fs::create_symlink(dir.File("pipe.kef"), dir.File("link.kef"));
  fs::create_directory(dir.File("folder.kef"));
  EXPECT_FALSE(WriteFileAtomically(dir.File("pipe.kef"), "new"));
  EXPECT_FALSE(WriteFileAtomically(dir.File("link.kef"), "new"));
  EXPECT_FALSE(WriteFileAtomically(dir.File("folder.kef"), "new"));
  EXPECT_TRUE(fs::is_fifo(dir.File("pipe.kef")));
  EXPECT_TRUE(fs::is_symlink(dir.File("link.kef")));
  EXPECT_TRUE(fs::is_directory(dir.File("folder.kef")));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}

}  // namespace
}  // namespace kestrel
