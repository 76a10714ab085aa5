#pragma once

#include <iosfwd>
#include <string>

#include "session/engine_session.h"

namespace velmora::cli {

// Puts a parameter file into the session's controls as the window's Load Parameters does
// (Loading raised around the load, the file's name kept for the reference check) and computes
// once, forced. A file that cannot be read is refused with one line on `err` before anything
// is loaded; the result is then false.
bool LoadAndCompute(const std::string& file, EngineSession& session, std::ostream& err);

// The loading part alone: a file that cannot be read is refused with one line on `err`.
bool LoadReadableFile(const std::string& file, ControlState& state, std::ostream& err);

}  // namespace velmora::cli
