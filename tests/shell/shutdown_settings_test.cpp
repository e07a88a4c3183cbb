// Closing the main window saves both panes and the window, and the next start restores them.

#include "tests/shell/startup_fixture.hpp"

#include "preferences/Form2.hpp"
#include "shell/shutdown.hpp"

using namespace vexolan;
using test_support::ProgramRun;
using test_support::StartupTest;

namespace {

struct ShutdownTest : StartupTest {
    std::string left = folder_with_file("left");
    std::string right = folder_with_file("right");

    ShutdownTest() {
        save("Folders", "Folder1", left);
        save("Options", "Show Tips at Startup", "0");
        StartProgram(app);
    }
    // Puts the window where a user would have it, without the relayout of a user's resize.
    void place_window(int leftPx, int topPx, int widthPx, int heightPx) {
        f.Enabled = false;
        f.Width = widthPx * 15;
        f.Height = heightPx * 15;
        f.Left = leftPx * 15;
        f.Top = topPx * 15;
        f.Enabled = true;
    }
    // As a user would: the right pane to another folder, a typed pattern on the left, a listed one on
    // the right, the left pane's view mode `leftMode` and the right one's Classic, pane `sortPane`
    // sorted descending by column `sortKey`; then the window placed and closed.
    void change_and_close(int leftMode, int sortPane, int sortKey, int widthPx) {
        f.Dir1[1].Path = right;
        f.Combo1[0].Text = "*.abc";
        int enter = 13;
        f.Combo1[0].KeyPress(enter);
        f.Combo1[1].ListIndex = 3;
        f.Switchy = 0;
        f.mnuFileViewMode_Click(leftMode);
        f.Switchy = 1;
        f.mnuFileViewMode_Click(4);
        f.ListView1[sortPane].SortKey = sortKey;
        app.ColumnSortOrder[sortPane][sortKey + 1] = false;
        place_window(100, 50, widthPx, 600);
        f.user_close();
    }
};

} // namespace

TEST_F(ShutdownTest, EveryKeyIsWrittenInItsForm) {
    change_and_close(0, 0, 2, 800);

    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(setting("Folders", "Sortkey0"), "2");
    EXPECT_EQ(setting("Folders", "SortDirection0"), "False");
    EXPECT_EQ(setting("Folders", "Sortkey1"), "0");
    EXPECT_EQ(setting("Folders", "SortDirection1"), "True");
    EXPECT_EQ(setting("Folders", "Folder1"), ui::NormaliseFolder(left, "/"));
    EXPECT_EQ(setting("Folders", "Folder2"), ui::NormaliseFolder(right, "/"));
    EXPECT_EQ(setting("Folders", "Pattern1"), "-*.abc");
    EXPECT_EQ(setting("Folders", "Pattern2"), " 3");
    EXPECT_EQ(setting("Settings", "FileViewMode0"), " 0");
    EXPECT_EQ(setting("Settings", "FileViewMode1"), " 4");
    EXPECT_EQ(setting("Settings", "Width"), "800");
    EXPECT_EQ(setting("Settings", "Height"), "600");
    EXPECT_EQ(setting("Folders", "Maximize"), "False");
    EXPECT_EQ(setting("Folders", "LastX"), "100");
    EXPECT_EQ(setting("Folders", "LastY"), "50");
}

TEST_F(ShutdownTest, NextStartRestoresWhatTheExitSaved) {
    change_and_close(1, 1, 1, 900);

    ProgramRun next(appFolder, settingsFile);
    StartProgram(next.app);
    Form1& g = next.form();
    EXPECT_TRUE(next.host.message_boxes().empty());
    EXPECT_EQ(g.Dir1[0].Path.get(), ui::NormaliseFolder(left, "/"));
    EXPECT_EQ(g.Dir1[1].Path.get(), ui::NormaliseFolder(right, "/"));
    EXPECT_EQ(g.Combo1[0].ListIndex.get(), -1);
    EXPECT_EQ(g.File1[0].Pattern.get(), "*.abc");
    EXPECT_EQ(g.Combo1[1].ListIndex.get(), 3);
    EXPECT_EQ(g.ListView1[0].View.get(), ui::lvwSmallIcon);
    EXPECT_FALSE(g.ListView1[1].Visible.get());
    EXPECT_TRUE(g.File1[1].Visible.get());
    EXPECT_EQ(g.ListView1[1].SortKey.get(), 1);
    EXPECT_FALSE(next.app.ColumnSortOrder[1][2]);
    EXPECT_EQ(g.WindowState.get(), ui::vbNormal);
    EXPECT_EQ(g.Width.get(), 900 * 15);
    // Showing the window fits its height to the status line: within a pixel of the saved one.
    EXPECT_NEAR(g.Height.get(), 600 * 15, 15);
    EXPECT_EQ(g.Left.get(), 100 * 15);
    EXPECT_EQ(g.Top.get(), 50 * 15);
}

TEST_F(ShutdownTest, MaximizedWindowKeepsItsNormalSize) {
    save("Settings", "Width", "1000");
    save("Settings", "Height", "700");
    f.WindowState = ui::vbMaximized;
    f.user_close();
    EXPECT_EQ(setting("Folders", "Maximize"), "True");
    EXPECT_EQ(setting("Settings", "Width"), "1000");
    EXPECT_EQ(setting("Settings", "Height"), "700");

    ProgramRun next(appFolder, settingsFile);
    StartProgram(next.app);
    EXPECT_EQ(next.form().WindowState.get(), ui::vbMaximized);
}

