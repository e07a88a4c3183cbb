#include "catalogue/readers.hpp"
#include "preferences/plugtypes.hpp"
#include "tests/support/pe_synth.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

using namespace vexolan::catalogue;
using pe_synth::PiplFilter;

namespace {

PluginInfoList read(const std::string& bytes, bool* ok = nullptr) {
    PluginInfoList list;
    MemoryBytes src(bytes);
    bool r = ReadCom8bfResources(src, list);
    if (ok) *ok = r;
    return list;
}

struct Kind {
    const char* name;
    bool pe64;
    std::uint32_t lfanew;
    int sectionsBefore;
};
// 32- and 64-bit files, and tables the fixed byte rule does not reach (found through the PE headers).
const Kind Kinds[] = {{"PE32", false, 0x80, 0},
                      {"PE32plus", true, 0x80, 0},
                      {"PE32FarTable", false, 0x400, 3},
                      {"PE32plusFarTable", true, 0x600, 5}};

struct ByKind : ::testing::TestWithParam<Kind> {};

} // namespace

TEST_P(ByKind, PiplWithTwoFiltersGivesNamesCategoriesAndPositions) {
    pe_synth::Options o;
    o.Pe64 = GetParam().pe64;
    o.LfaNew = GetParam().lfanew;
    o.SectionsBefore = GetParam().sectionsBefore;
    o.PointerToRawData = 0x800;
    o.Resources.push_back(pe_synth::Pipl({{"Twirl", "Distort", 5}, {"Wave", "Distort", 13}}));
    auto pe = pe_synth::Make(o);
    bool ok = false;
    auto list = read(pe.Bytes, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Title, "Twirl");
    EXPECT_EQ(list[1].Title, "Wave");
    for (int j = 0; j < 2; ++j) {
        EXPECT_EQ(list[j].Category, "Distort");
        // The category's property is the first, at resource byte 10: its first letter at S + D + 28.
        EXPECT_EQ(list[j].CatOffset, static_cast<std::int32_t>(pe.S + pe.Data[0][j] + 28));
        EXPECT_EQ(pe.Bytes[static_cast<std::size_t>(list[j].CatOffset - 1)], 'D');
    }
    EXPECT_EQ(list[0].CatRoom, 7 + 8); // 5 zeros, padded to 4 with 3 more
    EXPECT_EQ(list[1].CatRoom, 7 + 16);
}

TEST_P(ByKind, PimiWithMenuNamesGivesCategoriesFromPimiAndTitlesFromTheMenu) {
    pe_synth::Options o;
    o.Pe64 = GetParam().pe64;
    o.LfaNew = GetParam().lfanew;
    o.SectionsBefore = GetParam().sectionsBefore;
    o.PointerToRawData = 0xA00;
    o.Resources.push_back(pe_synth::Pimi({"Blur", "Noise"}, 40));
    o.Resources.push_back(pe_synth::Menu({"Soft", "Grain"}));
    auto pe = pe_synth::Make(o);
    bool ok = false;
    auto list = read(pe.Bytes, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Category, "Blur");
    EXPECT_EQ(list[0].Title, "Soft");
    EXPECT_EQ(list[1].Category, "Noise");
    EXPECT_EQ(list[1].Title, "Grain");
    // Kept as the program has always computed it: S + 3 - D.
    EXPECT_EQ(list[0].CatOffset, static_cast<std::int32_t>(pe.S) + 3 - static_cast<std::int32_t>(pe.Data[0][0]));
    EXPECT_EQ(list[1].CatRoom, 40 - 19);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ByKind, ::testing::ValuesIn(Kinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadCom8bf, PimiWithPiplReportsOnlyThePipl) {
    pe_synth::Options o;
    o.Resources.push_back(pe_synth::Pimi({"Old", "Older"}));
    o.Resources.push_back(pe_synth::Pipl({{"New", "Fresh"}}));
    auto list = read(pe_synth::Make(o).Bytes);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Category, "Fresh");
    EXPECT_EQ(list[0].Title, "New");
}

