// Filter Factory settings files: each one reads, and writing it again as .afs and as a text source
// gives back the same filter. Run over the project's own samples always, and over the real files made
// by others when they lie beside the checkout.
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/afs_samples.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace vexolan::ff;

namespace {

struct AfsCase {
    std::string Name;
    std::string Bytes; // empty: read from the real folder
    std::string Title;
    std::string Category;
};

std::vector<AfsCase> sample_cases() {
    std::vector<AfsCase> cases;
    for (const auto& s : test_support::AfsSamples())
        cases.push_back({s.Name, s.Bytes, s.Title, s.Category});
    return cases;
}

// Every real file names its filter after the file and files it under "Synthetic".
std::vector<AfsCase> real_cases() {
    std::vector<AfsCase> cases;
    if (const auto folder = test_support::RealAfsFolder())
        for (const auto& name : test_support::AfsFilesIn(*folder))
            cases.push_back({name, "", name.substr(0, name.size() - 3) + "8bf", "Synthetic"});
    return cases;
}

// A text source ends every code line at "//", so a comment kept in an .afs formula does not come back.
std::string without_comment(const std::string& code) {
    return code.substr(0, code.find("//"));
}

class AfsFile : public ::testing::TestWithParam<AfsCase> {
protected:
    test_support::TempDir in{"afsin"};
    test_support::TempDir out{"afsout"};
    test_support::ScriptedHost host;
    FFContext ff;

    void SetUp() override { ff.Host = &host; }

    std::string folder_of(const AfsCase& c) {
        if (!c.Bytes.empty()) {
            std::ofstream(in.path() / c.Name, std::ios::binary) << c.Bytes;
            return in.path().string();
        }
        return test_support::RealAfsFolder()->string();
    }
};

std::string case_name(const ::testing::TestParamInfo<AfsCase>& info) {
    std::string n = info.param.Name.substr(0, info.param.Name.find('.'));
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return "f" + n;
}

} // namespace

TEST(RealAfsFiles, TheTestFilesAreThere) {
    const auto folder = test_support::RealAfsFolder();
    if (!folder) GTEST_SKIP() << test_support::NoRealFiles;
    EXPECT_GE(test_support::AfsFilesIn(*folder).size(), 10u);
}

TEST_P(AfsFile, ReadsAndComesBackTheSameAsAfsAndAsText) {
    const AfsCase& c = GetParam();
    ASSERT_TRUE(ReadAFS(ff, folder_of(c), c.Name));
    const FilterRecord original = ff.Record;
    EXPECT_EQ(original.Title, c.Title);
    EXPECT_EQ(original.Category, c.Category);
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(original.Code(k).empty());

    ASSERT_TRUE(Writeafspff(ff, out.path().string(), 0));
    ASSERT_TRUE(ReadAFS(ff, out.path().string(), c.Name));
    EXPECT_EQ(ff.Record.Title, original.Title);
    EXPECT_EQ(ff.Record.Category, original.Category);
    EXPECT_EQ(ff.Record.CtlValue, original.CtlValue);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(ff.Record.Code(k), original.Code(k)) << "channel " << k;

    ff.Record = original;
    ASSERT_TRUE(WriteTXT(ff, out.path().string(), false));
    const std::string textName = c.Name.substr(0, c.Name.size() - 3) + "txt";
    ASSERT_TRUE(ReadTXT(ff, out.path().string(), textName, false, false));
    EXPECT_EQ(ff.Record.Title, original.Title);
    EXPECT_EQ(ff.Record.CtlValue, original.CtlValue);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(ff.Record.Code(k), without_comment(original.Code(k))) << "channel " << k;
}

INSTANTIATE_TEST_SUITE_P(Samples, AfsFile, ::testing::ValuesIn(sample_cases()), case_name);

// Without the real files this instantiation is empty, which is allowed; the case above then reports
// the skip and its reason.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(AfsFile);
INSTANTIATE_TEST_SUITE_P(TestData, AfsFile, ::testing::ValuesIn(real_cases()), case_name);
