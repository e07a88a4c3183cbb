#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexolan;

namespace {

struct MenuTreeTest : test_support::AppTest {
    Form1& f = app.form1();

    std::vector<std::string> present_captions(const ui::Menu& menu) const {
        std::vector<std::string> out;
        for (const ui::Menu* m : menu.PresentItems())
            out.push_back(m->Caption);
        return out;
    }
};

} // namespace

TEST_F(MenuTreeTest, MenuBarShowsTheSixMenusInOrderAndHidesTheRest) {
    std::vector<std::string> bar;
    for (const ui::Menu* m : f.PresentMenus())
        bar.push_back(m->Caption);
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Edit", "&View", "&Commands", "&Folders", "&Apps", "&Help"}));
    for (ui::Menu* m : {&f.mnuZip, &f.mnuPics, &f.mnuFileViewMenu, &f.mnuFfeFunctions_FFE, &f.mnuSliderSwitch_FFE,
                        &f.mnuCodeSnipet_FFE, &f.mnuExpression_FFE})
        EXPECT_FALSE(m->Visible) << m->Name();
}

TEST_F(MenuTreeTest, CaptionsKeepTheirExactCharacters) {
    EXPECT_EQ(f.mnuRescueZip.Caption.get(), "Rescue Zip ");
    EXPECT_EQ(f.mnuMakeDir.Caption.get(), "Create Folder ...");
    EXPECT_EQ(f.mnuClearTmp.Caption.get(), "Gain Harddisc Space");
    EXPECT_EQ(f.mnuHelpQMK.Caption.get(), "Quillmark");
    EXPECT_EQ(present_captions(f.mnuZip), (std::vector<std::string>{"View Zip", "Unzip", "Add to Zip...", "-",
                                                                    "Test Zip", "Repair Zip", "Rescue Zip "}));
    EXPECT_EQ(present_captions(f.mnuFileViewMenu),
              (std::vector<std::string>{"Large Icons", "Small Icons", "List", "Details", "Classic"}));
    EXPECT_TRUE(f.mnuFileViewMode[3].Checked);
    EXPECT_EQ(present_captions(f.mnuOnline), (std::vector<std::string>{"Quillmark", "The Vexo Newsletter", "-",
                                                                       "Add URL to Favorites", "Add URL on Desktop"}));
}

TEST_F(MenuTreeTest, ListArraysStartWithOneEmptyItem) {
    for (ui::MenuArray* a : {&f.mnuDirectorys, &f.mnuPictures, &f.mnuApps}) {
        EXPECT_EQ(a->Count(), 1) << a->Name();
        EXPECT_EQ((*a)[0].Caption.get(), "") << a->Name();
        EXPECT_TRUE((*a)[0].Visible) << a->Name();
    }
    // The favourite folders follow "Edit Folder List...", the applications "Edit Application List...".
    EXPECT_EQ(f.mnuDirs.PresentItems().back(), &f.mnuDirectorys[0]);
    EXPECT_EQ(f.zmnApps.PresentItems()[1], &f.mnuApps[0]);
    EXPECT_EQ(f.mnuProject.PresentItems()[8], &f.mnuPictures[0]);
}

TEST_F(MenuTreeTest, ShortcutsAndDesignStates) {
    struct Row {
        ui::Menu* m;
        const char* shortcut;
    };
    for (Row r : std::initializer_list<Row>{{&f.mnuOpen, "Ctrl+O"},
                                            {&f.mnuOptions, "F12"},
                                            {&f.mnuRefresh, "Ctrl+R"},
                                            {&f.mnuToggleselect, "Ctrl+T"},
                                            {&f.mnuSelectAll, "Ctrl+A"},
                                            {&f.mnuFileView, "Ctrl+F1"},
                                            {&f.mnuFilterview, "Ctrl+F2"},
                                            {&f.mnuFflview, "Ctrl+F3"},
                                            {&f.mnuBrowser, "F7"},
                                            {&f.mnuFFE, "F8"},
                                            {&f.mnuPictureView, "F9"},
                                            {&f.mnuFilterDownload, "F11"},
                                            {&f.mnuRename, "F2"},
                                            {&f.mnuFilecopy, "F5"},
                                            {&f.mnuMove, "F6"},
                                            {&f.mnuDelete, "Del"},
                                            {&f.mnuKill2, "Shift+Del"},
                                            {&f.mnuSearch, "Ctrl+F"},
                                            {&f.mnuUnzipit, "F3"},
                                            {&f.mnuUnzipInstall, "Shift+F3"},
                                            {&f.mnuZipit, "F4"},
                                            {&f.mnuEnable, "Ctrl+E"},
                                            {&f.mnuChangeCat, "Ctrl+H"},
                                            {&f.mnuPlugInfo, "Ctrl+I"},
                                            {&f.mnuCreateLibrary, "Ctrl+L"},
                                            {&f.mnuAdd, "Ctrl+D"},
                                            {&f.mnuCreateBMPs, "Ctrl+B"},
                                            {&f.mnuMakeDir, "Shift+F7"},
                                            {&f.mnuHelp, "F1"},
                                            {&f.mnuConvert, ""}})
        EXPECT_EQ(r.m->Shortcut.get(), r.shortcut) << r.m->Name();
    for (ui::Menu* m : {&f.mnuSavePreview, &f.mnuSetWallpaper, &f.mnuRandomize, &f.mnuUpdateCache})
        EXPECT_FALSE(m->Enabled) << m->Name();
    for (ui::Menu* m : {&f.mnuzzz, &f.mnuApplySetting, &f.mnuSaveSetting, &f.mnuFilter2Clip, &f.mnuClearTmp, &f.mnujjj,
                        &f.zmnufff2, &f.mnuPhotoshopPluginsFolder})
        EXPECT_FALSE(m->Visible) << m->Name();
}
