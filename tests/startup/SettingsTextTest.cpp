#include "startup/SettingsText.h"

#include <gtest/gtest.h>

using namespace settingstext;
using Lines = std::vector<std::string>;

TEST(SettingsText, AnyLineBreakEndsALineAndAFinalOneAddsNoEmptyLine) {
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitLines("a\n\r\n\rb"), (Lines{"a", "", "", "b"}));
    EXPECT_EQ(SplitLines("\n"), (Lines{""}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(JoinLines({"x", ""}), "x\r\n\r\n");
}

TEST(SettingsText, IntegersAreDecimalAndFit32Bits) {
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger("-1"), -1);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "+", "-", "+-1", "4 2", " 4", "4 ", "1.0", "2147483648", "0x10", "ten"})
        EXPECT_FALSE(ParseInteger(bad)) << bad;
}

TEST(SettingsText, FloatsConvertOnlyWithTheLocalesSeparator) {
    EXPECT_EQ(ParseFloat("0.25", "."), 0.25);
    EXPECT_EQ(ParseFloat("0,25", ","), 0.25);
    EXPECT_EQ(ParseFloat("-1", ","), -1.0);
    EXPECT_EQ(ParseFloat("+2,5E-3", ","), 0.0025);
    EXPECT_EQ(ParseFloat("1E15", "."), 1e15);
    EXPECT_FALSE(ParseFloat("0.25", ","));  // written under another locale
    EXPECT_FALSE(ParseFloat("0,25", "."));
    for (const char* bad : {"", "nan", "inf", "-INF", "1e999", "1.5x", "1,5,5"})
        EXPECT_FALSE(ParseFloat(bad, ",")) << bad;
}

TEST(SettingsText, BooleansAreTrueFalseInAnyCaseOrAnyNumber) {
    for (const char* yes : {"True", "TRUE", "tRuE", "1", "-1", "2", "0.5"}) EXPECT_EQ(ParseBoolean(yes, "."), true) << yes;
    for (const char* no : {"False", "false", "FALSE", "0", "-0", "0.0"}) EXPECT_EQ(ParseBoolean(no, "."), false) << no;
    for (const char* bad : {"", "yes", "T", "True ", "on"}) EXPECT_FALSE(ParseBoolean(bad, ".")) << bad;
    EXPECT_EQ(FormatBoolean(true), "-1");
    EXPECT_EQ(FormatBoolean(false), "0");
}

TEST(SettingsText, FloatsAreWrittenShortestWithFifteenDigits) {
    EXPECT_EQ(FormatFloat(-1.0, "."), "-1");
    EXPECT_EQ(FormatFloat(0.0, "."), "0");
    EXPECT_EQ(FormatFloat(0.25, ","), "0,25");
    EXPECT_EQ(FormatFloat(0.1 + 0.2, "."), "0.3");
    EXPECT_EQ(FormatFloat(1.0 / 3, "."), "0.333333333333333");
    EXPECT_EQ(FormatFloat(-2.0 / 3, "."), "-0.666666666666667");
    EXPECT_EQ(FormatFloat(123456789012345.0, "."), "123456789012345");
    EXPECT_EQ(FormatFloat(1e15, "."), "1E15");
    EXPECT_EQ(FormatFloat(1.5e20, ","), "1,5E20");
    EXPECT_EQ(FormatFloat(0.00001, "."), "0.00001");
    EXPECT_EQ(FormatFloat(0.0000025, "."), "2.5E-6");
    EXPECT_EQ(FormatFloat(100.0, "."), "100");
}

TEST(SettingsText, WrittenFloatsReadBack) {
    for (double value : {-1.0, 0.25, 3.75, -0.125, 1e-7, 12345.678, 1e300, 0.7071067811865})
        for (const char* separator : {".", ","})
            EXPECT_EQ(ParseFloat(FormatFloat(value, separator), separator), value) << value << separator;
}
