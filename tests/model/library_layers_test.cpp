// The libraries up to the session include only downward: the engine nothing of ours but
// itself, the report the engine, the form both, the compute run all three, the simulation the
// engine, the report and the compute run (not the form), the presentation all five, the session
// all six. None of them names Qt. Sweeps and the optimizer take the numeric
// design: they include nothing of the form (nor of the compute run, the session, the files or
// the window) and name no ControlState. A file that includes upward would compile (every
// library sees all of src/), so only reading the includes finds it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;

fs::path SourceDir() {
    const char* dir = std::getenv("VELMORA_SOURCE_DIR");
    return dir != nullptr ? fs::path(dir) / "src" : fs::path();
}

struct Include {
    std::string file;
    std::string target;  // "engine/units.h", or "<QString>" for a system header
};

std::vector<Include> IncludesOf(const std::string& library) {
    static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> found;
    for (const auto& entry : fs::directory_iterator(SourceDir() / library)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        std::ifstream in(entry.path());
        std::string line;
        std::smatch m;
        while (std::getline(in, line))
            if (std::regex_search(line, m, kInclude))
                found.push_back({entry.path().filename().string(),
                                 m[1] == "<" ? "<" + m[2].str() + ">" : m[2].str()});
    }
    return found;
}

std::string TextOf(const fs::path& file) {
    std::ifstream in(file);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(LibraryLayers, EachLibraryIncludesOnlyItselfAndTheLibrariesBelow) {
    ASSERT_TRUE(fs::is_directory(SourceDir() / "engine")) << "VELMORA_SOURCE_DIR not set";
    const std::map<std::string, std::set<std::string>> allowed = {
        {"engine", {"engine"}},
        {"report", {"engine", "report"}},
        {"form", {"engine", "report", "form"}},
        {"model", {"engine", "report", "form", "model"}},
        {"simulation", {"engine", "report", "model", "simulation"}},
        {"presentation", {"engine", "report", "form", "model", "simulation", "presentation"}},
        {"session", {"engine", "report", "form", "model", "simulation", "presentation", "session"}},
        {"designspace", {"engine", "report", "simulation", "designspace"}},
        {"optimizer", {"engine", "report", "simulation", "designspace", "optimizer"}},
    };
    for (const auto& [library, below] : allowed) {
        const std::vector<Include> includes = IncludesOf(library);
        EXPECT_FALSE(includes.empty()) << library;
        for (const Include& include : includes) {
            const std::string where = library + "/" + include.file + " includes " + include.target;
            if (include.target.front() == '<') {
                EXPECT_NE(include.target.rfind("<Q", 0), 0u) << where;
                continue;
            }
            const std::string top = include.target.substr(0, include.target.find('/'));
            EXPECT_TRUE(below.count(top)) << where;
        }
    }
}

// The cycle simulation reads the numeric design only: a run that shows its graphs has them
// drawn above it (presentation/run_graphs.h) and kept beside its state (presentation/
// shown_run.h), so no curve choice, form, curve or chart title reaches the physics.
TEST(LibraryLayers, TheSimulationReadsNoFormAndDrawsNoCurves) {
    for (const auto& entry : fs::directory_iterator(SourceDir() / "simulation")) {
        const std::string text = TextOf(entry.path());
        for (const char* name : {"ControlState", "GraphSelection", "kCurveQuantities", "CurveValue",
                                 "Series1", "GraphChoices", "ChartSetup", "MainChart"})
            EXPECT_EQ(text.find(name), std::string::npos)
                << entry.path().filename() << " names " << name;
    }
}

// The engine keeps no text formatting: number texts and settings are the report's.
TEST(LibraryLayers, TheEngineNamesNoNumberSettings) {
    for (const auto& entry : fs::directory_iterator(SourceDir() / "engine")) {
        const std::string text = TextOf(entry.path());
        EXPECT_EQ(text.find("NumberSettings"), std::string::npos) << entry.path().filename();
        EXPECT_EQ(text.find("ControlState"), std::string::npos) << entry.path().filename();
    }
}

TEST(LibraryLayers, SweepsAndTheOptimizerNameNoForm) {
    for (const char* library : {"designspace", "optimizer"})
        for (const auto& entry : fs::directory_iterator(SourceDir() / library))
            EXPECT_EQ(TextOf(entry.path()).find("ControlState"), std::string::npos)
                << library << "/" << entry.path().filename().string();
}

}  // namespace
}  // namespace velmora
