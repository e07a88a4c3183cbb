// The program itself on the screen: startup.sh starts the built program with a temporary home
// folder, goes through the first run, converts two sample filters, closes it and starts it again.

#include "tests/support/afs_samples.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

TEST(ProgramOnScreen, FirstRunConvertCloseAndSecondStart) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    // The program is built beside its application folder; the script lies beside this file.
    const std::filesystem::path program = std::filesystem::path(VEXOLAN_APPFOLDER).parent_path() / "vexolan";
    const std::filesystem::path script = std::filesystem::path(__FILE__).parent_path() / "startup.sh";
    test_support::TempDir samples{"startupafs"};
    test_support::WriteAfsSamples(samples.path());
    if (!std::filesystem::exists(program)) GTEST_SKIP() << "the program is not built: " << program;
    ASSERT_TRUE(std::filesystem::exists(script)) << script;
    std::string command =
        "bash " + quoted(script.string()) + " " + quoted(program.string()) + " " + quoted(samples.path().string()) + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}
