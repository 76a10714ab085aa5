#include "py_progress.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

// Often enough to look alive and to answer Ctrl+C, seldom enough to cost nothing.
constexpr auto kInterval = std::chrono::milliseconds(150);

}  // namespace

ProgressReport::ProgressReport(const py::object& progress, std::size_t total, std::string what)
    : target_(progress),
      total_(total),
      what_(std::move(what)),
      last_(std::chrono::steady_clock::now()) {
    if (progress.is_none() || (py::isinstance<py::bool_>(progress) && !progress.cast<bool>()))
        return;
    if (PyCallable_Check(progress.ptr()) != 0) {
        kind_ = Kind::Callable;
        return;
    }
    if (!py::isinstance<py::bool_>(progress))
        throw py::type_error("progress must be True, False, None or a callable(done, total)");
    try {
        const py::object bar = py::module_::import("tqdm.auto").attr("tqdm");
        target_ =
            bar(py::arg("total") = total_, py::arg("desc") = what_, py::arg("unit") = "design");
        kind_ = Kind::Bar;
    } catch (py::error_already_set& error) {
        if (!error.matches(PyExc_ImportError)) throw;
        kind_ = Kind::Line;
    }
}

ProgressReport::~ProgressReport() {
    if (kind_ != Kind::Bar || finished_) return;
    // An interrupted run: the bar is closed where it stopped.
    try {
        target_.attr("close")();
    } catch (py::error_already_set&) {
    }
}

bool ProgressReport::Due() {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < kInterval) return false;
    last_ = now;
    return true;
}

void ProgressReport::Update(std::size_t done) {
    if (done == shown_ && reported_) return;
    switch (kind_) {
        case Kind::None:
            return;
        case Kind::Callable:
            target_(done, total_);
            break;
        case Kind::Bar:
            target_.attr("update")(done - shown_);
            break;
        case Kind::Line: {
            const py::object err = py::module_::import("sys").attr("stderr");
            err.attr("write")("\r" + what_ + ": " + std::to_string(done) + " of " +
                              std::to_string(total_) + " designs");
            err.attr("flush")();
            break;
        }
    }
    shown_ = done;
    reported_ = true;
}

void ProgressReport::Finish(std::size_t done) {
    if (finished_) return;
    Update(done);
    finished_ = true;
    if (kind_ == Kind::Bar) target_.attr("close")();
    if (kind_ == Kind::Line) {
        const py::object err = py::module_::import("sys").attr("stderr");
        err.attr("write")("\n");
        err.attr("flush")();
    }
}

}  // namespace velmora::python
