#pragma once

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "export/recording_session.h"
#include "persistence/parameter_file.h"

namespace velmora::testing {

inline std::string ExamplePath(const std::string& name) {
    const char* source = std::getenv("VELMORA_SOURCE_DIR");
    return std::string(source != nullptr ? source : ".") + "/examples/" + name;
}

// Loads a parameter file into the session as the command line does and computes once.
inline void LoadAndCompute(RecordingSession& session, const std::string& path) {
    session.Driver.Loading = true;
    LoadParameterFile(path, session.State);
    session.Driver.Loading = false;
    session.Driver.LoadedFileName = path;
    session.Compute(true, true);
}

// The lines of a CSV text split at commas; '#' lines are left out.
inline std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line.front() == '#') continue;
        std::vector<std::string> fields;
        std::istringstream parts(line);
        std::string field;
        while (std::getline(parts, field, ',')) fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

// The '#' lines of a CSV text.
inline std::vector<std::string> CommentLines(const std::string& text) {
    std::vector<std::string> comments;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty() && line.front() == '#') comments.push_back(line);
    return comments;
}

}  // namespace velmora::testing
