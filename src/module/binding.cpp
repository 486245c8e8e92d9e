#include "module/binding.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <limits>
#include <new>
#include <string>

#include "helpers/common/internal_error.h"
#include "module/pyref.h"

namespace tessaly::py {
namespace {

// ---- internal-failure exception -------------------------------------------

PyObject* internal_failure_type() {
  static PyObject* type = nullptr;  // created on first use, kept for the process
  if (type == nullptr) {
    type = PyErr_NewExceptionWithDoc(
        "tessaly.InternalFailure",
        "A failure inside tessaly itself (a broken invariant), not caused by the input values.",
        PyExc_BaseException, nullptr);
  }
  return type;
}

void report_internal_failure(const char* message, const char* file, unsigned line, const char* function) {
  std::fprintf(stderr, "tessaly: internal failure at %s:%u in %s: %s\n", file, line, function, message);
}

// ---- argument conversion ----------------------------------------------------

// Rewrites a pending TypeError as "argument 'NAME': <message>", keeping its cause.
void prefix_type_error(const char* name) {
  if (!PyErr_ExceptionMatches(PyExc_TypeError)) return;
  PyObject* type = nullptr;
  PyObject* value = nullptr;
  PyObject* traceback = nullptr;
  PyErr_Fetch(&type, &value, &traceback);
  PyErr_NormalizeException(&type, &value, &traceback);
  Ref old_type = Ref::steal(type);
  Ref old_value = Ref::steal(value);
  Ref old_traceback = Ref::steal(traceback);
  Ref message = Ref::steal(PyObject_Str(old_value.get()));
  if (!message) return;  // the str() failure stays pending
  Ref cause = Ref::steal(old_value ? PyException_GetCause(old_value.get()) : nullptr);
  PyErr_Format(PyExc_TypeError, "argument '%s': %U", name, message.get());
  if (cause) {
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    PyException_SetCause(value, cause.release());
    PyErr_Restore(type, value, traceback);
  }
}

bool convert_series(PyObject* o, std::vector<double>& out) {
  if (PyUnicode_Check(o)) {
    PyErr_SetString(PyExc_TypeError, "a string cannot be converted to a vector");
    return false;
  }
  if (!PySequence_Check(o)) {
    PyErr_Format(PyExc_TypeError, "'%.200s' object cannot be converted to 'Sequence'", Py_TYPE(o)->tp_name);
    return false;
  }
  // The length is only a capacity hint: a sequence may report any length, so a
  // very large one is not trusted with an allocation of its own.
  constexpr Py_ssize_t kLargestHint = Py_ssize_t{1} << 24;
  const Py_ssize_t hint = PySequence_Size(o);
  if (hint < 0)
    PyErr_Clear();
  else
    out.reserve(static_cast<std::size_t>(std::min(hint, kLargestHint)));
  Ref iterator = Ref::steal(PyObject_GetIter(o));
  if (!iterator) return false;
  while (true) {
    Ref item = Ref::steal(PyIter_Next(iterator.get()));
    if (!item) return !PyErr_Occurred();
    double v;
    if (PyFloat_CheckExact(item.get())) {
      v = PyFloat_AS_DOUBLE(item.get());
    } else {
      v = PyFloat_AsDouble(item.get());
      if (v == -1.0 && PyErr_Occurred()) return false;
    }
    out.push_back(v);
  }
}

bool is_numpy_bool(PyObject* o) {
  PyObject* type = reinterpret_cast<PyObject*>(Py_TYPE(o));
  Ref module = Ref::steal(PyObject_GetAttrString(type, "__module__"));
  if (!module) {
    PyErr_Clear();
    return false;
  }
  if (!PyUnicode_Check(module.get()) || PyUnicode_CompareWithASCIIString(module.get(), "numpy") != 0) return false;
  const char* name = Py_TYPE(o)->tp_name;
  const char* dot = std::strrchr(name, '.');
  const std::string_view short_name = dot != nullptr ? dot + 1 : name;
  return short_name == "bool" || short_name == "bool_";
}

bool convert_bool(PyObject* o, bool& out) {
  if (Py_IS_TYPE(o, &PyBool_Type)) {
    out = (o == Py_True);
    return true;
  }
  if (is_numpy_bool(o)) {
    PyNumberMethods* number = Py_TYPE(o)->tp_as_number;
    if (number == nullptr || number->nb_bool == nullptr) {
      PyErr_Format(PyExc_TypeError, "object of type '%.200s' does not define a '__bool__' conversion",
                   Py_TYPE(o)->tp_name);
      return false;
    }
    const int truth = PyObject_IsTrue(o);
    if (truth < 0) return false;
    out = truth != 0;
    return true;
  }
  PyErr_Format(PyExc_TypeError, "'%.200s' object cannot be converted to 'bool'", Py_TYPE(o)->tp_name);
  return false;
}

bool convert_uint(PyObject* o, std::uint64_t& out) {
  Ref index = PyLong_CheckExact(o) ? Ref::borrow(o) : Ref::steal(PyNumber_Index(o));
  if (!index) return false;
  const unsigned long long v = PyLong_AsUnsignedLongLong(index.get());
  if (v == static_cast<unsigned long long>(-1) && PyErr_Occurred()) return false;
  out = v;
  return true;
}

bool convert_int32(PyObject* o, std::int32_t& out) {
  Ref index = Ref::steal(PyNumber_Index(o));
  if (!index) return false;
  const long v = PyLong_AsLong(index.get());
  const bool failed = v == -1 && PyErr_Occurred();
  if (failed && !PyErr_ExceptionMatches(PyExc_OverflowError)) return false;
  if (failed || v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) {
    PyErr_Clear();
    PyErr_SetString(PyExc_OverflowError, "out of range integral type conversion attempted");
    return false;
  }
  out = static_cast<std::int32_t>(v);
  return true;
}

bool convert_string(PyObject* o, std::string& out) {
  if (!PyUnicode_Check(o)) {
    PyErr_Format(PyExc_TypeError, "'%.200s' object cannot be converted to 'str'", Py_TYPE(o)->tp_name);
    return false;
  }
  Py_ssize_t size = 0;
  const char* utf8 = PyUnicode_AsUTF8AndSize(o, &size);
  if (utf8 == nullptr) return false;
  out.assign(utf8, static_cast<std::size_t>(size));
  return true;
}

bool accepts_none(Kind kind) {
  switch (kind) {
    case Kind::OptionalBool:
    case Kind::OptionalUInt:
    case Kind::Int32:
    case Kind::OptionalString:
      return true;
    case Kind::Series:
    case Kind::Bool:
    case Kind::UInt:
    case Kind::String:
      return false;
  }
  return false;
}

bool convert(const Param& param, PyObject* o, Arg& arg) {
  if (o == Py_None && accepts_none(param.kind)) {
    arg.state = State::None;
    return true;
  }
  arg.state = State::Given;
  switch (param.kind) {
    case Kind::Series: return convert_series(o, arg.series);
    case Kind::OptionalBool:
    case Kind::Bool: return convert_bool(o, arg.flag);
    case Kind::UInt:
    case Kind::OptionalUInt: return convert_uint(o, arg.uint);
    case Kind::Int32: return convert_int32(o, arg.int32);
    case Kind::String:
    case Kind::OptionalString: return convert_string(o, arg.text);
  }
  return false;
}

// ---- argument matching --------------------------------------------------------

std::string quoted_list(const std::vector<const char*>& names) {
  std::string out;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out += (i + 1 == names.size()) ? (names.size() > 2 ? ", and " : " and ") : ", ";
    out += '\'';
    out += names[i];
    out += '\'';
  }
  return out;
}

// Fills `given` with the object for each parameter (nullptr when not supplied).
bool match(const Entry& e, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames,
           std::array<PyObject*, kMaxParams>& given) {
  const auto count = static_cast<Py_ssize_t>(e.param_count);
  if (nargs > count) {
    PyErr_Format(PyExc_TypeError, "%s() takes %s %zd positional argument%s (%zd given)", e.name,
                 e.required == e.param_count ? "exactly" : "at most", count, count == 1 ? "" : "s", nargs);
    return false;
  }
  for (Py_ssize_t i = 0; i < nargs; ++i) given[static_cast<std::size_t>(i)] = args[i];
  const Py_ssize_t nkw = kwnames != nullptr ? PyTuple_GET_SIZE(kwnames) : 0;
  for (Py_ssize_t k = 0; k < nkw; ++k) {
    PyObject* key = PyTuple_GET_ITEM(kwnames, k);
    std::size_t slot = e.param_count;
    for (std::size_t i = 0; i < e.param_count; ++i) {
      if (PyUnicode_CompareWithASCIIString(key, e.params[i].name) == 0) {
        slot = i;
        break;
      }
    }
    if (slot == e.param_count) {
      PyErr_Format(PyExc_TypeError, "%s() got an unexpected keyword argument '%U'", e.name, key);
      return false;
    }
    if (given[slot] != nullptr) {
      PyErr_Format(PyExc_TypeError, "%s() got multiple values for argument '%s'", e.name, e.params[slot].name);
      return false;
    }
    given[slot] = args[nargs + k];
  }
  std::vector<const char*> missing;
  for (std::size_t i = 0; i < e.required; ++i)
    if (given[i] == nullptr) missing.push_back(e.params[i].name);
  if (!missing.empty()) {
    PyErr_Format(PyExc_TypeError, "%s() missing %zu required positional argument%s: %s", e.name, missing.size(),
                 missing.size() == 1 ? "" : "s", quoted_list(missing).c_str());
    return false;
  }
  return true;
}

}  // namespace

