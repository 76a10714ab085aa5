#include "export/report_text.h"

namespace velmora {

std::string ReportText(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& computed) {
    std::string out;
    for (const std::string& line : inputs) out += line + '\n';
    out += '\n';
    for (const std::string& line : computed) out += line + '\n';
    return out;
}

std::vector<ReportLineKind> ReportLineKinds(const std::vector<std::string>& lines) {
    std::vector<ReportLineKind> kinds;
    kinds.reserve(lines.size());
    ReportLineKind previous = ReportLineKind::Plain;
    for (const std::string& line : lines) {
        ReportLineKind kind = ReportLineKind::Plain;
        if (line.starts_with("*** ")) {
            kind = ReportLineKind::Failure;
        } else if (line.starts_with("!!! ")) {
            kind = ReportLineKind::Warning;
        } else if (line.starts_with("^^^ ")) {
            kind = ReportLineKind::Mismatch;
        } else if (line.find_first_not_of(' ') != std::string::npos &&
                   line.compare(line.find_first_not_of(' '), 3, "...") == 0) {
            kind = previous;  // "       ...because" goes on with the line above
        }
        kinds.push_back(kind);
        previous = kind;
    }
    return kinds;
}

}  // namespace velmora
