#pragma once

#include <string>
#include <string_view>

namespace velmora {

// A text field of a CSV (or tab-separated) table: as it is, or, where it holds the separator, a
// double quote or a line break, in double quotes with its quotes doubled (RFC 4180).
std::string CsvField(std::string_view text, char separator = ',');

}  // namespace velmora
