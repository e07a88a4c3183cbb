// The record and the byte and line helpers every Filter Factory format shares.
#include "filterfactory/bytes.hpp"
#include "filterfactory/record.hpp"

#include <gtest/gtest.h>

using namespace vexolan::ff;
using namespace std::string_literals;

TEST(IniVars, ClearsTextsNamesValuesAndFormulasButKeepsPresetsAndTFExtra) {
    FilterRecord r;
    r.Filename = "a.8bf";
    r.Title = "t";
    r.Category = "c";
    r.Author = "a";
    r.Copyright = "(c)";
    r.MapName[3] = "m";
    r.CtlName[7] = "n";
    r.CtlValue[7] = 200;
    r.CodeR = "r";
    r.CodeG = "g";
    r.CodeB = "b";
    r.CodeA = "a";
    r.TFExtra = "extra";
    r.MemorySpot(9, 7) = 123;
    IniVars(r);
    EXPECT_EQ(r.Filename + r.Title + r.Category + r.Author + r.Copyright, "");
    EXPECT_EQ(r.MapName[3], "");
    EXPECT_EQ(r.CtlName[7], "");
    EXPECT_EQ(r.CtlValue[7], 0);
    EXPECT_EQ(r.CodeR + r.CodeG + r.CodeB + r.CodeA, "");
    EXPECT_EQ(r.TFExtra, "extra");
    EXPECT_EQ(r.MemorySpot(9, 7), 123);
}

TEST(MemorySpots, SpotSOfControlCIsElementSPlusTenC) {
    FilterRecord r;
    r.MemorySpot(3, 2) = 77;
    EXPECT_EQ(r.MemorySpots[23], 77);
    r.MemorySpot(0, 7) = 5;
    EXPECT_EQ(r.MemorySpots[70], 5);
}

TEST(Bytes2string, DropsCommentsAndLineBreaksOfAFormulaSlot) {
    EXPECT_EQ(bytes2string(1, "ab//x\r\ncd\0zz"s), "abcd");
    EXPECT_EQ(bytes2string(1, "a/b\0"s), "a/b");
    EXPECT_EQ(bytes2string(3, "xxr+\r\ng\0"s), "r+g");
}

TEST(Bytes2string, AZeroInTheFirstPositionIsTheEmptyText) {
    EXPECT_EQ(bytes2string(1, "\0\0abc"s), "");
    EXPECT_EQ(bytes2string2(1, "\0\0abc"s), "");
}

TEST(Bytes2string, ACommentWithoutLineEndStopsAtTheSlotsZero) {
    // Slot one holds "r//x", slot two the next formula: the comment must not swallow it.
    const std::string file = "r//x\0g\r\nb\0"s;
    EXPECT_EQ(bytes2string(1, file), "r");
    EXPECT_EQ(bytes2string(6, file), "gb");
}

TEST(Bytes2string, StopsAtTheEndOfTheFileAndReadsNothingOutsideIt) {
    EXPECT_EQ(bytes2string(1, "abc"s), "abc");
    EXPECT_EQ(bytes2string(1, "ab//"s), "ab");
    EXPECT_EQ(bytes2string(4, "abc"s), "");
    EXPECT_EQ(bytes2string(0, "abc"s), "");
    EXPECT_EQ(bytes2string2(-5, "abc"s), "");
}

TEST(Bytes2string2, KeepsSlashesAndLoneLineFeedsAndDropsCarriageReturns) {
    EXPECT_EQ(bytes2string2(1, "a//b\0"s), "a//b");
    EXPECT_EQ(bytes2string2(1, "a\r\nb\rc\nd\0"s), "abc\nd");
}

TEST(Bytes2string2, ConvertsWindows1252ToUtf8) {
    EXPECT_EQ(bytes2string2(1, "\xA9 Me\0"s), "\xC2\xA9 Me");
}

TEST(String2bytes, WritesTheTextAndAZeroAfterIt) {
    std::string file(110, 'x');
    string2bytes("abc", 100, file);
    EXPECT_EQ(file.substr(98, 6), "xabc\0x"s);
    EXPECT_EQ(file.size(), 110u);
}

