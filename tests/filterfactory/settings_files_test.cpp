// Settings files: the .afs file both ways, the .pff variant and the binary .ffx file.
#include "filterfactory/settings_files.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

using namespace vexolan::ff;

namespace {

class SettingsFiles : public ::testing::Test {
protected:
    test_support::TempDir dir{"ffafs"};
    test_support::ScriptedHost host; // any message fails the test: these readers and writers show none
    FFContext ff;
    int refreshes = 0;

    void SetUp() override {
        ff.Host = &host;
        ff.RefreshActivePane = [this] { ++refreshes; };
    }
    std::string folder() const { return dir.path().string(); }
};

// A length-prefixed .ffx text: 32-bit little-endian length, then the bytes.
std::string ffx_text(std::string_view text) {
    std::string out;
    const auto n = static_cast<std::uint32_t>(text.size());
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((n >> (8 * i)) & 0xFF);
    return out + std::string(text);
}

std::string ffx_file(std::string_view magic, std::string_view codeR = "r") {
    std::string f = ffx_text(magic) + ffx_text("Title") + ffx_text("Category") + ffx_text("Author") +
                    ffx_text("Copyright") + ffx_text("skipped") + ffx_text(codeR) + ffx_text("g") + ffx_text("b") +
                    ffx_text("a");
    for (int c = 0; c < 8; ++c)
        f +=
            ffx_text(c % 2 ? "" : "Ctl" + std::to_string(c)) + '\x7F' + std::string{static_cast<char>(10 * c), 0, 0, 0};
    return f;
}

} // namespace

TEST_F(SettingsFiles, WritesTheGoldenAfsFileWithLoneCarriageReturnsAndReadsItBack) {
    ff.Record = ff_synth::TwirlRecord();
    ff.pFlag = true;
    ASSERT_TRUE(Writeafspff(ff, folder(), 0));
    // Map 0 is named, so the values of its controls 0 and 1 are kept; the other unnamed ones are 0.
    const std::string expected = "%RGB-1.0\r10\r20\r30\r0\r0\r0\r0\r0\rr\r\rg\r\rb\r\ra\r\rDistort\r\rTwirl\r\rMe\r\r"
                                 "(c) Me\r\r1: \r\r2: \r\r3: Amount\r\r4: \r\r5: \r\r6: \r\r7: \r\r8: \r\r";
    EXPECT_EQ(test_support::read_file(dir / "twirl.afs"), expected);
    EXPECT_EQ(ff.Record.CtlValue, (std::array<std::uint8_t, 8>{10, 20, 30, 0, 0, 0, 0, 0}));

    ASSERT_TRUE(ReadAFS(ff, folder(), "twirl.afs"));
    const FilterRecord& r = ff.Record;
    EXPECT_EQ(r.Filename, "twirl.8bf");
    EXPECT_EQ(r.Category, "Distort");
    EXPECT_EQ(r.Title, "Twirl");
    EXPECT_EQ(r.Author, "Me");
    EXPECT_EQ(r.Copyright, "(c) Me");
    EXPECT_EQ(r.CodeR, "r");
    EXPECT_EQ(r.CodeA, "a");
    EXPECT_EQ(r.CtlValue, (std::array<std::uint8_t, 8>{10, 20, 30, 0, 0, 0, 0, 0}));
    // Names come from the tail where it has them, else from the values.
    EXPECT_EQ(r.CtlName, (std::array<std::string, 8>{"Slider 1", "Slider 2", "Amount", "", "", "", "", ""}));
    EXPECT_TRUE(ff.pFlag);
}

TEST_F(SettingsFiles, EveryFieldOfTheFormatSurvivesWritingAndReading) {
    ff.Record = ff_synth::FullRecord();
    ff.pFlag = true;
    ASSERT_TRUE(Writeafspff(ff, folder(), 0));
    // Texts are Windows-1252 bytes; control 4 is the only one in use by neither a name nor a map.
    EXPECT_EQ(test_support::read_file(dir / "creme.afs"),
              "%RGB-1.0\r1\r2\r128\r255\r0\r77\r200\r201\r"
              "src(x+ctl(2)-128,y,z)\r\rput(g*val(3,0,255)/255,0)\r\rc2m(x-X/2,y-Y/2)<map(0,c)?b:255-b\r\ra\r\r"
              "Caf\xE9 Effects\r\rCr\xE8me Twist\r\rJ\xFCrgen M\xFCller\r\r\xA9 2026 Vexolan Tests\r\r"
              "1: \r\r2: \r\r3: Shift\r\r4: Level\r\r5: \r\r6: Mix\r\r7: \r\r8: \r\r");

    const FilterRecord written = ff.Record;
    ASSERT_TRUE(ReadAFS(ff, folder(), "creme.afs"));
    EXPECT_EQ(ff.Record.Title, written.Title);
    EXPECT_EQ(ff.Record.Category, written.Category);
    EXPECT_EQ(ff.Record.Author, written.Author);
    EXPECT_EQ(ff.Record.Copyright, written.Copyright);
    EXPECT_EQ(ff.Record.CtlValue, written.CtlValue);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(ff.Record.Code(k), written.Code(k));
    EXPECT_EQ(ff.Record.CtlName[5], "Mix");
}

TEST_F(SettingsFiles, AnUnusedControlIsWrittenAndKeptAsZero) {
    ff.Record = ff_synth::TwirlRecord();
    ff.Record.CtlValue[6] = 200;
    ff.pFlag = true;
    ASSERT_TRUE(Writeafspff(ff, folder(), 0));
    EXPECT_EQ(ff.Record.CtlValue[6], 0);
}

