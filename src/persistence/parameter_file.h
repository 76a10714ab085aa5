#pragma once

#include <string>

#include "form/control_state.h"
#include "persistence/atomic_file_writer.h"
#include "persistence/file_text.h"

namespace velmora {

// Copies a parameter file (".RBP" or "Default.INI") into the controls, key by key in the order
// of ParameterKeys(), each missing key taking its default, then [Model] Integration (absent
// or unknown: specified). A missing file loads every default
// (Missing); a file that exists but cannot be read (no permission, not a regular file, beyond
// IniFile::kMaxFileBytes) leaves the controls as they are (Unreadable), and the caller reports
// it with UnableToReadMessage. The caller sets the window title (WindowTitleForFile) and keeps
// the window's Loading flag raised around the call.
// `heldAnyKey`, when given, tells whether the file held at least one key of ParameterKeys():
// a file without any (another kind of file) loads as all defaults.
FileReadStatus LoadParameterFile(const std::string& path, ControlState& state,
                                 bool* heldAnyKey = nullptr);

class IniFile;
struct ParameterKey;

// Reads one key into the controls as LoadParameterFile does; a key the file lacks takes its
// default.
void ReadParameterKey(const IniFile& file, const ParameterKey& key, ControlState& state);

// The message for a file that held no key of a parameter file (see LoadParameterFile).
std::string NoParameterKeysMessage(const std::string& path);

// "Unable to read " and the file's full name.
std::string UnableToReadMessage(const std::string& path);

// Writes the controls into the file in the saving order of ParameterKeySaveOrder(), then
// [Model] Integration in its own section when the design is accurate or the file already holds
// the key, keeping
// whatever else the file holds. The file is replaced
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
