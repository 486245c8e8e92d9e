// The table of module entries, in registration order.
#pragma once

#include <Python.h>

#include <cstddef>
#include <span>

#include "module/binding.h"

namespace tessaly::py {

using FastCallWithKeywords = PyObject* (*)(PyObject*, PyObject* const*, Py_ssize_t, PyObject*);

std::span<const Entry> catalogue();
// The C entry point of catalogue()[i].
FastCallWithKeywords trampoline(std::size_t i);

}  // namespace tessaly::py
