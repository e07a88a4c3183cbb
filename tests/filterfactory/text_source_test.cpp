// Filter Factory text sources: the key and value layout both ways, the report layout, and the
// damaged sources the reader refuses.
#include "filterfactory/rewrite.hpp"
#include "filterfactory/text_source.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <set>

using namespace vexolan::ff;
using ff_synth::JoinLines;

namespace {

class TextSource : public ::testing::Test {
protected:
    test_support::TempDir dir{"fftxt"};
    test_support::ScriptedHost host;
    FFContext ff;
    int refreshes = 0;
    std::set<int> stored; // the editor's stored memory spots

    void SetUp() override {
        ff.Host = &host;
        ff.RefreshActivePane = [this] { ++refreshes; };
        ff.MarkPresetSpot = [this](int s) { stored.insert(s); };
        ff.PresetSpotStored = [this](int s) { return stored.count(s) > 0; };
    }

    bool read(std::string_view bytes, bool preset = false, std::string name = "x.txt") {
        dir.write(name, bytes);
        return ReadTXT(ff, dir.path().string(), name, false, preset);
    }
    void expect_format_violation(std::string name = "x.txt") {
        host.answer_msgbox(ui::vbOK, name + ": Format Violation", ui::vbExclamation, "Error");
    }
};

void expect_same_record(const FilterRecord& a, const FilterRecord& b) {
    EXPECT_EQ(a.Filename, b.Filename);
    ff_synth::ExpectSameFilter(a, b);
}

} // namespace

TEST_F(TextSource, WritesTheGoldenFileAndReadsItBack) {
    ff.Record = ff_synth::TwirlRecord();
    ff.pFlag = true;
    ASSERT_TRUE(WriteTXT(ff, dir.path().string(), false));
    const std::string expected = JoinLines({"Category: Distort",
                                            "Title: Twirl",
                                            "Copyright: (c) Me",
                                            "Author: Me",
                                            "Filename: twirl.8bf",
                                            "",
                                            "R:r",
                                            "",
                                            "G:g",
                                            "",
                                            "B:b",
                                            "",
                                            "A:a",
                                            "",
                                            "map[0]: Angle",
                                            "ctl[2]: Amount",
                                            "",
                                            "val[0]: 10",
                                            "val[1]: 20",
                                            "val[2]: 30",
                                            ""});
    EXPECT_EQ(test_support::read_file(dir / "twirl.txt"), expected);

    ASSERT_TRUE(ReadTXT(ff, dir.path().string(), "twirl.txt", false, false));
    expect_same_record(ff.Record, ff_synth::TwirlRecord());
    EXPECT_TRUE(ff.pFlag);
}

TEST_F(TextSource, EveryFieldAndTheStoredPresetsSurviveWritingAndReading) {
    ff.Record = ff_synth::FullRecord();
    ff.pFlag = true;
    stored = {0, 9};
    for (int c = 0; c < 8; ++c) {
        ff.Record.MemorySpot(0, c) = static_cast<std::int16_t>(c * 10);
        ff.Record.MemorySpot(9, c) = static_cast<std::int16_t>(-c - 1);
    }
    ASSERT_TRUE(WriteTXT(ff, dir.path().string(), true));
    // Texts are stored as Windows-1252 bytes; the preset lines have no blanks after the commas.
    const std::string golden = JoinLines({"Category: Caf\xE9 Effects",
                                          "Title: Cr\xE8me Twist",
                                          "Copyright: \xA9 2026 Vexolan Tests",
                                          "Author: J\xFCrgen M\xFCller",
                                          "Filename: creme.8bf",
                                          "",
                                          "R:src(x+ctl(2)-128,y,z)",
                                          "",
                                          "G:put(g*val(3,0,255)/255,0)",
                                          "",
                                          "B:c2m(x-X/2,y-Y/2)<map(0,c)?b:255-b",
                                          "",
                                          "A:a",
                                          "",
                                          "map[0]: Bend",
                                          "ctl[2]: Shift",
                                          "ctl[3]: Level",
                                          "ctl[5]: Mix",
                                          "map[3]: Warp",
                                          "",
                                          "val[0]: 1",
                                          "val[1]: 2",
                                          "val[2]: 128",
                                          "val[3]: 255",
                                          "val[5]: 77",
                                          "val[6]: 200",
                                          "val[7]: 201",
                                          "",
                                          "set[0]: 0,10,20,30,40,50,60,70",
                                          "set[9]: -1,-2,-3,-4,-5,-6,-7,-8"});
    EXPECT_EQ(test_support::read_file(dir / "creme.txt"), golden);

    const FilterRecord written = ff.Record;
    ff.Record.MemorySpots.fill(0);
    stored.clear();
    ASSERT_TRUE(ReadTXT(ff, dir.path().string(), "creme.txt", false, true));
    FilterRecord expected = written;
    OptimizeCode(expected, false);
    expect_same_record(ff.Record, expected);
    EXPECT_EQ(ff.Record.MemorySpots, written.MemorySpots);
    EXPECT_EQ(stored, (std::set<int>{0, 9}));
}