std::string text_signature(const Entry& e) {
  std::string s = e.name;
  s += '(';
  for (std::size_t i = 0; i < e.param_count; ++i) {
    if (i > 0) s += ", ";
    s += e.params[i].name;
    if (e.params[i].default_text != nullptr) {
      s += '=';
      s += e.params[i].default_text;
    }
  }
  s += ")\n--\n\n";
  return s;
}

void raise_internal_failure() {
  const char* generic = "internal failure (unknown error)";
  std::string message = generic;
  try {
    throw;
  } catch (const InternalError& err) {
    message = err.what();
    report_internal_failure(err.what(), err.where().file_name(), err.where().line(), err.where().function_name());
  } catch (const std::exception& err) {
    message = err.what();
    report_internal_failure(err.what(), __FILE__, __LINE__, "tessaly::py::call");
  } catch (...) {
    report_internal_failure(generic, __FILE__, __LINE__, "tessaly::py::call");
  }
  PyObject* type = internal_failure_type();
  if (type == nullptr) return;  // its creation failed; that error is pending
  PyErr_SetString(type, message.c_str());
}

PyObject* call(const Entry& e, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  try {
    std::array<PyObject*, kMaxParams> given{};
    if (!match(e, args, nargs, kwnames, given)) return nullptr;
    Args converted;
    for (std::size_t i = 0; i < e.param_count; ++i) {
      if (given[i] == nullptr) continue;
      if (!convert(e.params[i], given[i], converted.slot(i))) {
        prefix_type_error(e.params[i].name);
        return nullptr;
      }
    }
    return e.invoke(converted);
  } catch (const std::bad_alloc&) {
    // Running out of native memory (a huge series) is reported, not fatal.
    return PyErr_NoMemory();
  } catch (...) {
    PyErr_Clear();
    raise_internal_failure();
    return nullptr;
  }
}

PyObject* to_float(double v) {
  PyObject* out = PyFloat_FromDouble(v);
  if (out == nullptr) {
    PyErr_Clear();
    throw InternalError("creating a float failed");
  }
  return out;
}

PyObject* to_str(const std::string& s) {
  PyObject* out = PyUnicode_FromStringAndSize(s.data(), static_cast<Py_ssize_t>(s.size()));
  if (out == nullptr) {
    PyErr_Clear();
    throw InternalError("creating a str failed");
  }
  return out;
}

}  // namespace tessaly::py
