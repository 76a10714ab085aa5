#include "persistence/window_settings.h"

#include "persistence/ini_file.h"

namespace velmora {

namespace {
constexpr const char* kBugListSeenKey = "BugListSeen";
}

bool ReadBugListSeen(const std::string& iniPath) {
    const IniFile file(iniPath);
    return ReadYesNo(file, kWindowSettingsSection, kBugListSeenKey, false);
}

bool WriteBugListSeen(const std::string& iniPath, bool seen) {
    IniFile file(iniPath);
    if (ReadYesNo(file, kWindowSettingsSection, kBugListSeenKey, !seen) == seen) return true;
    WriteYesNo(file, kWindowSettingsSection, kBugListSeenKey, seen);
    return file.Save();
}

}  // namespace velmora
