#include "persistence/parameter_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "persistence/temp_folder.h"

namespace velmora {
namespace {

using testing::EntryCount;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

// A state in which every value differs from its default.
ControlState FilledState() {
    ControlState s;
    s.EditDispDiameter = {"2.5", 0};
    s.EditDispStroke = {"0.75", 1};
    s.EditDispMass = {"300", 1};
    s.EditDispRodDiameter = {"0.25", 2};
    s.EditSpringConstant = {"12", 1};
    s.EditSpringCenter = {"0.1", 3};
    s.EditPistonDiameter = {"1.5", 2};
    s.EditPistonStroke = {"1.25", 3};
    s.EditDeadSpaceVol = {"3", 2};
    s.EditDeadSpaceTemp = {"280", 1};
    s.EditHotTemp = {"500", 2};
    s.EditColdTemp = {"60", 1};
    s.EditEngineSpeed = {"600", 1};
    s.EditMeanEnginePressure = {"1.5", 2};
    s.EditRequiredEnginePower = "2.5";
    s.LeakCB = false;
    s.GravityCB = true;
    s.ComputeCycleCountEdit = "5";
    s.GraphCycleCountEdit = "2";
    s.MaxGraphCycleCountEdit = "40";
    s.EditXAxisOffset = "90";
    s.RedGraphRG = 3;
    s.BlueGraphRG = 11;
    s.XAxisRG = 1;
    s.ShowGraph2RG = 2;
    s.outputs.LengthOutputFormatRG = 3;
    s.outputs.TemperatureOutputFormatRG = 2;
    s.outputs.MassOutputFormatRG = 0;
    s.outputs.AngVelOutputFormatRG = 1;
    s.outputs.SpringOutputFormatRG = 0;
    s.outputs.AngleOutputFormatRG = 1;
    s.outputs.PressureOutputFormatRG = 0;
    s.Left = 40;
    s.Top = -20;
    s.Height = 600;
    s.Width = 900;
    s.Page = 4;
    s.MemoWidth = 410;
    s.EditStep3PistonDiam = "1.1";
    s.EditStep3PistonStroke = "1.2";
    s.EditStep5DispDiam = "2.1";
    s.EditStep5DispStroke = "2.2";
    return s;
}

class ParameterFileTest : public ::testing::Test {
  protected:
    std::string Save(const ControlState& state, const std::string& path) {
        std::string message = "unchanged";
        EXPECT_TRUE(SaveParameterFile(path, state, message));
        EXPECT_EQ(message, "");
        return ReadBytes(path);
    }
    ControlState LoadText(const std::string& text) {
        WriteBytes(path_, text);
        ControlState state;
        LoadParameterFile(path_, state);
        return state;
    }
    TempFolder folder_;
    std::string path_ = folder_.File("engine.RBP");
};

TEST_F(ParameterFileTest, MissingFileLoadsEveryDefault) {
    ControlState s = FilledState();
    s.Width = 1000;
    s.Left = 100;
    s.Height = 700;
    s.Top = 50;
    LoadParameterFile(folder_.File("absent.RBP"), s);

    for (const InputControl* empty :
         {&s.EditDispDiameter, &s.EditDispStroke, &s.EditDispMass, &s.EditDispRodDiameter,
          &s.EditPistonDiameter, &s.EditPistonStroke, &s.EditDeadSpaceTemp, &s.EditHotTemp,
          &s.EditColdTemp, &s.EditEngineSpeed, &s.EditMeanEnginePressure}) {
        EXPECT_EQ(empty->text, "");
        EXPECT_EQ(empty->units, 0);
    }
    for (const InputControl* zero :
         {&s.EditSpringConstant, &s.EditSpringCenter, &s.EditDeadSpaceVol}) {
        EXPECT_EQ(zero->text, "0");
        EXPECT_EQ(zero->units, 0);
    }
    EXPECT_EQ(s.EditRequiredEnginePower, "");
    EXPECT_EQ(s.EditXAxisOffset, "0");
    EXPECT_EQ(s.ComputeCycleCountEdit, "3");
    EXPECT_EQ(s.GraphCycleCountEdit, "3");
    EXPECT_EQ(s.MaxGraphCycleCountEdit, "30");
    EXPECT_TRUE(s.LeakCB);
    EXPECT_FALSE(s.GravityCB);
    EXPECT_EQ(s.RedGraphRG, 0);
    EXPECT_EQ(s.BlueGraphRG, 0);
    EXPECT_EQ(s.XAxisRG, 0);
    EXPECT_EQ(s.ShowGraph2RG, 0);
    EXPECT_EQ(s.outputs.LengthOutputFormatRG, 1);       // mm
    EXPECT_EQ(s.outputs.TemperatureOutputFormatRG, 0);  // F
    EXPECT_EQ(s.outputs.MassOutputFormatRG, 1);         // grams
    EXPECT_EQ(s.outputs.AngVelOutputFormatRG, 2);       // Rad/Sec
    EXPECT_EQ(s.outputs.SpringOutputFormatRG, 1);       // grams/inch
    EXPECT_EQ(s.outputs.AngleOutputFormatRG, kNoChoice);
    EXPECT_EQ(s.outputs.PressureOutputFormatRG, 2);  // N/m^2
    EXPECT_EQ(s.Left, (1000 - 100) / 2);
    EXPECT_EQ(s.Top, (700 - 50) / 2);
    EXPECT_EQ(s.Width, 800);
    EXPECT_EQ(s.Height, 550);
    EXPECT_EQ(s.Page, 1);
    EXPECT_EQ(s.MemoWidth, 325);
    EXPECT_EQ(s.EditStep3PistonDiam, "");
    EXPECT_EQ(s.EditStep3PistonStroke, "");
    EXPECT_EQ(s.EditStep5DispDiam, "");
    EXPECT_EQ(s.EditStep5DispStroke, "");
}

TEST_F(ParameterFileTest, HalvingDefaultsUseTheBoundsAtTheMomentOfReading) {
    WriteBytes(path_, "[Position]\nHeight=999\nWidth=999\n");
    ControlState s;
    s.Width = 800;
    s.Left = 801;  // -1 / 2 is 0 toward zero, not -1
    s.Height = 550;
    s.Top = 51;
    LoadParameterFile(path_, s);
    EXPECT_EQ(s.Left, 0);
    EXPECT_EQ(s.Top, 249);
    EXPECT_EQ(s.Width, 999);
    EXPECT_EQ(s.Height, 999);
}

TEST_F(ParameterFileTest, YesInAnyLetterCaseChecksABox) {
    ControlState s = LoadText("[Engine]\nLeakDown=yes\n[Gravity]\nEnabled=YES\n");
    EXPECT_TRUE(s.LeakCB);
    EXPECT_TRUE(s.GravityCB);
    s = LoadText("[Engine]\nLeakDown=Ja\n[Gravity]\nEnabled=no\n");
    EXPECT_FALSE(s.LeakCB);
    EXPECT_FALSE(s.GravityCB);
}

TEST_F(ParameterFileTest, IndicesOutsideTheirListsSelectNothing) {
    ControlState s = LoadText(
        "[Displacer]\nDiameterUnits=4\nStrokeUnits=0x3\nMassUnits=$2\n"
        "[DisplacerSpring]\nConstantUnits=2\n[Engine]\nPressureUnits=-7\n"
        "[Graph]\nRed=12\nBlue=11\nXAxis=2\n[OutputFormat]\nAngle=1\nTemperature=3\n"
        "[Show]\nGraph2=4\n[TabControl]\nPage=9\n");
    EXPECT_EQ(s.EditDispDiameter.units, kNoChoice);
    EXPECT_EQ(s.EditDispStroke.units, 3);
    EXPECT_EQ(s.EditDispMass.units, 2);
    EXPECT_EQ(s.EditSpringConstant.units, kNoChoice);
    EXPECT_EQ(s.EditMeanEnginePressure.units, kNoChoice);
    EXPECT_EQ(s.RedGraphRG, kNoChoice);
    EXPECT_EQ(s.BlueGraphRG, 11);
    EXPECT_EQ(s.XAxisRG, kNoChoice);
    EXPECT_EQ(s.outputs.AngleOutputFormatRG, 1);
    EXPECT_EQ(s.outputs.TemperatureOutputFormatRG, kNoChoice);
    EXPECT_EQ(s.ShowGraph2RG, kNoChoice);

    ControlState onPage3;
    onPage3.Page = 3;
    WriteBytes(path_, "[TabControl]\nPage=0\n");
    LoadParameterFile(path_, onPage3);
    EXPECT_EQ(onPage3.Page, 3);
    WriteBytes(path_, "[TabControl]\nPage=5\n");
    LoadParameterFile(path_, onPage3);
    EXPECT_EQ(onPage3.Page, 5);
}

TEST_F(ParameterFileTest, NoChoiceAndNonNumberTextsRoundTrip) {
    ControlState s = FilledState();
    s.EditDispDiameter = {"abc", kNoChoice};
    s.EditHotTemp = {"", kNoChoice};
    s.outputs.AngleOutputFormatRG = kNoChoice;
    s.RedGraphRG = kNoChoice;
    const std::string text = Save(s, path_);
    EXPECT_NE(text.find("Diameter=abc\nDiameterUnits=-1\n"), std::string::npos);

    ControlState loaded;
    LoadParameterFile(path_, loaded);
    EXPECT_EQ(loaded.EditDispDiameter.text, "abc");
    EXPECT_EQ(loaded.EditDispDiameter.units, kNoChoice);
    EXPECT_EQ(loaded.EditHotTemp.text, "");
    EXPECT_EQ(loaded.EditHotTemp.units, kNoChoice);
    EXPECT_EQ(loaded.outputs.AngleOutputFormatRG, kNoChoice);
    EXPECT_EQ(loaded.RedGraphRG, kNoChoice);
}

TEST_F(ParameterFileTest, EveryKeyRoundTrips) {
    const std::string first = Save(FilledState(), path_);
    ControlState loaded;
    LoadParameterFile(path_, loaded);
    // Loading must restore every value: saving the loaded state gives the same text.
    EXPECT_EQ(Save(loaded, folder_.File("again.RBP")), first);
    EXPECT_EQ(Save(loaded, path_), first);  // saving over itself changes nothing
}

// [Model] Integration is kept apart from the 56 keys: a file without it, or with a word it does
// not know, is specified; the accurate choice survives a save and a load, and a save over a
// file keeps the section where it stands.
TEST_F(ParameterFileTest, ModelSectionRoundTrips) {
    ControlState state = FilledState();
    state.Integration = IntegrationModel::Accurate;
    const std::string text = Save(state, path_);
    EXPECT_TRUE(text.ends_with("[MemoWidth]\nLeft=410\n[Model]\nIntegration=accurate\n"));
    ControlState loaded;
    LoadParameterFile(path_, loaded);
    EXPECT_EQ(loaded.Integration, IntegrationModel::Accurate);
    EXPECT_EQ(Save(loaded, path_), text);
    // Back to specified: the key that is there is rewritten, not left saying accurate.
    loaded.Integration = IntegrationModel::Specified;
    EXPECT_TRUE(Save(loaded, path_).ends_with("[Model]\nIntegration=specified\n"));

    for (const char* body :
         {"[Displacer]\nDiameter=1\n", "[Model]\nIntegration=exact\n[Displacer]\nDiameter=1\n",
          "[Model]\nIntegration=Accurate\n"}) {
        WriteBytes(path_, body);
        ControlState other;
        other.Integration = IntegrationModel::Accurate;
        LoadParameterFile(path_, other);
        EXPECT_EQ(other.Integration, IntegrationModel::Specified) << body;
    }
    WriteBytes(path_, "[model]\nintegration = accurate\n[Displacer]\nDiameter=1\n");
    ControlState cased;
    LoadParameterFile(path_, cased);
    EXPECT_EQ(cased.Integration, IntegrationModel::Accurate);
    EXPECT_TRUE(Save(cased, path_).starts_with("[model]\nintegration = accurate\n"));
}

TEST_F(ParameterFileTest, FileWrittenFromScratchHasTheSavingOrder) {
    EXPECT_EQ(Save(FilledState(), path_),
              "[Displacer]\nDiameter=2.5\nDiameterUnits=0\nStroke=0.75\nStrokeUnits=1\n"
              "Mass=300\nMassUnits=1\n"
              "[DisplacerRod]\nDiameter=0.25\nDiameterUnits=2\n"
              "[DisplacerSpring]\nConstant=12\nConstantUnits=1\nCenter=0.1\nCenterUnits=3\n"
              "[Piston]\nDiameter=1.5\nDiameterUnits=2\nStroke=1.25\nStrokeUnits=3\n"
              "[DeadSpace]\nVolume=3\nVolumeUnits=2\nTemp=280\nTempUnits=1\n"
              "[Hot]\nTemp=500\nTempUnits=2\n"
              "[Cold]\nTemp=60\nTempUnits=1\n"
              "[Engine]\nSpeed=600\nSpeedUnits=1\nPressure=1.5\nLeakDown=No\nPressureUnits=2\n"
              "RequiredPower=2.5\n"
              "[ComputeCycle]\nCount=5\n"
              "[GraphCycle]\nCount=2\n"
              "[MaxGraphCycle]\nCount=40\n"
              "[Graph]\nRed=3\nXAxis=1\nBlue=11\n"
              "[OutputFormat]\nLength=3\nTemperature=2\nMass=0\nAngVel=1\nSpring=0\nAngle=1\n"
              "Pressure=0\n"
              "[Show]\nGraph2=2\n"
              "[Gravity]\nEnabled=Yes\n"
              "[Position]\nLeft=40\nTop=-20\nHeight=600\nWidth=900\n"
              "[TabControl]\nPage=4\n"
              "[Design]\nPistonDiam=1.1\nPistonStroke=1.2\nDispDiam=2.1\nDispStroke=2.2\n"
              "[XAxis]\nOffset=90\n"
              "[MemoWidth]\nLeft=410\n");
}

TEST_F(ParameterFileTest, DefaultStateWritesAll56KeysWithNoAngleChoice) {
    const std::string text = Save(ControlState{}, path_);
    int lines = 0;
    int keys = 0;
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        ++lines;
        if (text[at] != '[') ++keys;
    }
    EXPECT_EQ(keys, 56);
    EXPECT_EQ(lines, 56 + 20);
    EXPECT_NE(text.find("Spring=1\nAngle=-1\n"), std::string::npos);
}

TEST_F(ParameterFileTest, NoPageIsWrittenWhenNoPageIsActive) {
    ControlState s;
    s.Page = 0;
    EXPECT_EQ(Save(s, path_).find("[TabControl]"), std::string::npos);
}

TEST_F(ParameterFileTest, OtherSectionsCommentsAndLineEndingsAreKept) {
    const std::string before =
        "\xEF\xBB\xBF; saved by hand\r\n"
        "[Notes]\r\n"
        "Author=someone\r\n"
        "\r\n"
        "[Displacer]\r\n"
        "Colour = brass\r\n"
        "Diameter = 1\r\n";
    WriteBytes(path_, before);
    ControlState loaded;
    LoadParameterFile(path_, loaded);
    EXPECT_EQ(loaded.EditDispDiameter.text, "1");

    const std::string after = Save(FilledState(), path_);
    EXPECT_EQ(after.substr(0, after.find("DiameterUnits")),
              "\xEF\xBB\xBF; saved by hand\r\n[Notes]\r\nAuthor=someone\r\n\r\n"
              "[Displacer]\r\nColour = brass\r\nDiameter = 2.5\r\n");
    EXPECT_EQ(after.find("\n\n"), std::string::npos);
    EXPECT_TRUE(after.ends_with("[XAxis]\r\nOffset=90\r\n[MemoWidth]\r\nLeft=410\r\n"));
    ControlState again;
    LoadParameterFile(path_, again);
    EXPECT_EQ(again.EditDispDiameter.text, "2.5");
    EXPECT_EQ(again.MemoWidth, 410);
}

TEST_F(ParameterFileTest, JunkFilesLoadWhatCanBeRead) {
    std::string junk;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        junk += static_cast<char>(state >> 16);
    }
    junk += "\n[Hot\nTemp = 451\n" + std::string(100000, '[') + "\n[Cold]\nTemp=33";
    ControlState s = LoadText(junk);
    EXPECT_EQ(s.EditHotTemp.text, "451");
    EXPECT_EQ(s.EditColdTemp.text, "33");
    EXPECT_EQ(s.MaxGraphCycleCountEdit, "30");

