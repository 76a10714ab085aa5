#include "persistence/rtf_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "persistence/file_text.h"

namespace velmora {
namespace {

TEST(RtfReaderTest, ReadsParagraphsFormatsColoursAndAlignment) {
    RtfDocument doc = ParseRtf(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\n"
        "\\pard\\qc\\b\\fs32 Title\\b0\\par\n"
        "\\pard\\fs24 Normal {\\i italic} \\ul under\\ulnone  \\cf1 red\\cf0\\line next\\tab x"
        "\\par\r\n{\\cf2\\fs18 small blue}\\par}");
    ASSERT_EQ(doc.paragraphs.size(), 3u);

    const RtfParagraph& title = doc.paragraphs[0];
    EXPECT_EQ(title.alignment, RtfAlignment::Center);
    ASSERT_EQ(title.runs.size(), 1u);
    EXPECT_EQ(title.runs[0].text, "Title");
    EXPECT_TRUE(title.runs[0].bold);
    EXPECT_EQ(title.runs[0].fontSizePoints, 16);

    const RtfParagraph& body = doc.paragraphs[1];
    EXPECT_EQ(body.alignment, RtfAlignment::Left);
    ASSERT_EQ(body.runs.size(), 7u);
    EXPECT_EQ(body.runs[0].text, "Normal ");
    EXPECT_FALSE(body.runs[0].bold);
    EXPECT_EQ(body.runs[0].fontSizePoints, 12);
    EXPECT_EQ(body.runs[1].text, "italic");
    EXPECT_TRUE(body.runs[1].italic);
    EXPECT_EQ(body.runs[2].text, " ");
    EXPECT_FALSE(body.runs[2].italic);
    EXPECT_EQ(body.runs[3].text, "under");
    EXPECT_TRUE(body.runs[3].underline);
    EXPECT_EQ(body.runs[4].text, " ");  // the blank after the delimiter of \ulnone
    EXPECT_FALSE(body.runs[4].underline);
    EXPECT_EQ(body.runs[5].text, "red");
    ASSERT_TRUE(body.runs[5].hasColor);
    EXPECT_EQ(body.runs[5].color, (RtfColor{255, 0, 0}));
    EXPECT_EQ(body.runs[6].text, "\nnext\tx");
    EXPECT_FALSE(body.runs[6].hasColor);

    const RtfRun& small = doc.paragraphs[2].runs.at(0);
    EXPECT_EQ(small.text, "small blue");
    EXPECT_EQ(small.fontSizePoints, 9);
    EXPECT_EQ(small.color, (RtfColor{0, 0, 128}));
}

TEST(RtfReaderTest, DecodesEscapesAndSkipsUnicodeFallbacks) {
    EXPECT_EQ(ParseRtf("{\\rtf1 caf\\'e9 \\'80 \\'93q\\'94}").PlainText(),
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D");
    EXPECT_EQ(ParseRtf("{\\rtf1 \\u8364?x}").PlainText(),
              "\xE2\x82\xAC"
              "x");
    EXPECT_EQ(ParseRtf("{\\rtf1 {\\uc2\\u8364\\'80\\'80x}\\u233\\'e9y}").PlainText(),
              "\xE2\x82\xAC"
              "x\xC3\xA9y");
    EXPECT_EQ(ParseRtf("{\\rtf1\\uc0 \\u233 z}").PlainText(), "\xC3\xA9z");
    // A surrogate pair written as two negative values.
    EXPECT_EQ(ParseRtf("{\\rtf1 \\u-10179?\\u-8704?}").PlainText(), "\xF0\x9F\x98\x80");
    EXPECT_EQ(ParseRtf("{\\rtf1 \\{braces\\} and \\\\ back\\~slash}").PlainText(),
              "{braces} and \\ back\xC2\xA0slash");
    EXPECT_EQ(ParseRtf("{\\rtf1 a\\emdash b\\bullet\\lquote c\\rquote}").PlainText(),
              "a\xE2\x80\x94"
              "b\xE2\x80\xA2\xE2\x80\x98"
              "c\xE2\x80\x99");
}

TEST(RtfReaderTest, IgnoresDestinationsAndHiddenText) {
    RtfDocument doc = ParseRtf(
        "{\\rtf1{\\*\\generator Writer 1.0;}{\\info{\\title Secret}{\\author Someone}}"
        "{\\stylesheet{\\s0 Normal;}}{\\*\\unknowndest junk {nested junk}}"
        "{\\pict\\wmetafile8 0a0b0c}{\\object\\bin6 }}}}}x}"  // six binary bytes
        "visible{\\v hidden} text {\\field{\\*\\fldinst HYPERLINK}{\\fldrslt link}}\\par}");
    EXPECT_EQ(doc.PlainText(), "visible text link");
}

TEST(RtfReaderTest, MergesRunsOfTheSameFormat) {
    RtfDocument doc = ParseRtf("{\\rtf1 a\\b0 b{c}\\i0 d\\plain e}");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    ASSERT_EQ(doc.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(doc.paragraphs[0].runs[0].text, "abcde");
}

TEST(RtfReaderTest, MalformedInputReadsWhatItCan) {
    EXPECT_EQ(ParseRtf("{\\rtf1 {\\b bold").paragraphs.at(0).runs.at(0).bold, true);
    EXPECT_EQ(ParseRtf("{\\rtf1 a}}}}} b").PlainText(), "a b");
    for (const char* truncated : {"{\\rtf1 x\\", "{\\rtf1 x\\'", "{\\rtf1 x\\'4", "{\\rtf1 x\\u",
                                  "{\\rtf1 x\\u-", "{\\rtf1 x\\bin", "{\\rtf1 x\\fs-"}) {
        EXPECT_EQ(ParseRtf(truncated).PlainText().substr(0, 1), "x") << truncated;
    }
    RtfDocument huge = ParseRtf(
        "{\\rtf1\\fs99999999999999999999999 big\\u99999999999999?"
        "\\bin99999999999999999}");
    ASSERT_FALSE(huge.paragraphs.empty());
    EXPECT_EQ(huge.paragraphs[0].runs[0].fontSizePoints, 1000);
    EXPECT_EQ(huge.PlainText(), "big\xF4\x8F\xBF\xBF");

    std::string deep =
        "{\\rtf1 " + std::string(100000, '{') + "\\b deep" + std::string(100000, '}') + " after}";
    EXPECT_EQ(ParseRtf(deep).PlainText(), "deep after");
    EXPECT_TRUE(ParseRtf("").paragraphs.empty());
    EXPECT_FALSE(ParseRtf("}}}{{{").HasText());
}

TEST(RtfReaderTest, RandomBytesNeverBreakTheReader) {
    const char alphabet[] = "{}\\'uc0123456789-abfsilpr ;\n\x80\xff";
    unsigned state = 7;
    for (int trial = 0; trial < 200; ++trial) {
        std::string input;
        for (int i = 0; i < 2000; ++i) {
            state = state * 1664525u + 1013904223u;
            input += alphabet[(state >> 24) % (sizeof alphabet - 1)];
        }
        RtfDocument doc = ParseRtf(input);
        for (const RtfParagraph& paragraph : doc.paragraphs) {
            for (const RtfRun& run : paragraph.runs) {
                EXPECT_GE(run.fontSizePoints, 0.5);
                EXPECT_LE(run.fontSizePoints, 1000);
            }
        }
    }
}

TEST(RtfReaderTest, ShippedHelpFileReads) {
    const char* source = std::getenv("VELMORA_SOURCE_DIR");
    if (source == nullptr) GTEST_SKIP() << "VELMORA_SOURCE_DIR not set";
    std::string rtf;
    ASSERT_EQ(ReadWholeFile(std::string(source) + "/examples/Help.RTF", rtf), FileReadStatus::Read);
    RtfDocument doc = ParseRtf(rtf);
    const std::string text = doc.PlainText();
    for (const char* expected :
         {"Design Parameters", "Computed Values", "Graphs", "Design it Yourself", "KESTMORE.RBP",
          "BRANDOCK TAPPER.RBP", "velmora-cli", "*** ", "!!! ", "^^^ "}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(text.find('\\'), std::string::npos);  // no control word leaked into the text
    EXPECT_EQ(text.find('{'), std::string::npos);
    int boldHeadings = 0;
    for (const RtfParagraph& paragraph : doc.paragraphs) {
        if (!paragraph.runs.empty() && paragraph.runs[0].bold &&
            paragraph.runs[0].fontSizePoints > 12) {
            ++boldHeadings;
        }
    }
    EXPECT_GE(boldHeadings, 6);
}

}  // namespace
}  // namespace velmora