TEST_F(TextSource, PresetLinesAreLeftAloneWithoutPresets) {
    ff.Record = ff_synth::TwirlRecord();
    ff.pFlag = true;
    stored = {3};
    ASSERT_TRUE(WriteTXT(ff, dir.path().string(), false));
    EXPECT_EQ(test_support::read_file(dir / "twirl.txt").find("set["), std::string::npos);

    stored.clear();
    ASSERT_TRUE(read(JoinLines({"R:r", "G:g", "B:b", "", "set[4]: 1,2,3,4,5,6,7,8"}), false));
    EXPECT_TRUE(stored.empty());
    EXPECT_EQ(ff.Record.MemorySpot(4, 0), 0);
}

TEST_F(TextSource, AShortPresetLineIsAFormatViolation) {
    expect_format_violation();
    EXPECT_FALSE(read(JoinLines({"R:r", "G:g", "B:b", "", "set[4]: 1,2,3"}), true));
}

TEST_F(TextSource, KeysAreReadInEveryAcceptedForm) {
    ASSERT_TRUE(read(JoinLines({"category:", "Name: Spin", "COPYRIGHT: c", "author:  Someone  ", "File: spin.8bf", "",
                                "R=r", "", "G:g", "", "B:b", ""})));
    EXPECT_EQ(ff.Record.Category, "Photoshop");
    EXPECT_EQ(ff.Record.Title, "Spin");
    EXPECT_EQ(ff.Record.Copyright, "c");
    EXPECT_EQ(ff.Record.Author, "Someone");
    EXPECT_EQ(ff.Record.Filename, "spin.8bf");
    EXPECT_EQ(ff.Record.CodeR, "r");
    EXPECT_EQ(ff.Record.CodeA, "a") << "a source without an alpha block keeps the identity";
}

TEST_F(TextSource, BlocksJoinTheirLinesCutCommentsAndFollowEachOther) {
    // R, G, B, A directly after each other are all read; the "R:" that ends the alpha block is dropped.
    ASSERT_TRUE(read(JoinLines({"R:", "r+", "1 // one more", "G:g", "B:b//blue", "A:a", "R:x"})));
    EXPECT_EQ(ff.Record.CodeR, "r+1");
    EXPECT_EQ(ff.Record.CodeG, "g");
    EXPECT_EQ(ff.Record.CodeB, "b");
    EXPECT_EQ(ff.Record.CodeA, "a");
    EXPECT_EQ(ff.Record.Filename, "-NoName.8bf");
}

TEST_F(TextSource, ACodeBlockAtTheEndOfTheFileIsComplete) {
    // Clipboard text usually ends right after its alpha code.
    ASSERT_TRUE(read("R:r\r\nG:g\r\nB:b\r\nA:255-a"));
    EXPECT_EQ(ff.Record.CodeA, "255-a");
}

TEST_F(TextSource, LinesBelowAnEmptyAlphaKeyReplaceTheIdentity) {
    ASSERT_TRUE(read(JoinLines({"R:r", "G:g", "B:b", "A:", "255", ""})));
    EXPECT_EQ(ff.Record.CodeA, "255");
}

TEST_F(TextSource, AnAlphaBlockEndsAtAControlLine) {
    ASSERT_TRUE(read(JoinLines({"R:r", "G:g", "B:b", "A:a", "ctl[1]: Depth", "val[1]: 7"})));
    EXPECT_EQ(ff.Record.CodeA, "a");
    EXPECT_EQ(ff.Record.CtlName[1], "Depth");
    EXPECT_EQ(ff.Record.CtlValue[1], 7);
}

TEST_F(TextSource, ReadsFilesWithLineFeedsOnly) {
    ASSERT_TRUE(read(JoinLines({"Title: Unix", "R:r", "", "G:g", "", "B:b", ""}, "\n")));
    EXPECT_EQ(ff.Record.Title, "Unix");
    EXPECT_EQ(ff.Record.CodeB, "b");
}

