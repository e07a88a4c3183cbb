// Formulas of a megabyte, as a downloaded file may hold: read correctly, and (benchmark, disabled)
// read in about the time of copying the same bytes. Run the benchmark with
//     build/tests_filterfactory --gtest_also_run_disabled_tests --gtest_filter='LongFormula*'
#include "filterfactory/library.hpp"
#include "filterfactory/rewrite.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>

using namespace vexolan::ff;

namespace {

// A formula of about `bytes` bytes with something for every rewriting rule in each piece.
std::string long_formula(std::size_t bytes) {
    static constexpr std::string_view Piece = "src(x,y,0) + T*mix(r,g,M/2)+sqr(x*x+y*y)-pmax+(76*r+150*g+29*b)/256 ";
    std::string f;
    f.reserve(bytes + Piece.size());
    while (f.size() < bytes)
        f += Piece;
    return f;
}

std::string afs_bytes(const std::string& red) {
    return "%RGB-1.0\r0\r0\r0\r0\r0\r0\r0\r0\r" + red + "\r\rg\r\rb\r\ra\r\r";
}

std::string pff_bytes(const std::string& blue) {
    return "%RGB-1.0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r" + blue + "\r\rg\r\rr\r\ra\r\r";
}

std::string text_bytes(const std::string& red) {
    return "Title: Long\r\nFilename: long.8bf\r\n\r\nR:" + red + "\r\n\r\nG:g\r\n\r\nB:b\r\n\r\nA:a\r\n\r\n";
}

struct LongFormula : ::testing::Test {
    test_support::TempDir dir{"longformula"};
    test_support::ScriptedHost host;
    FFContext ff;
    void SetUp() override { ff.Host = &host; }
    std::string folder() const { return dir.path().string(); }
};

double seconds_of(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST_F(LongFormula, AMegabyteFormulaReadsCorrectlyFromEachKindOfFile) {
    const std::string red = long_formula(1 << 20);
    const std::string optimized = OptimizeFormula(red, 0, false);
    ASSERT_LT(optimized.size(), red.size());
    EXPECT_EQ(optimized.substr(0, 26), "c+total*mix(r,g,M/2)+c2m(x");

    dir.write("long.afs", afs_bytes(red));
    // Compared as a whole, never printed: a megabyte in a failure message helps nobody.
    ASSERT_TRUE(ReadAFS(ff, folder(), "long.afs"));
    EXPECT_TRUE(ff.Record.CodeR == optimized);
    EXPECT_EQ(ff.Record.CodeG, "g");

    dir.write("long.txt", text_bytes(red));
    ASSERT_TRUE(ReadTXT(ff, folder(), "long.txt", true, false));
    EXPECT_TRUE(ff.Record.CodeR == optimized);

    dir.write("long.pff", pff_bytes(red));
    ASSERT_TRUE(LoadIt(ff, folder() + "/long.pff"));
    std::string premiere = OptimizeFormula(red, 2, false);
    EXPECT_TRUE(ff.Record.CodeB == Correctprmcode(premiere));
    EXPECT_EQ(ff.Record.CodeB.substr(0, 28), "src(x,y,0)+total*mix(g,r,M)+");
}

TEST_F(LongFormula, DISABLED_ReadTimesNextToACopyOfTheSameBytes) {
    for (std::size_t size : {std::size_t(100) << 10, std::size_t(1) << 20}) {
        const std::string red = long_formula(size);
        struct Kind {
            std::string Name, Bytes;
            std::function<bool()> Read;
        };
        std::vector<Kind> kinds{
            {"long.afs", afs_bytes(red), [&] { return ReadAFS(ff, folder(), "long.afs"); }},
            {"long.txt", text_bytes(red), [&] { return ReadTXT(ff, folder(), "long.txt", true, false); }},
            {"long.pff", pff_bytes(red), [&] { return LoadIt(ff, folder() + "/long.pff"); }},
        };
        for (auto& kind : kinds) {
            dir.write(kind.Name, kind.Bytes);
            bool ok = false;
            const double read = seconds_of([&] { ok = kind.Read(); });
            EXPECT_TRUE(ok);
            const double copy = seconds_of([&] {
                std::filesystem::copy_file(dir / kind.Name, dir / "copy",
                                           std::filesystem::copy_options::overwrite_existing);
                (void)test_support::read_file(dir / "copy");
            });
            std::cout << kind.Name << " with a " << size / 1024 << " KB formula: read " << read * 1000 << " ms, copy "
                      << copy * 1000 << " ms\n";
        }
    }
}
