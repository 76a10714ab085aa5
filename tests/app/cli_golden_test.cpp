// 300 random engines through velmora-cli's text outputs (report, samples, cycle, pv,
// powercurve), compared with checksums recorded from an earlier build. Any change to the core
// that alters one byte of what a user gets shows up here, with the engine and command named.
//
// VELMORA_GOLDEN_KEEP=DIR keeps the engines' files in DIR for a look at a mismatch.
// To record the table anew (only when an output is meant to change):
//   VELMORA_WRITE_GOLDEN=tests/app/data/cli_golden.txt build/tests/app_cli_golden_test
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli_runner.h"
#include "model/control_state.h"
#include "model/output_unit_lists.h"
#include "persistence/file_text.h"
#include "persistence/parameter_file.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

constexpr int kEngineCount = 300;
const char* const kCommands[] = {"report", "samples", "cycle", "pv", "powercurve"};

std::string SourceDir() {
    const char* dir = std::getenv("VELMORA_SOURCE_DIR");
    return dir != nullptr ? dir : "..";
}

// FNV-1a, 64 bits: stable on every platform, and one changed byte changes it.
std::uint64_t Fnv1a(const std::string& bytes, std::uint64_t hash = 14695981039346656037ull) {
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// Draws on the raw generator output only, so the engines are the same with every library.
class Dice {
  public:
    explicit Dice(std::uint64_t seed) : engine_(seed) {}
    int Below(int count) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(count)); }
    bool OneIn(int count) { return Below(count) == 0; }
    double Between(double low, double high) {
        return low + (high - low) * static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    }

  private:
    std::mt19937_64 engine_;
};

// Mostly a plausible value near `typical` (a third to three times it); now and then a text
// the analysis must refuse or warn about.
std::string Text(Dice& dice, double typical) {
    switch (dice.Below(160)) {
        case 0:
            return "";
        case 1:
            return "0";
        case 2:
            return "x1";
        case 3:
            return "-" + std::to_string(typical);
        default: {
            char buffer[48];
            std::snprintf(buffer, sizeof buffer, "%.5g",
                          typical * std::pow(3.0, dice.Between(-1, 1)));
            return buffer;
        }
    }
}

ControlState RandomEngine(Dice& dice) {
    ControlState c;
    // Unit choices of the shipped example (mm, kg, cm^3, C, RPM, atm) or a random one.
    auto pick = [&](int usual, int count) { return dice.OneIn(3) ? dice.Below(count) : usual; };
    auto Items = [](int OutputUnits::*choice) { return OutputListItemCount(OutputListOf(choice)); };
    c.EditDispDiameter = {Text(dice, 127.2), 1};
    c.EditDispStroke = {Text(dice, 126), 1};
    c.EditDispMass = {Text(dice, 1), 2};
    c.EditDispRodDiameter = {Text(dice, 38.1), 1};
    c.EditSpringConstant = {dice.OneIn(3) ? Text(dice, 800) : "0", 0};
    c.EditSpringCenter = {dice.OneIn(3) ? Text(dice, 10) : "0", 1};
    c.EditPistonDiameter = {Text(dice, 114), 1};
    c.EditPistonStroke = {Text(dice, 140), 1};
    c.EditDeadSpaceVol = {Text(dice, 3380), 2};
    c.EditDeadSpaceTemp = {Text(dice, 346), 1};
    c.EditHotTemp = {Text(dice, 650), 1};
    c.EditColdTemp = {Text(dice, 42), 1};
    c.EditEngineSpeed = {Text(dice, 1000), 0};
    c.EditMeanEnginePressure = {Text(dice, 50), 0};
    c.EditRequiredEnginePower = dice.OneIn(2) ? Text(dice, 20000) : "";
    c.LeakCB = dice.OneIn(3);
    c.GravityCB = dice.OneIn(2);
    c.ComputeCycleCountEdit = std::to_string(1 + dice.Below(4));
    c.GraphCycleCountEdit = std::to_string(1 + dice.Below(3));
    c.MaxGraphCycleCountEdit = "30";
    c.EditXAxisOffset = dice.OneIn(3) ? std::to_string(dice.Below(721) - 360) : "0";
    c.RedGraphRG = dice.Below(kCurveItemCount);
    c.BlueGraphRG = dice.Below(kCurveItemCount);
    c.XAxisRG = dice.Below(kXAxisItemCount);
    c.ShowGraph2RG = dice.Below(kSecondGraphItemCount);
    OutputUnits& out = c.outputs;
    out.LengthOutputFormatRG = pick(1, Items(&OutputUnits::LengthOutputFormatRG));
    out.TemperatureOutputFormatRG = pick(1, Items(&OutputUnits::TemperatureOutputFormatRG));
    out.MassOutputFormatRG = pick(2, Items(&OutputUnits::MassOutputFormatRG));
    out.AngVelOutputFormatRG = pick(0, Items(&OutputUnits::AngVelOutputFormatRG));
    out.SpringOutputFormatRG = pick(0, Items(&OutputUnits::SpringOutputFormatRG));
    out.AngleOutputFormatRG = pick(1, Items(&OutputUnits::AngleOutputFormatRG));
    out.PressureOutputFormatRG = pick(0, Items(&OutputUnits::PressureOutputFormatRG));
    return c;
}

