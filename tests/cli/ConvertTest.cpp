#include <fcntl.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include "common/TestFiles.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli/Commands.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

const std::string kOld = "LM=1\r\n1.00000 2.00000\r\nID=old\r\n";

class Convert : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("morvex-convert-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), "convert");
    out.str("");
    err.str("");
    return CliMain(args, out, err);
  }
  std::string P(const char* name) const { return (dir / name).string(); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  static int Specimens(const std::string& path) {
    TdataList data;
    std::ostringstream sink;
    return CliReadDataFile(path, data, sink) ? data.Count() : -1;
  }

  fs::path dir;
  std::ostringstream out, err;
};

TEST_F(Convert, WritesLmkAndMxtByExtension) {
  Put(P("in.lmk"),
      "LM=2\n1 2.5\n-1 -1\nIMAGE=C:\\pics\\a.jpg\nID=one\nSCALE=0.5\nLM=2\n3 4\n5 6\n");
  ASSERT_EQ(Run({P("in.lmk"), P("out.LMK")}), 0) << err.str();
  EXPECT_EQ(out.str(), "specimens=2\n");
  EXPECT_EQ(Slurp(P("out.LMK")),
            "LM=2\r\n1.00000 2.50000\r\n-1.00000 -1.00000\r\nIMAGE=a.jpg\r\nID=one\r\n"
            "SCALE=0.500000\r\nLM=2\r\n3.00000 4.00000\r\n5.00000 6.00000\r\nID=1\r\n");
  ASSERT_EQ(Run({P("in.lmk"), P("out.mxt")}), 0) << err.str();
  EXPECT_EQ(Slurp(P("out.mxt")),
            "\" Specimen 1, ID = one \r\n1 2L 2L 0\r\nLM1 LM2 \r\nX Y \r\n0.50000 1.25000 \r\n"
            "-0.50000 -0.50000 \r\n\" Specimen 2, ID = 1\r\n1 2L 2L 0\r\nLM1 LM2 \r\nX Y \r\n"
            "3.00000 4.00000 \r\n5.00000 6.00000 \r\n");
  EXPECT_EQ(Files(), (std::vector<std::string>{"in.lmk", "out.LMK", "out.mxt"}));
}

