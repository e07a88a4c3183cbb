// A library's count line does not bound it below the other sources' bound: the reader ignores the
// count, so a library of ordinary size unpacks whatever its second line says, and only one larger
// than that bound and its count's room is refused.
#include "filterfactory/library.hpp"
#include "filterfactory/names.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/ff_sources.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vexolan;
using ff_synth::JoinLines;

namespace {

// An entry of about the size of a real one: names, texts and three formulas of some length.
std::string entry(int number) {
    const std::string n = (number < 10 ? "0" : "") + std::to_string(number);
    const std::string code = "min(255, r*ctl(0)/128 + g*ctl(1)/256 + b*ctl(2)/512 + " + n + ")";
    return JoinLines({"filter" + n + ".8bf", "Library Count", "Filter number " + n, "Someone Somewhere",
                      "(c) Someone Somewhere, all rights reserved"}) +
           // the four map names, the eight control names, the eight values
           JoinLines(
               {"Angle", "Radius", "", "", "Red amount", "Green amount", "Blue amount", "Offset", "", "", "", ""}) +
           JoinLines({"128", "64", "32", n, "0", "0", "0", "0"}) + JoinLines({code, code, code, "a"});
}

std::string library(std::string_view count, int entries) {
    std::string out = JoinLines({"FFL1.0", count});
    for (int i = 1; i <= entries; ++i)
        out += entry(i);
    return out;
}

struct LibraryCountTest : test_support::AppTest {
    std::filesystem::path out = root.path() / "unpacked";
    std::size_t written() const {
        std::size_t n = 0;
        if (std::filesystem::exists(out))
            for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(out))
                ++n;
        return n;
    }
};

} // namespace

TEST_F(LibraryCountTest, ACountOfZeroOrJunkUnpacksEveryEntryAndOnlyAHugeLibraryIsRefused) {
    for (const std::string count : {"    0", "abcde"}) {
        SCOPED_TRACE(count);
        std::filesystem::remove_all(out);
        const std::string bytes = library(count, 60);
        ASSERT_GT(bytes.size(), ff::LibraryBytesPerEntry);
        ff::Convertffl(app, root.write("lib.ffl", bytes).string(), out.string(), ff::DestText);
        EXPECT_EQ(written(), 60u);
        EXPECT_TRUE(std::filesystem::exists(out / "filter60.txt"));
    }
    EXPECT_TRUE(host.message_boxes().empty());

    // Larger than any source: refused by name and size, whatever the count.
    std::filesystem::remove_all(out);
    const std::uint64_t huge = ff::LibraryLeastBound + 1;
    const auto path = root.write("huge.ffl", library("    0", 1));
    std::filesystem::resize_file(path, huge);
    host.answer_msgbox(
        ui::vbOK, "This file could not be read as a filter and was skipped:\r\nhuge.ffl (" + ff::SizeText(huge) + ")",
        ui::vbExclamation, "Convert");
    ff::Convertffl(app, path.string(), out.string(), ff::DestText);
    EXPECT_EQ(written(), 0u);
}
