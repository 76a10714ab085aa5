#include "persistence/state_locations.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace velmora {

namespace {

namespace fs = std::filesystem;

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string SharedDataFolder(const std::string& executableFolder) {
    const fs::path folder = fs::path(executableFolder) / ".." / "share" / "velmora";
    return WithSlash(folder.lexically_normal().string());
}

}  // namespace

StateLocations ChooseStateLocations(const StateLocationInputs& in) {
    StateLocations out;
    const std::string exe = WithSlash(in.executableFolder);
    out.installed = in.sharedDataFolderExists || !in.executableFolderWritable;
    if (!out.installed) {
        out.stateFolder = out.dataFolder = out.dialogFolder = exe;
        return out;
    }
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    const std::string config = !in.xdgConfigHome.empty() && in.xdgConfigHome.front() == '/'
                                   ? WithSlash(in.xdgConfigHome)
                               : !in.home.empty() ? WithSlash(in.home) + ".config/"
                                                  : std::string();
    out.stateFolder = config.empty() ? exe : config + "velmora/";
    out.dataFolder = in.sharedDataFolderExists ? SharedDataFolder(exe) : exe;
    out.dialogFolder = !in.documentsFolder.empty() ? WithSlash(in.documentsFolder)
                       : !in.home.empty()          ? WithSlash(in.home)
                                                   : exe;
    return out;
}

StateLocationInputs ReadStateLocationInputs(const std::string& executableFolder) {
    StateLocationInputs in;
    in.executableFolder = WithSlash(executableFolder);
    // Only a folder that refuses writing counts; a missing one is left to the save at exit.
    in.executableFolderWritable =
        ::access(in.executableFolder.c_str(), W_OK) == 0 || (errno != EACCES && errno != EROFS);
    std::error_code error;
    in.sharedDataFolderExists = fs::is_directory(SharedDataFolder(in.executableFolder), error);
    in.xdgConfigHome = Environment("XDG_CONFIG_HOME");
    in.home = Environment("HOME");
    return in;
}

std::string StartupStateFile(const StateLocations& locations) {
    const std::string state = locations.stateFolder + "Default.INI";
    if (!locations.installed || locations.stateFolder == locations.dataFolder) return state;
    std::error_code error;
    if (fs::exists(state, error)) return state;
    PrepareStateFolder(locations);
    const std::string shipped = locations.dataFolder + "Default.INI";
    if (fs::copy_file(shipped, state, fs::copy_options::skip_existing, error)) return state;
    return fs::exists(state, error) ? state : shipped;
}

void PrepareStateFolder(const StateLocations& locations) {
    if (!locations.installed) return;  // the executable's folder is the user's to make
    std::error_code error;
    fs::create_directories(locations.stateFolder, error);
}

}  // namespace velmora