TEST_F(Convert, ImagePathOptions) {
  Put(P("in.lmk"), "LM=1\n1 2\nIMAGE=a.jpg\nLM=1\n1 2\nIMAGE=C:\\x\\b.jpg\n");
  struct TCase {
    std::vector<std::string> options;
    const char* first;
    const char* second;
  } cases[] = {
      {{}, "IMAGE=a.jpg", "IMAGE=b.jpg"},
      {{"--include-path"}, "IMAGE=a.jpg", "IMAGE=C:\\x\\b.jpg"},
      {{"--add-path=D:\\data"}, "IMAGE=D:\\data\\a.jpg", "IMAGE=C:\\x\\b.jpg"},
      {{"--add-path=/srv/img/"}, "IMAGE=/srv/img/a.jpg", "IMAGE=C:\\x\\b.jpg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    auto args = c.options;
    args.push_back(P("in.lmk"));
    args.push_back(P("out.lmk"));
    ASSERT_EQ(Run(args), 0) << err.str();
    const std::string text = Slurp(P("out.lmk"));
    EXPECT_NE(text.find(std::string(c.first) + "\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(std::string(c.second) + "\r\n"), std::string::npos) << text;
  }
}

TEST_F(Convert, DecimalCommaForReadingAndWriting) {
  Put(P("in.lmk"), "LM=1\n1,5 -2,25\nSCALE=0,5\n");
  ASSERT_EQ(Run({"--decimal=,", P("in.lmk"), P("out.lmk")}), 0) << err.str();
  EXPECT_EQ(Slurp(P("out.lmk")), "LM=1\r\n1,50000 -2,25000\r\nID=0\r\nSCALE=0,500000\r\n");
  EXPECT_EQ(DecimalSeparator(), '.');  // the option holds for the command only
  EXPECT_EQ(Run({P("in.lmk"), P("out.lmk")}), 1);
}

TEST_F(Convert, AppendAddsAfterAnUnfinishedLastLine) {
  Put(P("in.lmk"), "LM=1\n7 8\nID=new");
  Put(P("out.lmk"), "LM=1\n1 2");  // no line end after the last line
  ASSERT_EQ(Run({"--append", P("in.lmk"), P("out.lmk")}), 0) << err.str();
  EXPECT_EQ(Slurp(P("out.lmk")), "LM=1\n1 2\r\nLM=1\r\n7.00000 8.00000\r\nID=new\r\n");
  EXPECT_EQ(Specimens(P("out.lmk")), 2);
  ASSERT_EQ(Run({"--append", P("in.lmk"), P("fresh.lmk")}), 0) << err.str();
  EXPECT_EQ(Specimens(P("fresh.lmk")), 1);
}

TEST_F(Convert, FailuresLeaveTheOldFileAlone) {
  Put(P("bad.lmk"), "LM=2\n1 2\n3,5 4\n");
  Put(P("mixed.lmk"), "LM=1\n1 2\nLM=2\n1 2\n3 4\n");
  Put(P("out.lmk"), kOld);
  Put(P("out.txt"), kOld);
  Put(P("out.mxt"), kOld);
  EXPECT_EQ(Run({P("bad.lmk"), P("out.lmk")}), 1);
  EXPECT_NE(err.str().find("bad.lmk:3: , character found"), std::string::npos) << err.str();
  EXPECT_EQ(Run({P("missing.lmk"), P("out.lmk")}), 1);
  EXPECT_EQ(Run({P("mixed.lmk"), P("out.txt")}), 1);
  EXPECT_EQ(err.str(), P("out.txt") + ": Only file types LMK and MXT are supported\n");
  EXPECT_EQ(Run({P("mixed.lmk"), P("out.mxt")}), 1);
  EXPECT_EQ(err.str(), P("out.mxt") + ": All specimens must have same number of landmarks.\n");
  EXPECT_EQ(Run({"--append", P("mixed.lmk"), P("out.mxt")}), 1);
  EXPECT_EQ(Run({P("mixed.lmk"), P("nofolder/out.lmk")}), 1);
  EXPECT_NE(err.str().find("nofolder"), std::string::npos) << err.str();
  for (const char* name : {"out.lmk", "out.txt", "out.mxt"}) EXPECT_EQ(Slurp(P(name)), kOld);
  EXPECT_EQ(Files(),
            (std::vector<std::string>{"bad.lmk", "mixed.lmk", "out.lmk", "out.mxt", "out.txt"}));
}

TEST_F(Convert, UsageErrors) {
  Put(P("in.lmk"), "LM=0\n");
  EXPECT_EQ(Run({P("in.lmk")}), 2);
  EXPECT_EQ(Run({"--include-path", "--add-path=C:\\", P("in.lmk"), P("o.lmk")}), 2);
  EXPECT_EQ(Run({"--add-path=", P("in.lmk"), P("o.lmk")}), 2);
  EXPECT_EQ(Run({"--frobnicate", P("in.lmk"), P("o.lmk")}), 2);
  EXPECT_EQ(Run({"--decimal=;", P("in.lmk"), P("o.lmk")}), 2);
  EXPECT_EQ(err.str(), "morvex2-cli convert: --decimal takes . or ,\n");
  EXPECT_FALSE(fs::exists(P("o.lmk")));
}

TEST_F(Convert, EveryReadableCorpusFile) {
  int converted = 0;
  for (const auto& entry : fs::directory_iterator(MORVEX_CORPUS_DIR)) {
    if (entry.path().extension() != ".lmk") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const int n = Specimens(entry.path());
    if (n < 0) continue;
    ASSERT_EQ(Run({entry.path().string(), P("out.lmk")}), 0) << err.str();
    EXPECT_EQ(Specimens(P("out.lmk")), n);
    ASSERT_EQ(Run({entry.path().string(), P("out.mxt")}), 0) << err.str();
    EXPECT_GT(fs::file_size(P("out.mxt")), 0u);
    ++converted;
  }
  EXPECT_GE(converted, 8);
}

// The real program, killed while it writes, leaves the old file whole.
class ConvertKilled : public Convert {
 protected:
  void SetUp() override {
    Convert::SetUp();
    std::string text;
    text.reserve(24 << 20);
    for (int k = 0; k < 50000; ++k) {
      text += "LM=20\n";
      for (int i = 0; i < 20; ++i)
        text += std::to_string(k % 5000 + i) + ".12345 " + std::to_string(i * 31) + ".5\n";
      text += "ID=spec " + std::to_string(k) + "\n";
    }
    Put(P("in.lmk"), text);
    Put(P("out.lmk"), kOld);
  }
  pid_t Start() {
    const std::string binary = MORVEX_BINARY_DIR "/cli/morvex2-cli";
    std::vector<std::string> args = {binary, "convert", P("in.lmk"), P("out.lmk")};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
  }
  // The temporary file of the write once it holds at least bytes, or empty when the program
  // ended first.
  std::string WaitForTemp(pid_t pid, std::uintmax_t bytes) {
    for (;;) {
      for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename();
        std::error_code ec;
        if (name.rfind(".out.lmk.tmp-", 0) == 0 && fs::file_size(e.path(), ec) >= bytes && !ec)
          return name;
      }
      int status;
      if (::waitpid(pid, &status, WNOHANG) == pid) return "";
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  }
  static bool Killed(pid_t pid) {
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }
};

TEST_F(ConvertKilled, WhileReading) {
  const pid_t pid = Start();
  ASSERT_GT(pid, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(Killed(pid)) << "the program ended before it could be killed";
  EXPECT_EQ(Slurp(P("out.lmk")), kOld);
}

TEST_F(ConvertKilled, WhileWriting) {
  // Killed at three points of the write: just begun, a few buffers on, near the end.
  for (std::uintmax_t bytes :
       {std::uintmax_t{1}, std::uintmax_t{3} << 20, std::uintmax_t{15} << 20}) {
    SCOPED_TRACE(bytes);
    const pid_t pid = Start();
    ASSERT_GT(pid, 0);
    const std::string temp = WaitForTemp(pid, bytes);
    ASSERT_FALSE(temp.empty()) << "the program ended before it could be killed";
    ASSERT_TRUE(Killed(pid));
    EXPECT_EQ(Slurp(P("out.lmk")), kOld);
    // Only the unfinished temporary file is left beside the old one.
    EXPECT_EQ(Files(), (std::vector<std::string>{temp, "in.lmk", "out.lmk"}));
    fs::remove(dir / temp);
  }
  // Left alone, the same run replaces the file with the complete new one.
  const pid_t pid = Start();
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Specimens(P("out.lmk")), 50000);
  EXPECT_EQ(Files(), (std::vector<std::string>{"in.lmk", "out.lmk"}));
}

}  // namespace
