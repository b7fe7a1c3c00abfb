// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing and reading files: whatever fails, the old file stays whole and nothing is left
// behind; links, permissions and read-only marks survive a replacement.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <new>

#include "EngineTestSupport.h"
#include "product/engine/InputFile.h"
#include "product/engine/KvbFormat.h"
#include "base/SafeFileWriter.h"

namespace fs = std::filesystem;
using uv::FileOps;
using uv::WriteTarget;
using uv::engine::test::readBytes;
using uv::engine::test::ScratchFolder;
using uv::engine::test::writeBytes;

namespace {

const std::vector<unsigned char> kOld{'o', 'l', 'd', ' ', 'b', 'y', 't', 'e', 's'};
const std::vector<unsigned char> kNew(100000, 'n');

// Names in the folder, for "nothing was left behind".
std::vector<std::string> listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

mode_t modeOf(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mode & 07777;
}

// A tmpfs of `size` mounted on a fresh folder while the object lives; mounted() is false where
// mounting is not permitted (not root, or a container without the right).
class TmpfsMount {
 public:
  TmpfsMount(const fs::path& at, const char* options) : m_at(at) {
    fs::create_directories(at);
    m_mounted = ::mount("tmpfs", at.c_str(), "tmpfs", 0, options) == 0;
  }
  ~TmpfsMount() {
    if (m_mounted) ::umount2(m_at.c_str(), MNT_DETACH);
  }
  bool mounted() const { return m_mounted; }

 private:
  fs::path m_at;
  bool m_mounted = false;
};

// Fault injection: the n-th call of a step fails with errno `err`, the calls before it work.
struct Fault {
  static inline int writesLeft = 0;
  static inline std::size_t shortWrite = 0;  // bytes the failing write still takes (0: none)
  static inline int err = 0;
  static ssize_t write(int fd, const void* data, size_t size) {
    if (writesLeft-- > 0) return ::write(fd, data, std::min<size_t>(size, 4096));
    if (shortWrite) {
      const size_t n = std::min(size, shortWrite);
      shortWrite = 0;
      return ::write(fd, data, n);
    }
    errno = err;
    return -1;
  }
  static ssize_t writeNothing(int, const void*, size_t) { return 0; }
  static int fsync(int) {
    errno = err;
    return -1;
  }
  static int rename(const char*, const char*) {
    errno = err;
    return -1;
  }
};

}  // namespace

TEST(SafeFileWriter, AnyFailingStepKeepsTheOldFileWholeAndLeavesNothing) {
  struct Case {
    const char* what;
    std::function<FileOps()> ops;
    const char* reason;
  } cases[] = {
      {"disk full at once", [] { Fault::writesLeft = 0; Fault::err = ENOSPC; FileOps o; o.write = Fault::write; return o; },
       "No space left on device"},
      {"disk full after some bytes", [] { Fault::writesLeft = 3; Fault::shortWrite = 100; Fault::err = ENOSPC;
                                         FileOps o; o.write = Fault::write; return o; },
       "No space left on device"},
      {"a write that takes nothing", [] { FileOps o; o.write = Fault::writeNothing; return o; }, "cannot write"},
      {"quota", [] { Fault::writesLeft = 1; Fault::err = EDQUOT; FileOps o; o.write = Fault::write; return o; },
       "quota"},
      {"sync fails", [] { Fault::err = EIO; FileOps o; o.fsync = Fault::fsync; return o; }, "flush"},
      {"rename fails", [] { Fault::err = EXDEV; FileOps o; o.rename = Fault::rename; return o; }, "in place"},
  };
  for (const Case& c : cases) {
    ScratchFolder dir;
    writeBytes(dir.path("a.kvb"), kOld);
    const auto before = listing(dir.path(""));
    std::string why;
    EXPECT_FALSE(uv::replaceFile(dir.wpath("a.kvb"), kNew, why, c.ops())) << c.what;
    EXPECT_NE(why.find(c.reason), std::string::npos) << c.what << ": " << why;
    EXPECT_EQ(why.find("a.kvb"), std::string::npos) << "the caller names the file: " << why;
    EXPECT_EQ(readBytes(dir.path("a.kvb")), kOld) << c.what;
    EXPECT_EQ(listing(dir.path("")), before) << c.what;
  }
}