    EXPECT_TRUE(SaveParameterFile(path_, FilledState(), junk));
    ControlState reloaded;
    LoadParameterFile(path_, reloaded);
    EXPECT_EQ(reloaded.EditHotTemp.text, "500");
    EXPECT_EQ(reloaded.EditColdTemp.text, "60");
}

struct FailingWrite : FileWriteSteps {
    bool WriteAll(int, std::string_view) const override { return false; }
};

struct CrashBeforeRename : FileWriteSteps {
    bool Rename(const std::string&, const std::string&) const override { ::_exit(7); }
};

TEST_F(ParameterFileTest, FailedSaveReportsTheFullNameAndKeepsTheOldFile) {
    const std::string old = Save(ControlState{}, path_);

    std::string message;
    const FailingWrite failing;
    EXPECT_FALSE(SaveParameterFile(path_, FilledState(), message, &failing));
    EXPECT_EQ(message, "Unable to write to " + path_);
    EXPECT_EQ(ReadBytes(path_), old);
    EXPECT_EQ(EntryCount(folder_.Path()), 1);

    const std::string vanished = folder_.File("gone/engine.RBP");
    EXPECT_FALSE(SaveParameterFile(vanished, FilledState(), message));
    EXPECT_EQ(message, "Unable to write to " + vanished);

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const CrashBeforeRename crash;
        std::string ignored;
        SaveParameterFile(path_, FilledState(), ignored, &crash);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 7);
    EXPECT_EQ(ReadBytes(path_), old);
}

