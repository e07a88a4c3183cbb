// The raw search of a huge Premiere plug-in: read in slices of a few MB whatever the file's size,
// finding what lies across a slice's end, and ended between slices when asked.
#include "catalogue/readers.hpp"
#include "shell/App.hpp"
#include "tests/shell/main_window_fixture.hpp"
#include "tests/support/pe_synth.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

using namespace vexolan;
using namespace vexolan::catalogue;

namespace {

// A file of `length` zero bytes with some texts laid in, that records what is read of it.
class SparseFile : public ByteSource {
public:
    explicit SparseFile(std::uint64_t length) : length_(length) {}
    void put(std::uint64_t at, std::string bytes) { texts_[at] = std::move(bytes); }
    std::uint64_t Length() const override { return length_; }
    std::string Read(std::uint64_t position, std::size_t length) const override {
        if (position >= length_) return {};
        length = static_cast<std::size_t>(std::min<std::uint64_t>(length, length_ - position));
        largest = std::max(largest, length);
        total += length;
        std::string out(length, '\0');
        for (const auto& [at, text] : texts_)
            for (std::size_t i = 0; i < text.size(); ++i)
                if (at + i >= position && at + i < position + length) out[at + i - position] = text[i];
        return out;
    }
    mutable std::size_t largest = 0;
    mutable std::uint64_t total = 0;

private:
    std::uint64_t length_;
    std::map<std::uint64_t, std::string> texts_;
};

// A PiPL property as the search finds it: key, 8 bytes, then a length byte and the letters.
std::string property(std::string_view key, std::string_view text) {
    std::string p = "MIB8" + std::string(key) + std::string(8, '\0');
    p += static_cast<char>(text.size());
    p += text;
    return p;
}

constexpr std::uint64_t MiB = 1 << 20;
// What one read may take: a slice of a few MB and the bytes after it that a match may look at.
constexpr std::size_t ReadBound = 4 * MiB + 8192;

struct HugePrmScan : test_support::MainWindowTest {
    HugePrmScan() { open_folder(0, folder()); }
};

} // namespace

TEST(PrmSearchSlices, WhatLiesAcrossASliceEndIsFoundWithBoundedReads) {
    // 64 MiB: the window from 0 to 11% of the file is searched in two slices; the category's
    // property starts 8 bytes before the first slice's end and its letters run into the next one.
    SparseFile file(64 * MiB);
    const std::string category(200, 'C');
    const std::uint64_t tag = 2 + 4 * MiB - 8;
    file.put(tag, property("gtac", category));
    file.put(tag + 512, property("eman", "Huge Title"));
    std::string cy, fy;
    std::int32_t placy = 0, room = 0;
    EXPECT_TRUE(ReadComprmBytes(file, cy, fy, placy, room));
    EXPECT_EQ(cy, category);
    EXPECT_EQ(fy, "Huge Title");
    EXPECT_EQ(placy, static_cast<std::int32_t>(tag + 18));
    EXPECT_LE(file.largest, ReadBound);

    // Nothing to find: every window is searched to its end, still in bounded reads.
    SparseFile empty(256 * MiB);
    cy.clear();
    fy.clear();
    EXPECT_FALSE(ReadComprmBytes(empty, cy, fy, placy, room));
    EXPECT_LE(empty.largest, ReadBound);
    EXPECT_GE(empty.total, 256 * MiB);
}

TEST(PrmSearchSlices, AStopRequestEndsTheSearchBetweenSlices) {
    SparseFile file(256 * MiB);
    file.put(200 * MiB + 2, property("gtac", "Late"));
    file.put(200 * MiB + 2 + 64, property("eman", "Found too late"));
    int asked = 0;
    std::string cy, fy;
    std::int32_t placy = 0, room = 0;
    EXPECT_FALSE(ReadComprmBytes(file, cy, fy, placy, room, [&] { return ++asked >= 2; }));
    EXPECT_EQ(asked, 2);
    // Two slices and the small windows before them, not the file.
    EXPECT_LE(file.total, 3 * ReadBound);
}

// The same on a real file in a temporary folder, through the Plugin View's scan: a held Esc ends the
// search of a huge .prm between its slices, the file counts as unreadable, and the scan stops after
// it, before the plug-in that follows.
TEST_F(HugePrmScan, EscEndsTheSearchAndTheScan) {
    // Sparse: 256 MiB that take no room; the names lie where only a search of the whole file finds them.
    const auto big = data.path() / "big.prm";
    {
        std::ofstream out(big, std::ios::binary);
        out.seekp(static_cast<std::streamoff>(120 * MiB + 2));
        out << property("gtac", "Late");
        out.seekp(static_cast<std::streamoff>(120 * MiB + 2 + 64));
        out << property("eman", "Found too late");
    }
    std::filesystem::resize_file(big, 256 * MiB);
    data.write("zz.8bf", pe_synth::FilterFactoryPlugin("Twirl", "Distort"));

    // Without Esc the search finds the names.
    std::string cy, fy;
    std::int32_t placy = 0, room = 0;
    ASSERT_TRUE(ReadComprm(big.string(), cy, fy, placy, room));
    EXPECT_EQ(cy, "Late");

    // Esc is down from the scan's look before the first slice after the first: the folder's look
    // (1), the look before big.prm (2), the search's first look between slices (3).
    host.press_key_from_poll(ui::vbKeyEscape, 3);
    f.SSTab1[0].user_select_tab(2);
    const auto& catalog = app.PluginCatalog[0];
    std::vector<std::string> categories;
    for (int r = 1; r <= catalog.RowBound(); ++r)
        categories.push_back(catalog.Category[static_cast<std::size_t>(r)]);
    EXPECT_EQ(categories, std::vector<std::string>{"[Unknown]"});
}
