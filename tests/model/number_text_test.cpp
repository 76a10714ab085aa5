#include "report/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace velmora {
namespace {

TEST(FormatNumber, FollowsTheFiveRangesAndTrimsOnlyFixedForms) {
    EXPECT_EQ(FormatNumber(1234.5), "1,235");
    EXPECT_EQ(FormatNumber(1234567.8), "1,234,568");
    EXPECT_EQ(FormatNumber(999.6), "1,000");
    EXPECT_EQ(FormatNumber(999.4), "999");
    EXPECT_EQ(FormatNumber(999), "999");
    EXPECT_EQ(FormatNumber(998.9996), "999");
    EXPECT_EQ(FormatNumber(12.5), "12.5");
    EXPECT_EQ(FormatNumber(12.3456), "12.346");
    EXPECT_EQ(FormatNumber(1), "1");
    EXPECT_EQ(FormatNumber(0.5), "0.5");
    EXPECT_EQ(FormatNumber(0.123456), "0.12346");
    EXPECT_EQ(FormatNumber(0.001), "0.001");
    EXPECT_EQ(FormatNumber(0.0009), "9.000E-004");
    EXPECT_EQ(FormatNumber(0), "0");
    EXPECT_EQ(FormatNumber(-0.0), "0");
    EXPECT_EQ(FormatNumber(-5), "-5.000E+000");
    EXPECT_EQ(FormatNumber(-0.25), "-2.500E-001");
    EXPECT_EQ(FormatNumber(1.0E-10), "1.000E-010");
    EXPECT_EQ(FormatNumber(-12345.678), "-1.235E+004");
}

TEST(FormatNumber, RoundsTheEighteenDigitExpansionNotTheBinaryValue) {
    // 1.0585 is stored as 1.05849999999999999645...; its 18 digits read 1.05850000000000000,
    // which rounds up where a rounding of the binary value would give 1.058.
    EXPECT_EQ(FormatNumber(1.0585), "1.059");
    // An exact half goes up, not to the even neighbour.
    EXPECT_EQ(FormatNumber(1.0625), "1.063");
    // 314.159 rad/s back to RPM lands a hair below 3000.
    EXPECT_EQ(FormatNumber(314.159 * 60 / 6.28318), "3,000");
    // Carries that change the range of digits.
    EXPECT_EQ(FormatNumber(0.9999996), "1");
    EXPECT_EQ(FormatNumber(999999.5), "1,000,000");
    EXPECT_EQ(FormatNumber(0.00099996), "1.000E-003");
    EXPECT_EQ(FormatNumber(9.9996e-99), "1.000E-098");
    EXPECT_EQ(FormatNumber(1000), "1,000");
    EXPECT_EQ(FormatNumber(100000), "100,000");
}

TEST(FormatNumber, ExtremeValuesGiveFiniteTexts) {
    EXPECT_EQ(FormatNumber(1e20), "100,000,000,000,000,000,000");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::denorm_min()), "4.941E-324");
    EXPECT_EQ(FormatNumber(-1e300), "-1.000E+300");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity()), "-1.798E+308");
    const std::string huge = FormatNumber(std::numeric_limits<double>::infinity());
    EXPECT_EQ(huge.rfind("179,769,313,486,231,571,000,", 0), 0u) << huge;
    EXPECT_EQ(huge, FormatNumber(std::numeric_limits<double>::max()));
    EXPECT_EQ(huge.size(), 309u + 102u);  // 309 digits in 103 groups
}

TEST(FormatNumber, UsesTheGivenSeparators) {
    const NumberSettings european{",", "."};
    EXPECT_EQ(FormatNumber(1234567.8, european), "1.234.568");
    EXPECT_EQ(FormatNumber(12.5, european), "12,5");
    EXPECT_EQ(FormatNumber(0.25, european), "0,25");
    EXPECT_EQ(FormatNumber(0.0009, european), "9,000E-004");
    EXPECT_EQ(FormatNumber(2.0, european), "2");
    EXPECT_EQ(FormatNumber(1234567.8, NumberSettings{".", "'"}), "1'234'568");
    EXPECT_EQ(FormatNumber(1234567.8, NumberSettings{".", " "}), "1 234 568");
    EXPECT_EQ(FormatNumber(1234567.8, NumberSettings{".", ""}), "1234568");
    // Separators of more than one byte: U+202F (French) and U+066B (Arabic decimal).
    const NumberSettings french{",", "\u202F"};
    EXPECT_EQ(FormatNumber(3380000, french), "3\u202F380\u202F000");
    EXPECT_EQ(FormatNumber(0.13618, french), "0,13618");
    EXPECT_EQ(FormatNumber(0.0009, NumberSettings{"\u066B", "\u066C"}), "9\u066B000E-004");
    EXPECT_EQ(FormatFieldNumber(1234567.8, french), "1234568");
    EXPECT_EQ(FormatFieldNumber(12.5, french), "12,5");
}

TEST(FormatDuration, PicksSecondsMillisecondsOrMicroseconds) {
    EXPECT_EQ(FormatDuration(2.5), "2.5 sec");
    EXPECT_EQ(FormatDuration(1), "1,000 milliSec");
    EXPECT_EQ(FormatDuration(0.25), "250 milliSec");
    EXPECT_EQ(FormatDuration(0.001), "1 milliSec");
    EXPECT_EQ(FormatDuration(0.0005), "500 microSec");
    EXPECT_EQ(FormatDuration(-1), "-1.000E+006 microSec");
    EXPECT_EQ(FormatDuration(std::numeric_limits<double>::quiet_NaN()), "0 microSec");
}

