// The binding layer: one declarative row per Python function, argument matching
// and conversion driven by that row, and the single place where C++ failures
// become Python exceptions. It knows nothing of features beyond the rows.
#pragma once

#include <Python.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::py {

enum class Kind : unsigned char {
  Series,          // any sequence of numbers, copied item by item
  OptionalBool,    // True, False, or None/absent (the row decides what that means)
  Bool,            // True or False only
  UInt,            // unsigned 64-bit
  OptionalUInt,    // unsigned 64-bit or None
  Int32,           // signed 32-bit (None counts as absent)
  String,          // str
  OptionalString,  // str or None
};

struct Param {
  const char* name = nullptr;
  Kind kind = Kind::Series;
  const char* default_text = nullptr;  // shown in the signature; nullptr when required
};

inline constexpr std::size_t kMaxParams = 9;

enum class State : unsigned char { Absent, None, Given };

// One converted argument.
struct Arg {
  State state = State::Absent;
  std::vector<double> series;
  bool flag = false;
  std::uint64_t uint = 0;
  std::int32_t int32 = 0;
  std::string text;
};

class Args {
 public:
  std::span<const double> series(std::size_t i = 0) const { return slots_[i].series; }
  bool flag(std::size_t i, bool if_unset) const {
    return slots_[i].state == State::Given ? slots_[i].flag : if_unset;
  }
  std::uint64_t uint(std::size_t i, std::uint64_t if_absent) const {
    return slots_[i].state == State::Given ? slots_[i].uint : if_absent;
  }
  // Absent gives if_absent, None gives no value.
  std::optional<std::uint64_t> optional_uint(std::size_t i, std::optional<std::uint64_t> if_absent) const {
    switch (slots_[i].state) {
      case State::Given: return slots_[i].uint;
      case State::None: return std::nullopt;
      case State::Absent: break;
    }
    return if_absent;
  }
  std::string text(std::size_t i, std::string_view if_unset) const {
    return slots_[i].state == State::Given ? slots_[i].text : std::string(if_unset);
  }
  Arg& slot(std::size_t i) { return slots_[i]; }

 private:
  std::array<Arg, kMaxParams> slots_{};
};

using Invoke = PyObject* (*)(const Args&);

enum class ClassId : unsigned char { None, Catch22Result, CumulativeFeatures, TSFeaturesResult, HCTSAResult, CombinedResult };

// A module entry: a function row, or (invoke == nullptr) a result class to register.
struct Entry {
  const char* name = nullptr;
  std::array<Param, kMaxParams> params{};
  std::size_t param_count = 0;
  std::size_t required = 0;
  Invoke invoke = nullptr;
  ClassId cls = ClassId::None;
};

constexpr Entry class_entry(ClassId cls, const char* name) {
  Entry e;
  e.name = name;
  e.cls = cls;
  return e;
}

// "name(p1, p2=default)\n--\n\n"
std::string text_signature(const Entry& e);

// Matches and converts the arguments, runs the row, and turns any C++ failure
// into a Python exception.
PyObject* call(const Entry& e, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);

// Python float for a feature value. Failure to allocate it is an internal failure.
PyObject* to_float(double v);
PyObject* to_str(const std::string& s);

// Raises the internal-failure exception for the current C++ exception. Call only
// from a catch block.
void raise_internal_failure();

}  // namespace tessaly::py
