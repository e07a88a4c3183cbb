// The folder, picture and application pages: their commands and the main window's menus built
// from them.

#include "platform/imgman/images.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::AppTest;

namespace {

struct ListPagesTest : AppTest {
    Form2& f = app.form2();
    Form1& main = app.form1();
    std::string stored(std::string_view key) { return app.Settings.GetSetting("Vexo10", "Settings", key); }
    void SetUp() override { f.Command8_Click(); }
};

} // namespace

TEST_F(ListPagesTest, PicturesAddedAndRemovedRebuildTheFileMenu) {
    for (int i = 0; i < 5; ++i)
        f.List1[1].AddItem("/pics/p" + std::to_string(i) + ".jpg");
    f.Command1_Click();
    ASSERT_EQ(main.mnuPictures.UBound(), 4);
    EXPECT_EQ(main.mnuPictures[4].Caption.get(), "p4.jpg");
    EXPECT_EQ(stored("Pic4"), "/pics/p4.jpg");

    f.List1[1].RemoveItem(4);
    f.List1[1].RemoveItem(3);
    f.Command1_Click();
    EXPECT_EQ(main.mnuPictures.UBound(), 2);
    EXPECT_EQ(stored("Pic3"), "");
    EXPECT_EQ(stored("Pic4"), "");
    EXPECT_EQ(main.mnuPictures[0].Caption.get(), "p0.jpg");
    EXPECT_EQ(main.mnuPictures[2].Caption.get(), "p2.jpg");
}

TEST_F(ListPagesTest, EmptyListsKeepItemZeroWithoutACaption) {
    f.List1[0].AddItem("/a/");
    f.List1[0].AddItem("/b/");
    f.List1[2].AddItem("/bin/x");
    f.List1[1].AddItem("/p/x.bmp");
    f.Command1_Click();
    for (int i = 0; i < 3; ++i)
        f.List1[i].Clear();
    f.Command1_Click();
    for (ui::MenuArray* menu : {&main.mnuDirectorys, &main.mnuPictures, &main.mnuApps}) {
        EXPECT_EQ(menu->UBound(), 0) << menu->Name();
        EXPECT_TRUE(menu->Exists(0)) << menu->Name();
        EXPECT_EQ((*menu)[0].Caption.get(), "") << menu->Name();
    }
}

TEST_F(ListPagesTest, CaptionsShowFullFoldersAndFileNamesWithPercentOne) {
    f.List1[0].AddItem("/home/me/filters/");
    f.List1[2].AddItem("/usr/bin/app.exe %1");
    f.Command1_Click();
    EXPECT_EQ(main.mnuDirectorys[0].Caption.get(), "/home/me/filters/");
    EXPECT_EQ(main.mnuApps[0].Caption.get(), "app.exe %1");
}

TEST_F(ListPagesTest, FolderAddStopsAtTheLimit) {
    for (int i = 0; i < 20; ++i)
        f.List1[0].AddItem("/f" + std::to_string(i) + "/");
    host.answer_msgbox(ui::vbOK, "Limit of entries was reached.", ui::vbExclamation);
    f.Command3[0].user_click();
    EXPECT_TRUE(host.browse_prompts().empty());

    f.Text1.Text = "21";
    host.answer_browse_for_folder("/home/me/more");
    f.Command3_Click(0);
    ASSERT_EQ(host.browse_prompts().size(), 1u);
    EXPECT_EQ(host.browse_prompts()[0], "Please select a plugin folder ...");
    EXPECT_EQ(f.List1[0].List(20), "/home/me/more/");

    // A limit box holding a word refuses every Add.
    f.Text1.Text = "many";
    host.answer_msgbox(ui::vbOK, "Limit of entries was reached.");
    f.Command3_Click(0);
}

