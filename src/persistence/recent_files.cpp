#include "persistence/recent_files.h"

#include <algorithm>

#include "persistence/ini_file.h"

namespace velmora {

namespace {

std::string KeyOf(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

}  // namespace

std::vector<std::string> ReadRecentFiles(const std::string& iniPath) {
    const IniFile file(iniPath);
    std::vector<std::string> files;
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        std::string path = file.ReadString(kRecentFilesSection, KeyOf(i), "");
        // A hand-edited file may name one file twice; the first (newer) place counts.
        if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end())
            files.push_back(std::move(path));
    }
    return files;
}

bool WriteRecentFiles(const std::string& iniPath, const std::vector<std::string>& files) {
    IniFile file(iniPath);
    // Keys beyond the list are emptied where they exist and never added, so a window that
    // loaded or saved no file leaves the file with the window's own keys only.
    constexpr std::string_view kAbsent = "\x01";
    bool changed = false;
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        const std::string key = KeyOf(i);
        const std::string old = file.ReadString(kRecentFilesSection, key, kAbsent);
        const std::string value = i < files.size() ? files[i] : std::string();
        if (old == value || (old == kAbsent && value.empty())) continue;
        file.WriteString(kRecentFilesSection, key, value);
        changed = true;
    }
    return !changed || file.Save();
}

std::vector<std::string> WithRecentFile(std::vector<std::string> files, const std::string& path) {
    files = WithoutRecentFile(std::move(files), path);
    files.insert(files.begin(), path);
    if (files.size() > kRecentFileCount) files.resize(kRecentFileCount);
    return files;
}

std::vector<std::string> WithoutRecentFile(std::vector<std::string> files,
                                           const std::string& path) {
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    return files;
}

}  // namespace velmora
