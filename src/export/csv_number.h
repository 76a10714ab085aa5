#pragma once

#include <string>

namespace velmora {

// The shortest text that reads back as the same double, with "." as decimal separator and no
// grouping whatever the locale: plain decimals from 1e-4 up to 1e15 ("5000000", "0.063"),
// the exponent form beyond ("2.7251063854433156e-06"), "0" for either zero, and "nan", "inf"
// or "-inf" for values that are not finite.
std::string CsvNumber(double value);

// Appends CsvNumber(value) to `out`.
void AppendCsvNumber(std::string& out, double value);

}  // namespace velmora
