#pragma once

#include <string>

#include "form/control_state.h"

namespace velmora {

// Loads a parameter file for a tool that refuses what it cannot use: a missing file, one that
// cannot be read, or one without any key of a parameter file. On refusal `problem` holds the
// one-line reason ("cannot open 'F': no such file") and the result is false; the command line
// prints it after "velmora-cli: ", the Python module raises it. Unlike LoadParameterFile,
// which loads a missing file as all defaults (the window's behaviour).
bool LoadCheckedParameterFile(const std::string& file, ControlState& state, std::string& problem);

}  // namespace velmora
