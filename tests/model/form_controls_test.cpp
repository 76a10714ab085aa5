#include "form/form_controls.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace velmora {
namespace {

TEST(FormControls, EachRowKeepsOneMemberOfTheKindItsValueNeeds) {
    std::set<std::string> keys, widgets;
    for (const FormControl& row : kFormControls) {
        const std::string key = std::string(row.section) + "." + row.key;
        SCOPED_TRACE(key);
        EXPECT_TRUE(keys.insert(key).second);
        EXPECT_EQ((row.text != nullptr) + (row.number != nullptr) + (row.flag != nullptr), 1);
        EXPECT_EQ(row.text != nullptr, row.value == FormValue::Text);
        EXPECT_EQ(row.flag != nullptr, row.value == FormValue::YesNo);
        EXPECT_EQ(row.itemCount > 0, row.value == FormValue::Choice);
        // A control of the window has a tooltip and a name for its undo steps; the window's
        // bounds, page and pane width have neither.
        EXPECT_EQ(row.widgetName != nullptr, row.tip != nullptr);
        EXPECT_EQ(row.widgetName != nullptr, row.quantity != nullptr);
        if (row.widgetName != nullptr) EXPECT_TRUE(widgets.insert(row.widgetName).second);
        if (row.putByItsPage) EXPECT_NE(row.widgetName, nullptr);
    }
}

// A new ControlState and a file without the keys agree.
TEST(FormControls, DefaultsAreThoseOfANewControlState) {
    const ControlState state;
    for (const FormControl& row : kFormControls) {
        SCOPED_TRACE(std::string(row.section) + "." + row.key);
        if (row.text != nullptr) EXPECT_EQ(state.*row.text, row.textDefault);
        if (row.flag != nullptr) EXPECT_EQ(state.*row.flag, row.numberDefault != 0);
        if (row.number != nullptr && row.defaultFromControls == nullptr)
            EXPECT_EQ(state.*row.number, row.numberDefault);
    }
    // Left and top centre the window's default size in the space the bounds leave.
    ControlState bounds;
    bounds.Width = 801;
    bounds.Left = 0;
    bounds.Height = 550;
    bounds.Top = 50;
    for (const FormControl& row : kFormControls) {
        if (row.number == &ControlState::Left) EXPECT_EQ(row.defaultFromControls(bounds), 400);
        if (row.number == &ControlState::Top) EXPECT_EQ(row.defaultFromControls(bounds), 250);
    }
}

}  // namespace
}  // namespace velmora