TEST(SafeFileWriter, RefusesWhatMayNotBeReplaced) {
  ScratchFolder dir;
  writeBytes(dir.path("readonly.kvb"), kOld);
  ::chmod(dir.path("readonly.kvb").c_str(), 0444);
  fs::create_directory(dir.path("folder.kvb"));
  writeBytes(dir.path("plain"), kOld);
  ::mkfifo(dir.path("pipe.kvb").c_str(), 0644);
  fs::create_symlink("readonly.kvb", dir.path("link-to-readonly.kvb"));
  struct Case {
    std::string path;
    const char* reason;
  } cases[] = {
      // Root could write it; the mode says the user does not want that.
      {"readonly.kvb", "read-only"},
      {"link-to-readonly.kvb", "read-only"},
      {"folder.kvb", "is a folder"},
      {"pipe.kvb", "not a regular file"},
      {"missing/a.kvb", "folder does not exist"},
      {"plain/a.kvb", "not a folder"},
  };
  for (const Case& c : cases) {
    const auto before = listing(dir.path(""));
    std::string why;
    EXPECT_FALSE(uv::replaceFile(dir.wpath(c.path), kNew, why)) << c.path;
    EXPECT_NE(why.find(c.reason), std::string::npos) << c.path << ": " << why;
    EXPECT_EQ(listing(dir.path("")), before) << c.path;
    const WriteTarget target = uv::checkWriteTarget(dir.wpath(c.path));
    EXPECT_EQ(target.state, WriteTarget::State::kRefused) << c.path;
    EXPECT_EQ(target.why, why) << c.path;
  }
  EXPECT_EQ(readBytes(dir.path("readonly.kvb")), kOld);
  EXPECT_EQ(modeOf(dir.path("readonly.kvb")), 0444u);
  std::string why;
  EXPECT_FALSE(uv::replaceFile(L"", kNew, why));
  EXPECT_NE(why.find("no file name"), std::string::npos);
}

TEST(SafeFileWriter, KeepsPermissionsAndWritesThroughLinks) {
  ScratchFolder dir;
  fs::create_directory(dir.path("data"));
  writeBytes(dir.path("data/site.kvb"), kOld);
  ::chmod(dir.path("data/site.kvb").c_str(), 0600);
  fs::create_symlink("data/site.kvb", dir.path("link.kvb"));
  fs::create_symlink("link.kvb", dir.path("link2.kvb"));  // a chain
  fs::create_symlink("data/new.kvb", dir.path("dangling.kvb"));

  std::string why;
  ASSERT_TRUE(uv::replaceFile(dir.wpath("link2.kvb"), kNew, why)) << why;
  EXPECT_TRUE(fs::is_symlink(dir.path("link2.kvb")));
  EXPECT_TRUE(fs::is_symlink(dir.path("link.kvb")));
  EXPECT_EQ(readBytes(dir.path("data/site.kvb")), kNew);
  EXPECT_EQ(modeOf(dir.path("data/site.kvb")), 0600u);

  // A dangling link gets its target made.
  ASSERT_TRUE(uv::replaceFile(dir.wpath("dangling.kvb"), kOld, why)) << why;
  EXPECT_TRUE(fs::is_symlink(dir.path("dangling.kvb")));
  EXPECT_EQ(readBytes(dir.path("data/new.kvb")), kOld);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(modeOf(dir.path("data/new.kvb")), 0666u & ~mask);

  std::vector<std::string> expected{"new.kvb", "site.kvb"};
  EXPECT_EQ(listing(dir.path("data")), expected);
  EXPECT_TRUE(uv::sameFile(dir.wpath("link2.kvb"), dir.wpath("data/../data/site.kvb")));
  EXPECT_FALSE(uv::sameFile(dir.wpath("link2.kvb"), dir.wpath("data/new.kvb")));
  EXPECT_TRUE(uv::sameFile(dir.wpath("gone/x.kvb"), dir.wpath("gone/./y/../x.kvb")));
}

