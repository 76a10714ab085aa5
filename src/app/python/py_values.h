#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string>

namespace velmora::python {

// Python values as the module reads them: any real number (int, float, NumPy scalars, anything
// with __float__ or __index__), any whole number (anything with __index__), any truth value
// (bool, numpy.bool_) and any os.PathLike; a bool is never taken for a number.

bool IsTruthValue(const pybind11::handle& value);
std::optional<double> RealOf(const pybind11::handle& value);
// nullopt for no whole number; throws InvalidValue naming `what` beyond 64 bits.
std::optional<long long> IntegralOf(const pybind11::handle& value, const std::string& what);
// The text of a path: a str or any os.PathLike.
std::string PathOf(const pybind11::handle& path);
// A bound as the range parsers read it: the shortest text that reads back as the same double
// (a number), else the value's str (a word such as "log").
std::string BoundText(const pybind11::handle& value);

}  // namespace velmora::python