TEST(ReadCom8bf, NameWithoutCategoryKeepsTheTitleAndFails) {
    pe_synth::Options o;
    o.Resources.push_back(pe_synth::Pipl({{"Lonely", std::nullopt}}));
    bool ok = true;
    auto list = read(pe_synth::Make(o).Bytes, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(list.at(0).Title, "Lonely");
    EXPECT_EQ(list.at(0).Category, "");
}

TEST(ReadCom8bf, RootWithoutNamedEntriesFails) {
    pe_synth::Options o;
    auto pe = pe_synth::Make(o);
    bool ok = true;
    read(pe.Bytes, &ok);
    EXPECT_FALSE(ok);
}

TEST(ReadCom8bf, TableBeyondTheByteRuleWithoutPeHeadersFails) {
    pe_synth::Options o;
    o.LfaNew = 0x400;
    o.SectionsBefore = 3; // the .rsrc header at 1392, beyond the byte rule's last offset
    o.PointerToRawData = 0x800;
    o.Resources.push_back(pe_synth::Pipl({{"Far", "Away"}}));
    auto pe = pe_synth::Make(o);
    bool ok = false;
    read(pe.Bytes, &ok);
    EXPECT_TRUE(ok);
    pe.Bytes[0x400] = 'X'; // "PE\0\0" broken: nothing names the .rsrc section any more
    read(pe.Bytes, &ok);
    EXPECT_FALSE(ok);
}

TEST(ReadCom8bf, MenuDirectoryWithFewerEntriesThanPimiStopsAtItsCount) {
    pe_synth::Options o;
    o.Resources.push_back(pe_synth::Pimi({"A", "B", "C"}));
    o.Resources.push_back(pe_synth::Menu({"One"}));
    auto list = read(pe_synth::Make(o).Bytes);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Title, "One");
    EXPECT_EQ(list[1].Title, "");
    EXPECT_EQ(list[2].Title, "");
}

// Every prefix and random damage to headers and directories: each read returns, inside its bytes.
TEST(ReadCom8bf, PrefixesAndFlippedBytesNeverReadOutside) {
    pe_synth::Options o;
    o.Resources.push_back(pe_synth::Pimi({"Blur"}));
    o.Resources.push_back(pe_synth::Pipl({{"Twirl", "Distort"}, {"Wave", "Distort"}}));
    o.Resources.push_back(pe_synth::Menu({"Soft"}));
    o.Extra = pe_synth::VersionString("ProductName", "Alpha");
    auto pe = pe_synth::Make(o);
    for (std::size_t n = 0; n <= pe.Bytes.size(); ++n) {
        std::string prefix = pe.Bytes.substr(0, n);
        read(prefix);
        std::string cy, fy;
        std::int32_t placy = 0, room = 0;
        MemoryBytes src(prefix);
        ReadComprmBytes(src, cy, fy, placy, room);
    }
    std::mt19937 rng(15);
    const std::size_t hot = std::min(pe.Bytes.size(), std::size_t{pe.S} + 600); // headers and directories
    for (int round = 0; round < 4000; ++round) {
        std::string bytes = pe.Bytes;
        for (int k = 0; k < 4; ++k) {
            std::size_t at = rng() % hot;
            bytes[at] = static_cast<char>(rng() % 3 == 0 ? 0xFF : rng());
        }
        read(bytes);
        std::string cy, fy;
        std::int32_t placy = 0, room = 0;
        MemoryBytes src(bytes);
        ReadComprmBytes(src, cy, fy, placy, room);
        ReadVersionBytes(bytes, static_cast<int>(rng() % 3));
    }
}

TEST(ReadCom8bf, EntriesAndSizesBeyondTheSectionEndTheRead) {
    pe_synth::Options o;
    o.Resources.push_back(pe_synth::Pipl({{"Twirl", "Distort"}}));
    auto pe = pe_synth::Make(o);
    std::string far = pe.Bytes;
    pe_synth::PutU32(far, pe.S + pe.DataEntry[0][0] + 4, 0xFFFFFF); // Size far beyond the section
    EXPECT_EQ(read(far).at(0).Title, "Twirl");
    std::string gone = pe.Bytes;
    pe_synth::PutU32(gone, pe.S + pe.DataEntry[0][0], 0x7FFFFF); // data beyond the section
    bool ok = true;
    read(gone, &ok);
    EXPECT_FALSE(ok);
}

// --- ReadComprm ---

namespace {
std::string premiere(std::size_t length) {
    return std::string(length, '\x11');
}
bool comprm(const std::string& bytes, std::string& cy, std::string& fy, std::int32_t& placy, std::int32_t& room) {
    MemoryBytes src(bytes);
    return ReadComprmBytes(src, cy, fy, placy, room);
}
} // namespace