TEST_F(SettingsFiles, PremiereCodeIsRewrittenOnceBeforeWriting) {
    ff.Record = ff_synth::TwirlRecord();
    ff.Record.CodeG = "D";
    ff.pFlag = false;
    ASSERT_TRUE(Writeafspff(ff, folder(), 0));
    EXPECT_EQ(ff.Record.CodeG, "512");
    EXPECT_TRUE(ff.pFlag);
}

TEST_F(SettingsFiles, APffTargetWritesNothing) {
    ff.Record = ff_synth::TwirlRecord();
    EXPECT_FALSE(Writeafspff(ff, folder(), 1));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(SettingsFiles, AShortAfsTakesItsNamesFromTheFileAndItsValues) {
    dir.write("x.afs", "%RGB-1.0\r0\r0\r7\r0\r0\r0\r0\r0\rr\r\rg\r\rb\r\ra\r\r");
    ASSERT_TRUE(ReadAFS(ff, folder(), "x.afs"));
    EXPECT_EQ(ff.Record.Title, "x.8bf");
    EXPECT_EQ(ff.Record.Filename, "x.8bf");
    EXPECT_EQ(ff.Record.Category, "Synthetic");
    EXPECT_EQ(ff.Record.CtlName, (std::array<std::string, 8>{"", "", "Slider 3", "", "", "", "", ""}));
}

TEST_F(SettingsFiles, AWrappedCodeLineIsJoined) {
    dir.write("w.afs", "%RGB-1.0\r0\r0\r0\r0\r0\r0\r0\r0\rr+\r1\r\rg\r\rb\r\ra\r\r");
    ASSERT_TRUE(ReadAFS(ff, folder(), "w.afs"));
    EXPECT_EQ(ff.Record.CodeR, "r+1");
}

TEST_F(SettingsFiles, AValueAboveAByteFailsTheRead) {
    dir.write("big.afs", "%RGB-1.0\r256\r0\r0\r0\r0\r0\r0\r0\rr\r\rg\r\rb\r\ra\r\r");
    EXPECT_FALSE(ReadAFS(ff, folder(), "big.afs"));
}

TEST_F(SettingsFiles, AMissingSettingsFileRefreshesThePane) {
    EXPECT_FALSE(ReadAFS(ff, folder(), "none.afs"));
    EXPECT_FALSE(ReadPFF(ff, folder(), "none.pff"));
    EXPECT_EQ(refreshes, 2);
}

TEST_F(SettingsFiles, APffFileHoldsBlueGreenRedAndStaysInThePremiereDialect) {
    dir.write("p.pff", "%RGB-1.0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\rB+1\r\rG+2\r\rR+3\r\rA+4\r\r");
    ff.pFlag = true;
    ASSERT_TRUE(ReadPFF(ff, folder(), "p.pff"));
    EXPECT_EQ(ff.Record.CodeR, "R+3");
    EXPECT_EQ(ff.Record.CodeG, "G+2");
    EXPECT_EQ(ff.Record.CodeB, "B+1");
    EXPECT_EQ(ff.Record.CodeA, "A+4");
    EXPECT_EQ(ff.Record.CtlValue, (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(ff.pFlag);
}

TEST_F(SettingsFiles, ReadsAnFfxFileAndTakesItsCodeAsPhotoshopCode) {
    dir.write("f.ffx", ffx_file("FFX1.0"));
    ff.pFlag = false;
    ASSERT_TRUE(ReadFFX(ff, folder(), "f.ffx"));
    const FilterRecord& r = ff.Record;
    EXPECT_EQ(r.Filename, "f.ffx");
    EXPECT_EQ(r.Title, "Title");
    EXPECT_EQ(r.Category, "Category");
    EXPECT_EQ(r.Author, "Author");
    EXPECT_EQ(r.Copyright, "Copyright");
    EXPECT_EQ(r.CodeR, "r");
    EXPECT_EQ(r.CodeA, "a");
    EXPECT_EQ(r.CtlName, (std::array<std::string, 8>{"Ctl0", "", "Ctl2", "", "Ctl4", "", "Ctl6", ""}));
    EXPECT_EQ(r.CtlValue, (std::array<std::uint8_t, 8>{0, 10, 20, 30, 40, 50, 60, 70}));
    EXPECT_TRUE(ff.pFlag);
}

TEST_F(SettingsFiles, AnFfxTextOfMoreThan255BytesKeepsTheRestInPlace) {
    const std::string longCode(300, 'r');
    dir.write("long.ffx", ffx_file("FFX", longCode));
    ASSERT_TRUE(ReadFFX(ff, folder(), "long.ffx"));
    EXPECT_EQ(ff.Record.CodeR, longCode);
    EXPECT_EQ(ff.Record.CodeG, "g");
    EXPECT_EQ(ff.Record.CtlValue[7], 70);
}

TEST_F(SettingsFiles, AnFfxWithAnotherMagicOrCutShortIsRefused) {
    dir.write("bad.ffx", ffx_file("FFY"));
    ff.Record.Title = "left over";
    EXPECT_FALSE(ReadFFX(ff, folder(), "bad.ffx"));
    EXPECT_EQ(ff.Record.Filename, "bad.ffx");
    EXPECT_EQ(ff.Record.Title, "");

    const std::string whole = ffx_file("FFX");
    dir.write("cut.ffx", whole.substr(0, whole.size() - 2));
    EXPECT_FALSE(ReadFFX(ff, folder(), "cut.ffx"));
    // A length that runs past the end of the file.
    dir.write("past.ffx", ffx_text("FFX") + std::string("\xFF\xFF\xFF\x7F", 4) + "abc");
    EXPECT_FALSE(ReadFFX(ff, folder(), "past.ffx"));
    EXPECT_FALSE(ReadFFX(ff, folder(), "missing.ffx"));
}