TEST(SafeFileWriter, RemovesOnlyTheTemporariesOfDeadWriters) {
  ScratchFolder dir;
  writeBytes(dir.path("a.kvb"), kOld);
  const std::vector<std::string> stale{"a.kvb.tmp-Q7x2Lp"};
  const std::vector<std::string> kept{"a.kvb.tmp-Q7x2L",  "a.kvb.tmp-Q7x2Lp9", "b.kvb.tmp-Q7x2Lp",
                                      "a.kvb.tmp-Q7x_Lp", "a.kvb.tmp-live01",  "a.kvb.tmp-link01"};
  for (const auto& name : stale) writeBytes(dir.path(name), kNew);
  for (const auto& name : kept)
    if (name != "a.kvb.tmp-link01") writeBytes(dir.path(name), kNew);
  fs::create_symlink("a.kvb", dir.path("a.kvb.tmp-link01"));
  // A writer at work holds its lock.
  const int live = ::open(dir.path("a.kvb.tmp-live01").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(live, LOCK_EX), 0);

  std::string why;
  ASSERT_TRUE(uv::replaceFile(dir.wpath("a.kvb"), kNew, why)) << why;
  ::close(live);
  for (const auto& name : stale) EXPECT_FALSE(fs::exists(dir.path(name))) << name;
  for (const auto& name : kept) EXPECT_TRUE(fs::exists(fs::symlink_status(dir.path(name)))) << name;
  // Once its writer is gone, the last one goes too.
  EXPECT_EQ(uv::removeStaleTemporaries(dir.wpath("a.kvb")), 1);
  EXPECT_FALSE(fs::exists(dir.path("a.kvb.tmp-live01")));
}

TEST(SafeFileWriter, AFullDiskKeepsTheOldFile) {
  ScratchFolder dir;
  TmpfsMount disk(dir.path("small"), "size=64k");
  if (!disk.mounted()) GTEST_SKIP() << "mounting a small tmpfs is not permitted here";
  writeBytes(dir.path("small/a.kvb"), kOld);
  std::string why;
  EXPECT_FALSE(uv::replaceFile(dir.wpath("small/a.kvb"), std::vector<unsigned char>(1 << 20, 'x'), why));
  EXPECT_NE(why.find("No space left on device"), std::string::npos) << why;
  EXPECT_EQ(readBytes(dir.path("small/a.kvb")), kOld);
  EXPECT_EQ(listing(dir.path("small")), std::vector<std::string>{"a.kvb"});
  // What fits is written.
  EXPECT_TRUE(uv::replaceFile(dir.wpath("small/a.kvb"), kOld, why)) << why;
}

TEST(SafeFileWriter, AFolderThatTakesNoFilesIsFoundBeforeWriting) {
  ScratchFolder dir;
  fs::create_directory(dir.path("ro"));
  // Root writes into a folder of mode 0555 anyway; a read-only file system stops everybody.
  std::optional<TmpfsMount> readOnly;
  if (::geteuid() == 0) {
    readOnly.emplace(dir.path("ro"), "ro,size=64k");
    if (!readOnly->mounted()) GTEST_SKIP() << "root, and mounting a read-only tmpfs is not permitted here";
  } else {
    ::chmod(dir.path("ro").c_str(), 0555);
  }
  const WriteTarget target = uv::checkWriteTarget(dir.wpath("ro/a.kvb"));
  EXPECT_EQ(target.state, WriteTarget::State::kRefused);
  EXPECT_NE(target.why.find("does not take new files"), std::string::npos) << target.why;
  std::string why;
  EXPECT_FALSE(uv::replaceFile(dir.wpath("ro/a.kvb"), kNew, why));
  EXPECT_EQ(why, target.why);
  readOnly.reset();
  ::chmod(dir.path("ro").c_str(), 0755);

  writeBytes(dir.path("old.kvb"), kOld);
  EXPECT_EQ(uv::checkWriteTarget(dir.wpath("old.kvb")).state, WriteTarget::State::kExisting);
  EXPECT_EQ(uv::checkWriteTarget(dir.wpath("new.kvb")).state, WriteTarget::State::kNew);
  // The probe leaves nothing.
  EXPECT_EQ(listing(dir.path("")), (std::vector<std::string>{"old.kvb", "ro"}));
}

