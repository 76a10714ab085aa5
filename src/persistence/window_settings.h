#pragma once

#include <string>

namespace velmora {

// The window's own settings beside the parameter keys of the state file: a section of its own,
// which parameter files never read.
constexpr const char* kWindowSettingsSection = "Window";

// Whether the bug list has been shown once, so that later starts leave it closed. A missing
// file or key reads as not seen.
bool ReadBugListSeen(const std::string& iniPath);
// False when the file could not be written.
bool WriteBugListSeen(const std::string& iniPath, bool seen);

}  // namespace velmora
