// Reading Premiere Filter Factory and Transition Factory plug-ins into the current filter.
#include "filterfactory/plugin_reader.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/ff_synth.hpp"
#include "tests/support/ff_synth_expect.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vexolan::ff;
using ff_synth::PrmBranch;
using ff_synth::TfBranch;

namespace {

class PremiereReader : public ::testing::Test {
protected:
    test_support::TempDir dir{"ffprm"};
    test_support::ScriptedHost host;
    FFContext ff;
    int refreshes = 0;

    void SetUp() override {
        ff.Host = &host;
        ff.RefreshActivePane = [this] { ++refreshes; };
    }

    bool readprm(const std::string& bytes, bool silent = false, bool optimize = false) {
        dir.write("f.prm", bytes);
        std::string folder = dir.path().string();
        return Readprm(ff, folder, "f.prm", silent, optimize);
    }
    bool readtf(const std::string& bytes, bool silent = false) {
        dir.write("f.prm", bytes);
        std::string folder = dir.path().string();
        return ReadTF(ff, folder, "f.prm", silent);
    }
};

// The block fields both Premiere readers fill; the formulas come from the blue, green, red, alpha slots.
void expect_block_fields(const FilterRecord& r) {
    EXPECT_EQ(r.Author, "");
    ff_synth::ExpectDistinctControlsAndCode(r);
}

class EveryPrmBranch : public PremiereReader,
                       public ::testing::WithParamInterface<std::tuple<PrmBranch, std::size_t>> {};
class EveryTfBranch : public PremiereReader, public ::testing::WithParamInterface<TfBranch> {};

} // namespace