TEST_F(ParameterFileTest, ReadOnlyFolderFailsWithMessageAndKeepsTheOldFile) {
    const std::string old = Save(ControlState{}, path_);
    fs::permissions(folder_.Path(), fs::perms::all);
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                               fs::perms::others_read);
    testing::MakeReadOnlyFolder(folder_.Path());
    const std::string path = path_;
    EXPECT_EQ(testing::RunWithoutPrivileges([&] {
                  std::string message;
                  return !SaveParameterFile(path, FilledState(), message) &&
                         message == "Unable to write to " + path;
              }),
              1);
    EXPECT_EQ(ReadBytes(path_), old);
}

TEST_F(ParameterFileTest, UnreadableExistingFileIsNotReplaced) {
    fs::create_directory(path_);
    std::string message;
    EXPECT_FALSE(SaveParameterFile(path_, FilledState(), message));
    EXPECT_EQ(message, "Unable to write to " + path_);
    EXPECT_TRUE(fs::is_directory(path_));
}

TEST(WindowTitleTest, NamesTheFileWithoutFolderAndExtension) {
    EXPECT_EQ(WindowTitleForFile("/home/user/My.Engine.RBP"), "Velmora -- My.Engine");
    EXPECT_EQ(WindowTitleForFile("My.Engine.RBP"), "Velmora -- My.Engine");
    EXPECT_EQ(WindowTitleForFile("/opt/velmora/bin/Default.INI"), "Velmora -- Default");
    EXPECT_EQ(WindowTitleForFile("/a.b/KESTMORE"), "Velmora -- KESTMORE");
    EXPECT_EQ(WindowTitleForFile("/x/BRANDOCK TAPPER.RBP"), "Velmora -- BRANDOCK TAPPER");
}

TEST(WindowTitleTest, ProposedSaveNameFollowsTheTitle) {
    EXPECT_EQ(ProposedSaveName("Velmora -- Default"), "Default.RBP");
    EXPECT_EQ(ProposedSaveName(WindowTitleForFile("/x/My.Engine.RBP")), "My.Engine.RBP");
    EXPECT_EQ(ProposedSaveName("Velmora"), "");
    EXPECT_EQ(ProposedSaveName("Velmora -- " + std::string(150, 'n')),
              std::string(100, 'n') + ".RBP");
    EXPECT_EQ(ProposedSaveName("Velmora -- folder/name"), "name.RBP");
}

}  // namespace
}  // namespace velmora
