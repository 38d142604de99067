#pragma once
// The program's own error kinds. ElmkException carries the messages the user sees;
// the others stand in for the platform's conversion, input/output, range and list errors.

#include <stdexcept>
#include <string>

class EMorvexError : public std::runtime_error {
 public:
  explicit EMorvexError(const std::string& msg) : std::runtime_error(msg) {}
};

class ElmkException : public EMorvexError {
 public:
  explicit ElmkException(const std::string& msg) : EMorvexError(msg) {}
};

// Text that is not a number of the kind asked for.
class EConvertError : public EMorvexError {
 public:
  explicit EConvertError(const std::string& msg) : EMorvexError(msg) {}
};

// A file that cannot be opened, read or written, or input that a read cannot take.
class EInOutError : public EMorvexError {
 public:
  explicit EInOutError(const std::string& msg) : EMorvexError(msg) {}
};

// A value outside the range of its type: a negative count, an integer overflow.
class ERangeError : public EMorvexError {
 public:
  explicit ERangeError(const std::string& msg) : EMorvexError(msg) {}
};

// A list position outside the list.
class EListError : public EMorvexError {
 public:
  explicit EListError(const std::string& msg) : EMorvexError(msg) {}
};

// A floating-point operation without a result: a division by zero, the mean of nothing.
class EMathError : public EMorvexError {
 public:
  explicit EMathError(const std::string& msg) : EMorvexError(msg) {}
};
