// The start-up sequence on the scripted host: first run, restored panes and window, the error cap,
// the fixed list of what this edition switches off.

#include "tests/shell/startup_fixture.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "filemanager/filters.hpp"
#include "filterfactory/compiler.hpp"
#include "preferences/Form2.hpp"
#include "shell/frmSplash.hpp"
#include "shell/frmTip.hpp"

#include "version.hpp"

#include <cerrno>
#include <cstdlib>

using namespace vexolan;
using test_support::StartupTest;

namespace {

std::string normal(const std::string& folder) {
    return ui::NormaliseFolder(folder, "/");
}

} // namespace

TEST(MainCaption, MinorVersionHasAtLeastTwoDigits) {
    EXPECT_EQ(MainCaption(1, 52), "Vexolan 1.52 - Light Edition");
    EXPECT_EQ(MainCaption(1, 5), "Vexolan 1.05 - Light Edition");
    EXPECT_EQ(MainCaption(2, 0), "Vexolan 2.00 - Light Edition");
    EXPECT_EQ(MainCaption(VersionMajor, VersionMinor), "Vexolan 1.52 - Light Edition");
}

TEST(WelcomeMessage, LinesJoinedByCrLfAndSignedByTheTeam) {
    EXPECT_EQ(WelcomeMessage(), "Welcome to Vexo!\r\n\r\nI hope you will like and enjoy this tool.\r\n\r\n"
                                "If you shouldn't understand something,\r\nplease run the help file by pressing F1."
                                "\r\n\r\nThe Vexolan team\r\nsupport@vexolan.example");
}

TEST_F(StartupTest, FirstRunWelcomesAdvertisesAndShowsTheWindowWithDefaults) {
    expect_first_run(host);
    StartProgram(app);

    ASSERT_EQ(host.message_boxes().size(), 1u);
    EXPECT_EQ(host.message_boxes()[0].Title, "Vexolan");
    EXPECT_EQ(host.modal_windows(), std::vector<std::string>{"ProVersionAd"});
    EXPECT_EQ(f.Caption.get(), "Vexolan 1.52 - Light Edition");
    EXPECT_TRUE(f.Visible.get());
    EXPECT_TRUE(f.Enabled.get());
    EXPECT_FALSE(app.splash().Loaded());
    EXPECT_TRUE(app.tipWindow().Visible.get());
    EXPECT_EQ(f.Switchy, 0);
    EXPECT_EQ(app.PaneMode, (std::array<int, 2>{1, 1}));
    EXPECT_TRUE(app.FF.pFlag);
    EXPECT_EQ(app.StartupErrors, 0);
    for (int p = 0; p < 2; ++p) {
        // Both panes stay in the folder the program started in, in Details with "All Files".
        EXPECT_EQ(f.Dir1[p].Path.get(), normal(start.path().string())) << p;
        ASSERT_EQ(f.Combo1[p].ListCount(), 6);
        EXPECT_EQ(f.Combo1[p].List(2), "Image Files (*.jpg;*.gif;*.bmp;*.wmf;*.png;*.tga;*.pcx;*.tif;*.eps)");
        EXPECT_EQ(f.Combo1[p].ListIndex.get(), 0);
        EXPECT_TRUE(f.ListView1[p].Visible.get());
        EXPECT_EQ(f.ListView1[p].View.get(), ui::lvwReport);
        EXPECT_EQ(f.ListView1[p].SortKey.get(), 0);
        EXPECT_TRUE(app.ColumnSortOrder[static_cast<std::size_t>(p)][1]);
    }
    // The editor interface of the installed folder is chosen.
    EXPECT_EQ(app.InterfaceFile, "Interfc4.des");
    EXPECT_GE(app.form2().Combo1.ListIndex.get(), 1);
    EXPECT_EQ(app.form2().Combo1.ListIndex.get(), app.form2().InterfaceEntry("Interfc4.des"));
}

