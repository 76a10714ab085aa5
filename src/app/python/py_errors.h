#pragma once

#include <stdexcept>
#include <string>

namespace pybind11 {
class module_;
}

namespace velmora::python {

// The faults the module raises, each a Python exception class of its own (see RegisterErrors).
// Their messages are the command line's, without its "velmora-cli ...: " prefix.
struct UnknownKey : std::runtime_error {  // UnknownKeyError: input, output, objective, constraint
    using std::runtime_error::runtime_error;
};
struct InvalidValue : std::runtime_error {  // InvalidValueError: a value or range refused
    using std::runtime_error::runtime_error;
};
struct FileRead : std::runtime_error {  // FileReadError: a parameter file that cannot be used
    using std::runtime_error::runtime_error;
};
struct FileWrite : std::runtime_error {  // FileWriteError: a file that cannot be written
    using std::runtime_error::runtime_error;
};
struct Uncomputable : std::runtime_error {  // ComputeError: nothing to start from
    using std::runtime_error::runtime_error;
};

// VelmoraError and its subclasses, which also derive from LookupError, ValueError, OSError.
void RegisterErrors(pybind11::module_& module);

}  // namespace velmora::python
