// Reading Filter Factory plug-ins of every accepted layout into the current filter.
#include "filterfactory/layouts.hpp"
#include "filterfactory/plugin_reader.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/ff_synth.hpp"
#include "tests/support/ff_synth_expect.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

using namespace vexolan::ff;
using ff_synth::Layout;

namespace {

class PluginReader : public ::testing::Test {
protected:
    test_support::TempDir dir{"ff8bf"};
    test_support::ScriptedHost host;
    FFContext ff;
    int refreshes = 0;

    void SetUp() override {
        ff.Host = &host;
        ff.RefreshActivePane = [this] { ++refreshes; };
    }
    void TearDown() override { EXPECT_TRUE(host.message_boxes().empty()) << "the plug-in reader shows no message"; }

    bool read(const std::string& bytes, bool silent = false, bool optimize = false) {
        dir.write("f.8bf", bytes);
        std::string folder = dir.path().string();
        return Read8bf(ff, folder, "f.8bf", silent, optimize);
    }
};

void expect_all_fields(const FilterRecord& r) {
    EXPECT_EQ(r.Filename, "f.8bf");
    EXPECT_EQ(r.Title, "SynTitle");
    EXPECT_EQ(r.Category, "SynCategory");
    EXPECT_EQ(r.Author, "SynAuthor");
    // Maps 0 and 2 are in use, so are controls 2, 3, 6 and 7; the other names stay empty even though
    // their slots hold text.
    ff_synth::ExpectDistinctControlsAndCode(r);
}

class EveryLayout : public PluginReader, public ::testing::WithParamInterface<Layout> {};

} // namespace

TEST_P(EveryLayout, ReadsEveryFieldAndMarksTheCodeAsPhotoshopSyntax) {
    ff.pFlag = false;
    ASSERT_TRUE(read(ff_synth::MakePlugin(GetParam(), ff_synth::DistinctFields())));
    expect_all_fields(ff.Record);
    EXPECT_TRUE(ff.pFlag);
}

TEST_P(EveryLayout, SilentReadsOnlyTitleAndCategory) {
    ASSERT_TRUE(read(ff_synth::MakePlugin(GetParam(), ff_synth::DistinctFields()), true));
    EXPECT_EQ(ff.Record.Title, "SynTitle");
    EXPECT_EQ(ff.Record.Category, "SynCategory");
    EXPECT_EQ(ff.Record.Copyright + ff.Record.Author + ff.Record.MapName[0] + ff.Record.CtlName[2], "");
    EXPECT_EQ(ff.Record.CtlValue[0], 0);
    EXPECT_EQ(ff.Record.CodeR + ff.Record.CodeA, "");
}

TEST_P(EveryLayout, AWrongSignatureIsNotAPluginAndLeavesOnlyTheFileName) {
    ff.Record.Title = "left over";
    const bool mac = GetParam() == Layout::Mac99712 || GetParam() == Layout::Mac99840;
    EXPECT_FALSE(read(ff_synth::MakePlugin(GetParam(), ff_synth::DistinctFields(), mac ? "Factori" : "FilterFactory")));
    EXPECT_EQ(ff.Record.Filename, "f.8bf");
    EXPECT_EQ(ff.Record.Title, "");
    EXPECT_EQ(ff.Record.Category, "");
}

TEST_P(EveryLayout, AFileOneByteLongerOrShorterIsNotAPlugin) {
    std::string bytes = ff_synth::MakePlugin(GetParam(), ff_synth::DistinctFields());
    EXPECT_FALSE(read(bytes + '\0'));
    bytes.pop_back();
    EXPECT_FALSE(read(bytes));
    EXPECT_EQ(ff.Record.Title, "");
}

INSTANTIATE_TEST_SUITE_P(FilterFactory, EveryLayout, ::testing::ValuesIn(ff_synth::AllLayouts),
                         [](const auto& info) { return ff_synth::NameOf(info.param); });