TEST_F(TextSource, AValueOutsideAByteIsAFormatViolationAndAControlBeyondSevenIsIgnored) {
    ASSERT_TRUE(read(JoinLines({"R:r", "", "G:g", "", "B:b", "", "val[9]: 5", "ctl[8]: x", "map[4]: y"})));
    EXPECT_EQ(ff.Record.CtlValue, (std::array<std::uint8_t, 8>{}));

    expect_format_violation();
    EXPECT_FALSE(read(JoinLines({"R:r", "", "G:g", "", "B:b", "", "val[0]: 300"})));
}

TEST_F(TextSource, ASourceWithoutAllFormulasIsRefusedSilently) {
    EXPECT_FALSE(read(JoinLines({"Title: half", "R:r", "", "G:g", ""})));
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(TextSource, AMissingFileRefreshesThePaneWithoutAMessage) {
    EXPECT_FALSE(ReadTXT(ff, dir.path().string(), "gone.txt", false, false));
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(TextSource, ReadsTheReportLayoutWithValuesFromTheSettingsFileBesideIt) {
    dir.write("report.AFS", "%RGB-1.0\r1\r2\r3\r4\r5\r6\r7\r8\r");
    ASSERT_TRUE(read(JoinLines({"Filter Factory Plugin Information:",
                                "FILENAME: C:\\PLUGINS\\TWIRL.8BF",
                                "CATEGORY:",
                                "Distort",
                                "TITLE:",
                                "Twirl",
                                "COPYRIGHT:",
                                "(c) Me",
                                "AUTHOR:",
                                "Me",
                                "",
                                "Map 0: [Angle]",
                                "Map 1: []",
                                "Map 2: [Never]",
                                "Control 0: [Amount]",
                                "Control 1: []",
                                "R=",
                                "r+",
                                "1",
                                "G=",
                                "g",
                                "B=",
                                "b",
                                "A=",
                                "a",
                                ""}),
                     false, "report.txt"));
    const FilterRecord& r = ff.Record;
    EXPECT_EQ(r.Filename, "TWIRL.8BF");
    EXPECT_EQ(r.Category, "Distort");
    EXPECT_EQ(r.Title, "Twirl");
    EXPECT_EQ(r.Copyright, "(c) Me");
    EXPECT_EQ(r.Author, "Me");
    EXPECT_EQ(r.MapName, (std::array<std::string, 4>{"Angle", "", "", ""}));
    EXPECT_EQ(r.CtlName[0], "Amount");
    EXPECT_EQ(r.CtlName[1], "");
    EXPECT_EQ(r.CodeR, "r+1");
    EXPECT_EQ(r.CodeA, "a");
    EXPECT_EQ(r.CtlValue, (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(ff.pFlag);
}

TEST_F(TextSource, AReportMapLineOutOfOrderIsAFormatViolation) {
    expect_format_violation("report.txt");
    EXPECT_FALSE(read(JoinLines({"Filter Factory Plugin Information:", "FILENAME: TWIRL.8BF", "CATEGORY:", "D",
                                 "TITLE:", "T", "COPYRIGHT:", "C", "AUTHOR:", "A", "Map 1: [Angle]"}),
                      false, "report.txt"));
}

TEST_F(TextSource, TheWriterRewritesPremiereCodeOnceAndAddsTheExtension) {
    ff.Record = ff_synth::TwirlRecord();
    ff.Record.Filename = "noext";
    ff.Record.CodeR = "D";
    ff.pFlag = false;
    ASSERT_TRUE(WriteTXT(ff, dir.path().string(), false));
    EXPECT_EQ(ff.Record.Filename, "noext.txt");
    EXPECT_EQ(ff.Record.CodeR, "512");
    EXPECT_TRUE(ff.pFlag) << "the record holds Photoshop code now";
    EXPECT_NE(test_support::read_file(dir / "noext.txt").find("Filename: noext.txt\r\n"), std::string::npos);
}

TEST_F(TextSource, ANameFromTheRecordCannotLeaveTheTargetFolder) {
    ff.Record = ff_synth::TwirlRecord();
    ff.Record.Filename = "../../escape.8bf";
    ff.pFlag = true;
    const auto inner = dir / "inner";
    std::filesystem::create_directories(inner);
    ASSERT_TRUE(WriteTXT(ff, inner.string(), false));
    EXPECT_TRUE(std::filesystem::exists(inner / "escape.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "escape.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "escape.txt"));
}
