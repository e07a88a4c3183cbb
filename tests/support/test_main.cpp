// Test entry point: every test process runs with $HOME, $XDG_CONFIG_HOME and $XDG_DATA_HOME in a
// temporary folder of its own, so no test reads or writes the user's real settings or trash.
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    static test_support::TempDir home("home");
    std::filesystem::create_directories(home.path() / ".config");
    std::filesystem::create_directories(home.path() / ".local/share");
    setenv("HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() / ".config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home.path() / ".local/share").c_str(), 1);
    setenv("TZ", "UTC", 1);
    return RUN_ALL_TESTS();
}