TEST_F(ListPagesTest, FoldersMayRepeatPicturesAndApplicationsMayNot) {
    host.answer_browse_for_folder("/x/");
    host.answer_browse_for_folder("/x/");
    f.Command3_Click(0);
    f.Command3_Click(0);
    EXPECT_EQ(f.List1[0].ListCount(), 2);

    const std::string jpg = root.write("pics/B.JPG", test_support::jpeg_file(8, 8)).string();
    host.answer_file_dialog(jpg);
    host.answer_file_dialog(jpg);
    f.Command3_Click(1);
    f.Command3_Click(1);
    ASSERT_EQ(f.List1[1].ListCount(), 1);
    EXPECT_EQ(f.List1[1].List(0), jpg);

    host.answer_file_dialog("/usr/bin/gimp");
    host.answer_file_dialog("/usr/bin/gimp");
    f.Command3_Click(2);
    f.Command3_Click(2);
    ASSERT_EQ(f.List1[2].ListCount(), 1);
    EXPECT_EQ(f.List1[2].List(0), "/usr/bin/gimp");
    const auto& dialog = host.file_dialogs().back();
    EXPECT_EQ(dialog.Title, "Select Executable");
    EXPECT_EQ(dialog.DefaultExtension, "exe");
}

TEST_F(ListPagesTest, OnlyBmpAndJpgPicturesAreTaken) {
    host.answer_msgbox(ui::vbOK, "\r\nPlease select a BMP or JPG file!", ui::vbExclamation, "Vexolan");
    host.answer_file_dialog(root.write("pics/a.gif", test_support::gif_file(4, 4)).string());
    f.Command3_Click(1);
    EXPECT_EQ(f.List1[1].ListCount(), 0);
    host.answer_file_dialog(""); // cancelled: no message
    f.Command3_Click(1);
    // A file that is no picture opens nothing and adds nothing, without a message of its own.
    host.answer_file_dialog(root.write("pics/fake.bmp", "not a picture").string());
    f.Command3_Click(1);
    EXPECT_EQ(f.List1[1].ListCount(), 0);
    EXPECT_EQ(imgman::live_handle_count(), 0);
}

TEST_F(ListPagesTest, MovesSelectOnlyTheMovedEntryAndStopAtTheEnds) {
    f.SSTab1.user_select_tab(6);
    ui::ListBox& apps = f.List1[2];
    for (const char* a : {"/a", "/b", "/c"})
        apps.AddItem(a);
    apps.ListIndex = 0;
    f.Command9_Click(2); // already first
    EXPECT_EQ(apps.List(0), "/a");
    EXPECT_FALSE(f.AppsChanged);

    apps.user_select(1);
    apps.user_select(2, ui::vbCtrlMask);
    apps.ListIndex = 1;
    f.Command10[2].user_click();
    EXPECT_EQ(apps.List(1), "/c");
    EXPECT_EQ(apps.List(2), "/b");
    EXPECT_EQ(apps.ListIndex.get(), 2);
    EXPECT_EQ(apps.SelCount(), 1);
    EXPECT_TRUE(apps.IsSelected(2));
    EXPECT_TRUE(f.AppsChanged);

    f.Command10_Click(2); // already last
    EXPECT_EQ(apps.List(2), "/b");

    // Alt+Up in the list moves too.
    apps.user_key(ui::vbKeyUp, ui::vbAltMask);
    EXPECT_EQ(apps.List(1), "/b");
    EXPECT_EQ(apps.ListIndex.get(), 1);
}

TEST_F(ListPagesTest, AltArrowsDoNothingInTheTypeList) {
    ui::ListBox& types = f.List1[3];
    std::string second = types.List(1);
    types.ListIndex = 1;
    int key = ui::vbKeyUp, shift = ui::vbAltMask;
    f.List1_KeyDown(3, key, shift);
    EXPECT_EQ(types.List(1), second);
}

TEST_F(ListPagesTest, PercentOneIsAddedOnceAndRemovedOnlyWhenPresent) {
    ui::ListBox& apps = f.List1[2];
    apps.AddItem("/bin/a");
    apps.AddItem("/bin/b %1");
    f.Command7_Click(2);
    f.Command11.user_click();
    f.Command11_Click();
    EXPECT_EQ(apps.List(0), "/bin/a %1");
    EXPECT_EQ(apps.List(1), "/bin/b %1");
    f.Command12_Click();
    f.Command12.user_click();
    EXPECT_EQ(apps.List(0), "/bin/a");
    EXPECT_EQ(apps.List(1), "/bin/b");
    EXPECT_FALSE(f.AppsChanged);
}

