#pragma once

#include <pybind11/pybind11.h>

#include <chrono>
#include <cstddef>
#include <string>

namespace velmora::python {

// What a long call reports while it runs, as its `progress` argument asks: None or False for
// nothing, True for a bar (tqdm's when it is installed, else a line on stderr), or a callable
// given (done, total). Every member is called with the GIL held.
class ProgressReport {
  public:
    ProgressReport(const pybind11::object& progress, std::size_t total, std::string what);
    ProgressReport(const ProgressReport&) = delete;
    ProgressReport& operator=(const ProgressReport&) = delete;
    ~ProgressReport();
    // Whether it is time to report and to look for Ctrl+C again (a few times a second);
    // cheap, GIL not needed.
    bool Due();
    // `done` of the total are finished; a callable's exception passes on.
    void Update(std::size_t done);
    // The run is over with `done` finished: the last update, then the bar or line is closed.
    void Finish(std::size_t done);

  private:
    enum class Kind { None, Bar, Line, Callable };
    Kind kind_ = Kind::None;
    pybind11::object target_;
    std::size_t total_;
    std::size_t shown_ = 0;
    bool reported_ = false;
    bool finished_ = false;
    std::string what_;
    std::chrono::steady_clock::time_point last_;
};

}  // namespace velmora::python