TEST_F(StartupTest, PanesStartInTheCurrentFolderEvenBelowTheHomeFolder) {
    // The home folder is an entry of the drive box: the panes must not jump to it.
    std::filesystem::path below = std::filesystem::path(std::getenv("HOME")) / "work" / "filters";
    std::filesystem::create_directories(below);
    files::ChDir(below.string());
    expect_first_run(host);
    StartProgram(app);
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(f.Dir1[p].Path.get(), normal(below.string())) << p;
        EXPECT_EQ(f.File1[p].Path.get(), normal(below.string())) << p;
    }
    std::filesystem::remove_all(below.parent_path());
}

TEST_F(StartupTest, PreviewPluginIsTheTemplateWithItsDialogFlagCleared) {
    expect_first_run(host);
    StartProgram(app);
    std::string preview = files::app_path("temp.dll");
    std::string tmpl = files::find_file_no_case(appFolder.string(), "Photo30.dll");
    ASSERT_TRUE(files::file_exists(preview));
    std::string cleared = files::read_file_bytes(preview);
    EXPECT_NE(cleared, files::read_file_bytes(tmpl));
    // Setting the flag again gives back the template byte for byte: only the flag was changed.
    ASSERT_TRUE(ff::ToggleFFUI(preview, true));
    EXPECT_EQ(files::read_file_bytes(preview), files::read_file_bytes(tmpl));
}

TEST_F(StartupTest, WithoutTemplateNoPreviewPluginAndNoMessage) {
    files::delete_file(files::find_file_no_case(appFolder.string(), "Photo30.dll"));
    expect_first_run(host);
    StartProgram(app);
    EXPECT_FALSE(files::file_exists(files::app_path("temp.dll")));
    EXPECT_EQ(host.message_boxes().size(), 1u); // the welcome only
}

TEST_F(StartupTest, SavedPanesAreRestored) {
    std::string left = folder_with_file("left");
    std::string onlySubfolders = make_folder("right").string();
    std::filesystem::create_directories(std::filesystem::path(onlySubfolders) / "sub");
    save("Folders", "Folder1", left);
    save("Folders", "Folder2", onlySubfolders);
    save("Folders", "Pattern1", " 2");
    save("Folders", "Pattern2", "-*.txt;*.doc");
    save("Folders", "Sortkey0", "2");
    save("Folders", "SortDirection0", "False");
    save("Settings", "FileViewMode1", " 4");
    save("Settings", "Interface", "OFF");
    StartProgram(app);

    EXPECT_TRUE(host.message_boxes().empty());
    EXPECT_TRUE(host.modal_windows().empty());
    EXPECT_EQ(f.Dir1[0].Path.get(), normal(left));
    EXPECT_EQ(f.File1[0].Path.get(), normal(left));
    // A folder that exists is taken back, though it holds no plain file.
    EXPECT_EQ(f.Dir1[1].Path.get(), normal(onlySubfolders));
    EXPECT_EQ(f.Combo1[0].ListIndex.get(), 2);
    EXPECT_EQ(f.File1[0].Pattern.get(), FilterPattern(app, 2));
    EXPECT_EQ(f.Combo1[1].ListIndex.get(), -1);
    EXPECT_EQ(f.Combo1[1].Text.get(), "*.txt;*.doc");
    EXPECT_EQ(f.File1[1].Pattern.get(), "*.txt;*.doc");
    EXPECT_EQ(f.ListView1[0].SortKey.get(), 2);
    EXPECT_FALSE(app.ColumnSortOrder[0][3]);
    EXPECT_TRUE(f.ListView1[0].Visible.get());
    EXPECT_FALSE(f.ListView1[1].Visible.get()); // Classic: the plain file list
    EXPECT_TRUE(f.File1[1].Visible.get());
    EXPECT_EQ(app.form2().Combo1.ListIndex.get(), 0);
    EXPECT_EQ(app.InterfaceFile, "OFF");
    // The report list of the left pane lists its folder.
    ASSERT_GE(f.ListView1[0].ListItems.Count(), 1);
}

TEST_F(StartupTest, RightFolderRestoredBeforeTheFirstRunOfTheLeft) {
    std::string right = folder_with_file("right");
    save("Folders", "Folder2", right);
    expect_first_run(host);
    StartProgram(app);
    EXPECT_EQ(f.Dir1[1].Path.get(), normal(right));
    EXPECT_EQ(host.modal_windows(), std::vector<std::string>{"ProVersionAd"});
}

