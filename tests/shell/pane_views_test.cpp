#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "shell/selection.hpp"
#include "tests/shell/main_window_fixture.hpp"

using namespace vexolan;

namespace {

// A scanner that finds the plug-ins of the pane's folder by name, as the real one would list them,
// and notes what it was asked.
struct FakeScanner {
    int calls = 0;
    std::string pattern;
    bool onlyFF = false;
    long result = -1; // -1: one row per .8bf file of the folder
    bool stop = false;
    int error = 0;
};

struct PaneViewsTest : test_support::MainWindowTest {
    FakeScanner scan;
    const std::string NothingFound = "No plugins or other supported files were found in the current\r\n"
                                     "folder. Please select another folder and try again.";

    PaneViewsTest() {
        touch("one.8bf");
        touch("two.8bf");
        touch("notes.txt");
        make_dir("Empty");
        open_folder(0, folder());
        open_folder(1, folder());
        app.ScanPluginRecurse = [this](int Index, bool OnlyFF, int, int) -> long {
            ++scan.calls;
            scan.pattern = f.File1[Index].Pattern;
            scan.onlyFF = OnlyFF;
            if (scan.error) throw vb::Error(scan.error);
            if (scan.stop) {
                app.ScanStopped[Index] = true;
                return 0;
            }
            if (scan.result >= 0) return scan.result;
            auto& cat = app.PluginCatalog[Index];
            long rows = 0;
            for (int i = 0; i < f.File1[Index].ListCount(); ++i) {
                std::string name = f.File1[Index].List(i);
                ++rows;
                cat.Path.resize(rows + 1);
                cat.Category.resize(rows + 1);
                cat.Title.resize(rows + 1);
                cat.Path[rows] = vb::LCase(f.Dir1[Index].Path.get() + "/" + name);
                cat.Category[rows] = "[Unknown]";
                cat.Title[rows] = name;
                f.List3[Index].AddItem(name);
                f.List3[Index].ItemData(f.List3[Index].NewIndex()) = static_cast<int>(rows);
            }
            if (rows) f.List2[Index].AddItem("[Unknown]");
            return rows;
        };
    }
    void choose_tab(int pane, int tab) { f.SSTab1[pane].user_select_tab(tab); }
};

} // namespace

TEST_F(PaneViewsTest, FflViewIsRefusedAndThePaneKeepsItsView) {
    host.answer_msgbox(ui::vbOK, "The FFL View is only available in the Pro Edition!", ui::vbExclamation, "Vexolan");
    choose_tab(0, 3);
    EXPECT_EQ(app.PaneMode[0], 1);
    EXPECT_EQ(f.SSTab1[0].SelectedItem.get(), 1);

    choose_tab(1, 2);
    ASSERT_EQ(app.PaneMode[1], 2);
    host.answer_msgbox(ui::vbOK, "The FFL View is only available in the Pro Edition!");
    f.Switchit(1);
    f.mnuFflview_Click();
    EXPECT_EQ(app.PaneMode[1], 2);
    EXPECT_EQ(f.SSTab1[1].SelectedItem.get(), 2);
    EXPECT_EQ(scan.calls, 1); // the way back reuses the scan
}

TEST_F(PaneViewsTest, PluginViewScansOnceAndAgainOnlyAfterRefreshOrAFolderChange) {
    choose_tab(0, 2);
    EXPECT_EQ(scan.calls, 1);
    EXPECT_EQ(app.PaneMode[0], 2);
    EXPECT_TRUE(app.ScanValid[0]);
    EXPECT_EQ(f.Label5[0].Caption.get(), folder() + "/");
    EXPECT_EQ(app.PaneCategories[0], (std::vector<std::string>{"[Unknown]"}));
    EXPECT_EQ(f.List2[0].ListIndex.get(), 0);
    EXPECT_EQ(f.File1[0].Pattern.get(), "*.*"); // the user's pattern is back
    choose_tab(0, 1);
    choose_tab(0, 2);
    EXPECT_EQ(scan.calls, 1);
    f.mnuRefresh_Click();
    EXPECT_EQ(scan.calls, 2);
    choose_tab(0, 1);
    open_folder(0, folder("Empty"));
    open_folder(0, folder());
    EXPECT_EQ(scan.calls, 2);
    touch("three.8bf");
    open_folder(0, folder("Empty"));
    scan.result = 0;
    host.answer_msgbox(ui::vbOK, NothingFound);
    choose_tab(0, 2);
    EXPECT_EQ(scan.calls, 3);
}