TEST_F(PluginReader, AcceptsEachOfTheThreeSignatures) {
    for (const char* signature : {"Filter-Factory", "Filter Factory"}) {
        EXPECT_TRUE(read(ff_synth::MakePlugin(Layout::Pc57344, ff_synth::DistinctFields(), signature))) << signature;
    }
    // " FilterFactory" in a 57344-byte file is a signature, but only 49152 and 50176 bytes take their
    // texts from the block: here the title field holds the title.
    EXPECT_TRUE(read(ff_synth::MakePlugin(Layout::Pc57344, ff_synth::DistinctFields(), " FilterFactory")));
    EXPECT_EQ(ff.Record.Title, "SynTitle");
}

TEST_F(PluginReader, The49152LayoutWithAnOrdinarySignatureReadsTheTitleFieldNotTheBlock) {
    // The variant's own file carries decoys in the title fields; with "Filter-Factory" they are the title.
    std::string bytes = ff_synth::MakePlugin(Layout::Variant49152, ff_synth::DistinctFields(), "Filter-Factory");
    ASSERT_TRUE(read(bytes));
    EXPECT_EQ(ff.Record.Title, "DecoyTitle");
    EXPECT_EQ(ff.Record.Category, "DecoyCategory");
}

TEST_F(PluginReader, ACategoryOfOneLetterOrOfBlanksBecomesPhotoshop) {
    for (const char* category : {"X", "   ", "", " X "}) {
        auto f = ff_synth::DistinctFields();
        f.Category = category;
        ASSERT_TRUE(read(ff_synth::MakePlugin(Layout::Pc57344, f)));
        EXPECT_EQ(ff.Record.Category, "Photoshop") << '"' << category << '"';
    }
    auto f = ff_synth::DistinctFields();
    f.Category = "\xE9t"; // two characters, one of them outside ASCII
    ASSERT_TRUE(read(ff_synth::MakePlugin(Layout::Pc57344, f)));
    EXPECT_EQ(ff.Record.Category, "\xC3\xA9t");
}

TEST_F(PluginReader, ValuesAreReadWhateverTheFlagsAndNamesOnlyWhenTheirFlagIsOne) {
    auto f = ff_synth::DistinctFields();
    f.MapUsed.fill(false);
    f.CtlUsed.fill(false);
    ASSERT_TRUE(read(ff_synth::MakePlugin(Layout::Pc49152, f)));
    for (const auto& name : ff.Record.MapName)
        EXPECT_EQ(name, "");
    for (const auto& name : ff.Record.CtlName)
        EXPECT_EQ(name, "");
    EXPECT_EQ(ff.Record.CtlValue[7], 88);
}

TEST_F(PluginReader, MacBinaryTextsAreCutToTheirLengthByte) {
    auto f = ff_synth::DistinctFields();
    f.PascalTail = "~beyond";
    ASSERT_TRUE(read(ff_synth::MakePlugin(Layout::Mac99840, f)));
    expect_all_fields(ff.Record);
}

TEST_F(PluginReader, PcTitlesRunToTheirZeroWhateverTheLengthByte) {
    std::string bytes = ff_synth::MakePlugin(Layout::Pc57344, ff_synth::DistinctFields());
    bytes[31011 - 1] = 3;
    ASSERT_TRUE(read(bytes));
    EXPECT_EQ(ff.Record.Title, "SynTitle");
}

TEST_F(PluginReader, FormulasLoseTheirCommentsAndLineBreaks) {
    auto f = ff_synth::DistinctFields();
    f.Formulas[0] = "r // red\r\n+ 1";
    ASSERT_TRUE(read(ff_synth::MakePlugin(Layout::Pc57344, f)));
    EXPECT_EQ(ff.Record.CodeR, "r + 1");
}

TEST_F(PluginReader, OptimizeCleansTheFormulasAfterReading) {
    auto f = ff_synth::DistinctFields();
    f.Formulas[0] = "src(x,y,0) + T";
    ASSERT_TRUE(read(ff_synth::MakePlugin(Layout::Pc57344, f), false, true));
    EXPECT_EQ(ff.Record.CodeR, "c+total");
    bool noOptimization = true;
    ff.NoCodeOptimization = [&] { return noOptimization; };
    ASSERT_TRUE(read(ff_synth::MakePlugin(Layout::Pc57344, f), false, true));
    EXPECT_EQ(ff.Record.CodeR, "src(x,y,0) + total");
}

