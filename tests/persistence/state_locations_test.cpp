#include "persistence/state_locations.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "persistence/temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteBytes;

StateLocationInputs Installed(const std::string& exe) {
    StateLocationInputs in;
    in.executableFolder = exe;
    in.executableFolderWritable = false;
    in.sharedDataFolderExists = true;
    in.home = "/home/ada";
    return in;
}

TEST(StateLocations, BuildOrPortableFolderKeepsEverythingBesideTheExecutable) {
    StateLocationInputs in;
    in.executableFolder = "/work/velmora/build/bin";
    in.executableFolderWritable = true;
    in.home = "/home/ada";
    in.documentsFolder = "/home/ada/Documents";
    const StateLocations out = ChooseStateLocations(in);
    EXPECT_FALSE(out.installed);
    EXPECT_EQ(out.stateFolder, "/work/velmora/build/bin/");
    EXPECT_EQ(out.dataFolder, "/work/velmora/build/bin/");
    EXPECT_EQ(out.dialogFolder, "/work/velmora/build/bin/");
}

TEST(StateLocations, InstalledProgramUsesTheUsersFoldersAndSharedData) {
    StateLocationInputs in = Installed("/usr/bin/");
    StateLocations out = ChooseStateLocations(in);
    EXPECT_TRUE(out.installed);
    EXPECT_EQ(out.stateFolder, "/home/ada/.config/velmora/");
    EXPECT_EQ(out.dataFolder, "/usr/share/velmora/");
    EXPECT_EQ(out.dialogFolder, "/home/ada/");

    in.xdgConfigHome = "/home/ada/cfg";
    in.documentsFolder = "/home/ada/Documents";
    out = ChooseStateLocations(in);
    EXPECT_EQ(out.stateFolder, "/home/ada/cfg/velmora/");
    EXPECT_EQ(out.dialogFolder, "/home/ada/Documents/");

    in.xdgConfigHome = "relative/cfg";  // not absolute: ignored as the XDG rules say
    EXPECT_EQ(ChooseStateLocations(in).stateFolder, "/home/ada/.config/velmora/");
}

TEST(StateLocations, WritableInstallTreeStillCountsAsInstalled) {
    // Root can write /usr/local/bin; the shared data beside it still marks an installation.
    StateLocationInputs in = Installed("/usr/local/bin");
    in.executableFolderWritable = true;
    const StateLocations out = ChooseStateLocations(in);
    EXPECT_TRUE(out.installed);
    EXPECT_EQ(out.dataFolder, "/usr/local/share/velmora/");
}

TEST(StateLocations, UnwritableFolderWithoutSharedDataReadsFilesBesideTheExecutable) {
    StateLocationInputs in = Installed("/opt/velmora");
    in.sharedDataFolderExists = false;
    const StateLocations out = ChooseStateLocations(in);
    EXPECT_TRUE(out.installed);
    EXPECT_EQ(out.stateFolder, "/home/ada/.config/velmora/");
    EXPECT_EQ(out.dataFolder, "/opt/velmora/");
}

TEST(StateLocations, ReadsTheMachine) {
    TempFolder root;
    fs::create_directories(root.Path() / "bin");
    StateLocationInputs in = ReadStateLocationInputs((root.Path() / "bin").string());
    EXPECT_TRUE(in.executableFolderWritable);
    EXPECT_FALSE(in.sharedDataFolderExists);
    fs::create_directories(root.Path() / "share" / "velmora");
    in = ReadStateLocationInputs((root.Path() / "bin").string());
    EXPECT_TRUE(in.sharedDataFolderExists);
    EXPECT_EQ(in.executableFolder.back(), '/');
}

TEST(StateLocations, FirstStartSeedsTheStateFolderOnceFromTheShippedFile) {
    TempFolder root;
    fs::create_directories(root.Path() / "share");
    WriteBytes(root.File("share/Default.INI"), "[Displacer]\nDiameter=1\n");
    StateLocations locations;
    locations.installed = true;
    locations.dataFolder = root.File("share") + "/";
    locations.stateFolder = root.File("config/velmora") + "/";

    const std::string first = StartupStateFile(locations);
    EXPECT_EQ(first, locations.stateFolder + "Default.INI");
    EXPECT_EQ(testing::ReadBytes(first), "[Displacer]\nDiameter=1\n");

    // The user's own state is never replaced by the shipped one.
    WriteBytes(first, "[Displacer]\nDiameter=2\n");
    EXPECT_EQ(StartupStateFile(locations), first);
    EXPECT_EQ(testing::ReadBytes(first), "[Displacer]\nDiameter=2\n");
}

TEST(StateLocations, UnwritableConfigFolderFallsBackToTheShippedFile) {
    TempFolder root;
    fs::create_directories(root.Path() / "share");
    WriteBytes(root.File("share/Default.INI"), "[Displacer]\n");
    WriteBytes(root.File("config"), "a file where the folder should be");
    StateLocations locations;
    locations.installed = true;
    locations.dataFolder = root.File("share") + "/";
    locations.stateFolder = root.File("config/velmora") + "/";
    EXPECT_EQ(StartupStateFile(locations), locations.dataFolder + "Default.INI");
    EXPECT_EQ(testing::ReadBytes(root.File("config")), "a file where the folder should be");
}

}  // namespace
}  // namespace velmora
