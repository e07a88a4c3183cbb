#pragma once
// The fixture of the screen tests that drive the skinned Filter Factory editor: the editor's folder
// prepared, saves going to the active pane's folder, and everything the editor opened closed again.

#include "ffeditor/FFEditorType1.hpp"
#include "filemanager/open_by_type.hpp"
#include "imaging/handles.hpp"
#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/editor_support.hpp"

#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace test_support {

struct EditorScreenTest : ScreenTest {
    vexolan::Form1& f = app.form1();
    vexolan::FFEditorType1& e = app.EditorForm();
    std::string startFolder = files::CurDir();

    EditorScreenTest() {
        prepare_editor_folder(app);
        choose_skinned_editor(app);
        app.form2().Check4.Value = ui::vbChecked; // saves go to the active pane's folder
    }
    ~EditorScreenTest() override { files::ChDir(startFolder); }
    // The left pane lists every file of `folder`, under the main window's usual caption.
    void list_folder(const std::filesystem::path& folder) {
        f.Combo1[0].AddItem("All Files (*.*)");
        f.Combo1[0].ListIndex = 0;
        f.Dir1[0].Path = folder.string();
        f.Caption = "Vexolan 1.52 - Light Edition";
    }
    // Opens `name` of the left pane's file list as a double click does, and waits for the editor on
    // the screen.
    void open_in_editor(std::string_view name) {
        for (int i = 0; i < f.File1[0].ListCount(); ++i)
            if (f.File1[0].List(i) == name) f.File1[0].ListIndex = i;
        vexolan::File1_DblClick(app, 0);
        ASSERT_TRUE(e.Visible.get());
        ASSERT_TRUE(pump_until([&] { return host.screen_window(e) && host.screen_window(e)->shown(); }));
    }
    void TearDown() override {
        app.host.registry().UnloadAll();
        vexolan::CloseImg(app, app.PreviewImage);
        vexolan::CloseImg(app, app.PluginImage);
    }
    // The keys that choose `entry` of a pop-up menu: one Down for each entry it passes (the screen
    // skips separators and hidden entries).
    static std::string downs_to(const ui::Menu& menu, const ui::Menu& entry) {
        std::string keys;
        for (ui::Menu* m : menu.PresentItems()) {
            if (m->IsSeparator() || !m->Visible || !m->Enabled) continue;
            keys += " Down";
            if (m == &entry) return keys;
        }
        ADD_FAILURE() << entry.Name() << " is not on " << menu.Name();
        return keys;
    }
};

} // namespace test_support
