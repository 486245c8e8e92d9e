#include "module/result_types.h"

#include <array>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "helpers/common/internal_error.h"
#include "module/pyref.h"

namespace tessaly::py {
namespace {

// Instances are immutable after construction, so no reader/writer flag is needed.
struct NamedValues {
  PyObject_HEAD
  std::vector<std::string> names;
  std::vector<double> values;
};

struct Cumulative {
  PyObject_HEAD
  std::vector<std::string> feature_names;
  std::vector<std::vector<double>> rows;
};

template <class T>
void dealloc(PyObject* self) {
  PyTypeObject* type = Py_TYPE(self);
  reinterpret_cast<T*>(self)->~T();
  type->tp_free(self);
  Py_DECREF(type);  // instances of heap types hold a reference to their type
}

PyObject* refuse_new(PyTypeObject* type, PyObject*, PyObject*) {
  const char* name = type->tp_name;
  if (const char* dot = std::strrchr(name, '.')) name = dot + 1;
  PyErr_Format(PyExc_TypeError, "cannot create '%s' instances", name);
  return nullptr;
}

// A new list holding convert(item) for each item; any failure is internal.
template <class Items, class Convert>
PyObject* make_list(const Items& items, Convert convert) {
  Ref list = Ref::steal(PyList_New(static_cast<Py_ssize_t>(items.size())));
  if (!list) {
    PyErr_Clear();
    throw InternalError("creating a list failed");
  }
  for (std::size_t i = 0; i < items.size(); ++i)
    PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), convert(items[i]));
  return list.release();
}

PyObject* list_of_str(const std::vector<std::string>& items) { return make_list(items, to_str); }
PyObject* list_of_float(const std::vector<double>& items) { return make_list(items, to_float); }
PyObject* list_of_rows(const std::vector<std::vector<double>>& rows) { return make_list(rows, list_of_float); }

// Getters build fresh lists on every read; failures are internal failures.
template <class F>
PyObject* guarded_get(F&& build) {
  try {
    return build();
  } catch (...) {
    raise_internal_failure();
    return nullptr;
  }
}

PyObject* get_names(PyObject* self, void*) {
  return guarded_get([&] { return list_of_str(reinterpret_cast<NamedValues*>(self)->names); });
}
PyObject* get_values(PyObject* self, void*) {
  return guarded_get([&] { return list_of_float(reinterpret_cast<NamedValues*>(self)->values); });
}
PyObject* get_feature_names(PyObject* self, void*) {
  return guarded_get([&] { return list_of_str(reinterpret_cast<Cumulative*>(self)->feature_names); });
}
PyObject* get_rows(PyObject* self, void*) {
  return guarded_get([&] { return list_of_rows(reinterpret_cast<Cumulative*>(self)->rows); });
}

PyGetSetDef named_values_getset[] = {
    {"names", get_names, nullptr, nullptr, nullptr},
    {"values", get_values, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyGetSetDef cumulative_getset[] = {
    {"feature_names", get_feature_names, nullptr, nullptr, nullptr},
    {"values", get_rows, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyTypeObject* create_type(const char* name, int basic_size, destructor dealloc_fn, PyGetSetDef* getset) {
  PyType_Slot slots[] = {
      {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_fn)},
      {Py_tp_new, reinterpret_cast<void*>(refuse_new)},
      {Py_tp_getset, getset},
      {0, nullptr},
  };
  PyType_Spec type_spec = {name, basic_size, 0, Py_TPFLAGS_DEFAULT, slots};
  return reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&type_spec));
}

// Qualified by the module: an unqualified type name makes the interpreter warn
// about a missing __module__ (an error under -W error).
const char* class_name(ClassId cls) {
  switch (cls) {
    case ClassId::Catch22Result: return "tessaly.Catch22Result";
    case ClassId::CumulativeFeatures: return "tessaly.CumulativeFeatures";
    case ClassId::TSFeaturesResult: return "tessaly.TSFeaturesResult";
    case ClassId::HCTSAResult: return "tessaly.HCTSAResult";
    case ClassId::CombinedResult: return "tessaly.CombinedResult";
    case ClassId::None: break;
  }
  throw InternalError("unknown result class");
}

}  // namespace

PyTypeObject* result_type(ClassId cls) {
  static std::array<PyTypeObject*, 6> types{};  // created once, kept for the process
  PyTypeObject*& type = types.at(static_cast<std::size_t>(cls));
  if (type != nullptr) return type;
  const char* name = class_name(cls);
  type = cls == ClassId::CumulativeFeatures
             ? create_type(name, sizeof(Cumulative), dealloc<Cumulative>, cumulative_getset)
             : create_type(name, sizeof(NamedValues), dealloc<NamedValues>, named_values_getset);
  if (type == nullptr) {
    PyErr_Clear();
    throw InternalError(std::string("creating the type object for ") + name + " failed");
  }
  return type;
}

namespace {

template <class T>
T* allocate(PyTypeObject* type) {
  allocfunc alloc = type->tp_alloc != nullptr ? type->tp_alloc : PyType_GenericAlloc;
  PyObject* self = alloc(type, 0);
  if (self == nullptr && !PyErr_Occurred())
    PyErr_SetString(PyExc_MemoryError, "allocating a result object failed without an exception");
  return reinterpret_cast<T*>(self);
}

}  // namespace

PyObject* make_named_values(ClassId cls, std::vector<std::string> names, std::vector<double> values) {
  check(names.size() == values.size(), "names and values differ in length");
  auto* self = allocate<NamedValues>(result_type(cls));
  if (self == nullptr) return nullptr;
  new (&self->names) std::vector<std::string>(std::move(names));
  new (&self->values) std::vector<double>(std::move(values));
  return reinterpret_cast<PyObject*>(self);
}

PyObject* make_cumulative(std::vector<std::string> feature_names, std::vector<std::vector<double>> rows) {
  for (const auto& row : rows) check(row.size() == feature_names.size(), "row length differs from the names");
  auto* self = allocate<Cumulative>(result_type(ClassId::CumulativeFeatures));
  if (self == nullptr) return nullptr;
  new (&self->feature_names) std::vector<std::string>(std::move(feature_names));
  new (&self->rows) std::vector<std::vector<double>>(std::move(rows));
  return reinterpret_cast<PyObject*>(self);
}

}  // namespace tessaly::py
