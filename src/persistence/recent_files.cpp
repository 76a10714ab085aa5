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
    for (std::size_t i = 0; i < kRecentFileCount; ++i)
        file.WriteString(kRecentFilesSection, KeyOf(i), i < files.size() ? files[i] : "");
    return file.Save();
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
