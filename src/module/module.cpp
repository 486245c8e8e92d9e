// Module initialisation: creates the module once per process and registers the
// result classes and functions in catalogue order, each name also listed in __all__.
#include <Python.h>

#include <memory>
#include <string>
#include <vector>

#include "catchamouse16/gsl_setup.h"
#include "module/binding.h"
#include "module/catalogue.h"
#include "module/pyref.h"
#include "module/result_types.h"

namespace {

using tessaly::py::Ref;

PyModuleDef module_def = {
    PyModuleDef_HEAD_INIT,
    "tessaly",
    "",
    -1,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

bool add_named(PyObject* module, PyObject* all, const char* name, PyObject* object) {
  if (PyModule_AddObjectRef(module, name, object) < 0) return false;
  Ref text = Ref::steal(PyUnicode_FromString(name));
  return text && PyList_Append(all, text.get()) == 0;
}

PyObject* build_module() {
  Ref module = Ref::steal(PyModule_Create(&module_def));
  if (!module) return nullptr;
  Ref all = Ref::steal(PyList_New(0));
  if (!all) return nullptr;
  Ref module_name = Ref::steal(PyModule_GetNameObject(module.get()));
  if (!module_name) return nullptr;

  const auto entries = tessaly::py::catalogue();
  // The method definitions and their docstrings live as long as the process.
  static std::vector<std::string> docs;
  static std::unique_ptr<PyMethodDef[]> defs;
  docs.reserve(entries.size());
  defs = std::make_unique<PyMethodDef[]>(entries.size());

  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& entry = entries[i];
    if (entry.invoke == nullptr) {
      PyTypeObject* type = tessaly::py::result_type(entry.cls);
      if (!add_named(module.get(), all.get(), entry.name, reinterpret_cast<PyObject*>(type))) return nullptr;
      continue;
    }
    docs.push_back(tessaly::py::text_signature(entry));
    defs[i] = PyMethodDef{entry.name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(tessaly::py::trampoline(i))),
                          METH_FASTCALL | METH_KEYWORDS, docs.back().c_str()};
    Ref function = Ref::steal(PyCFunction_NewEx(&defs[i], module.get(), module_name.get()));
    if (!function || !add_named(module.get(), all.get(), entry.name, function.get())) return nullptr;
  }
  if (PyModule_AddObjectRef(module.get(), "__all__", all.get()) < 0) return nullptr;
  return module.release();
}

}  // namespace

PyMODINIT_FUNC PyInit_tessaly() {
  static bool created = false;
  if (created) {
    PyErr_SetString(PyExc_ImportError, "tessaly may only be initialised once per interpreter process");
    return nullptr;
  }
  try {
    tessaly::init_gsl();
    PyObject* module = build_module();
    created = module != nullptr;
    return module;
  } catch (...) {
    tessaly::py::raise_internal_failure();
    return nullptr;
  }
}
