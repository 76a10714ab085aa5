// 300 random engines and the shipped reference engines through velmora-cli's text outputs
// (report, samples, cycle, pv, powercurve, and the energy figures of both models), compared
// with checksums recorded from an earlier build. Any change to the core that alters one byte
// of what a user gets shows up here, with the engine and command named.
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
#include "form/control_state.h"
#include "form/output_unit_lists.h"
#include "persistence/file_text.h"
#include "persistence/parameter_file.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

constexpr int kEngineCount = 300;

// A command as the table names it (one word) and as velmora-cli is given it.
struct GoldenCommand {
    const char* name;
    const char* words;
};
const GoldenCommand kCommands[] = {
    {"report", "report"},
    {"samples", "samples"},
    {"cycle", "cycle"},
    {"pv", "pv"},
    {"powercurve", "powercurve"},
    {"energy-specified", "energy --model specified"},
    {"energy-specified-csv", "energy --model specified --format csv"},
};
// The accurate model takes a few milliseconds a run: every fifth random engine is enough to
// catch a change in it.
const GoldenCommand kAccurateCommands[] = {
    {"energy-accurate", "energy --model accurate"},
    {"energy-accurate-csv", "energy --model accurate --format csv"},
};
constexpr int kAccurateEvery = 5;
// The reference engines also give the revolution the figures come from.
const GoldenCommand kReferenceCommands[] = {
    {"energy-specified-cycle", "energy --model specified --format cycle"},
    {"energy-accurate-cycle", "energy --model accurate --format cycle"},
};
// The shipped examples, by the one-word name the table gives them.
const GoldenCommand kReferenceEngines[] = {
    {"KESTMORE", "KESTMORE.RBP"},
    {"BRANDOCK-TAPPER", "BRANDOCK TAPPER.RBP"},
    {"Default", "Default.INI"},
};

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

std::string Key(const std::string& engine, const std::string& command) {
    return engine + " " + command;
}

std::map<std::string, std::string> ReadTable(const std::string& path) {
    std::map<std::string, std::string> table;
    std::ifstream in(path);
    std::string engine, command, hash;
    while (in >> engine >> command >> hash) table[engine + " " + command] = hash;
    return table;
}

// Compares (or, when recording, writes) the checksum of every command for one engine file.
class GoldenTable {
  public:
    GoldenTable()
        : writePath_(std::getenv("VELMORA_WRITE_GOLDEN")),
          expected_(writePath_ != nullptr
                        ? std::map<std::string, std::string>{}
                        : ReadTable(SourceDir() + "/tests/app/data/cli_golden.txt")) {}

    bool Recording() const { return writePath_ != nullptr; }
    std::size_t ExpectedCount() const { return expected_.size(); }

    // False once ten mismatches have been reported.
    template <std::size_t N>
    bool Check(const std::string& engine, const std::string& file,
               const GoldenCommand (&commands)[N]) {
        for (const GoldenCommand& command : commands) {
            char hash[17];
            std::snprintf(
                hash, sizeof hash, "%016llx",
                static_cast<unsigned long long>(RunChecksum(command.words, file, folder_)));
            ++count_;
            if (Recording()) {
                written_ << engine << ' ' << command.name << ' ' << hash << '\n';
                continue;
            }
            const auto found = expected_.find(Key(engine, command.name));
            if (found == expected_.end() || found->second != hash) {
                ADD_FAILURE() << "engine " << engine << ", velmora-cli " << command.words << " "
                              << file << ": output differs from the recorded one";
                if (++mismatches_ == 10) return false;
            }
        }
        return true;
    }

    void Finish() {
        if (Recording()) {
            std::ofstream(writePath_) << written_.str();
            std::printf("recorded %d outputs into %s\n", count_, writePath_);
        } else {
            EXPECT_EQ(static_cast<std::size_t>(count_), expected_.size());
        }
    }

    const testing::TempFolder& Folder() const { return folder_; }

  private:
    const char* writePath_;
    std::map<std::string, std::string> expected_;
    testing::TempFolder folder_;
    std::ostringstream written_;
    int count_ = 0;
    int mismatches_ = 0;
};

TEST(CliGolden, RandomAndReferenceEnginesGiveTheRecordedOutputs) {
    GoldenTable table;
    if (!table.Recording()) {
        ASSERT_GT(table.ExpectedCount(), std::size(kCommands) * kEngineCount);
    }

    for (const GoldenCommand& engine : kReferenceEngines) {
        const std::string file = SourceDir() + "/examples/" + engine.words;
        if (!table.Check(engine.name, file, kCommands)) return;
        if (!table.Check(engine.name, file, kAccurateCommands)) return;
        if (!table.Check(engine.name, file, kReferenceCommands)) return;
    }

    Dice dice(20261210);
    for (int engine = 0; engine < kEngineCount; ++engine) {
        const ControlState state = RandomEngine(dice);
        const char* keep = std::getenv("VELMORA_GOLDEN_KEEP");
        const std::string name = "engine-" + std::to_string(engine) + ".RBP";
        const std::string file =
            keep != nullptr ? std::string(keep) + "/" + name : table.Folder().File(name);
        std::string error;
        ASSERT_TRUE(SaveParameterFile(file, state, error)) << error;
        const std::string key = std::to_string(engine);
        if (!table.Check(key, file, kCommands)) return;
        if (engine % kAccurateEvery == 0 && !table.Check(key, file, kAccurateCommands)) return;
    }
    table.Finish();
}

}  // namespace
}  // namespace velmora