TEST_F(ListPagesTest, RemoveDropsEverySelectedEntryAndMarksTheApps) {
    f.SSTab1.user_select_tab(6);
    ui::ListBox& apps = f.List1[2];
    for (const char* a : {"/a", "/b", "/c", "/d"})
        apps.AddItem(a);
    apps.Selected(0) = true;
    apps.Selected(2) = true;
    f.Command6_Click(2);
    ASSERT_EQ(apps.ListCount(), 2);
    EXPECT_EQ(apps.List(0), "/b");
    EXPECT_EQ(apps.List(1), "/d");
    EXPECT_TRUE(f.AppsChanged);
    EXPECT_TRUE(apps.HasFocus());
}

TEST_F(ListPagesTest, TheHorizontalExtentFitsTheLongestEntry) {
    f.AdaptListWidth(0);
    EXPECT_EQ(f.HorizontalExtent[0], 12); // two blanks of 6 pixels
    f.List1[0].AddItem("/abc/");
    f.List1[0].AddItem("/xyz/");
    f.List1[0].AddItem("/ab/");
    f.AdaptListWidth(0);
    EXPECT_EQ(f.HorizontalExtent[0], 7 * 6);
}

TEST_F(ListPagesTest, EachMenuEntryGetsItsListsPicture) {
    main.Image3[11].Picture = 111;
    main.Image3[14].Picture = 114;
    main.Image3[13].Picture = 113;
    f.List1[0].AddItem("/a/");
    f.List1[0].AddItem("/b/");
    f.List1[1].AddItem("/p/a.jpg");
    f.List1[2].AddItem("/bin/a");
    f.Command1_Click();
    EXPECT_EQ(main.mnuDirectorys[0].Picture.get(), 111);
    EXPECT_EQ(main.mnuDirectorys[1].Picture.get(), 111);
    EXPECT_EQ(main.mnuPictures[0].Picture.get(), 114);
    EXPECT_EQ(main.mnuApps[0].Picture.get(), 113);
    // The first folder sits at item position 6 of the Folders menu (bar position 4).
    EXPECT_EQ(main.PresentMenus()[4]->PresentItem(6), &main.mnuDirectorys[0]);
}

TEST_F(ListPagesTest, OkRefreshesTheApplicationButtonOnlyAfterTheAppsChanged) {
    main.Image1.ToolTipText = "";
    f.Command1_Click();
    EXPECT_EQ(main.Image1.ToolTipText.get(), "");
    host.answer_file_dialog("/usr/bin/gimp");
    f.Command3_Click(2);
    EXPECT_TRUE(f.AppsChanged);
    f.Command1_Click();
    EXPECT_EQ(main.Image1.ToolTipText.get(), "Click me for an application list");
}

TEST_F(ListPagesTest, TheLiveFolderLimitBelowOneCountsAsTwenty) {
    const std::pair<const char*, int> cases[] = {{"35", 35}, {"0", 20}, {"", 20}, {"-5", 20}, {"0.5", 20}, {"abc", 20}};
    for (const auto& [text, limit] : cases) {
        f.Text1.Text = text;
        EXPECT_EQ(f.FolderLimit(), limit) << text;
    }
}

TEST_F(ListPagesTest, MovedEntriesReachTheMenusAfterOk) {
    for (const char* folder : {"/a/", "/b/", "/c/"})
        f.List1[0].AddItem(folder);
    for (const char* app_ : {"/bin/x", "/bin/y"})
        f.List1[2].AddItem(app_);
    f.Command1_Click();
    f.List1[0].ListIndex = 2;
    f.Command9_Click(0);
    f.List1[2].ListIndex = 0;
    f.Command10_Click(2);
    EXPECT_EQ(main.mnuDirectorys[1].Caption.get(), "/b/"); // not before Ok
    f.Command1_Click();
    EXPECT_EQ(main.mnuDirectorys[1].Caption.get(), "/c/");
    EXPECT_EQ(main.mnuDirectorys[2].Caption.get(), "/b/");
    EXPECT_EQ(main.mnuApps[0].Caption.get(), "y");
    EXPECT_EQ(main.mnuApps[1].Caption.get(), "x");
    EXPECT_EQ(test_support::read_file(appFolder / "FolderList.log"), "/a/\r\n/c/\r\n/b/\r\n");
    EXPECT_EQ(stored("App0"), "/bin/y");
}