TEST(String2bytes, AnEmptyTextWritesItsZeroAtTheSlot) {
    std::string file = "old text\0"s;
    string2bytes("", 1, file);
    EXPECT_EQ(bytes2string2(1, file), "");
}

TEST(String2bytes, WritesWindows1252AndGrowsTheFileWhenWritingPastItsEnd) {
    std::string file = "ab";
    string2bytes("\xC2\xA9\xE2\x82\xAC\xE4\xB8\x80", 3, file); // ©, € and a character Windows-1252 lacks
    EXPECT_EQ(file, "ab\xA9\x80?\0"s);
    string2bytes_w0("XY", 1, file);
    EXPECT_EQ(file, "XY\xA9\x80?\0"s);
}

TEST(LineReaders, Byt2strEndsLinesAtCrLfCrOrLf) {
    const std::string bytes = "ab\r\ncd\rxe\nf\n\ng";
    ByteCursor cur{bytes};
    for (const char* line : {"ab", "cd", "xe", "f", "", "g"})
        EXPECT_EQ(Byt2str(cur), line);
    EXPECT_TRUE(cur.AtEnd());
}

TEST(LineReaders, ReadtoDLeavesTheLineFeedUnread) {
    const std::string bytes = "abc\r\n";
    ByteCursor cur{bytes};
    EXPECT_EQ(ReadtoD(cur), "abc");
    EXPECT_EQ(cur.Seek(), 5);
    EXPECT_EQ(ReadtoD(cur), "\n");
    EXPECT_TRUE(cur.AtEnd());
}

TEST(LineReaders, ReadtoDDJoinsWrappedLinesAndEndsBeforeAControlByte) {
    const std::string wrapped = "abc\rdef\r\rnext";
    ByteCursor cur{wrapped};
    EXPECT_EQ(ReadtoDD(cur), "abcdef");
    EXPECT_EQ(cur.Next, 9u);
    EXPECT_EQ(ReadtoDD(cur), "next");

    const std::string crlf = "abc\r\nx";
    ByteCursor second{crlf};
    EXPECT_EQ(ReadtoDD(second), "abc");
    EXPECT_EQ(second.Next, 5u);

    const std::string tail = "abc\r";
    ByteCursor third{tail};
    EXPECT_EQ(ReadtoDD(third), "abc");
    EXPECT_TRUE(third.AtEnd());
}

TEST(GetUntill, StopsOnlyOutsideParentheses) {
    EXPECT_EQ(GetUntill("a(b,c),d", ','), "a(b,c)");
    EXPECT_EQ(GetUntill("abc", ','), "abc");
    EXPECT_EQ(GetUntill("b),c", ','), "b),c");
}

TEST(RandomFileSize, ZeroesTheLastByteAndGrowsTheFileByTheRandomCount) {
    std::string file = "abcd";
    RandomFileSize(file, 0.5);
    ASSERT_EQ(file.size(), 4u + 1024u);
    EXPECT_EQ(file.substr(0, 4), "abc\0"s);
    EXPECT_EQ(file.find_first_not_of('\0', 3), std::string::npos);

    std::string halves = "xy";
    RandomFileSize(halves, 0.5 / 2048 * 5); // 2.5 rounds to 2
    EXPECT_EQ(halves.size(), 4u);
    std::string top = "xy";
    RandomFileSize(top, 0.99999999);
    EXPECT_EQ(top.size(), 2u + 2048u);
}

TEST(FilePositions, ReadsAreBoundedByTheFile) {
    const std::string file = "ab";
    EXPECT_TRUE(in_file(file, 1, 2));
    EXPECT_FALSE(in_file(file, 2, 2));
    EXPECT_FALSE(in_file(file, 0));
    EXPECT_EQ(byte_at(file, 2), 'b');
    EXPECT_EQ(byte_at(file, 3), std::nullopt);
    EXPECT_EQ(zero_terminated_at(file, 3), "");
}
