#include "py_errors.h"

#include <pybind11/pybind11.h>

#include <regex>
#include <utility>

namespace py = pybind11;

namespace velmora::python {

std::string PythonWords(std::string message) {
    // 'Piston.Stroke=1:2:3' as the tuple it came from.
    static const std::regex vary(R"('([A-Za-z]+\.[A-Za-z]+)=([^']*)')");
    std::smatch match;
    while (std::regex_search(message, match, vary)) {
        const std::string tuple =
            match[1].str() + " (" + std::regex_replace(match[2].str(), std::regex(":"), ", ") + ")";
        message = match.prefix().str() + tuple + match.suffix().str();
    }
    static const std::pair<const char*, const char*> phrases[] = {
        {" is not SECTION.KEY=FROM:TO:N[:log]",
         " is not a range (from, to, n) or (from, to, n, \"log\")"},
        {" (see velmora-cli sweep --outputs help)", " (velmora.Design.inputs() lists the inputs)"},
        {" (see --outputs help)", " (velmora.Result.columns lists the outputs)"},
        {"(give --vary SECTION.KEY)", "(give vary)"},
        {"; give FROM:TO", "; give (from, to)"},
        {"must be FROM:TO", "must be (from, to)"},
        {"FROM and TO", "from and to"},
        {"N of ", "n of "},
        {"VALUE (", "the value ("},
        {"FROM (", "from ("},
        {"TO (", "to ("},
    };
    for (const auto& [cli, python] : phrases)
        for (std::size_t at = message.find(cli); at != std::string::npos;
             at = message.find(cli, at + std::char_traits<char>::length(python)))
            message.replace(at, std::char_traits<char>::length(cli), python);
    return message;
}

void RegisterErrors(py::module_& module) {
    static py::exception<std::runtime_error> base(module, "VelmoraError", PyExc_Exception);
    base.doc() = "Base class of every error the velmora module raises.";
    // A Python exception class under two bases: VelmoraError and the built-in it refines.
    const auto both = [&](PyObject* builtin) { return py::make_tuple(base, py::handle(builtin)); };
    py::register_exception<UnknownKey>(module, "UnknownKeyError", both(PyExc_KeyError));
    py::register_exception<InvalidValue>(module, "InvalidValueError", both(PyExc_ValueError));
    static py::exception<FileRead> fileRead(module, "FileReadError", both(PyExc_OSError));
    // Registered before its base so that a missing file is caught as the narrower class.
    py::register_exception<FileMissing>(
        module, "DesignFileNotFoundError",
        py::make_tuple(fileRead, py::handle(PyExc_FileNotFoundError)));
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const FileMissing&) {
            throw;
        } catch (const FileRead& e) {
            fileRead(e.what());
        }
    });
    py::register_exception<FileWrite>(module, "FileWriteError", both(PyExc_OSError));
    py::register_exception<Uncomputable>(module, "ComputeError", base);
    py::register_exception<NoFeasibleDesign>(module, "NoFeasibleDesignError",
                                             both(PyExc_LookupError));
}

}  // namespace velmora::python
