// Numbers as the tool windows and readouts show them: grouped in the user's locale, signed
// plainly, and "-" for a power that is no running engine's.
#include "ui/widgets/shown_numbers.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ShownNumbers, GroupsTheIntegerPartInTheUsersSeparators) {
    const NumberSettings english;
    EXPECT_EQ(GroupedNumber("19474.9", english), "19,474.9");
    EXPECT_EQ(GroupedNumber("-1234567", english), "-1,234,567");
    EXPECT_EQ(GroupedNumber("999.25", english), "999.25");
    EXPECT_EQ(GroupedNumber("0.0005", english), "0.0005");
    NumberSettings german;
    german.decimalSeparator = ",";
    german.thousandsSeparator = ".";
    EXPECT_EQ(GroupedNumber("19474.9", german), "19.474,9");
    NumberSettings ungrouped;
    ungrouped.thousandsSeparator = "";
    EXPECT_EQ(GroupedNumber("19474.9", ungrouped), "19474.9");
    // Words and exponents stay as they are.
    for (const char* text : {"not settled", "-", "1e-05", "", "yes"})
        EXPECT_EQ(GroupedNumber(text, english), text) << text;
}

TEST(ShownNumbers, ReadoutsAreSignedNotInExponentForm) {
    const NumberSettings english;
    EXPECT_EQ(ReadoutNumber(-40.48, english), "-40.48");
    EXPECT_EQ(ReadoutNumber(12345.6, english), "12,350");
    EXPECT_EQ(ReadoutNumber(0, english), "0");
}

TEST(ShownNumbers, APowerOfNoRunningEngineIsADash) {
    const NumberSettings english;
    EXPECT_EQ(PowerOrNotRunning("0.00000001725", 1.725e-8, english), "- (not running)");
    EXPECT_EQ(PowerOrNotRunning("19474.9", 19474.9, english), "19,474.9");
    EXPECT_EQ(PowerOrNotRunning("-120.5", -120.5, english), "-120.5");
}

}  // namespace
}  // namespace velmora
