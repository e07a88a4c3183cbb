// Real Filter Factory settings files: each one reads, and writing it again as .afs and as a text
// source gives back the same filter.
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vexolan::ff;

namespace {

const std::filesystem::path AfsFolder = std::filesystem::path(VEXOLAN_TESTDATA) / "afs";

std::vector<std::string> real_afs_files() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(AfsFolder))
        if (entry.path().extension() == ".afs") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A text source ends every code line at "//", so a comment kept in an .afs formula does not come back.
std::string without_comment(const std::string& code) {
    return code.substr(0, code.find("//"));
}

class RealAfsFile : public ::testing::TestWithParam<std::string> {
protected:
    test_support::TempDir out{"realafs"};
    test_support::ScriptedHost host;
    FFContext ff;

    void SetUp() override { ff.Host = &host; }
};

} // namespace

TEST(RealAfsFiles, TheTestFilesAreThere) {
    EXPECT_GE(real_afs_files().size(), 10u);
}

TEST_P(RealAfsFile, ReadsAndComesBackTheSameAsAfsAndAsText) {
    const std::string name = GetParam();
    ASSERT_TRUE(ReadAFS(ff, AfsFolder.string(), name));
    const FilterRecord original = ff.Record;
    EXPECT_EQ(original.Title, name.substr(0, name.size() - 3) + "8bf");
    EXPECT_EQ(original.Category, "Synthetic");
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(original.Code(k).empty());

    ASSERT_TRUE(Writeafspff(ff, out.path().string(), 0));
    ASSERT_TRUE(ReadAFS(ff, out.path().string(), name));
    EXPECT_EQ(ff.Record.Title, original.Title);
    EXPECT_EQ(ff.Record.CtlValue, original.CtlValue);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(ff.Record.Code(k), original.Code(k)) << "channel " << k;

    ff.Record = original;
    ASSERT_TRUE(WriteTXT(ff, out.path().string(), false));
    const std::string textName = name.substr(0, name.size() - 3) + "txt";
    ASSERT_TRUE(ReadTXT(ff, out.path().string(), textName, false, false));
    EXPECT_EQ(ff.Record.Title, original.Title);
    EXPECT_EQ(ff.Record.CtlValue, original.CtlValue);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(ff.Record.Code(k), without_comment(original.Code(k))) << "channel " << k;
}

INSTANTIATE_TEST_SUITE_P(TestData, RealAfsFile, ::testing::ValuesIn(real_afs_files()), [](const auto& info) {
    std::string n = info.param.substr(0, info.param.find('.'));
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return "f" + n;
});
