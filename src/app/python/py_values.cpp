#include "py_values.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "py_errors.h"

namespace py = pybind11;

namespace velmora::python {

bool IsTruthValue(const py::handle& value) {
    if (py::isinstance<py::bool_>(value)) return true;
    const py::handle type = py::type::handle_of(value);
    // numpy.bool_ (NumPy 1) and numpy.bool (NumPy 2) without importing NumPy.
    const std::string module = py::str(type.attr("__module__"));
    const std::string name = py::str(type.attr("__name__"));
    return module == "numpy" && (name == "bool_" || name == "bool");
}

std::optional<double> RealOf(const py::handle& value) {
    if (IsTruthValue(value) || py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value))
        return std::nullopt;
    if (!PyFloat_Check(value.ptr()) && !PyIndex_Check(value.ptr()) &&
        !py::hasattr(value, "__float__"))
        return std::nullopt;
    const double x = PyFloat_AsDouble(value.ptr());
    if (x == -1.0 && PyErr_Occurred() != nullptr) {  // e.g. an integer beyond a double's range
        PyErr_Clear();
        return std::nullopt;
    }
    if (!std::isfinite(x)) return std::nullopt;
    return x;
}

std::optional<long long> IntegralOf(const py::handle& value, const std::string& what) {
    if (IsTruthValue(value) || !PyIndex_Check(value.ptr())) return std::nullopt;
    const py::object index = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
    if (!index) {
        PyErr_Clear();
        return std::nullopt;
    }
    int overflow = 0;
    const long long number = PyLong_AsLongLongAndOverflow(index.ptr(), &overflow);
    if (overflow != 0)
        throw InvalidValue(what + ": " + std::string(py::str(index)) +
                           " is beyond the range of a whole number");
    return number;
}

std::string PathOf(const py::handle& path) {
    if (py::isinstance<py::str>(path)) return path.cast<std::string>();
    const py::module_ os = py::module_::import("os");
    py::object text;
    try {
        text = os.attr("fsdecode")(os.attr("fspath")(path));
    } catch (const py::error_already_set&) {
        throw py::type_error("a path must be a str or an os.PathLike, not " +
                             std::string(py::str(py::type::handle_of(path).attr("__name__"))));
    }
    return text.cast<std::string>();
}

std::string BoundText(const py::handle& value) {
    if (const auto whole = IsTruthValue(value) ? std::nullopt : IntegralOf(value, "bound"))
        return std::to_string(*whole);
    if (const auto real = RealOf(value)) {
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, *real).ptr;
        return std::string(buffer, end);
    }
    return py::str(value);
}

}  // namespace velmora::python
