#pragma once
// Text output of the data files: a buffer that goes to an open file as it fills (or stays in
// memory), and the safe way of replacing a file with new text.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// Text written through a buffer. Lines end CR LF. A failed write raises EInOutError naming
// the file; what was handed on before stays there.
class TTextOut {
 public:
  // Keeps everything in memory; Text() answers it.
  TTextOut();
  // Writes to the open file descriptor fd (the caller closes it); name is for messages.
  TTextOut(int fd, std::string name);
  TTextOut(const TTextOut&) = delete;
  TTextOut& operator=(const TTextOut&) = delete;

  void Write(std::string_view s) {
    FBuf.append(s);
    Check();
  }
  void WriteLn(std::string_view s) {
    FBuf.append(s);
    FBuf.append("\r\n", 2);
    Check();
  }
  void WriteLn() { WriteLn({}); }
  // The buffer itself, for formatters that append to it; call Check() after a line or two.
  std::string& Buffer() { return FBuf; }
  void Check() {
    if (FBuf.size() >= FLimit) Drain();
  }
  // Hands everything buffered to the file.
  void Flush() {
    if (FToFile && !FBuf.empty()) Drain();
  }
  // The text written so far (in memory: all of it).
  const std::string& Text() const { return FBuf; }
  std::string TakeText() { return std::move(FBuf); }
  std::uint64_t BytesHandedOn() const { return FHandedOn; }
  const std::string& Name() const { return FName; }

 private:
  void Drain();

  std::string FBuf;
  int FFd = -1;
  bool FToFile = false;
  std::string FName;
  std::size_t FLimit;
  std::uint64_t FHandedOn = 0;
};

// Writes the whole of n bytes to fd, retrying after interrupts and short writes; raises
// EInOutError with name and the system's reason when the file takes no more.
void WriteAllToFile(int fd, const char* p, std::size_t n, const std::string& name);

// For tests: replaces the system's write for every file written through TTextOut and
// TSafeFileWriter (answers the bytes taken, or -1 with errno set). Empty: the system's.
using TFileWriteHook = std::function<long(int fd, const char* p, std::size_t n)>;
void SetFileWriteHook(TFileWriteHook hook);

// Replaces a file as a whole. The text goes to a temporary file in the target's folder; Commit
// flushes it to disk and renames it over the target, so that at every moment the target holds
// either its old content or the complete new one. A writer destroyed without Commit (an error
// on the way) removes the temporary file and leaves the target untouched.
// With append the new file starts with the target's present content (followed by a line
// break when that content does not end with one, so that the appended text starts its own
// line); a missing target is then an empty one.
class TSafeFileWriter {
 public:
  explicit TSafeFileWriter(const std::string& target, bool append = false);
  ~TSafeFileWriter();
  TSafeFileWriter(const TSafeFileWriter&) = delete;
  TSafeFileWriter& operator=(const TSafeFileWriter&) = delete;

  TTextOut& Out() { return *FOut; }
  void Commit();
  const std::string& TempName() const { return FTemp; }

 private:
  void Discard() noexcept;
  void CopyOldContent();

  std::string FTarget;
  std::string FTemp;
  int FFd = -1;
  std::unique_ptr<TTextOut> FOut;
  bool FDone = false;
};

// Replaces (or with append: extends) the file at path with what write puts into its output,
// by way of TSafeFileWriter.
void SafeWriteFile(const std::string& path, bool append,
                   const std::function<void(TTextOut& out)>& write);
