#include "export/csv_field.h"

namespace velmora {

std::string CsvField(std::string_view text, char separator) {
    if (text.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace velmora
