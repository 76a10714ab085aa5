#pragma once

#include <stdexcept>
#include <string>

namespace pybind11 {
class module_;
}

namespace velmora::python {

// A message of the shared parsers in Python's words: ranges as tuples, no command-line options.
std::string PythonWords(std::string message);

// The faults the module raises, each a Python exception class of its own (see RegisterErrors).
// Their messages are the command line's in Python's words, without its "velmora-cli ...: ".
struct UnknownKey : std::runtime_error {  // UnknownKeyError: input, output, objective, constraint
    explicit UnknownKey(const std::string& message) : std::runtime_error(PythonWords(message)) {}
};
struct InvalidValue : std::runtime_error {  // InvalidValueError: a value or range refused
    explicit InvalidValue(const std::string& message) : std::runtime_error(PythonWords(message)) {}
};
struct FileRead : std::runtime_error {  // FileReadError: a parameter file that cannot be used
    using std::runtime_error::runtime_error;
};
struct FileMissing : FileRead {  // DesignFileNotFoundError: also a FileNotFoundError
    using FileRead::FileRead;
};
struct FileWrite : std::runtime_error {  // FileWriteError: a file that cannot be written
    using std::runtime_error::runtime_error;
};
struct Uncomputable : std::runtime_error {  // ComputeError: nothing to start from
    using std::runtime_error::runtime_error;
};
struct NoFeasibleDesign : std::runtime_error {  // NoFeasibleDesignError: also a LookupError
    using std::runtime_error::runtime_error;
};

// VelmoraError and its subclasses, which also derive from LookupError, ValueError, OSError.
void RegisterErrors(pybind11::module_& module);

}  // namespace velmora::python