TEST_P(EveryPrmBranch, ReadsEveryFieldAndLeavesPremiereSyntax) {
    const auto [branch, length] = GetParam();
    ff.pFlag = true;
    ASSERT_TRUE(readprm(ff_synth::MakePremiereFF(branch, ff_synth::DistinctFields(), length)));
    EXPECT_EQ(ff.Record.Filename, "f.prm");
    EXPECT_EQ(ff.Record.Category, "SynCategory");
    EXPECT_EQ(ff.Record.Title, "SynTitle");
    expect_block_fields(ff.Record);
    EXPECT_FALSE(ff.pFlag);
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_P(EveryPrmBranch, SilentReadsOnlyCategoryAndTitle) {
    const auto [branch, length] = GetParam();
    ASSERT_TRUE(readprm(ff_synth::MakePremiereFF(branch, ff_synth::DistinctFields(), length), true));
    EXPECT_EQ(ff.Record.Title, "SynTitle");
    EXPECT_EQ(ff.Record.Copyright + ff.Record.MapName[0] + ff.Record.CodeR, "");
    EXPECT_EQ(ff.Record.CtlValue[0], 0);
}

INSTANTIATE_TEST_SUITE_P(Premiere, EveryPrmBranch,
                         ::testing::Combine(::testing::ValuesIn(ff_synth::AllPrmBranches),
                                            ::testing::Values(50176u, 50688u, 53248u)),
                         [](const auto& info) {
                             return ff_synth::NameOf(std::get<0>(info.param)) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST_F(PremiereReader, TheTitleTextSplitsAtTheFirstColon) {
    const auto f = ff_synth::DistinctFields();
    ASSERT_TRUE(readprm(ff_synth::MakePremiereFF(PrmBranch::digit5, f, 50176, "Blur:Soft")));
    EXPECT_EQ(ff.Record.Category, "Blur");
    EXPECT_EQ(ff.Record.Title, "Soft");
    ASSERT_TRUE(readprm(ff_synth::MakePremiereFF(PrmBranch::digit5, f, 50176, "Blur: Soft: Wide")));
    EXPECT_EQ(ff.Record.Category, "Blur");
    EXPECT_EQ(ff.Record.Title, "Soft: Wide");
    ASSERT_TRUE(readprm(ff_synth::MakePremiereFF(PrmBranch::digit5, f, 50176, "Just a name")));
    EXPECT_EQ(ff.Record.Category, "[Premiere FF]");
    EXPECT_EQ(ff.Record.Title, "Just a name");
    ASSERT_TRUE(readprm(ff_synth::MakePremiereFF(PrmBranch::digit5, f, 50176, ": Nameless")));
    EXPECT_EQ(ff.Record.Category, "[Premiere FF]");
    EXPECT_EQ(ff.Record.Title, "Nameless");
}

TEST_F(PremiereReader, OtherLengthsAndUnknownProbesAreNotPremierePlugins) {
    const auto f = ff_synth::DistinctFields();
    std::string bytes = ff_synth::MakePremiereFF(PrmBranch::digit5, f, 50000);
    EXPECT_FALSE(readprm(bytes));
    bytes = ff_synth::MakePremiereFF(PrmBranch::digit5, f);
    bytes[29021 - 1] = 'Q';
    EXPECT_FALSE(readprm(bytes));
    EXPECT_EQ(ff.Record.Filename, "f.prm");
    EXPECT_EQ(ff.Record.Title, "");
    EXPECT_FALSE(readprm(std::string(100, 'D')));
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(PremiereReader, OptimizeRunsOnlyWhenAsked) {
    auto f = ff_synth::DistinctFields();
    f.Formulas[0] = "r + T";
    ASSERT_TRUE(readprm(ff_synth::MakePremiereFF(PrmBranch::e, f)));
    EXPECT_EQ(ff.Record.CodeR, "r + T");
    ASSERT_TRUE(readprm(ff_synth::MakePremiereFF(PrmBranch::e, f), false, true));
    EXPECT_EQ(ff.Record.CodeR, "r+total");
}

TEST_P(EveryTfBranch, ReadsEveryFieldIntoThePremiereTFCategory) {
    ff.pFlag = true;
    ff.Record.TFExtra = "old";
    ASSERT_TRUE(readtf(ff_synth::MakePremiereTF(GetParam(), ff_synth::DistinctFields())));
    EXPECT_EQ(ff.Record.Title, "SynTitle");
    EXPECT_EQ(ff.Record.Category, "[Premiere TF]");
    EXPECT_EQ(ff.Record.TFExtra, "SynExtra");
    expect_block_fields(ff.Record);
    EXPECT_FALSE(ff.pFlag);
}

TEST_P(EveryTfBranch, SilentReadsTheTitleAndKeepsTFExtra) {
    ff.Record.TFExtra = "old";
    ASSERT_TRUE(readtf(ff_synth::MakePremiereTF(GetParam(), ff_synth::DistinctFields()), true));
    EXPECT_EQ(ff.Record.Title, "SynTitle");
    EXPECT_EQ(ff.Record.TFExtra, "old");
    EXPECT_EQ(ff.Record.CodeR + ff.Record.Copyright, "");
}

TEST_P(EveryTfBranch, AFileCutBeforeTheBlockEndsIsNotATransition) {
    std::string bytes = ff_synth::MakePremiereTF(GetParam(), ff_synth::DistinctFields());
    bytes.pop_back();
    EXPECT_FALSE(readtf(bytes));
    EXPECT_TRUE(host.message_boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Premiere, EveryTfBranch, ::testing::ValuesIn(ff_synth::AllTfBranches),
                         [](const auto& info) { return ff_synth::NameOf(info.param); });

TEST_F(PremiereReader, ATransitionWhoseIdentityDiffersIsRefused) {
    const auto f = ff_synth::DistinctFields();
    EXPECT_FALSE(readtf(ff_synth::MakePremiereTF(TfBranch::n_other, f, "Premiere Transition Factorx")));
    EXPECT_FALSE(readtf(ff_synth::MakePremiereTF(TfBranch::o, f, "Premiere Transition")));
    // The build with 139 at 22033 carries no identity text at all.
    EXPECT_TRUE(readtf(ff_synth::MakePremiereTF(TfBranch::n_139, f, "anything")));
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(PremiereReader, ATransitionIsAlwaysOptimised) {
    auto f = ff_synth::DistinctFields();
    f.Formulas[1] = "g * T";
    ASSERT_TRUE(readtf(ff_synth::MakePremiereTF(TfBranch::digit2, f)));
    EXPECT_EQ(ff.Record.CodeG, "g*total");
}

TEST_F(PremiereReader, AFilterFactoryPluginIsNeitherPremiereKind) {
    EXPECT_FALSE(readprm(ff_synth::MakePlugin(ff_synth::Layout::Pc50176, ff_synth::DistinctFields())));
    EXPECT_FALSE(readtf(ff_synth::MakePlugin(ff_synth::Layout::Pc57344, ff_synth::DistinctFields())));
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(PremiereReader, AMissingFileRefreshesTheActivePane) {
    std::string folder = dir.path().string();
    EXPECT_FALSE(Readprm(ff, folder, "gone.prm", false, false));
    EXPECT_FALSE(ReadTF(ff, folder, "gone.prm", false));
    EXPECT_EQ(refreshes, 2);
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(PremiereReader, AFileThatCannotBeOpenedIsReportedUnlessSilent) {
    // A socket exists as a file but cannot be opened for reading.
    const std::string path = (dir / "sock.prm").string();
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof(addr.sun_path));
    path.copy(addr.sun_path, path.size());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);

    std::string folder = dir.path().string();
    EXPECT_FALSE(Readprm(ff, folder, "sock.prm", true, false));
    EXPECT_FALSE(ReadTF(ff, folder, "sock.prm", true));
    EXPECT_TRUE(host.message_boxes().empty());
    for (int i = 0; i < 2; ++i)
        host.answer_msgbox(ui::vbOK, "Skiping sock.prm! Unexpected Error!", ui::vbOKOnly, "Error");
    EXPECT_FALSE(Readprm(ff, folder, "sock.prm", false, false));
    EXPECT_FALSE(ReadTF(ff, folder, "sock.prm", false));
    EXPECT_EQ(host.message_boxes().size(), 2u);
    close(fd);
}

TEST_F(PremiereReader, ATransitionFolderMayEndInItsSeparator) {
    std::string root = "/";
    EXPECT_FALSE(ReadTF(ff, root, "surely-not-here-4711.prm", true));
    EXPECT_EQ(root, "/");
    // Only an existing file gets as far as shortening the folder; the path stays valid.
    std::string folder = dir.path().string() + "/";
    dir.write("t.prm", ff_synth::MakePremiereTF(TfBranch::o, ff_synth::DistinctFields()));
    EXPECT_TRUE(ReadTF(ff, folder, "t.prm", true));
}