TEST_F(PluginReader, AMissingFileRefreshesTheActivePaneAndFails) {
    std::string folder = dir.path().string();
    EXPECT_FALSE(Read8bf(ff, folder, "gone.8bf", false, false));
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(ff.Record.Filename, "gone.8bf");
}

TEST_F(PluginReader, TheFolderGetsItsSeparator) {
    dir.write("f.8bf", ff_synth::MakePlugin(Layout::Pc57344, ff_synth::DistinctFields()));
    std::string folder = dir.path().string();
    ASSERT_TRUE(Read8bf(ff, folder, "f.8bf", true, false));
    EXPECT_EQ(folder, dir.path().string() + "/");
    ASSERT_TRUE(Read8bf(ff, folder, "f.8bf", true, false));
    EXPECT_EQ(folder, dir.path().string() + "/");
    EXPECT_EQ(refreshes, 0);
}

TEST_F(PluginReader, AFolderOfThatNameIsAMissingFile) {
    std::filesystem::create_directory(dir / "sub.8bf");
    std::string folder = dir.path().string();
    EXPECT_FALSE(Read8bf(ff, folder, "sub.8bf", false, false));
    EXPECT_EQ(refreshes, 1);
}

TEST(PluginLayouts, FindsTheLayoutByLengthAndSignature) {
    const auto f = ff_synth::DistinctFields();
    EXPECT_EQ(FindPluginLayout(ff_synth::MakePlugin(Layout::Pc57344, f)), &Layout57344);
    EXPECT_EQ(FindPluginLayout(ff_synth::MakePlugin(Layout::Pc49152, f)), &Layout49152);
    EXPECT_EQ(FindPluginLayout(ff_synth::MakePlugin(Layout::Pc50176, f)), &Layout50176);
    EXPECT_EQ(FindPluginLayout(ff_synth::MakePlugin(Layout::Pc49664, f)), &Layout49664);
    EXPECT_EQ(FindPluginLayout(ff_synth::MakePlugin(Layout::Pc53760, f)), &Layout53760);
    EXPECT_EQ(FindPluginLayout(ff_synth::MakePlugin(Layout::Variant49152, f)), &LayoutFilterFactoryVariant);
    EXPECT_EQ(FindPluginLayout(ff_synth::MakePlugin(Layout::Variant50176, f)), &LayoutFilterFactoryVariant);
    EXPECT_EQ(FindPluginLayout(ff_synth::MakePlugin(Layout::Mac99712, f)), &LayoutMacBinary);
    EXPECT_EQ(FindPluginLayout(ff_synth::MakePlugin(Layout::Mac99840, f)), &LayoutMacBinary);
    EXPECT_EQ(FindPluginLayout(std::string(57345, '\0')), nullptr);
    EXPECT_EQ(LayoutForLength(49664), &Layout49664);
    EXPECT_EQ(LayoutForLength(0), nullptr);
}

TEST(PluginLayouts, EveryLayoutIsThe57344LayoutMovedByItsShift) {
    for (const auto& layout : PluginLayouts) {
        EXPECT_EQ(layout.Block, 31253 + layout.Shift) << layout.Name;
        EXPECT_TRUE(in_file(std::string(static_cast<std::size_t>(layout.Lengths[0]), '\0'), layout.Block, block::Size))
            << layout.Name;
    }
    // The PC layouts made from the Filter Factory templates move their text fields with the block.
    for (const PluginLayout* layout : {&Layout57344, &Layout49152, &Layout50176}) {
        EXPECT_EQ(layout->TitleLength, 31011 + layout->Shift) << layout->Name;
        EXPECT_EQ(layout->CategoryLength, 31063 + layout->Shift) << layout->Name;
        EXPECT_EQ(layout->ModesWord, 31155 + layout->Shift) << layout->Name;
    }
    // The editor flag and values of a MacBinary plug-in are big-endian: their low byte comes last.
    EXPECT_EQ(NumberPos(LayoutMacBinary, block::Value(1)), 50561 + 12 + 3);
    EXPECT_EQ(NumberPos(Layout49664, block::ShowDialog), 26625);
}
