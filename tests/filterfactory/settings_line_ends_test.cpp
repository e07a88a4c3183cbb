// Settings files as they arrive from elsewhere: with CR, CR LF or LF line ends they read to the same
// filter; cut short, empty or foreign they are refused.
#include "filterfactory/settings_files.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/afs_samples.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace vexolan::ff;

namespace {

// `bytes` with every line end, CR LF, LF or CR, written as the format's own CR.
std::string with_cr_line_ends(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        out += bytes[i] == '\n' ? '\r' : bytes[i];
    }
    return out;
}

// `bytes` with every lone CR (the format's own line end) written as `end`.
std::string with_line_ends(std::string_view bytes, std::string_view end) {
    std::string out;
    for (char c : bytes)
        c == '\r' ? out += end : out += c;
    return out;
}

class SettingsLineEnds : public ::testing::Test {
protected:
    test_support::TempDir dir{"fflineends"};
    test_support::ScriptedHost host;
    FFContext ff;

    void SetUp() override { ff.Host = &host; }
    // Reads `bytes` as the settings file `name`; the record read, or nothing.
    std::optional<FilterRecord> read(std::string_view name, std::string_view bytes) {
        dir.write(name, bytes);
        const bool pff = name.ends_with(".pff");
        if (!(pff ? ReadPFF(ff, dir.path().string(), name) : ReadAFS(ff, dir.path().string(), name)))
            return std::nullopt;
        return ff.Record;
    }
    void expect_same_with_each_line_end(const std::string& name, std::string_view bytes);
    void expect_same(const FilterRecord& a, const FilterRecord& b) {
        ff_synth::ExpectSameFilter(a, b);
        EXPECT_EQ(a.Title, b.Title);
        EXPECT_EQ(a.Category, b.Category);
    }
};

} // namespace

// Each file, written with CR, CR LF and LF line ends, reads to the same filter.
void SettingsLineEnds::expect_same_with_each_line_end(const std::string& name, std::string_view bytes) {
    SCOPED_TRACE(name);
    const std::string own = with_cr_line_ends(bytes);
    const auto cr = read("x.afs", own);
    ASSERT_TRUE(cr);
    for (std::string_view end : {"\r\n", "\n"}) {
        const auto other = read("x.afs", with_line_ends(own, end));
        ASSERT_TRUE(other);
        expect_same(*other, *cr);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(other->Code(k).find_first_of("\r\n"), std::string::npos);
    }
}

TEST_F(SettingsLineEnds, SampleAfsFilesReadTheSameWithEachLineEnd) {
    for (const auto& sample : test_support::AfsSamples())
        expect_same_with_each_line_end(sample.Name, sample.Bytes);
}

TEST_F(SettingsLineEnds, RealAfsFilesReadTheSameWithEachLineEnd) {
    const auto folder = test_support::RealAfsFolder();
    if (!folder) GTEST_SKIP() << test_support::NoRealFiles;
    for (const auto& name : test_support::AfsFilesIn(*folder))
        expect_same_with_each_line_end(name, test_support::read_file(*folder / name));
}

TEST_F(SettingsLineEnds, AnAfsFileWithItsNamesTailReadsTheSameWithEachLineEnd) {
    ff.Record = ff_synth::FullRecord();
    ff.Record.Filename = "full.afs";
    ff.pFlag = true;
    ASSERT_TRUE(Writeafspff(ff, dir.path().string(), 0));
    const std::string bytes = test_support::read_file(dir / "full.afs");
    const auto cr = read("full.afs", bytes);
    ASSERT_TRUE(cr);
    EXPECT_EQ(cr->Author, ff_synth::FullRecord().Author);
    for (std::string_view end : {"\r\n", "\n"}) {
        const auto other = read("full.afs", with_line_ends(bytes, end));
        ASSERT_TRUE(other);
        expect_same(*other, *cr);
        EXPECT_EQ(other->CtlName, cr->CtlName);
    }
    // A blank line more at the end, as some editors add, is no tail and no damage.
    const auto trailing = read("full.afs", with_line_ends(bytes, "\n") + "\n");
    ASSERT_TRUE(trailing);
    expect_same(*trailing, *cr);
}

TEST_F(SettingsLineEnds, PffFilesReadTheSameInEachOfTheirLayoutsAndLineEnds) {
    const std::string values = "%RGB-1.0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r";
    const auto expected = read("p.pff", values + "B+1\r\rG+2\r\rR+3\r\rA+4\r\r");
    ASSERT_TRUE(expected);
    EXPECT_EQ(expected->CodeB, "B+1");
    const std::string separated = "%RGB-1.0\r\r1\r\r2\r\r3\r\r4\r\r5\r\r6\r\r7\r\r8\r\rB+1\r\rG+2\r\rR+3\r\rA+4\r\r";
    const std::string oneItemPerLine = "%RGB-1.0\r1\r2\r3\r4\r5\r6\r7\r8\rB+1\rG+2\rR+3\rA+4\r";
    for (const std::string& layout : {separated, oneItemPerLine}) {
        for (std::string_view end : {"\r", "\r\n", "\n"}) {
            SCOPED_TRACE(testing::PrintToString(with_line_ends(layout, end)));
            const auto other = read("p.pff", with_line_ends(layout, end));
            ASSERT_TRUE(other);
            expect_same(*other, *expected);
        }
    }
}

TEST_F(SettingsLineEnds, CutEmptyAndForeignFilesAreRefused) {
    // A plain sample with CR line ends and each formula on one line.
    const std::string bytes = test_support::SampleBytes("stripes.afs");
    // Cut after the header, after the second value, inside the values, after them and before the
    // alpha formula (counted in line ends).
    for (int lines : {1, 3, 5, 9, 11, 15}) {
        std::size_t cut = 0;
        for (int n = 0; n < lines; ++n)
            cut = bytes.find('\r', cut) + 1;
        EXPECT_FALSE(read("cut.afs", bytes.substr(0, cut))) << "cut after " << lines << " lines";
        EXPECT_FALSE(read("cut.afs", with_line_ends(bytes.substr(0, cut), "\r\n"))) << "cut after " << lines;
    }
    EXPECT_FALSE(read("empty.afs", ""));
    EXPECT_FALSE(read("blank.afs", "\r\n\r\n"));
    std::mt19937 rng(7);
    std::string noise(4096, '\0');
    for (char& c : noise)
        c = static_cast<char>(rng());
    EXPECT_FALSE(read("noise.afs", noise));
    EXPECT_FALSE(read("text.afs", "Category: x\r\nTitle: y\r\nR: r\r\n"));
    // The header may stand among blanks.
    EXPECT_TRUE(read("blanks.afs", " %RGB-1.0 " + bytes.substr(bytes.find('\r'))));

    const std::string pff = "%RGB-1.0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\rB+1\r\rG+2\r\rR+3\r\r";
    EXPECT_FALSE(read("short.pff", pff));
    EXPECT_FALSE(read("empty.pff", ""));
    EXPECT_TRUE(read("whole.pff", pff + "A+4\r\r"));
}