// Exit status and standard output of one command, as one checksum.
std::uint64_t RunChecksum(const std::string& command, const std::string& file,
                          const testing::TempFolder& folder) {
    const testing::CliResult run = testing::RunShell(
        folder, "env LC_ALL=C " + testing::QuotedCli() + " " + command + " '" + file + "'");
    return Fnv1a(run.out, Fnv1a(std::to_string(run.status)));
}

std::string Key(int engine, const std::string& command) {
    return std::to_string(engine) + " " + command;
}

std::map<std::string, std::string> ReadTable(const std::string& path) {
    std::map<std::string, std::string> table;
    std::ifstream in(path);
    std::string engine, command, hash;
    while (in >> engine >> command >> hash) table[engine + " " + command] = hash;
    return table;
}

TEST(CliGolden, ThreeHundredRandomEnginesGiveTheRecordedOutputs) {
    const char* writePath = std::getenv("VELMORA_WRITE_GOLDEN");
    const std::string tablePath = SourceDir() + "/tests/app/data/cli_golden.txt";
    const std::map<std::string, std::string> expected =
        writePath != nullptr ? std::map<std::string, std::string>{} : ReadTable(tablePath);
    if (writePath == nullptr) {
        ASSERT_EQ(expected.size(), std::size(kCommands) * kEngineCount);
    }

    testing::TempFolder folder;
    std::ostringstream written;
    Dice dice(20261210);
    int mismatches = 0;
    for (int engine = 0; engine < kEngineCount; ++engine) {
        const ControlState state = RandomEngine(dice);
        const char* keep = std::getenv("VELMORA_GOLDEN_KEEP");
        const std::string name = "engine-" + std::to_string(engine) + ".RBP";
        const std::string file =
            keep != nullptr ? std::string(keep) + "/" + name : folder.File(name);
        std::string error;
        ASSERT_TRUE(SaveParameterFile(file, state, error)) << error;
        for (const std::string command : kCommands) {
            char hash[17];
            std::snprintf(hash, sizeof hash, "%016llx",
                          static_cast<unsigned long long>(RunChecksum(command, file, folder)));
            if (writePath != nullptr) {
                written << engine << ' ' << command << ' ' << hash << '\n';
                continue;
            }
            const auto found = expected.find(Key(engine, command));
            if (found == expected.end() || found->second != hash) {
                ADD_FAILURE() << "engine " << engine << ", velmora-cli " << command << " " << file
                              << ": output differs from the recorded one";
                if (++mismatches == 10) return;
            }
        }
    }
    if (writePath != nullptr) {
        std::ofstream(writePath) << written.str();
        std::printf("recorded %d engines into %s\n", kEngineCount, writePath);
    }
}

}  // namespace
}  // namespace velmora
