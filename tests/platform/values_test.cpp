#include "platform/values/values.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace vb;

TEST(Val, ReadsTheLeadingNumberAndStopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(Val(" 12abc"), 12);
    EXPECT_EQ(Val("\t-3.5x"), -3.5);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("1e3"), 1000);
    EXPECT_EQ(Val("1e"), 1);
    EXPECT_EQ(Val(".5"), 0.5);
    EXPECT_EQ(Val("&HFF"), 255);
    EXPECT_EQ(Val("&HFFFF"), -1);
    EXPECT_EQ(Val("300"), 300);
}

TEST(Str, PutsABlankBeforeNonNegativeNumbersAndDropsTheLeadingZero) {
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(1), " 1");
    EXPECT_EQ(Str(-1), "-1");
    EXPECT_EQ(Str(0.5), " .5");
    EXPECT_EQ(Str(-0.25), "-.25");
    EXPECT_EQ(Str(1234567), " 1234567");
    EXPECT_EQ(CStr(0.5), "0.5");
    EXPECT_EQ(CStr(20), "20");
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(2.51), 3);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_DOUBLE_EQ(Round(1.125, 2), 1.12);
    EXPECT_EQ(CInt(32767.4), 32767);
}

TEST(Rounding, CIntOutsideTheIntegerRangeFailsWithOverflow) {
    try {
        CInt(32768);
        FAIL() << "no overflow";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 6);
        EXPECT_EQ(e.description(), "Overflow");
    }
    EXPECT_THROW(CInt(-32769), Error);
}

TEST(IsNumeric, AcceptsSignsDecimalsAndThousandsSeparators) {
    for (const char* yes : {"10", "-5", " 1,234 ", "1.5", "+3", "1e5", "1,234,567.25"})
        EXPECT_TRUE(IsNumeric(yes)) << yes;
    for (const char* no : {"", " ", "abc", "1a", "-", "1e", "1.2.3", ","})
        EXPECT_FALSE(IsNumeric(no)) << no;
    EXPECT_EQ(NumericValue("1,234"), 1234);
}

TEST(Format, GroupsThousandsAndLeavesZeroEmptyForHashPatterns) {
    EXPECT_EQ(Format(1200000, "#,###,###"), "1,200,000");
    EXPECT_EQ(Format(999, "#,###,###"), "999");
    EXPECT_EQ(Format(1234, "#,###,###"), "1,234");
    EXPECT_EQ(Format(0, "#,###,###"), "");
    EXPECT_EQ(Format(5000000000.0, "#,###,###"), "5,000,000,000");
    EXPECT_EQ(Format(7, "00"), "07");
    EXPECT_EQ(Format(1.5, "0.00"), "1.50");
}

TEST(Dates, GeneralDateTextFollowsTheEnglishWindowsForm) {
    EXPECT_EQ(GeneralDate({2026, 12, 9, 4, 15, 16}), "12/9/2026 4:15:16 AM");
    EXPECT_EQ(GeneralDate({2026, 12, 9, 16, 5, 0}), "12/9/2026 4:05:00 PM");
    EXPECT_EQ(GeneralDate({2026, 12, 9, 0, 0, 0}), "12/9/2026");
    EXPECT_EQ(GeneralDate({2026, 12, 9, 12, 0, 1}), "12/9/2026 12:00:01 PM");
    EXPECT_EQ(GeneralDate({2026, 12, 9, 0, 30, 0}), "12/9/2026 12:30:00 AM");
}

TEST(Dates, WrittenAndParsedBackTheySortInTimeOrder) {
    std::vector<DateTime> dates{{2000, 1, 1, 0, 0, 0}, {1999, 12, 31, 23, 59, 59}, {2026, 2, 28, 12, 0, 0}};
    std::vector<std::string> keys;
    for (const auto& d : dates) {
        auto parsed = ParseGeneralDate(GeneralDate(d));
        ASSERT_TRUE(parsed) << GeneralDate(d);
        EXPECT_EQ(*parsed, d);
        keys.push_back(DateKey(*parsed));
    }
    EXPECT_LT(keys[1], keys[0]);
    EXPECT_LT(keys[0], keys[2]);
    EXPECT_EQ(keys[1], "19991231235959");
    EXPECT_FALSE(ParseGeneralDate("2/30/2001"));
    EXPECT_FALSE(ParseGeneralDate("hello"));
    EXPECT_FALSE(ParseGeneralDate(" "));
}

TEST(Errors, NumbersCarryTheWindowsDescriptions) {
    EXPECT_EQ(ErrorText(53), "File not found");
    EXPECT_EQ(ErrorText(58), "File already exists");
    EXPECT_EQ(ErrorText(61), "Disk full");
    EXPECT_EQ(ErrorText(70), "Permission denied");
    EXPECT_EQ(ErrorText(75), "Path/File access error");
    EXPECT_EQ(ErrorText(76), "Path not found");
    EXPECT_EQ(ErrorFromErrno(ENOENT), 53);
    EXPECT_EQ(ErrorFromErrno(EEXIST), 58);
    EXPECT_EQ(ErrorFromErrno(ENOSPC), 61);
}

TEST(Text, Windows1252ConvertsBothWaysAndUnmappableBecomesQuestionMark) {
    EXPECT_EQ(Cp1252ToUtf8("\xA9 caf\xE9 \x80"), "\xC2\xA9 caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(Utf8ToCp1252("\xC2\xA9 caf\xC3\xA9 \xE2\x82\xAC"), "\xA9 caf\xE9 \x80");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x98\x83"), "?"); // snowman
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_TRUE(EqualsNoCase("Photo30.DLL", "photo30.dll"));
}