TEST_F(StartupTest, MalformedSavedNumbersFallBackWithoutErrorBoxes) {
    mark_not_first_run();
    save("Folders", "Pattern1", " 9");
    save("Folders", "Sortkey1", "x");
    save("Folders", "SortDirection1", "maybe");
    save("Settings", "FileViewMode0", "many");
    save("Folders", "LastX", "abc");
    save("Folders", "LastY", "");
    int designHeight = f.Height;
    StartProgram(app);
    EXPECT_TRUE(host.message_boxes().empty());
    EXPECT_EQ(app.StartupErrors, 0);
    EXPECT_EQ(f.Combo1[0].ListIndex.get(), 0);
    EXPECT_EQ(f.ListView1[1].SortKey.get(), 0);
    EXPECT_TRUE(app.ColumnSortOrder[1][1]);
    EXPECT_EQ(f.ListView1[0].View.get(), ui::lvwReport);
    EXPECT_EQ(f.Height.get(), designHeight);
    // No usable position: centred.
    EXPECT_EQ(f.Left.get(), (host.ScreenWidth() - f.Width) / 2);
}

TEST_F(StartupTest, AWidthWithoutItsHeightIsOneErrorBox) {
    mark_not_first_run();
    save("Settings", "Width", "800");
    const int designHeight = f.Height;
    host.answer_msgbox(ui::vbOK, "Vexo Error 13: Type mismatch", std::nullopt, "Just a small problem...");
    StartProgram(app);
    EXPECT_EQ(app.StartupErrors, 1);
    EXPECT_EQ(f.Width.get(), 800 * 15);
    EXPECT_EQ(f.Height.get(), designHeight);
    EXPECT_TRUE(f.Visible.get());
}