TEST_F(PaneViewsTest, NothingFoundTellsTheUserAndGoesBackToTheFileView) {
    f.File1[0].Pattern = "*.txt";
    scan.result = 0;
    host.answer_msgbox(ui::vbOK, NothingFound, ui::vbExclamation, "Vexolan");
    choose_tab(0, 2);
    EXPECT_EQ(app.PaneMode[0], 1);
    EXPECT_EQ(f.SSTab1[0].SelectedItem.get(), 1);
    EXPECT_FALSE(app.ScanValid[0]);
    EXPECT_FALSE(f.PaneScanBusy[0]);
    EXPECT_EQ(f.File1[0].Pattern.get(), "*.txt");
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

TEST_F(PaneViewsTest, ScanStoppedWithEscSaysNothing) {
    scan.stop = true;
    choose_tab(0, 2);
    EXPECT_TRUE(host.message_boxes().empty());
    EXPECT_EQ(app.PaneMode[0], 1);
    EXPECT_FALSE(app.ScanValid[0]);
}

TEST_F(PaneViewsTest, EachPaneKeepsItsOwnCatalogueWhenTheOtherScans) {
    choose_tab(0, 2);
    choose_tab(0, 1);
    touch("zzz.8bf");
    open_folder(1, folder("Empty"));
    open_folder(1, folder());
    choose_tab(1, 2);
    ASSERT_EQ(scan.calls, 2);
    choose_tab(0, 2); // reused
    ASSERT_EQ(scan.calls, 2);
    EXPECT_EQ(app.PaneCategories[0], (std::vector<std::string>{"[Unknown]"}));
    f.List3[0].Selected(0) = true;
    f.List3[0].Selected(1) = true;
    std::vector<std::string> items;
    ASSERT_TRUE(GetSelectedItems(app, items, 0));
    std::string base = vb::LCase(folder() + "/");
    EXPECT_EQ(items, (std::vector<std::string>{base + "one.8bf", base + "two.8bf"}));
}

TEST_F(PaneViewsTest, ScanPatternCarriesTheUserTypesAndFallsBackToAllFiles) {
    choose_tab(0, 2);
    EXPECT_EQ(scan.pattern, "*.8bf;*._bf;*_8bf;*?prm;*.pr-;*_prm;*?aex;*._ex;*_aex;*.bin");
    app.PlugTypeMask = ";*?api";
    app.form2().Check8.Value = ui::vbChecked;
    f.mnuRefresh_Click();
    EXPECT_EQ(scan.pattern,
              "*.8bf;*._bf;*_8bf;*?prm;*.pr-;*_prm;*?aex;*._ex;*_aex;*.bin;*?api;*.ffx;*.txt;*.afs;*.pff");
    app.PlugTypeMask.clear();
    for (int i = 0; i < 40; ++i)
        app.PlugTypeMask += ";*?ex" + std::to_string(i);
    f.mnuRefresh_Click();
    EXPECT_EQ(scan.pattern, "*.*;*.ffx;*.txt;*.afs;*.pff");
    app.form2().Check8.Value = ui::vbUnchecked;
    f.mnuRefresh_Click();
    EXPECT_EQ(scan.pattern, "*.*");
}

TEST_F(PaneViewsTest, ShiftHeldAtTheSwitchScansFilterFactoryOnly) {
    host.set_key_down(ui::vbKeyShift, true);
    choose_tab(0, 2);
    EXPECT_TRUE(scan.onlyFF);
}

TEST_F(PaneViewsTest, ScannerErrorShowsTheErrorBoxAndTheNextVisitScansAgain) {
    scan.error = 53;
    host.answer_msgbox(ui::vbOK, "Vexo Error 53: File not found", ui::vbExclamation, "Just a small problem...");
    choose_tab(0, 2);
    EXPECT_EQ(app.PaneMode[0], 1);
    EXPECT_FALSE(app.ScanValid[0]);
    EXPECT_FALSE(f.PaneScanBusy[0]);
    EXPECT_TRUE(f.Dir1[0].Enabled);
    EXPECT_TRUE(f.Toolbar1.Buttons(1).Visible);
    scan.error = 0;
    choose_tab(0, 2);
    EXPECT_EQ(scan.calls, 2);
    EXPECT_EQ(app.PaneMode[0], 2);
}

TEST_F(PaneViewsTest, SwitchitSetsColoursCommandStatesAndTheCurrentFolder) {
    open_folder(1, folder("Empty"));
    f.Switchit(1);
    EXPECT_EQ(f.Switchy, 1);
    EXPECT_EQ(files::CurDir(), folder("Empty"));
    for (ui::Control* c : {static_cast<ui::Control*>(&f.File1[1]), static_cast<ui::Control*>(&f.List3[1]),
                           static_cast<ui::Control*>(&f.ListView1[1]), static_cast<ui::Control*>(&f.ListView2[1])})
        EXPECT_EQ(c->BackColor.get(), ui::vbWindowBackground) << c->Name();
    for (ui::Control* c : {static_cast<ui::Control*>(&f.File1[0]), static_cast<ui::Control*>(&f.List3[0]),
                           static_cast<ui::Control*>(&f.ListView1[0]), static_cast<ui::Control*>(&f.ListView2[0])})
        EXPECT_EQ(c->BackColor.get(), ui::vbButtonFace) << c->Name();

    struct Row {
        ui::Menu* m;
        bool file, plugin;
    };
    std::vector<Row> rows = {
        {&f.mnuEnable, true, true},          {&f.mnuChangeCat, false, true}, {&f.mnuRename, true, false},
        {&f.mnuFilecopy, true, true},        {&f.mnuMove, true, true},       {&f.mnuKill2, true, true},
        {&f.mnuFileInformation, true, true}, {&f.mnuZipit, true, false},     {&f.mnuUnzipit, true, false},
        {&f.mnuUnzipInstall, true, false},   {&f.mnuPlugInfo, true, true},   {&f.mnuPluginAbout, true, true},
        {&f.mnuInvoke, true, true},          {&f.mnuMakeDir, true, false}};
    for (int mode : {1, 2, 3}) {
        app.PaneMode[1] = mode;
        f.Switchit(1);
        for (const Row& r : rows)
            EXPECT_EQ(r.m->Enabled.get(), mode == 1   ? r.file
                                          : mode == 2 ? r.plugin
                                                      : false)
                << r.m->Name() << " in view " << mode;
        EXPECT_EQ(f.Command1[3].Enabled.get(), mode != 3);
        EXPECT_EQ(f.Command1[4].Enabled.get(), mode == 2);
        for (ui::Control* c : {&f.Command1[1], &f.Command1[2], &f.Command1[5]})
            EXPECT_FALSE(c->Enabled);
        for (ui::Menu* m : {&f.mnuBrowser, &f.mnuBatchProcessing, &f.mnuSearch})
            EXPECT_FALSE(m->Enabled);
        EXPECT_TRUE(f.Command1[0].Enabled);
    }
}

TEST_F(PaneViewsTest, FocusOnTheOtherPaneMakesItActive) {
    ASSERT_EQ(f.Switchy, 0);
    f.ListView1[1].user_focus();
    EXPECT_EQ(f.Switchy, 1);
    f.SSTab1[0].user_focus();
    EXPECT_EQ(f.Switchy, 0);
}

TEST_F(PaneViewsTest, TheFrameOfTheShownViewIsInFront) {
    auto front = [&](int pane) {
        int best = 1;
        for (int k = 2; k <= 3; ++k)
            if (f.ViewFrame(pane, k).ZPosition() > f.ViewFrame(pane, best).ZPosition()) best = k;
        return best;
    };
    EXPECT_EQ(front(0), 1);
    EXPECT_EQ(front(1), 1);
    choose_tab(1, 2);
    EXPECT_EQ(front(1), 2);
    EXPECT_TRUE(f.Frame4[1].Visible);
    EXPECT_FALSE(f.Frame4[0].Visible);
    EXPECT_FALSE(f.Frame4[2].Visible);
    EXPECT_EQ(front(0), 1);
    choose_tab(1, 1);
    EXPECT_EQ(front(1), 1);
}

TEST_F(PaneViewsTest, ChoosingADriveOpensItInThePane) {
    int last = f.Drive1[1].ListCount() - 1;
    if (last > 0) {
        f.Drive1[1].user_select(last);
        EXPECT_EQ(f.Dir1[1].Path.get(), f.Drive1[1].List(last));
    } else {
        f.Drive1[1].Drive.store(folder()); // a drive the box no longer lists
    }
    f.Drive1[1].user_select(0); // "/"
    EXPECT_EQ(f.Dir1[1].Path.get(), "/");
    EXPECT_EQ(f.File1[1].Path.get(), "/");
    EXPECT_EQ(f.Label6[1].Caption.get(), "/");
}
