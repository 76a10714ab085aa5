// Rounded values: fixed point without exponent, enough digits to tell sweep neighbours apart,
// and the rounded text read back lies within a twentieth of the resolution.
#include "designspace/rounded_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace velmora {
namespace {

TEST(RoundedText, WritesFixedPointWithoutExponentOrNegativeZero) {
    EXPECT_EQ(RoundedText(84.0350877192982, 4), "84.04");
    EXPECT_EQ(RoundedText(53334.2, 4), "53330");
    EXPECT_EQ(RoundedText(-5994.4, 4), "-5994");
    EXPECT_EQ(RoundedText(0.000590909, 4), "0.0005909");
    EXPECT_EQ(RoundedText(9.99996, 4), "10");
    EXPECT_EQ(RoundedText(-0.00001, 1), "-0.00001");
    EXPECT_EQ(RoundedText(0, 4), "0");
    EXPECT_EQ(RoundedText(1.5, 4, ","), "1,5");
    EXPECT_EQ(RoundedText(1.2e9, 3), "1200000000");
}

TEST(RoundedText, DigitsTellNeighboursApart) {
    EXPECT_EQ(SignificantDigitsFor(84.035, 0, 4), 4);  // no resolution: the fewest
    EXPECT_EQ(SignificantDigitsFor(0, 0.1, 5), 5);
    // Values 1000 apart need only 4 digits of 50000; 0.001 apart need 10.
    EXPECT_EQ(SignificantDigitsFor(50000, 1000), 4);
    EXPECT_EQ(SignificantDigitsFor(50000, 0.001), 10);
    EXPECT_EQ(SignificantDigitsFor(1, 1e-30), 15);
    for (const double resolution : {1e-4, 0.0909090909, 3.3, 250.0}) {
        for (double value = 0.5; value < 20000; value *= 3.7) {
            const std::string text = RoundedText(value, SignificantDigitsFor(value, resolution));
            EXPECT_LE(std::fabs(std::stod(text) - value), resolution / 20 + 1e-12 * value)
                << text << " for " << value;
        }
    }
}

}  // namespace
}  // namespace velmora
