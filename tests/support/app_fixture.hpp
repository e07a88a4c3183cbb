#pragma once
// A fresh App for one test: a scripted host, a temporary application folder and a temporary
// settings file, so tests never share state.
//
//     TEST_F(AppTest, ...) { app.form1().Show(); host.answer_msgbox(ui::vbYes); ... }

#include "shell/App.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

namespace test_support {

struct AppFixture {
    TempDir root{"app"};
    std::filesystem::path appFolder = make_folder("appfolder");
    std::filesystem::path settingsFile = root.path() / "config" / "settings.ini";
    ScriptedHost host;
    vexolan::App app{host, appFolder, settingsFile};

    // A folder below the test's temporary root, created on the spot.
    std::filesystem::path make_folder(std::string_view name) const {
        auto p = root.path() / name;
        std::filesystem::create_directories(p);
        return p;
    }
};

// The same as a GoogleTest fixture.
struct AppTest : ::testing::Test, AppFixture {};

} // namespace test_support
