// The two reference engines shipped in examples/: loading either as the load command does
// must reproduce its reference case, and each file must be what a save writes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "model/compute_driver.h"
#include "model/compute_hooks.h"
#include "persistence/file_text.h"
#include "persistence/parameter_file.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

std::string ExampleFile(const std::string& name) {
    const char* source = std::getenv("VELMORA_SOURCE_DIR");
    return std::string(source != nullptr ? source : "../..") + "/examples/" + name;
}

class PlainHooks : public ComputeHooks {
  public:
    ControlState state;
    const ControlState& Controls() override { return state; }
};

std::vector<std::string> LoadAndCompute(const std::string& path) {
    PlainHooks hooks;
    ComputeDriver driver(hooks);
    driver.Loading = true;
    LoadParameterFile(path, hooks.state);
    driver.Loading = false;
    driver.LoadedFileName = path;
    driver.Compute(true, true);
    std::vector<std::string> report = driver.Memo1;
    report.insert(report.end(), driver.Memo2.begin(), driver.Memo2.end());
    return report;
}

std::string WithoutBlankLines(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) out += text.substr(start, end - start) + "\n";
        start = end + 1;
    }
    return out;
}

class ReferenceFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ReferenceFile, LoadingItValidatesTheSimulator) {
    const std::string path = ExampleFile(GetParam());
    std::string text;
    ASSERT_EQ(ReadWholeFile(path, text), FileReadStatus::Read) << path;
    const std::vector<std::string> report = LoadAndCompute(path);
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back(), "*** Simulator appears to be validated");
    int checked = 0;
    for (const std::string& line : report) {
        EXPECT_NE(line.rfind("^^^", 0), 0u) << line;
        if (line.size() >= 10 && line.compare(line.size() - 10, 10, " [Checked]") == 0) ++checked;
    }
    // Every quantity of the reference table that the case has.
    EXPECT_EQ(checked, std::string(GetParam()) == "KESTMORE.RBP" ? 26 : 23);
}

TEST_P(ReferenceFile, HoldsEveryKeyInSavingOrder) {
    const std::string path = ExampleFile(GetParam());
    std::string shipped;
    ASSERT_EQ(ReadWholeFile(path, shipped), FileReadStatus::Read) << path;
    ControlState state;
    LoadParameterFile(path, state);
    testing::TempFolder folder;
    const std::string copy = folder.File(GetParam());
    std::string error;
    ASSERT_TRUE(SaveParameterFile(copy, state, error)) << error;
    std::string saved;
    ASSERT_EQ(ReadWholeFile(copy, saved), FileReadStatus::Read);
    EXPECT_EQ(WithoutBlankLines(shipped), saved);
}

INSTANTIATE_TEST_SUITE_P(Examples, ReferenceFile,
                         ::testing::Values("KESTMORE.RBP", "BRANDOCK TAPPER.RBP"));

}  // namespace
}  // namespace velmora
