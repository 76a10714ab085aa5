// A parameter file's values that its keys cannot read as they expect are each named once, in
// file order; a file of well-formed values, such as every file the program saves, has none.
#include "persistence/parameter_file_warnings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/control_state.h"
#include "persistence/parameter_file.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

Lines WarningsOf(const std::string& text) {
    const testing::TempFolder folder;
    const std::string path = folder.File("engine.RBP");
    testing::WriteBytes(path, text);
    return ParameterFileWarnings(path);
}

TEST(ParameterFileWarnings, ASavedFileAndWellFormedValuesHaveNone) {
    const testing::TempFolder folder;
    const std::string path = folder.File("saved.RBP");
    std::string message;
    ASSERT_TRUE(SaveParameterFile(path, ControlState{}, message));
    EXPECT_EQ(ParameterFileWarnings(path), Lines{});
    EXPECT_EQ(WarningsOf("[Model]\nIntegration=accurate\n[Gravity]\nEnabled=YES\n[Engine]\n"
                         "LeakDown=no\n[Piston]\nStrokeUnits=2\n"),
              Lines{});
    EXPECT_EQ(ParameterFileWarnings(folder.File("missing.RBP")), Lines{});
}

TEST(ParameterFileWarnings, EachValueReadAsSomethingElseIsNamed) {
    EXPECT_EQ(WarningsOf("[Model]\nIntegration=Accurate\n"),
              Lines{"[Model] Integration=Accurate is not specified or accurate; specified is "
                    "used"});
    EXPECT_EQ(WarningsOf("[Gravity]\nEnabled=ja\n[Engine]\nLeakDown=\n"),
              (Lines{"[Engine] LeakDown= is neither Yes nor No; read as No",
                     "[Gravity] Enabled=ja is neither Yes nor No; read as No"}));
    // Not a whole number: the list's first item, as read; out of range: the list's count.
    for (const std::string bad : {"x", "1.5", "", "4294967295"})
        EXPECT_EQ(WarningsOf("[Piston]\nStrokeUnits=" + bad + "\n"),
                  Lines{"[Piston] StrokeUnits=" + bad + " is not a whole number; read as 0"})
            << bad;
    const Lines beyond = WarningsOf("[Piston]\nStrokeUnits=99\n");
    ASSERT_EQ(beyond.size(), 1u);
    EXPECT_EQ(beyond[0].rfind("[Piston] StrokeUnits=99 is beyond the ", 0), 0u) << beyond[0];
}

TEST(ParameterFileWarnings, ASecondSectionOrKeyIsNamedAsUnread) {
    EXPECT_EQ(WarningsOf("[Displacer]\nMass=1\n[Piston]\nStroke=2\n[displacer]\nMass=3\n"
                         "[Piston]\nStroke=2\n; Stroke=3\n[Engine]\nSpeed=1\nspeed=2\n"),
              (Lines{"[displacer] is given twice; only the first is read",
                     "[Piston] is given twice; only the first is read",
                     "[Engine] speed is given twice; only the first is read"}));
}

}  // namespace
}  // namespace velmora
