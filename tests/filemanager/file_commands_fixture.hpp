#pragma once
// The ground of the file and folder command tests: two panes on real temporary folders, the left
// pane active, the target-folder dialog suppressed unless a test shows it, a private trash, and
// every injected fault cleared when the test ends.

#include "filemanager/OverwriteCheck.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form3.hpp"
#include "tests/filemanager/file_view_fixture.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fs/files.hpp"

#include <cstdlib>
#include <string>
#include <vector>

namespace test_support {

struct FileCommandsTest : FileViewTest {
    files::FaultScope faults;
    TempDir data{"data"};
    std::string oldDataHome;

    FileCommandsTest() {
        const char* old = std::getenv("XDG_DATA_HOME");
        oldDataHome = old ? old : "";
        setenv("XDG_DATA_HOME", data.path().c_str(), 1);
        app.form2().Check4.Value = ui::vbChecked; // "Suppress the Select Folder dialog"
    }
    ~FileCommandsTest() override { setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1); }

    // Opens both folders (after their files are written) with the left pane active.
    void start() {
        open_folders();
        f.Switchit(0);
    }
    // Answers the next input box with `text` and OK.
    void type_into_input_box(std::string text) {
        host.on_modal("Form3", [this, text](ui::Window&) {
            app.form3().Text1.Text = text;
            app.form3().Command2.user_click();
        });
    }
    // Answers the next overwrite prompt with button `index` (0 Overwrite, 1 Ignore, 2 Overwrite
    // All, 3 Ignore All, 4 Cancel).
    void answer_overwrite(int index) {
        host.on_modal("Overwrite", [this, index](ui::Window&) { app.overwrite().Command1[index].user_click(); });
    }
    // Shows the left pane's Plugin View with one row per path (rows from 1, in order).
    void show_plugin_rows(const std::vector<std::string>& paths) {
        app.PaneMode[0] = 2;
        auto& catalog = app.PluginCatalog[0];
        catalog.Reset();
        catalog.Path.resize(paths.size() + 1);
        catalog.Category.assign(paths.size() + 1, "Cat");
        catalog.Title.resize(paths.size() + 1);
        catalog.CatOffset.resize(paths.size() + 1);
        catalog.CatRoom.resize(paths.size() + 1);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            catalog.Path[i + 1] = paths[i];
            f.List3[0].AddItem("+ filter " + std::to_string(i + 1));
            f.List3[0].ItemData(f.List3[0].NewIndex()) = static_cast<int>(i + 1);
        }
    }
    void select_rows(const std::vector<int>& rows) {
        for (int i = 0; i < f.List3[0].ListCount(); ++i)
            f.List3[0].Selected(i) = false;
        for (int r : rows)
            f.List3[0].Selected(r) = true;
    }
    std::vector<std::string> row_texts() const {
        std::vector<std::string> out;
        for (int i = 0; i < f.List3[0].ListCount(); ++i)
            out.push_back(f.List3[0].List(i));
        return out;
    }
    // Every name in a folder, hidden ones included, sorted.
    static std::vector<std::string> everything_in(const std::filesystem::path& dir) {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::vector<std::string> everything_in(const TempDir& dir) { return everything_in(dir.path()); }
};

// Bytes of a given length that differ at every position of a 64 KiB piece.
inline std::string pattern_bytes(std::size_t size, unsigned seed = 7) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>((i * 131 + seed + i / 65536) & 0xFF);
    return s;
}

} // namespace test_support
