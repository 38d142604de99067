#pragma once
// Checked integer arithmetic and the data model's out-of-bounds message.

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <type_traits>

#include "model/Errors.h"

// "subscript out of bounds in\n" + tag + ": " + the indices separated by blanks.
[[noreturn]] void ThrowOutOfBounds(const char* tag, std::initializer_list<long long> indices);

[[noreturn]] void ThrowRangeError(const std::string& what);

template <typename T>
T CheckedAdd(T a, T b) {
  T r;
  if (__builtin_add_overflow(a, b, &r)) ThrowRangeError("Integer overflow in addition");
  return r;
}

template <typename T>
T CheckedSub(T a, T b) {
  T r;
  if (__builtin_sub_overflow(a, b, &r)) ThrowRangeError("Integer overflow in subtraction");
  return r;
}

template <typename T>
T CheckedMul(T a, T b) {
  T r;
  if (__builtin_mul_overflow(a, b, &r)) ThrowRangeError("Integer overflow in multiplication");
  return r;
}

// A value converted to another integer type; one that does not fit raises a range error.
template <typename To, typename From>
To CheckedCast(From v) {
  static_assert(std::is_integral_v<To> && std::is_integral_v<From>);
  To r;
  if (__builtin_add_overflow(v, From{0}, &r))
    ThrowRangeError("Range check error: " + std::to_string(v));
  return r;
}

// A count that must not be negative.
int CheckedCount(long long n);

// Round to the nearest integer, halves to the even neighbour; outside the 32-bit range
// raises a range error.
int RoundToInt(double v);