TEST_F(StartupTest, MaximizeTrueIgnoresSizeAndPosition) {
    mark_not_first_run();
    save("Folders", "Maximize", "True");
    save("Settings", "Width", "700");
    save("Settings", "Height", "500");
    save("Folders", "LastX", "10");
    save("Folders", "LastY", "10");
    StartProgram(app);
    EXPECT_EQ(f.WindowState.get(), ui::vbMaximized);
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(StartupTest, MaximizeIsTakenOnlyAsTheExactText) {
    mark_not_first_run();
    save("Folders", "Maximize", "true");
    StartProgram(app);
    EXPECT_EQ(f.WindowState.get(), ui::vbNormal);
}

TEST_F(StartupTest, SavedSizeAndPositionApplied) {
    mark_not_first_run();
    save("Settings", "Width", "900");
    save("Settings", "Height", "640");
    save("Folders", "LastX", "120");
    save("Folders", "LastY", "80");
    StartProgram(app);
    EXPECT_EQ(f.Width.get(), 900 * 15);
    EXPECT_EQ(f.Left.get(), 120 * 15);
    EXPECT_EQ(f.Top.get(), 80 * 15);
}

TEST_F(StartupTest, WindowOffTheScreenIsCentredButPartlyVisibleIsKept) {
    mark_not_first_run();
    save("Folders", "LastX", "-99999");
    save("Folders", "LastY", "50");
    StartProgram(app);
    EXPECT_EQ(f.Left.get(), (host.ScreenWidth() - f.Width) / 2);
    EXPECT_EQ(f.Top.get(), (host.ScreenHeight() - f.Height) / 2);

    test_support::ProgramRun second(appFolder, settingsFile);
    second.app.Settings.SaveSetting("Vexo10", "Folders", "LastX", "-100");
    StartProgram(second.app);
    EXPECT_EQ(second.form().Left.get(), -100 * 15);
    EXPECT_EQ(second.form().Top.get(), 50 * 15);
}

TEST_F(StartupTest, PositionBeyondTheFarEdgeLeavesThatEdgeWhereItWas) {
    mark_not_first_run();
    save("Folders", "LastX", "99999");
    save("Folders", "LastY", "40");
    int designLeft = f.Left;
    StartProgram(app);
    EXPECT_EQ(f.Left.get(), designLeft);
    EXPECT_EQ(f.Top.get(), 40 * 15);
}

TEST_F(StartupTest, TipOfTheDayFollowsItsSetting) {
    mark_not_first_run();
    save("Options", "Show Tips at Startup", "0");
    StartProgram(app);
    EXPECT_FALSE(app.tipWindow().Loaded());
}

TEST_F(StartupTest, EditorPreloadedOnlyWhenAllComponentsLoad) {
    mark_not_first_run();
    StartProgram(app);
    EXPECT_FALSE(app.EditorForm().Loaded());

    test_support::ProgramRun second(appFolder, settingsFile);
    second.app.Settings.SaveSetting("Vexo10", "Settings", "FullStartUp", " 1");
    StartProgram(second.app);
    EXPECT_TRUE(second.app.EditorForm().Loaded());
    EXPECT_FALSE(second.app.EditorForm().Visible.get());
    EXPECT_EQ(second.app.splash().Label1.Caption.get(), "Loading FF Editor ...");
}

TEST_F(StartupTest, AtMostThreeErrorBoxesAndTheStartUpCompletes) {
    // At least four statements of the start-up fail: letting events through, the copy of the
    // template, and the welcome message.
    host.on_do_events = [] { throw vb::Error(7); };
    files::inject_fault(files::Op::Write, files::app_path("temp.dll"), EACCES);
    host.on_msgbox = [](std::string_view prompt) {
        if (prompt.starts_with("Welcome")) throw vb::Error(5);
    };
    host.accept_unscripted_msgboxes = true;
    host.on_modal("ProVersionAd", [](ui::Window& w) { w.Unload(); });
    StartProgram(app);

    EXPECT_GE(app.StartupErrors, 4);
    int errorBoxes = 0;
    for (const auto& box : host.message_boxes())
        if (box.Title == "Just a small problem...") ++errorBoxes;
    EXPECT_EQ(errorBoxes, 3);
    EXPECT_EQ(f.Caption.get(), "Vexolan 1.52 - Light Edition");
    EXPECT_TRUE(f.Visible.get());
    EXPECT_TRUE(f.Enabled.get());
}

// --- the fixed list of Form_Initialize ------------------------------------------------------------

namespace {

enum Action { Hide, Disable, DisableAndClear };
struct Row {
    bool Preferences;
    const char* Name;
    int Index;
    Action What;
};

const Row FixedList[] = {
    {false, "mnuZipit", -1, Hide},
    {false, "mnuUnzipit", -1, Hide},
    {false, "mnuUnzipInstall", -1, Hide},
    {false, "mnuyyy", -1, Hide},
    {false, "mnuPluginPreview", -1, Disable},
    {false, "mnuAdd", -1, Hide},
    {false, "mnuInvoke", -1, Hide},
    {false, "mnuCreateLibrary", -1, Hide},
    {false, "Check1", 0, DisableAndClear},
    {false, "Check1", 1, DisableAndClear},
    {false, "mnuCreateBMPs", -1, Hide},
    {false, "mnuSearch", -1, Hide},
    {false, "mnuFflview", -1, Disable},
    {true, "Check7", -1, DisableAndClear},
    {true, "Check9", -1, Disable},
    {true, "Check15", -1, DisableAndClear},
    {true, "Check17", -1, DisableAndClear},
    {true, "Label2", -1, Disable},
    {true, "Command5", -1, Disable},
    {true, "HScroll2", -1, Disable},
    {true, "Frame9", -1, Disable},
    {true, "Check8", -1, DisableAndClear},
    {true, "Check3", -1, DisableAndClear},
    {true, "Check6", -1, DisableAndClear},
    {true, "Check11", 0, Disable},
    {true, "Check11", 1, Disable},
    {true, "Option4", 2, Disable},
    {true, "Option4", 3, Disable},
    {true, "Combo2", 0, Disable},
    {true, "Command2", 1, Disable},
    {true, "Frame6", -1, Disable},
    {true, "Combo2", 1, Disable},
    {true, "Combo2", 2, Disable},
    {true, "Command2", 2, Disable},
    {true, "Command2", 3, Disable},
    {true, "Check5", 1, DisableAndClear},
    {true, "Check5", 2, DisableAndClear},
    {true, "Label8", -1, Disable},
    {true, "Label9", -1, Disable},
};

} // namespace

TEST_F(StartupTest, FormInitializeSwitchesOffEveryEntryOfTheFixedList) {
    f.Check1[0].Value = ui::vbChecked;
    f.Check1[1].Value = ui::vbChecked;
    Form2& p = app.form2();
    p.Check7.Value = ui::vbChecked;
    p.Check15.Value = ui::vbChecked;
    p.Check17.Value = ui::vbChecked;
    Form_Initialize(f);

    EXPECT_TRUE(app.splash().Visible.get());
    EXPECT_EQ(app.splash().MousePointer.get(), ui::vbHourglass);
    for (const Row& row : FixedList) {
        SCOPED_TRACE(std::string(row.Name) + "(" + std::to_string(row.Index) + ")");
        ui::Window& w = row.Preferences ? static_cast<ui::Window&>(p) : static_cast<ui::Window&>(f);
        if (ui::Menu* m = w.FindMenu(row.Name, row.Index)) {
            if (row.What == Hide) {
                EXPECT_FALSE(m->Visible.get());
            }
            if (row.What == Disable) {
                EXPECT_FALSE(m->Enabled.get());
            }
            continue;
        }
        ui::Control* c = w.FindControl(row.Name, row.Index);
        ASSERT_NE(c, nullptr);
        EXPECT_FALSE(c->Enabled.get());
        if (row.What == DisableAndClear) {
            EXPECT_EQ(dynamic_cast<ui::CheckBox&>(*c).Value.get(), ui::vbUnchecked);
        }
    }
    EXPECT_FALSE(f.Toolbar1.Buttons(1).Enabled.get());
    EXPECT_TRUE(f.Toolbar1.Buttons(2).Enabled.get());
    EXPECT_FALSE(f.Toolbar1.Buttons(3).Enabled.get());
    EXPECT_FALSE(f.Toolbar1.Buttons(4).Enabled.get());
    // Entries not on the list keep their state.
    EXPECT_TRUE(f.mnuConvert.Visible.get());
    EXPECT_TRUE(p.Check16.Enabled.get());
    EXPECT_TRUE(p.Check11[0].Visible.get());
}

TEST_F(StartupTest, MenuPicturesSkipSeparatorsAndPositionsPastTheEnd) {
    mark_not_first_run();
    for (int k = 0; k < 18; ++k)
        f.Image3[static_cast<std::size_t>(k)].Picture = 100 + k;
    StartProgram(app);
    EXPECT_EQ(f.mnuFileView.Picture.get(), f.Image3[0].Picture.get());
    EXPECT_EQ(f.mnuRename.Picture.get(), f.Image3[12].Picture.get());
    EXPECT_EQ(f.mnuOptions.Picture.get(), f.Image3[8].Picture.get());
    EXPECT_EQ(f.mnuSelectAll.Picture.get(), f.Image3[15].Picture.get());
    // "Convert..." is not where the older menu had it: no picture.
    EXPECT_EQ(f.mnuFilterDownload.Picture.get(), 116);
    EXPECT_EQ(f.mnuKillFolder.Picture.get(), 103);
    EXPECT_EQ(f.mnuConvert.Picture.get(), 0);
    EXPECT_EQ(f.mnuListtoFile.Picture.get(), 0);
    EXPECT_EQ(f.zmnu2.Picture.get(), 0);
}

TEST_F(StartupTest, SplashClosedEarlyByTheUserLeavesTheStartUpUnchanged) {
    mark_not_first_run();
    // The first time events go through, the user presses a key on the splash window.
    host.on_do_events = [this] {
        if (app.splash().Visible) app.splash().user_key_press('x');
    };
    StartProgram(app);
    EXPECT_FALSE(app.splash().Loaded());
    EXPECT_EQ(app.StartupErrors, 0);
    EXPECT_TRUE(host.message_boxes().empty());
    EXPECT_EQ(f.Caption.get(), "Vexolan 1.52 - Light Edition");
    EXPECT_TRUE(f.Visible.get());
    EXPECT_TRUE(f.Enabled.get());
}