TEST(ReadComprm, VideoFilterTitleAtEightOrSixteen) {
    std::string f = premiere(20000);
    pe_synth::Put(f, 1002, std::string("tlFV") + "\x05\x05\x05\x05" + "Glow" + std::string(4, '\0'));
    std::string cy, fy;
    std::int32_t placy = 0, room = 0;
    EXPECT_TRUE(comprm(f, cy, fy, placy, room));
    EXPECT_EQ(cy, "[Premiere Video]");
    EXPECT_EQ(fy, "Glow");
    EXPECT_EQ(placy, 1002 + 8 + 2);

    std::string g = premiere(20000);
    pe_synth::Put(g, 1002, std::string("tlFV") + std::string("\x05\x05\x05\x05\x01\0\0\0\0\0\0\0", 12) + "Haze" + '\0');
    cy.clear();
    fy.clear();
    EXPECT_TRUE(comprm(g, cy, fy, placy, room));
    EXPECT_EQ(fy, "Haze");
    EXPECT_EQ(placy, 1002 + 16 + 2);
}

TEST(ReadComprm, VideoCodeFollowedByMIsIgnored) {
    std::string f = premiere(20000);
    pe_synth::Put(f, 1002, std::string("tlFVMI\x05\x05") + "Glow" + std::string(4, '\0'));
    std::string cy, fy;
    std::int32_t placy = 0, room = 0;
    EXPECT_FALSE(comprm(f, cy, fy, placy, room));
}

TEST(ReadComprm, CategoryNearTheWindowEndExtendsItAndTheSearchEnds) {
    // Without a section header the first window is [2, 7000]: a category 60 bytes before its end.
    std::string f = premiere(40000);
    pe_synth::Put(f, 6942, std::string("MIB8gtac") + std::string(8, '\0') + "\x04Warp" + std::string(6, '\0'));
    pe_synth::Put(f, 6902,
                  std::string("MIB8eman") + std::string(8, '\0') +
                      "\x03"
                      "Arc" +
                      std::string(4, '\0'));
    std::string cy, fy;
    std::int32_t placy = 0, room = 0;
    EXPECT_TRUE(comprm(f, cy, fy, placy, room));
    EXPECT_EQ(cy, "Warp");
    EXPECT_EQ(fy, "Arc");
    EXPECT_EQ(placy, 6942 + 18);
    EXPECT_EQ(room, 4 + 6);

    // 40 bytes before the end of the file: the window is extended once, with zeros, and the search ends.
    std::string g = premiere(40000);
    pe_synth::Put(g, 39962, std::string("MIB8gtac") + std::string(8, '\0') + "\x04Warp");
    cy.clear();
    fy.clear();
    EXPECT_FALSE(comprm(g, cy, fy, placy, room));
    EXPECT_EQ(cy, "Warp");
}

TEST(ReadComprm, TransitionTakesTheShorterName) {
    std::string f = premiere(20000);
    pe_synth::Put(f, 1002, std::string("XFPS") + "\x05\x05\x05\x05" + std::string("Wipe\0\0\0\0Left\0", 13));
    std::string cy, fy;
    std::int32_t placy = 0, room = 0;
    EXPECT_TRUE(comprm(f, cy, fy, placy, room));
    EXPECT_EQ(cy, "[Premiere Transition]");
    EXPECT_EQ(fy, "Left");
}

// --- version information and user types ---

TEST(ReadVersion, ValuesAreJoinedAndAnEmptyValueAddsNothing) {
    std::string f(64, '\x01');
    f += pe_synth::VersionString("ProductName", "Alpha");
    f += pe_synth::VersionString("InternalName", "");
    f += pe_synth::VersionString("FileDescription", "Described");
    f += pe_synth::VersionString("ProductName", "Beta");
    EXPECT_EQ(ReadVersionBytes(f, 2), "AlphaBeta");
    EXPECT_EQ(ReadVersionBytes(f, 0), "Described");
    EXPECT_EQ(ReadVersionBytes(f, 1), "");
}

TEST(ReadOther8b, TypeNameAndTitleFromTheFileNameOrTheVersion) {
    test_support::TempDir dir{"other"};
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(dir.path() / name, std::ios::binary) << bytes;
        return (dir.path() / name).string();
    };
    vexolan::PlugTypeTable types;
    types.resize(2);
    types.set(1, "Tools", "abc", "3");
    std::string cy, fy;
    EXPECT_TRUE(ReadOther8b(types, true, write("tool.abc", "x"), cy, fy));
    EXPECT_EQ(cy, "[Tools]");
    EXPECT_EQ(fy, "tool");

    types.set(1, "Tools", "abc", "2");
    cy.clear();
    fy.clear();
    EXPECT_TRUE(
        ReadOther8b(types, true, write("box.abc", "xx" + pe_synth::VersionString("ProductName", "Toolbox")), cy, fy));
    EXPECT_EQ(fy, "Toolbox");

    cy.clear();
    fy.clear();
    EXPECT_FALSE(ReadOther8b(types, true, write(".hidden.abc", "x"), cy, fy));
}
