#pragma once
// A fresh App with its main window and a real temporary folder for the panes to show.

#include "platform/fs/files.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

struct MainWindowTest : AppTest {
    vexolan::Form1& f = app.form1();
    TempDir data{"pane"};

    // The panes change the virtual current folder; later tests must not start in a folder gone.
    std::string startFolder = files::CurDir();

    ~MainWindowTest() override { files::ChDir(startFolder); }

    // The folder as the panes show it (no trailing "/").
    std::string folder(std::string_view name = {}) const {
        return name.empty() ? data.path().string() : (data.path() / name).string();
    }
    void touch(std::string_view name) const { data.write(name, "x"); }
    void make_dir(std::string_view name) const { std::filesystem::create_directories(data.path() / name); }
    // Points a pane at a folder, as the user does by opening it in the folder box.
    void open_folder(int pane, const std::string& path) { f.Dir1[pane].Path = path; }
    // Selects the report-list items with these texts (and no others).
    void select_items(int pane, std::vector<std::string> texts) {
        auto& items = f.ListView1[pane].ListItems;
        for (int i = 1; i <= items.Count(); ++i) {
            bool want = false;
            for (const auto& t : texts)
                if (items(i).Text.get() == t) want = true;
            items(i).Selected = want;
        }
    }
    int item_index(int pane, const std::string& text) {
        auto& items = f.ListView1[pane].ListItems;
        for (int i = 1; i <= items.Count(); ++i)
            if (items(i).Text.get() == text) return i;
        return 0;
    }
};

} // namespace test_support
