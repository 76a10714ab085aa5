// CSV text fields by RFC 4180: quoted only where they must be, quotes doubled.
#include "export/csv_field.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CsvField, QuotesOnlyFieldsThatNeedIt) {
    EXPECT_EQ(CsvField("Position"), "Position");
    EXPECT_EQ(CsvField("held: KESTMORE (05:20), Position"), "\"held: KESTMORE (05:20), Position\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField(""), "");
    // With tabs as separator a comma is plain text, a tab is not.
    EXPECT_EQ(CsvField("a, b", '\t'), "a, b");
    EXPECT_EQ(CsvField("a\tb", '\t'), "\"a\tb\"");
}

}  // namespace
}  // namespace velmora
