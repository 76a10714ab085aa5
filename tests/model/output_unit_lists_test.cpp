#include "form/output_unit_lists.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "form/control_state.h"

namespace velmora {
namespace {

// Each choice of OutputUnits has one row, with its own key, list and panel row.
TEST(OutputUnitLists, OneRowPerChoiceOfOutputUnits) {
    OutputUnits units;
    std::set<const int*> choices;
    std::set<std::string> keys, names, captions;
    std::set<int> rows;
    for (const OutputUnitList& list : kOutputUnitLists) {
        SCOPED_TRACE(list.key);
        EXPECT_TRUE(choices.insert(&(units.*list.choice)).second);
        EXPECT_TRUE(keys.insert(list.key).second);
        EXPECT_TRUE(names.insert(list.listName).second);
        EXPECT_TRUE(captions.insert(list.caption).second);
        EXPECT_TRUE(rows.insert(list.panelRow).second);
        EXPECT_EQ(&OutputListOf(list.choice), &list);
        EXPECT_EQ(UnitFamilyOf(list.family).outputList, list.choice);
    }
    EXPECT_EQ(*rows.begin(), 0);
    EXPECT_EQ(*rows.rbegin(), static_cast<int>(kOutputUnitLists.size()) - 1);
}

// A file without the keys and a new OutputUnits agree: the defaults are one fact.
TEST(OutputUnitLists, FileDefaultsAreTheDefaultsOfOutputUnits) {
    const OutputUnits units;
    for (const OutputUnitList& list : kOutputUnitLists)
        EXPECT_EQ(ClampChoice(list.fileDefault, OutputListItemCount(list)), units.*list.choice)
            << list.key;
}

}  // namespace
}  // namespace velmora
