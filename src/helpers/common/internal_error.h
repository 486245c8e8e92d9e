// Internal failures: broken invariants inside the library, never caused by the
// values of a series. The binding layer turns them into the module's
// internal-failure exception and reports where they were raised.
#pragma once

#include <source_location>
#include <stdexcept>
#include <string>

namespace tessaly {

class InternalError : public std::logic_error {
 public:
  explicit InternalError(const std::string& what,
                         std::source_location where = std::source_location::current())
      : std::logic_error(what), where_(where) {}
  const std::source_location& where() const noexcept { return where_; }

 private:
  std::source_location where_;
};

inline void check(bool condition, const char* what,
                  std::source_location where = std::source_location::current()) {
  if (!condition) throw InternalError(what, where);
}

}  // namespace tessaly
