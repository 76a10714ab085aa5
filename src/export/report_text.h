#pragma once

#include <string>
#include <vector>

namespace velmora {

// The Computed Values page as text: the inputs pane's lines, an empty line, the computed
// pane's lines, each ended by a line feed.
std::string ReportText(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& computed);

// How a report line is set off: a failure ("*** " and its "...because" lines), a warning
// ("!!! "), a reference mismatch ("^^^ "), or plain.
enum class ReportLineKind { Plain, Failure, Warning, Mismatch };

// The kinds of `lines` in order; a continuation line takes the kind of the line it continues.
std::vector<ReportLineKind> ReportLineKinds(const std::vector<std::string>& lines);

}  // namespace velmora
