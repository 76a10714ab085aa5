// Sample texts under a C locale whose decimal separator is a comma, as the window's Qt sets
// it from the environment: printf would write "0,5", which reads back as 0.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "simulation/engine_fixtures.h"
#include "simulation/sample_text.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Compiles de_DE.UTF-8 into a folder of the test's own (most machines have it uncompiled) and
// makes it the C locale; false when that cannot be done here.
bool UseGermanCLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) return true;
    const fs::path folder = fs::temp_directory_path() / "velmora-locales";
    fs::create_directories(folder);
    const std::string command = "localedef -c -i de_DE -f UTF-8 '" +
                                (folder / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    (void)std::system(command.c_str());
    ::setenv("LOCPATH", folder.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

struct Samples {
    std::vector<std::string> x, disp, piston, pressure, volume;
    bool operator==(const Samples&) const = default;
};

Samples RunSamples() {
    EngineSession session;
    session.State = test::LargeEngineControls();
    session.Compute(true, false);
    const SimulationState& s = session.Sim;
    // The lists hold values; their texts are made when asked, here.
    auto texts = [](const SampleList& list) {
        std::vector<std::string> out;
        for (const double value : list) out.push_back(SampleText(value));
        return out;
    };
    return {texts(s.SampleX), texts(s.SampleDispPos), texts(s.SamplePistonPos),
            texts(s.SamplePressure), texts(s.SampleTotalVolume)};
}

TEST(SampleTextLocale, TextsAreTheSameUnderACommaLocale) {
    // Both ways of writing: exact digits, and the general conversion far outside a run's range.
    const double values[] = {0.5, 0.063, 1.66666666666667e-05, 123456.789, 1e-20, 2.5e20, -3e300};
    std::vector<std::string> plain;
    for (double v : values) plain.push_back(SampleText(v));
    const Samples before = RunSamples();

    if (!UseGermanCLocale()) GTEST_SKIP() << "no de_DE locale can be made on this machine";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", 0.5);
    EXPECT_STREQ(buffer, "0,5");  // the locale is in effect
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(SampleText(values[i]), plain[i]);
        EXPECT_EQ(SampleTextValue(SampleText(values[i])), values[i]);
    }
    const Samples after = RunSamples();
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(after == before);
}

}  // namespace
}  // namespace velmora
