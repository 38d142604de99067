#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "common/TestFiles.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "WriterTestUtil.h"

namespace fs = std::filesystem;

namespace {

class SafeReplace : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("morvex-safe-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    target = dir / "out.lmk";
  }
  void TearDown() override {
    SetFileWriteHook(nullptr);
    fs::remove_all(dir);
  }
  // Every file in the folder: nothing but the target may be left behind.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  static TdataList& BigList() {
    static TdataList data;
    if (data.Count() == 0)
      for (int i = 0; i < 40000; ++i)
        Add2D(data, {{1.5, 2.5}, {3, 4}, {double(i), -double(i)}})->SetID("s");
    return data;
  }
  fs::path dir, target;
};

TEST_F(SafeReplace, ReplacesTheWholeFileAndLeavesNothingElse) {
  Put(target, "old content that is longer than the new one\r\n");
  SafeReplaceFile(target, [](TTextOut& out) { out.WriteLn("new"); });
  EXPECT_EQ(Slurp(target), "new\r\n");
  EXPECT_EQ(Files(), std::vector<std::string>{"out.lmk"});
  SafeReplaceFile(dir / "fresh.mxt", [](TTextOut& out) { out.Write("x"); });
  EXPECT_EQ(Slurp(dir / "fresh.mxt"), "x");
}

TEST_F(SafeReplace, WriteFailingMidwayKeepsTheOldFile) {
  Put(target, "LM=1\r\n1 2\r\n");
  // The disk fills up after 300 KB, in the first of the buffers handed on.
  std::size_t room = 300 << 10;
  SetFileWriteHook([&](int fd, const char* p, std::size_t n) -> long {
    if (room == 0) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t take = std::min(n, room);
    room -= take;
    return static_cast<long>(::write(fd, p, take));
  });
  try {
    SaveLandmarkFile(target, BigList(), true, false, "", false);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("out.lmk"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(std::strerror(ENOSPC)), std::string::npos) << e.what();
  }
  EXPECT_EQ(room, 0u);
  EXPECT_EQ(Slurp(target), "LM=1\r\n1 2\r\n");
  EXPECT_EQ(Files(), std::vector<std::string>{"out.lmk"});
}

TEST_F(SafeReplace, FileSizeLimitOfTheSystemKeepsTheOldFile) {
  // A real failure of write(2): the process may not write beyond 256 KB.
  Put(target, "old\r\n");
  auto* savedHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 256 << 10;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool failed = false;
  try {
    SaveMxtFile(target, BigList(), false);
  } catch (const EInOutError&) {
    failed = true;
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, savedHandler);
  EXPECT_TRUE(failed);
  EXPECT_EQ(Slurp(target), "old\r\n");
  EXPECT_EQ(Files(), std::vector<std::string>{"out.lmk"});
}

TEST_F(SafeReplace, ErrorOfTheWriterKeepsTheOldFile) {
  Put(target, "old\r\n");
  TdataList data;
  Add2D(data, {{1, 2}});
  Add2D(data, {{1, 2}, {3, 4}});
  EXPECT_THROW(SaveMxtFile(target, data, false), ElmkException);
  EXPECT_THROW(SaveMxtFile(target, data, true), ElmkException);
  EXPECT_EQ(Slurp(target), "old\r\n");
  EXPECT_EQ(Files(), std::vector<std::string>{"out.lmk"});
}

TEST_F(SafeReplace, AppendAddsAfterTheOldContent) {
  TdataList data;
  Add2D(data, {{1, 2}})->SetID("a");
  SaveLandmarkFile(target, data, true, false, "", true);  // no file yet: just the new text
  SaveLandmarkFile(target, data, true, false, "", true);
  EXPECT_EQ(Slurp(target),
            CrLf({"LM=1", "1.00000 2.00000", "ID=a", "LM=1", "1.00000 2.00000", "ID=a"}));
  TdataList back;
  ASSERT_TRUE(ReadLmkText(Slurp(target), back));
  EXPECT_EQ(back.Count(), 2);
}

TEST_F(SafeReplace, AppendStartsOnANewLineAfterAnUnfinishedLastLine) {
  Put(target, "LM=1\n5 6");
  TdataList data;
  Add2D(data, {{1, 2}})->SetID("a");
  SaveLandmarkFile(target, data, true, false, "", true);
  EXPECT_EQ(Slurp(target), "LM=1\n5 6\r\n" + CrLf({"LM=1", "1.00000 2.00000", "ID=a"}));
}

TEST_F(SafeReplace, AppendFailingMidwayLosesNothing) {
  const std::string old(2 << 20, 'x');
  Put(target, old);
  std::size_t room = (2 << 20) + 5000;  // the old content fits, the new text does not
  SetFileWriteHook([&](int fd, const char* p, std::size_t n) -> long {
    if (room == 0) {
      errno = EIO;
      return -1;
    }
    const std::size_t take = std::min(n, room);
    room -= take;
    return static_cast<long>(::write(fd, p, take));
  });
  EXPECT_THROW(SaveLandmarkFile(target, BigList(), true, false, "", true), EInOutError);
  EXPECT_TRUE(Slurp(target) == old);
  EXPECT_EQ(Files(), std::vector<std::string>{"out.lmk"});
}

TEST_F(SafeReplace, KeepsPermissionsAndReplacesThroughALink) {
  Put(dir / "real.lmk", "old");
  ::chmod((dir / "real.lmk").c_str(), 0640);
  fs::create_symlink("real.lmk", target);
  SafeReplaceFile(target, [](TTextOut& out) { out.Write("new"); });
  EXPECT_TRUE(fs::is_symlink(target));
  EXPECT_EQ(Slurp(dir / "real.lmk"), "new");
  struct stat st;
  ASSERT_EQ(::stat((dir / "real.lmk").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(SafeReplace, ReadOnlyFileIsNotReplaced) {
  Put(target, "old");
  ::chmod(target.c_str(), 0444);
  ::chmod(dir.c_str(), 0777);  // the folder itself would allow the swap
  auto attempt = [&] {
    try {
      SafeReplaceFile(target, [](TTextOut& out) { out.Write("new"); });
    } catch (const EInOutError&) {
      return true;
    }
    return false;
  };
  if (::geteuid() != 0) {
    EXPECT_TRUE(attempt());
  } else {
    // Root may write any file: the attempt is made as an ordinary user.
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
      ::_exit(attempt() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the read-only file was replaced";
  }
  EXPECT_EQ(Slurp(target), "old");
  EXPECT_EQ(Files(), std::vector<std::string>{"out.lmk"});
}

TEST_F(SafeReplace, MissingFolderIsAnInputOutputError) {
  EXPECT_THROW(SafeReplaceFile(dir / "no" / "such.lmk", [](TTextOut& out) { out.Write("x"); }),
               EInOutError);
}

TEST_F(SafeReplace, BigFileArrivesWhole) {
  SaveLandmarkFile(target, BigList(), true, false, "", false);
  EXPECT_TRUE(Slurp(target) == WriteLmk(BigList()));
}

}  // namespace
