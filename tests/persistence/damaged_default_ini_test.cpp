// A "Default.INI" damaged in the ways disks and users damage files: empty, cut off in the
// middle, binary, huge, or not a regular file at all. Start-up loads it without crashing or
// blocking and takes what it can with the defaults for the rest; what cannot be read at all
// is reported, never turned into silent defaults.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "persistence/ini_file.h"
#include "persistence/parameter_file.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

constexpr const char* kEngineFile =
    "[Displacer]\nDiameter=127.2\nDiameterUnits=1\nStroke=126\nStrokeUnits=1\n"
    "[Hot]\nTemp=650\nTempUnits=1\n"
    "[Cold]\nTemp=42\nTempUnits=1\n"
    "[Engine]\nSpeed=1000\nSpeedUnits=0\nPressure=50\nLeakDown=No\nPressureUnits=0\n"
    "[OutputFormat]\nLength=3\nAngle=1\n"
    "[TabControl]\nPage=3\n";

class DamagedDefaultIniTest : public ::testing::Test {
  protected:
    ControlState Load() {
        ControlState state;
        LoadParameterFile(path_, state);
        return state;
    }
    // Two states are the same when they save to the same text.
    std::string Saved(const ControlState& state) {
        const std::string path = folder_.File("compare.INI");
        fs::remove(path);
        std::string message;
        EXPECT_TRUE(SaveParameterFile(path, state, message)) << message;
        return ReadBytes(path);
    }
    // What a file without any key loads (the first run, no "Default.INI" at all).
    std::string DefaultsSaved() {
        ControlState state;
        LoadParameterFile(folder_.File("missing.INI"), state);
        return Saved(state);
    }

    TempFolder folder_;
    std::string path_ = folder_.File("Default.INI");
};

TEST_F(DamagedDefaultIniTest, EmptyFileAndBlankLinesLoadTheDefaults) {
    for (const char* text : {"", "\n\n\n", "\r\n", "   ", "\xEF\xBB\xBF", ";;;\n[]\n=\n"}) {
        WriteBytes(path_, text);
        EXPECT_EQ(Saved(Load()), DefaultsSaved()) << '"' << text << '"';
    }
}

TEST_F(DamagedDefaultIniTest, FileCutOffMidLineKeepsWhatCameBefore) {
    const std::string whole = kEngineFile;
    const std::string cut = whole.substr(0, whole.find("Pressure=50") + 10);  // "Pressure=5"
    WriteBytes(path_, cut);
    const ControlState state = Load();
    EXPECT_EQ(state.EditDispDiameter.text, "127.2");
    EXPECT_EQ(state.EditHotTemp.text, "650");
    EXPECT_EQ(state.EditEngineSpeed.text, "1000");
    EXPECT_EQ(state.EditMeanEnginePressure.text, "5");
    EXPECT_TRUE(state.LeakCB);                         // its key was cut off
    EXPECT_EQ(state.outputs.LengthOutputFormatRG, 1);  // default "mm"
    EXPECT_EQ(state.outputs.AngleOutputFormatRG, kNoChoice);
    EXPECT_EQ(state.Page, 1);
}

TEST_F(DamagedDefaultIniTest, BinaryFileLoadsOnlySoundValues) {
    std::string bytes;
    unsigned seed = 7;
    for (int i = 0; i < (1 << 18); ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes += static_cast<char>(seed >> 16);
    }
    // Real key lines buried in the noise, one of them with a NUL byte in its value.
    const std::string nulValue = std::string("6") + '\0' + "50";
    bytes += "\n[Hot]\nTemp=" + nulValue + "\n[Graph]\nRed=99\nBlue=0x0B\n";
    bytes += bytes.substr(0, 4096);
    WriteBytes(path_, bytes);
    const ControlState state = Load();
    EXPECT_EQ(state.EditHotTemp.text, nulValue);
    EXPECT_EQ(state.RedGraphRG, kNoChoice);  // beyond the twelve curves
    EXPECT_EQ(state.BlueGraphRG, 11);
    EXPECT_EQ(state.Page, 1);
    EXPECT_LE(state.EditDispDiameter.text.size(), 2047u);
}

TEST_F(DamagedDefaultIniTest, FileBeyondTheLimitIsReportedAndNeverTruncated) {
    // 100 MB: a sound parameter file followed by junk lines.
    {
        std::ofstream out(path_, std::ios::binary);
        out << kEngineFile;
        const std::string line = "junk=" + std::string(1018, 'j') + '\n';
        for (int i = 0; i < 100 * 1024; ++i) out << line;
    }
    const auto size = fs::file_size(path_);
    ASSERT_GE(size, 100u * 1024 * 1024);

    // Never silent defaults: the load says so and leaves the controls as they were.
    ControlState state;
    state.EditDispDiameter.text = "kept";
    EXPECT_EQ(LoadParameterFile(path_, state), FileReadStatus::Unreadable);
    EXPECT_EQ(state.EditDispDiameter.text, "kept");
    EXPECT_EQ(UnableToReadMessage(path_), "Unable to read " + path_);

    // Saving over it would lose what it holds, so the save is refused with the message, and
    // the file keeps every byte.
    std::string message;
    EXPECT_FALSE(SaveParameterFile(path_, ControlState{}, message));
    EXPECT_EQ(message, "Unable to write to " + path_);
    EXPECT_EQ(fs::file_size(path_), size);
    fs::remove(path_);
}

