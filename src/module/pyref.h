// Owning handle for a Python reference. Construction says whether it steals a new
// reference or borrows one (taking its own count).
#pragma once

#include <Python.h>

#include <utility>

namespace tessaly::py {

class Ref {
 public:
  Ref() = default;
  static Ref steal(PyObject* o) { return Ref(o); }
  static Ref borrow(PyObject* o) {
    Py_XINCREF(o);
    return Ref(o);
  }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  Ref(Ref&& other) noexcept : obj_(std::exchange(other.obj_, nullptr)) {}
  Ref& operator=(Ref&& other) noexcept {
    if (this != &other) {
      Py_XDECREF(obj_);
      obj_ = std::exchange(other.obj_, nullptr);
    }
    return *this;
  }
  ~Ref() { Py_XDECREF(obj_); }

  PyObject* get() const { return obj_; }
  explicit operator bool() const { return obj_ != nullptr; }
  // Hands the reference to the caller.
  PyObject* release() { return std::exchange(obj_, nullptr); }

 private:
  explicit Ref(PyObject* o) : obj_(o) {}
  PyObject* obj_ = nullptr;
};

}  // namespace tessaly::py
