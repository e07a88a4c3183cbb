// Output names of the writers: one rule for the file written and the file asked about.
#include "filterfactory/names.hpp"

#include <gtest/gtest.h>

using namespace vexolan::ff;

TEST(OutputNames, TheNameIsCutAtItsFirstDot) {
    EXPECT_EQ(GetFilname(DestText, "twirl.8bf"), "twirl.txt");
    EXPECT_EQ(GetFilname(DestAFS, "my.twirl.8bf"), "my.afs");
    EXPECT_EQ(GetFilname(DestPlugin, "plain"), "plain.8bf");
    EXPECT_EQ(GetFilname(DestPlugin, "plain", true), "plain.bin");
    EXPECT_EQ(GetFilname(DestPremiereFF, "x.txt"), "x.prm");
    EXPECT_EQ(GetFilname(DestPFF, "x.txt"), "x.pff");
    EXPECT_EQ(GetFilname(9, "x.txt"), "x.txt");
}

TEST(OutputNames, APluginNameInItsUnderscoreFormGetsItsDotBack) {
    EXPECT_EQ(GetFilname(DestPlugin, "Swirl_8BF"), "Swirl.8bf");
    EXPECT_EQ(GetFilname(DestText, "Swirl_8bf"), "Swirl_8bf.txt");
}

TEST(OutputNames, ANameFromAFileKeepsOnlyItsLastComponent) {
    EXPECT_EQ(GetFilname(DestText, "../../etc/x.8bf"), "x.txt");
    // A Windows path read from inside a file is cut by the reader; a user's own name keeps its
    // backslash.
    EXPECT_EQ(GetFilname(DestText, NameFromFile("C:\\Filters\\x.8bf")), "x.txt");
    EXPECT_EQ(GetFilname(DestText, "back\\slash.afs"), "back\\slash.txt");
    EXPECT_EQ(GetFilname(DestText, ""), "-NoName.txt");
    EXPECT_EQ(GetFilname(DestText, ".."), "-NoName.txt");
    EXPECT_EQ(GetFilname(DestText, "dir/."), "-NoName.txt");
    EXPECT_EQ(GetFilname(DestText, "dir/"), "-NoName.txt");
}