TEST(NumberText, AcceptsOnlyUnsignedDecimalTexts) {
    for (const char* text : {"12", ".5", "12.", "1.5e3", "2E-4", "12 ", ".", "1e+5", "0", "007"})
        EXPECT_TRUE(IsNumberText(text)) << '"' << text << '"';
    for (const char* text : {" 12", "-3", "+3", "1,5", "12abc", "e5", "", "   ", "1e", "1e+",
                             "1..2", "1.2.3", "12\n", "12\t", "\x01", "1 2", ",5", "E5"})
        EXPECT_FALSE(IsNumberText(text)) << '"' << text << '"';
    EXPECT_FALSE(IsNumberText(std::string_view("1\0", 2)));
}

TEST(NumberText, ValueIsTheDecimalNumberSpelled) {
    EXPECT_EQ(NumberTextValue("1.5e3"), 1500.0);
    EXPECT_EQ(NumberTextValue("2E-4"), 2e-4);
    EXPECT_EQ(NumberTextValue(".5"), 0.5);
    EXPECT_EQ(NumberTextValue("12.  "), 12.0);
    EXPECT_EQ(NumberTextValue("."), 0.0);
    EXPECT_EQ(NumberTextValue("0.1"), 0.1);
    EXPECT_EQ(NumberTextValue("000000000000000000000000000012"), 12.0);
    EXPECT_EQ(NumberTextValue("abc"), std::nullopt);
}

TEST(NumberText, ValuesThatDoNotFitADoubleAreNotNumbers) {
    EXPECT_FALSE(IsNumberText("1e999"));
    EXPECT_FALSE(IsNumberText("1e-999"));
    EXPECT_FALSE(IsNumberText(std::string(400, '9')));
    EXPECT_TRUE(IsNumberText("1.7e308"));
    EXPECT_TRUE(IsNumberText("0e999999"));
}

TEST(NumberText, ReadsTheDecimalSeparatorOfTheSettingsAndAlwaysTheFullStop) {
    const NumberSettings comma{",", "."};
    EXPECT_EQ(NumberTextValue("1,5", comma), 1.5);
    EXPECT_EQ(NumberTextValue("2,5E2 ", comma), 250.0);
    EXPECT_EQ(NumberTextValue(".", comma), 0.0);
    // A text that is a number under English settings is the same number everywhere.
    EXPECT_EQ(NumberTextValue("127.2", comma), 127.2);
    EXPECT_EQ(NumberTextValue(".5", comma), 0.5);
    EXPECT_EQ(NumberTextValue("1.000", comma), 1.0);
    EXPECT_FALSE(IsNumberText(",5", comma));  // must begin with a digit or a full stop
    EXPECT_FALSE(IsNumberText("1.000,5", comma));
    EXPECT_FALSE(IsNumberText("1,5.2", comma));
    EXPECT_FALSE(IsNumberText("1,000", NumberSettings{}));  // group separators never read

    const NumberSettings semicolon{";", " "};
    EXPECT_EQ(NumberTextValue("2;25", semicolon), 2.25);
    EXPECT_EQ(NumberTextValue("2.25", semicolon), 2.25);
    EXPECT_FALSE(IsNumberText("2 250", semicolon));

    const NumberSettings french{",", "\u202F"};
    EXPECT_EQ(NumberTextValue("0,13618", french), 0.13618);
    EXPECT_FALSE(IsNumberText("3\u202F380", french));
    const NumberSettings arabic{"\u066B", "\u066C"};
    EXPECT_EQ(NumberTextValue("2\u066B5e1", arabic), 25.0);
    EXPECT_EQ(NumberTextValue("2.5", arabic), 2.5);
    EXPECT_FALSE(IsNumberText("2\xD9", arabic));  // the separator's first byte alone
}

TEST(NumberSettings, SeparatorsThatCannotBeToldApartAreMended) {
    auto settings = [](const char* decimal, const char* group) {
        const NumberSettings n = MakeNumberSettings(decimal, group);
        return n.decimalSeparator + "|" + n.thousandsSeparator;
    };
    EXPECT_EQ(settings(",", "\u202F"), ",|\u202F");
    EXPECT_EQ(settings(".", ","), ".|,");
    EXPECT_EQ(settings(",", ","), ",|\u202F");
    EXPECT_EQ(settings(".", "."), ".|,");
    EXPECT_EQ(settings("", ","), ".|,");
    EXPECT_EQ(settings("", ""), ".|");
    EXPECT_EQ(settings("1", "2"), ".|,");
}

TEST(TextHelpers, BlankTextAndPadding) {
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText(" \r\n "));
    EXPECT_FALSE(IsBlankText("\t"));
    EXPECT_FALSE(IsBlankText("  a"));
    EXPECT_EQ(PadLeft("x", 3), "  x");
    EXPECT_EQ(PadLeft("abcd", 3), "abcd");
    EXPECT_EQ(PadLeft("abc", 3), "abc");
    EXPECT_EQ(PadLeft("", 2), "  ");
    EXPECT_EQ(TextWidth("1\u202F000"), 5u);
    EXPECT_EQ(PadLeft("1\u202F000", 6), " 1\u202F000");
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(2.4999999), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.6), -3);
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<long long>::max());
    EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<long long>::min());
}

}  // namespace
}  // namespace velmora
