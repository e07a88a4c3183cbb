#include "platform/fs/patterns.hpp"

#include <gtest/gtest.h>

using fs_patterns::MatchPattern;
using fs_patterns::MatchPatternList;

TEST(Patterns, MatchWithoutRegardToCaseAndWithWindowsWildcards) {
    EXPECT_TRUE(MatchPatternList("A.8BF", ";*.8b?;*._bf"));
    EXPECT_TRUE(MatchPatternList("filter._BF", ";*.8b?;*._bf"));
    EXPECT_FALSE(MatchPatternList("filter.8b", ";*.8b?;*._bf"));
    EXPECT_TRUE(MatchPattern("README", "*.*"));
    EXPECT_TRUE(MatchPattern(".hidden", "*.*"));
    EXPECT_TRUE(MatchPattern("a.b.c", "*.c"));
    EXPECT_TRUE(MatchPattern("abc", "a?c"));
    EXPECT_FALSE(MatchPattern("abbc", "a?c"));
    EXPECT_TRUE(MatchPattern("noext", "*."));
    EXPECT_FALSE(MatchPattern("has.ext", "*."));
}

TEST(Patterns, EmptyItemsAreIgnoredAndAnEmptyListMatchesNothing) {
    EXPECT_FALSE(MatchPatternList("a.txt", ""));
    EXPECT_FALSE(MatchPatternList("a.txt", ";;"));
    EXPECT_TRUE(MatchPatternList("a.txt", "; ;*.txt"));
    EXPECT_EQ(fs_patterns::SplitPatterns(";*.8bf; *.prm;").size(), 2u);
}
