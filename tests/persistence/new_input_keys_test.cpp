#include <gtest/gtest.h>

#include <string>

#include "form/input_controls.h"
#include "persistence/ini_file.h"
#include "persistence/parameter_file.h"
#include "persistence/parameter_keys.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

// An input made up for the test, as a later one would be declared: a section of its own, a
// value key and a units key. It borrows a field of the controls to land in (Read).
constexpr DesignInput MadeUpInput(const char* section) {
    return {.field = &ParameterSet::DispStroke,
            .kind = InputUnitKind::Length,
            .section = section,
            .key = "Gap",
            .unitsKey = "GapUnits",
            .defaultText = "0"};
}

// Reads the made-up input's keys from a file holding `text`.
ControlState Read(const DesignInput& input, const std::string& text) {
    TempFolder folder;
    const std::string path = (folder.Path() / "made_up.RBP").string();
    WriteBytes(path, text);
    const IniFile file(path);
    ControlState state;
    state.EditDispStroke = {"unread", 99};
    for (const ParameterKey& key :
         ParameterKeysOfInput(input, {.control = &ControlState::EditDispStroke}))
        ReadParameterKey(file, key, state);
    return state;
}

TEST(NewInputKeys, AnInputInASectionOfItsOwnIsReadInSIWithoutItsUnitsKey) {
    const DesignInput losses = MadeUpInput("Losses");
    const ControlState state = Read(losses, "[Losses]\nGap=0.0005\n");
    EXPECT_EQ(state.EditDispStroke.text, "0.0005");
    EXPECT_EQ(state.EditDispStroke.units, 3);  // "m"
    // What the file says wins; a file without the section reads the row's default text in SI.
    EXPECT_EQ(Read(losses, "[Losses]\nGap=0.5\nGapUnits=1\n").EditDispStroke.units, 1);
    const ControlState empty = Read(losses, "[Engine]\nSpeed=1\n");
    EXPECT_EQ(empty.EditDispStroke.text, "0");
    EXPECT_EQ(empty.EditDispStroke.units, 3);
}

TEST(NewInputKeys, InputsInTheSectionsOfTheFiftySixKeysKeepTheFirstItem) {
    const ControlState state = Read(MadeUpInput("Displacer"), "[Displacer]\nGap=0.5\n");
    EXPECT_EQ(state.EditDispStroke.text, "0.5");
    EXPECT_EQ(state.EditDispStroke.units, 0);  // "Inches", as every units key of the 56 reads
    // The 56 keys lead, and every units key among them defaults to the first item; keys in
    // sections of their own come after them.
    const auto keys = ParameterKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(IsSectionOfTheFiftySixKeys(keys[i].section), i < 56) << keys[i].section;
        if (i < 56 && std::string(keys[i].key).ends_with("Units"))
            EXPECT_EQ(keys[i].numberDefault, 0) << keys[i].section << "." << keys[i].key;
    }
    EXPECT_FALSE(IsSectionOfTheFiftySixKeys("Model"));
    EXPECT_FALSE(IsSectionOfTheFiftySixKeys("displacer"));  // sections are matched as spelled
}

// The SI default follows the unit family of the input.
TEST(NewInputKeys, TheSIUnitOfEveryKindOfInput) {
    for (InputUnitKind kind :
         {InputUnitKind::Length, InputUnitKind::Mass, InputUnitKind::Spring, InputUnitKind::Volume,
          InputUnitKind::Temperature, InputUnitKind::AngularSpeed, InputUnitKind::Pressure,
          InputUnitKind::Power}) {
        DesignInput input = MadeUpInput("Losses");
        input.kind = kind;
        const int si = UnitsKeyDefault(input);
        ASSERT_GE(si, 0);
        EXPECT_EQ(InputToSI(kind, si, 1.25), 1.25) << static_cast<int>(kind);
        EXPECT_EQ(InputToSI(kind, si, 300), 300) << static_cast<int>(kind);
    }
}

}  // namespace
}  // namespace velmora
