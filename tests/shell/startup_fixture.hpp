#pragma once
// The program brought up on the scripted host: a temporary application folder prepared from the
// installed one (templates, interface files, tips), a temporary settings file, and a temporary
// folder that the panes start in.

#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/ProVersionAd.hpp"
#include "shell/startup.hpp"
#include "tests/support/app_fixture.hpp"

#include "platform/fs/files.hpp"
#include "platform/ui/ui.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

namespace test_support {

// One run of the program: its own host and App on the given folders, as a second start of the
// program sees them.
struct ProgramRun {
    ScriptedHost host;
    vexolan::App app;
    ProgramRun(const std::filesystem::path& appFolder, const std::filesystem::path& settingsFile)
        : app(host, appFolder, settingsFile) {
        app.ExitDraw = [] { return 0.9; }; // no advertisement at exit unless a test asks for one
    }
    vexolan::Form1& form() { return app.form1(); }
    std::string setting(std::string_view section, std::string_view key) {
        return app.Settings.GetSetting("Vexo10", section, key);
    }
    // The window is closed with its close box.
    void close() { app.form1().user_close(); }
};

// A file's bytes, or "(missing)" where there is none, for comparing list files before and after.
inline std::string file_text(const std::string& path) {
    return files::file_exists(path) ? files::read_file_bytes(path) : "(missing)";
}

struct StartupTest : ::testing::Test, AppFixture {
    TempDir start{"start"};
    vexolan::Form1& f = app.form1();
    // The current folder is the process's: it is put back as it was found.
    std::string previous_folder = files::CurDir();

    StartupTest() {
        files::prepare_app_folder(VEXOLAN_APPFOLDER);
        files::ChDir(start.path().string());
        app.ExitDraw = [] { return 0.9; };
    }
    ~StartupTest() override {
        files::clear_faults();
        try {
            files::ChDir(previous_folder);
        } catch (const vb::Error&) {
        }
    }

    void save(std::string_view section, std::string_view key, std::string_view value) {
        app.Settings.SaveSetting("Vexo10", section, key, value);
    }
    std::string setting(std::string_view section, std::string_view key) {
        return app.Settings.GetSetting("Vexo10", section, key);
    }
    // A folder holding one file, as a pane's saved folder must to be restored.
    std::string folder_with_file(std::string_view name) const {
        auto p = make_folder(name);
        std::ofstream(p / "a.txt") << "x";
        return p.string();
    }

    // The first run: the welcome box is answered and the advertisement closed.
    static void expect_first_run(ScriptedHost& h) {
        h.answer_msgbox(ui::vbOK, vexolan::WelcomeMessage(), ui::vbOKOnly | ui::vbInformation, "Vexolan");
        h.on_modal("ProVersionAd", [](ui::Window& w) { w.Unload(); });
    }
    // A later run: the left folder is saved.
    void mark_not_first_run() { save("Folders", "Folder1", folder_with_file("left")); }
};

} // namespace test_support
