#pragma once

#include <string>
#include <vector>

namespace velmora {

// The parameter files last loaded or saved, newest first, kept in a section of their own in
// "Default.INI" beside the window's keys.
constexpr std::size_t kRecentFileCount = 8;
constexpr const char* kRecentFilesSection = "RecentFiles";

// The list as the file holds it (keys File1 ... File8; empty values are no entries).
std::vector<std::string> ReadRecentFiles(const std::string& iniPath);

// Writes the list into the file, keeping everything else it holds. False when the file could
// not be written (or existed and could not be read); it is then left as it was.
bool WriteRecentFiles(const std::string& iniPath, const std::vector<std::string>& files);

// `path` moved to the front (once only), the list cut to kRecentFileCount.
std::vector<std::string> WithRecentFile(std::vector<std::string> files, const std::string& path);

// The list without `path`.
std::vector<std::string> WithoutRecentFile(std::vector<std::string> files, const std::string& path);

}  // namespace velmora
