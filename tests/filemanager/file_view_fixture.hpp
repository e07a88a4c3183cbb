#pragma once
// A fresh App with its main window and two real temporary folders, one per pane: the ground the
// File View, the target-folder dialog and the conversion are tested on.

#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

struct FileViewTest : AppTest {
    vexolan::Form1& f = app.form1();
    TempDir left{"left"};
    TempDir right{"right"};

    // A folder as the panes show it: no trailing "/".
    static std::string folder(const TempDir& d, std::string_view name = {}) {
        return name.empty() ? d.path().string() : (d.path() / name).string();
    }
    // Points a pane at a folder, as the user does by opening it in the folder box.
    void open_folder(int pane, const std::string& path) { f.Dir1[pane].Path = path; }
    void open_folders() {
        open_folder(0, folder(left));
        open_folder(1, folder(right));
    }
    // Shows a pane in list mode 0..4, as the "FileView" pop-up does.
    void set_mode(int pane, int mode) {
        f.Switchit(pane);
        f.mnuFileViewMode_Click(mode);
    }

    // The texts of the pane's report list, in list order.
    std::vector<std::string> texts(int pane) const {
        std::vector<std::string> out;
        const auto& items = f.ListView1[pane].ListItems;
        for (int i = 1; i <= items.Count(); ++i)
            out.push_back(items(i).Text);
        return out;
    }
    bool listed(int pane, std::string_view text) const {
        for (const auto& t : texts(pane))
            if (t == text) return true;
        return false;
    }
    int item_index(int pane, std::string_view text) const {
        const auto& items = f.ListView1[pane].ListItems;
        for (int i = 1; i <= items.Count(); ++i)
            if (items(i).Text.get() == text) return i;
        return 0;
    }
    ui::ListItem& item(int pane, std::string_view text) const {
        int i = item_index(pane, text);
        EXPECT_NE(i, 0) << "no item \"" << text << "\"";
        return f.ListView1[pane].ListItems(i == 0 ? 1 : i);
    }
    // Selects exactly the items with these texts.
    void select_items(int pane, const std::vector<std::string>& wanted) {
        auto& items = f.ListView1[pane].ListItems;
        for (int i = 1; i <= items.Count(); ++i) {
            bool want = false;
            for (const auto& t : wanted)
                if (items(i).Text.get() == t) want = true;
            items(i).Selected = want;
        }
    }
    // The names of the files in a folder, sorted.
    static std::vector<std::string> files_in(const std::filesystem::path& dir) {
        std::vector<std::string> names;
        if (!std::filesystem::exists(dir)) return names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            if (e.is_regular_file()) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace test_support
