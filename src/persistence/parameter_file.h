#pragma once

#include <string>

#include "model/control_state.h"
#include "persistence/atomic_file_writer.h"

namespace velmora {

// Copies a parameter file (".RBP" or "Default.INI") into the controls, key by key in the file
// format's order, each missing key taking its default. A missing or unreadable file loads every
// default without a message. The caller sets the window title (WindowTitleForFile) and keeps
// the window's Loading flag raised around the call.
void LoadParameterFile(const std::string& path, ControlState& state);

// Writes the controls into the file, keeping whatever else the file holds. The file is replaced
// in one step, so a failed save leaves the old file as it was; errorMessage then holds
// "Unable to write to " and the file's full name. Null `steps` means the operating system's.
bool SaveParameterFile(const std::string& path, const ControlState& state,
                       std::string& errorMessage, const FileWriteSteps* steps = nullptr);

// "Velmora -- " and the file's name without folder and extension: "Velmora -- My.Engine".
std::string WindowTitleForFile(const std::string& path);

// The name the save dialog proposes for a window title: "Velmora -- Default" gives
// "Default.RBP"; a title without "--" gives an empty text (the dialog keeps its name).
std::string ProposedSaveName(const std::string& title);

}  // namespace velmora
