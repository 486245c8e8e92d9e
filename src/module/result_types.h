// The read-only result classes returned by the aggregates.
#pragma once

#include <Python.h>

#include <string>
#include <vector>

#include "module/binding.h"

namespace tessaly::py {

// The type object of a class, created on first use and kept for the process.
// Throws InternalError when creation fails.
PyTypeObject* result_type(ClassId cls);

// New instance owning the vectors; NULL with the Python error set when allocation fails.
PyObject* make_named_values(ClassId cls, std::vector<std::string> names, std::vector<double> values);
PyObject* make_cumulative(std::vector<std::string> feature_names, std::vector<std::vector<double>> rows);

}  // namespace tessaly::py