TEST_F(DamagedDefaultIniTest, TenMegabytesOfNotesLoadEveryKeyAndSaveWithTheNotesIntact) {
    // A complete parameter file (all 56 keys) with a long hand-written notes section between
    // its sections: short lines, some of them keys, some junk, some with brackets.
    WriteBytes(path_, kEngineFile);
    ControlState engine = Load();
    engine.EditStep3PistonDiam = "1.5";
    engine.GravityCB = true;
    const std::string complete = Saved(engine);
    std::string notes = "[Notes]\n";
    for (int i = 0; notes.size() < 10u * 1024 * 1024; ++i)
        notes += "n" + std::to_string(i) + "=run " + std::to_string(i % 97) + "\njunk [x]\n";
    const std::size_t split = complete.find("[Piston]");
    ASSERT_NE(split, std::string::npos);
    const std::string big = complete.substr(0, split) + notes + complete.substr(split);
    WriteBytes(path_, big);

    ControlState loaded;
    EXPECT_EQ(LoadParameterFile(path_, loaded), FileReadStatus::Read);
    EXPECT_EQ(Saved(loaded), complete);

    loaded.EditPistonDiameter.text = "120";
    loaded.EditXAxisOffset = "45";
    std::string message;
    ASSERT_TRUE(SaveParameterFile(path_, loaded, message)) << message;
    // Only the two values changed, in place.
    std::string expected = big;
    const auto replace = [&expected](const std::string& from, const std::string& to) {
        const std::size_t at = expected.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, from.size(), to);
    };
    replace("[Piston]\nDiameter=\n", "[Piston]\nDiameter=120\n");
    replace("[XAxis]\nOffset=0\n", "[XAxis]\nOffset=45\n");
    EXPECT_TRUE(ReadBytes(path_) == expected);
    EXPECT_EQ(Load().EditPistonDiameter.text, "120");
}

TEST_F(DamagedDefaultIniTest, JunkLinesUpToTheLimitAreReadAndBeyondItAreReported) {
    const auto junkFile = [&](std::size_t bytes) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << kEngineFile;
        const std::string lines = [] {
            std::string block;
            for (int i = 0; i < 1024; ++i) block += "k=v\n";
            return block;
        }();
        for (std::size_t written = 0; written < bytes; written += lines.size()) out << lines;
    };
    junkFile(IniFile::kMaxFileBytes - 4096 * 2);
    EXPECT_EQ(Load().EditDispDiameter.text, "127.2");

    junkFile(IniFile::kMaxFileBytes);
    ControlState state;
    EXPECT_EQ(LoadParameterFile(path_, state), FileReadStatus::Unreadable);
    const auto size = fs::file_size(path_);
    std::string message;
    EXPECT_FALSE(SaveParameterFile(path_, ControlState{}, message));
    EXPECT_EQ(fs::file_size(path_), size);
}

TEST_F(DamagedDefaultIniTest, FolderOrPipeInPlaceOfTheFileIsReportedWithoutBlocking) {
    ControlState state;
    state.EditHotTemp.text = "kept";
    fs::create_directory(path_);
    EXPECT_EQ(LoadParameterFile(path_, state), FileReadStatus::Unreadable);
    fs::remove(path_);

    // Opening a pipe without a writer would wait for ever.
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    EXPECT_EQ(LoadParameterFile(path_, state), FileReadStatus::Unreadable);
    EXPECT_EQ(state.EditHotTemp.text, "kept");
    std::string message;
    EXPECT_FALSE(SaveParameterFile(path_, ControlState{}, message));
    EXPECT_TRUE(fs::is_fifo(path_));
}

TEST_F(DamagedDefaultIniTest, SoundFileStillLoadsAfterTheDamagedOnesWereReplaced) {
    WriteBytes(path_, std::string("\0\0\0", 3));
    ControlState state = Load();
    state.EditDispDiameter.text = "3";
    std::string message;
    ASSERT_TRUE(SaveParameterFile(path_, state, message));
    // The NULs were a line of junk; they stay, and the new keys follow.
    EXPECT_EQ(Load().EditDispDiameter.text, "3");
    EXPECT_EQ(ReadBytes(path_).substr(0, 3), std::string("\0\0\0", 3));
}

}  // namespace
}  // namespace velmora
