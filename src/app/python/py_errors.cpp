#include "py_errors.h"

#include <pybind11/pybind11.h>

namespace py = pybind11;

namespace velmora::python {

void RegisterErrors(py::module_& module) {
    static py::exception<std::runtime_error> base(module, "VelmoraError", PyExc_Exception);
    base.doc() = "Base class of every error the velmora module raises.";
    // A Python exception class under two bases: VelmoraError and the built-in it refines.
    const auto both = [&](PyObject* builtin) { return py::make_tuple(base, py::handle(builtin)); };
    py::register_exception<UnknownKey>(module, "UnknownKeyError", both(PyExc_LookupError));
    py::register_exception<InvalidValue>(module, "InvalidValueError", both(PyExc_ValueError));
    py::register_exception<FileRead>(module, "FileReadError", both(PyExc_OSError));
    py::register_exception<FileWrite>(module, "FileWriteError", both(PyExc_OSError));
    py::register_exception<Uncomputable>(module, "ComputeError", base);
}

}  // namespace velmora::python
