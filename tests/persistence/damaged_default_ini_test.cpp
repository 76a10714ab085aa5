// A "Default.INI" damaged in the ways disks and users damage files: empty, cut off in the
// middle, binary, huge, or not a regular file at all. Start-up loads it without crashing or
// blocking, takes what it can and the defaults for the rest.
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

TEST_F(DamagedDefaultIniTest, HugeFileLoadsTheDefaultsAndIsNeverTruncated) {
    // 100 MB: a sound parameter file followed by junk lines.
    {
        std::ofstream out(path_, std::ios::binary);
        out << kEngineFile;
        const std::string line = "junk=" + std::string(1018, 'j') + '\n';
        for (int i = 0; i < 100 * 1024; ++i) out << line;
    }
    const auto size = fs::file_size(path_);
    ASSERT_GE(size, 100u * 1024 * 1024);

    EXPECT_EQ(Saved(Load()), DefaultsSaved());

    // Saving over it would lose what it holds, so the save is refused with the message, and
    // the file keeps every byte.
    std::string message;
    EXPECT_FALSE(SaveParameterFile(path_, ControlState{}, message));
    EXPECT_EQ(message, "Unable to write to " + path_);
    EXPECT_EQ(fs::file_size(path_), size);
    fs::remove(path_);
}

TEST_F(DamagedDefaultIniTest, JunkLinesBeyondOneMegabyteAreNotReadButUpToItAre) {
    // Every key is looked up line by line, so a file of megabytes of short junk lines would
    // take seconds; far beyond any parameter file, it counts as unreadable.
    const auto junkFile = [&](std::size_t bytes) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << kEngineFile;
        for (std::size_t written = 0; written < bytes; written += 4) out << "k=v\n";
    };
    junkFile(IniFile::kMaxFileBytes - 4096);
    EXPECT_EQ(Load().EditDispDiameter.text, "127.2");

    junkFile(IniFile::kMaxFileBytes);
    EXPECT_EQ(Saved(Load()), DefaultsSaved());
    const auto size = fs::file_size(path_);
    std::string message;
    EXPECT_FALSE(SaveParameterFile(path_, ControlState{}, message));
    EXPECT_EQ(fs::file_size(path_), size);
}

TEST_F(DamagedDefaultIniTest, FolderOrPipeInPlaceOfTheFileLoadsTheDefaultsWithoutBlocking) {
    fs::create_directory(path_);
    EXPECT_EQ(Saved(Load()), DefaultsSaved());
    fs::remove(path_);

    // Opening a pipe without a writer would wait for ever.
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    EXPECT_EQ(Saved(Load()), DefaultsSaved());
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
