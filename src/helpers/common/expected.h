// A value or a short error message. Statistical test routines return one of these;
// the feature that uses the routine turns an error into NaN, so messages never
// reach Python.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace tessaly {

struct Error {
  std::string message;
};

template <class T>
class Expected {
 public:
  Expected(T value) : state_(std::move(value)) {}
  Expected(Error error) : state_(std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  const T& value() const { return std::get<0>(state_); }
  const T& operator*() const { return value(); }
  const T* operator->() const { return &value(); }
  const std::string& error() const { return std::get<1>(state_).message; }

 private:
  std::variant<T, Error> state_;
};

}  // namespace tessaly
