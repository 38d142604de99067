#include "model/TextOutFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "model/Errors.h"

namespace {

// Big enough to keep system calls rare, small enough to stay in the cache.
constexpr std::size_t kBufferLimit = 1 << 20;

TFileWriteHook& WriteHook() {
  static TFileWriteHook hook;
  return hook;
}

std::string Reason(int err) {
  return std::strerror(err);
}

[[noreturn]] void ThrowIo(const std::string& what, const std::string& name, int err) {
  throw EInOutError(what + " " + name + ": " + Reason(err));
}

std::string FolderOf(const std::string& path) {
  const auto p = path.find_last_of('/');
  if (p == std::string::npos) return ".";
  if (p == 0) return "/";
  return path.substr(0, p);
}

std::string NameOf(const std::string& path) {
  const auto p = path.find_last_of('/');
  return p == std::string::npos ? path : path.substr(p + 1);
}

// A symbolic link is replaced at the file it points to, not turned into a plain file.
std::string ResolveTarget(const std::string& target) {
  std::error_code ec;
  if (std::filesystem::is_symlink(target, ec)) {
    auto real = std::filesystem::weakly_canonical(target, ec);
    if (!ec) return real.string();
  }
  return target;
}

}  // namespace

void SetFileWriteHook(TFileWriteHook hook) {
  WriteHook() = std::move(hook);
}

void WriteAllToFile(int fd, const char* p, std::size_t n, const std::string& name) {
  while (n > 0) {
    const long w = WriteHook() ? WriteHook()(fd, p, n) : static_cast<long>(::write(fd, p, n));
    if (w < 0) {
      if (errno == EINTR) continue;
      ThrowIo("Error writing", name, errno);
    }
    if (w == 0) ThrowIo("Error writing", name, ENOSPC);
    p += w;
    n -= static_cast<std::size_t>(w);
  }
}

TTextOut::TTextOut() : FLimit(static_cast<std::size_t>(-1)) {}

TTextOut::TTextOut(int fd, std::string name)
    : FFd(fd), FToFile(true), FName(std::move(name)), FLimit(kBufferLimit) {
  FBuf.reserve(kBufferLimit + 4096);
}

void TTextOut::Drain() {
  if (!FToFile) return;
  // The buffer is emptied whatever happens, so that a failure does not send it twice; its
  // memory is kept for the next lines.
  try {
    WriteAllToFile(FFd, FBuf.data(), FBuf.size(), FName);
  } catch (...) {
    FBuf.clear();
    throw;
  }
  FHandedOn += FBuf.size();
  FBuf.clear();
}

TSafeFileWriter::TSafeFileWriter(const std::string& target, bool append)
    : FTarget(ResolveTarget(target)) {
  static std::atomic<unsigned> counter{0};
  // A file the user may not write stays as it is, although the folder would let us swap it.
  if (::access(FTarget.c_str(), F_OK) == 0 && ::access(FTarget.c_str(), W_OK) != 0)
    ThrowIo("Cannot write", FTarget, errno);
  const std::string folder = FolderOf(FTarget);
  const std::string stem = folder + "/." + NameOf(FTarget) + ".tmp-" + std::to_string(::getpid());
  for (int attempt = 0;; ++attempt) {
    FTemp = stem + "-" + std::to_string(counter++);
    FFd = ::open(FTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (FFd >= 0) break;
    if (errno != EEXIST || attempt > 1000) {
      const int err = errno;
      FTemp.clear();
      ThrowIo("Cannot create file in", folder, err);
    }
  }
  // The new file keeps the permissions of the one it replaces.
  struct stat st;
  if (::stat(FTarget.c_str(), &st) == 0) ::fchmod(FFd, st.st_mode & 07777);
  FOut = std::make_unique<TTextOut>(FFd, FTarget);
  try {
    if (append) CopyOldContent();
  } catch (...) {
    Discard();
    throw;
  }
}

void TSafeFileWriter::CopyOldContent() {
  const int in = ::open(FTarget.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    if (errno == ENOENT) return;
    ThrowIo("Cannot open", FTarget, errno);
  }
  std::string buf(1 << 20, '\0');
  char last = '\n';
  for (;;) {
    const ssize_t r = ::read(in, buf.data(), buf.size());
    if (r < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(in);
      ThrowIo("Error reading", FTarget, err);
    }
    if (r == 0) break;
    try {
      WriteAllToFile(FFd, buf.data(), static_cast<std::size_t>(r), FTarget);
    } catch (...) {
      ::close(in);
      throw;
    }
    last = buf[static_cast<std::size_t>(r) - 1];
  }
  ::close(in);
  if (last != '\n') FOut->Write("\r\n");
}

void TSafeFileWriter::Commit() {
  if (FDone) return;
  try {
    FOut->Flush();
    if (::fsync(FFd) != 0) ThrowIo("Error writing", FTarget, errno);
    const int fd = FFd;
    FFd = -1;
    if (::close(fd) != 0) ThrowIo("Error writing", FTarget, errno);
    if (::rename(FTemp.c_str(), FTarget.c_str()) != 0) ThrowIo("Cannot replace", FTarget, errno);
  } catch (...) {
    Discard();
    throw;
  }
  FDone = true;
  // Makes the rename itself durable; a folder that cannot be synced still holds the file.
  const int dir = ::open(FolderOf(FTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

void TSafeFileWriter::Discard() noexcept {
  if (FFd >= 0) {
    ::close(FFd);
    FFd = -1;
  }
  if (!FTemp.empty()) ::unlink(FTemp.c_str());
  FDone = true;
}

TSafeFileWriter::~TSafeFileWriter() {
  if (!FDone) Discard();
}

void SafeWriteFile(const std::string& path, bool append,
                   const std::function<void(TTextOut& out)>& write) {
  TSafeFileWriter file(path, append);
  write(file.Out());
  file.Commit();
}
