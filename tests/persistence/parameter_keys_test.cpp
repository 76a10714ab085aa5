#include "persistence/parameter_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace velmora {
namespace {

std::string Name(const ParameterKey& row) {
    return std::string(row.section) + "/" + row.key;
}

TEST(ParameterKeys, FiftySixDistinctKeysEachWithOneControl) {
    const auto keys = ParameterKeys();
    ASSERT_EQ(keys.size(), 56u);
    std::set<std::string> names;
    std::set<const void*> controls;
    ControlState state;
    for (const ParameterKey& row : keys) {
        EXPECT_TRUE(names.insert(Name(row)).second) << Name(row);
        const ParameterControl c = row.control(state);
        const void* target = c.text != nullptr     ? static_cast<const void*>(c.text)
                             : c.number != nullptr ? static_cast<const void*>(c.number)
                                                   : static_cast<const void*>(c.flag);
        EXPECT_EQ((c.text != nullptr) + (c.number != nullptr) + (c.flag != nullptr), 1)
            << Name(row);
        EXPECT_EQ(c.text != nullptr, row.kind == ParameterKeyKind::Text) << Name(row);
        EXPECT_EQ(c.flag != nullptr, row.kind == ParameterKeyKind::YesNo) << Name(row);
        EXPECT_TRUE(controls.insert(target).second) << Name(row);
    }
    EXPECT_EQ(Name(keys[0]), "Displacer/Diameter");
    EXPECT_EQ(Name(keys[27]), "Engine/LeakDown");
    EXPECT_EQ(Name(keys[49]), "TabControl/Page");
    EXPECT_EQ(Name(keys[55]), "MemoWidth/Left");
}

TEST(ParameterKeys, SavingOrderSwapsOnlyGraphXAxisAndShowGraph2) {
    const auto keys = ParameterKeys();
    std::vector<std::string> saved;
    for (std::size_t row : ParameterKeySaveOrder()) saved.push_back(Name(keys[row]));
    std::vector<std::string> expected;
    for (const ParameterKey& row : keys) expected.push_back(Name(row));
    std::swap(expected[34], expected[35]);  // Graph: Red, XAxis, Blue
    std::swap(expected[42], expected[43]);  // Show/Graph2 before OutputFormat/Pressure
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(saved[34], "Graph/XAxis");
    EXPECT_EQ(saved[42], "Show/Graph2");
}

}  // namespace
}  // namespace velmora
