#include "export/csv_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace velmora {
namespace {

TEST(CsvNumber, PlainDecimalsInTheEverydayRange) {
    EXPECT_EQ(CsvNumber(5e6), "5000000");
    EXPECT_EQ(CsvNumber(0.063), "0.063");
    EXPECT_EQ(CsvNumber(-12.5), "-12.5");
    EXPECT_EQ(CsvNumber(1e-4), "0.0001");
    EXPECT_EQ(CsvNumber(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(CsvNumber(123456789012345.0), "123456789012345");
}

TEST(CsvNumber, ExponentOnlyForTheExtremes) {
    EXPECT_EQ(CsvNumber(2.5e-6), "2.5e-06");
    EXPECT_EQ(CsvNumber(1e15), "1e+15");
    EXPECT_EQ(CsvNumber(-0.0), "0");
    EXPECT_EQ(CsvNumber(std::numeric_limits<double>::infinity()), "inf");
}

TEST(CsvNumber, EveryTextReadsBackAsItsDouble) {
    // Values across the whole range, including ones that need all 17 digits.
    double value = 1.0 / 3.0;
    for (int i = 0; i < 400; ++i) {
        for (const double v : {value, -value, std::nextafter(value, 0.0)}) {
            const std::string text = CsvNumber(v);
            EXPECT_EQ(std::stod(text), v) << text;
        }
        value *= 7.3;
        if (value > 1e300) value = 1e-300 / 3;
    }
}

}  // namespace
}  // namespace velmora