TEST_F(ShutdownTest, MinimizedWindowKeepsItsLastNormalSizeAndPosition) {
    save("Settings", "Width", "1000");
    save("Settings", "Height", "700");
    save("Folders", "LastX", "30");
    save("Folders", "LastY", "40");
    f.user_minimize();
    f.user_close();
    EXPECT_EQ(setting("Folders", "Maximize"), "False");
    EXPECT_EQ(setting("Settings", "Width"), "1000");
    EXPECT_EQ(setting("Settings", "Height"), "700");
    EXPECT_EQ(setting("Folders", "LastX"), "30");
    EXPECT_EQ(setting("Folders", "LastY"), "40");
}

TEST_F(ShutdownTest, FractionalPixelsAreWrittenWithAPointAndReadBack) {
    place_window(100, 50, 800, 600);
    f.Enabled = false;
    f.Left = 1507; // 100.4666... pixels
    f.Enabled = true;
    f.user_close();
    EXPECT_EQ(setting("Folders", "LastX").substr(0, 6), "100.46");

    ProgramRun next(appFolder, settingsFile);
    StartProgram(next.app);
    EXPECT_EQ(next.form().Left.get(), 1507);
}

TEST(AdvertiseAtExit, OneExitInFour) {
    EXPECT_TRUE(AdvertiseAtExit(0.0));
    EXPECT_TRUE(AdvertiseAtExit(0.25));
    EXPECT_FALSE(AdvertiseAtExit(0.2501));
    EXPECT_FALSE(AdvertiseAtExit(0.9));
}

TEST_F(ShutdownTest, AdvertisementShownWhenTheDrawSaysSo) {
    app.ExitDraw = [] { return 0.1; };
    host.on_modal("ProVersionAd", [](ui::Window& w) { w.Unload(); });
    f.user_close();
    EXPECT_EQ(host.modal_windows(), std::vector<std::string>{"ProVersionAd"});
}

TEST_F(ShutdownTest, AboutOneExitInFourAdvertisesWithTheClockSeed) {
    app.ExitDraw = nullptr;
    int shown = 0;
    for (int i = 0; i < 100; ++i) {
        ProgramRun run(appFolder, settingsFile);
        run.app.ExitDraw = nullptr;
        run.host.expect_all_answers_used = false;
        StartProgram(run.app);
        run.host.on_modal("ProVersionAd", [&](ui::Window& w) {
            ++shown;
            w.Unload();
        });
        run.close();
    }
    // A quarter of 100, well inside chance.
    EXPECT_GT(shown, 8);
    EXPECT_LT(shown, 45);
    app.ExitDraw = [] { return 0.9; };
}

TEST_F(ShutdownTest, FavouriteFoldersWrittenAndHigherKeysKept) {
    f.mnuDirectorys[0].Caption = "/a";
    f.mnuDirectorys.Load(1);
    f.mnuDirectorys[1].Caption = "/b";
    f.mnuDirectorys.Load(2);
    f.mnuDirectorys[2].Caption = "/c";
    f.user_close();
    EXPECT_EQ(setting("Folders", "0"), "/a");
    EXPECT_EQ(setting("Folders", "1"), "/b");
    EXPECT_EQ(setting("Folders", "2"), "/c");

    ProgramRun next(appFolder, settingsFile);
    StartProgram(next.app);
    while (next.form().mnuDirectorys.Count() > 1)
        next.form().mnuDirectorys.Unload(next.form().mnuDirectorys.UBound());
    next.form().mnuDirectorys[0].Caption = "/z";
    next.close();
    EXPECT_EQ(next.setting("Folders", "0"), "/z");
    EXPECT_EQ(next.setting("Folders", "1"), "/b");
    EXPECT_EQ(next.setting("Folders", "2"), "/c");
}

TEST_F(ShutdownTest, ExitClosesTheImageHandlesAndUnloadsEveryWindow) {
    app.PreviewImage = 3;
    app.PluginImage = 4;
    ASSERT_TRUE(app.form2().Loaded());
    std::filesystem::remove(files::app_path("FolderList.log"));
    f.user_close();
    EXPECT_EQ(app.PreviewImage, 0);
    EXPECT_EQ(app.PluginImage, 0);
    EXPECT_FALSE(app.form2().Loaded());
    // The Preferences window's own unload wrote its list files.
    EXPECT_TRUE(files::file_exists(files::app_path("FolderList.log")));
    EXPECT_TRUE(host.registry().LoadedWindows().empty());
}

TEST_F(ShutdownTest, FailingWritesDoNotStopTheExit) {
    files::inject_fault(files::Op::Any, settingsFile.parent_path(), EACCES);
    app.PreviewImage = 3;
    // Told once, however many keys failed.
    host.answer_msgbox(ui::vbOK,
                       "Vexo Error 70: Permission denied\r\n" + app.Settings.path().string() + " was not written.");
    f.user_close();
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(app.PreviewImage, 0);
    EXPECT_TRUE(host.registry().LoadedWindows().empty());
}