TEST(InputFile, RefusesWhatIsNoFileAndNeverThrows) {
  ScratchFolder dir;
  fs::create_directory(dir.path("folder.kvb"));
  ::mkfifo(dir.path("pipe.kvb").c_str(), 0644);
  struct Case {
    const char* path;
    const char* reason;
  } cases[] = {{"folder.kvb", "is a folder"}, {"pipe.kvb", "not a regular file"}, {"none.kvb", "does not exist"}};
  for (const Case& c : cases) {
    uv::engine::InputFile file;
    std::string why;
    EXPECT_FALSE(file.open(dir.wpath(c.path), why)) << c.path;
    EXPECT_NE(why.find(c.reason), std::string::npos) << c.path << ": " << why;
    uv::engine::SurfaceFileContent content;
    std::string error;
    EXPECT_FALSE(uv::engine::readSurfaceFile(dir.wpath(c.path), uv::engine::KvbDepth::Header, content, error));
    EXPECT_EQ(error, why);
  }
}

TEST(InputFile, ReadsSeeksAndRewinds) {
  ScratchFolder dir;
  std::vector<unsigned char> bytes(200000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 7);
  writeBytes(dir.path("f"), bytes);
  uv::engine::InputFile file;
  std::string why;
  ASSERT_TRUE(file.open(dir.wpath("f"), why)) << why;
  std::vector<char> got(bytes.size() + 10);
  EXPECT_EQ(file.buffer().sgetn(got.data(), 100), 100);
  EXPECT_EQ(file.buffer().pubseekoff(0, std::ios_base::cur), 100);
  // A large read goes on from where the small one stopped, part from the buffer, part from
  // the file itself.
  EXPECT_EQ(file.buffer().sgetn(got.data() + 100, 150000), 150000);
  EXPECT_EQ(file.buffer().pubseekoff(0, std::ios_base::cur), 150100);
  EXPECT_EQ(file.buffer().sgetn(got.data() + 150100, 100), 100);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 150200, reinterpret_cast<unsigned char*>(got.data())));
  ASSERT_TRUE(file.rewind());
  EXPECT_EQ(file.buffer().sgetn(got.data(), std::streamsize(got.size())), std::streamsize(bytes.size()));
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), reinterpret_cast<unsigned char*>(got.data())));
  EXPECT_EQ(file.buffer().sgetn(got.data(), 10), 0);
  EXPECT_TRUE(file.error().empty());
}

// Content made while it is written (a drawing): a full disk part way, or a
// writer that gives up with its reason, keeps the old file and leaves nothing.
TEST(SafeFileWriter, StreamedContentThatFailsKeepsTheOldFile) {
  const struct {
    const char* what;
    bool writerGivesUp;
    const char* reason;
  } cases[] = {{"disk full after some pieces", false, "No space left on device"},
               {"the writer gives up", true, "holds a value that is not a finite number"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder dir;
    writeBytes(dir.path("a.dxf"), kOld);
    Fault::writesLeft = 2;
    Fault::shortWrite = 0;
    Fault::err = ENOSPC;
    FileOps ops;
    ops.write = Fault::write;
    std::string why;
    const bool replaced = uv::replaceFileStreamed(
        dir.wpath("a.dxf"),
        [&](std::ostream& out, std::string& reason) {
          for (int i = 0; i < 1000 && !c.writerGivesUp; ++i) out << std::string(1000, 'x') << '\n';
          if (c.writerGivesUp) reason = "LINE 2F holds a value that is not a finite number";
          return !c.writerGivesUp;
        },
        why, c.writerGivesUp ? FileOps{} : ops);
    EXPECT_FALSE(replaced);
    EXPECT_NE(why.find(c.reason), std::string::npos) << why;
    EXPECT_EQ(readBytes(dir.path("a.dxf")), kOld);
    EXPECT_EQ(listing(dir.path("")), std::vector<std::string>{"a.dxf"});
  }
}

// A writer that throws part way (no memory for the rest of its content): the exception goes on
// to the caller, the old file stays and no temporary file is left.
TEST(SafeFileWriter, StreamedContentThatThrowsKeepsTheOldFile) {
  ScratchFolder dir;
  writeBytes(dir.path("a.kvb"), kOld);
  std::string why;
  EXPECT_THROW(uv::replaceFileStreamed(
                   dir.wpath("a.kvb"),
                   [](std::ostream& out, std::string&) -> bool {
                     out << std::string(100000, 'x');
                     throw std::bad_alloc();
                   },
                   why),
               std::bad_alloc);
  EXPECT_EQ(readBytes(dir.path("a.kvb")), kOld);
  EXPECT_EQ(listing(dir.path("")), std::vector<std::string>{"a.kvb"});
}
