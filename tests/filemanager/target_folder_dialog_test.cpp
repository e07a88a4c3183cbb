// The target-folder dialog: the folders it offers, browsing, creating a missing folder, pointing the
// passive pane at the choice, and the one-showing requests.
#include "filemanager/SelectFolder.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

struct TargetFolderDialogTest : test_support::FileViewTest {
    SelectFolder& dialog = app.selectFolder();

    TargetFolderDialogTest() { app.form2().List1[0].Clear(); }

    std::vector<std::string> entries() const {
        std::vector<std::string> out;
        for (int i = 0; i < dialog.Combo1.ListCount(); ++i)
            out.push_back(dialog.Combo1.List(i));
        return out;
    }
    // Shows the dialog modally; `act` does what the user does in it.
    void show(std::function<void(SelectFolder&)> act) {
        host.on_modal("SelectFolder", [act](ui::Window& w) { act(static_cast<SelectFolder&>(w)); });
        dialog.ShowModal();
    }
};

} // namespace

TEST_F(TargetFolderDialogTest, OffersThePassiveFolderFirstThenThePreferencesFoldersUnchanged) {
    open_folder(0, folder(left));
    open_folder(1, folder(left));
    app.form2().List1[0].AddItem("/a");
    app.form2().List1[0].AddItem("/a");
    show([&](SelectFolder& w) {
        EXPECT_EQ(entries(), (std::vector<std::string>{folder(left) + "/", "/a", "/a"}));
        EXPECT_EQ(w.Combo1.ListIndex.get(), 0);
        EXPECT_EQ(w.Combo1.Text.get(), folder(left) + "/");
        EXPECT_FALSE(w.Check2.Visible.get());
        w.Command3.user_click();
    });
    EXPECT_EQ(dialog.Combo1.Text.get(), "");

    open_folder(1, folder(right));
    f.Switchit(0);
    dialog.SetFirstEntry("/first/");
    show([&](SelectFolder&) {
        EXPECT_EQ(entries(),
                  (std::vector<std::string>{"/first/", folder(right) + "/", folder(left) + "/", "/a", "/a"}));
    });
    // The first entry serves one showing.
    show([&](SelectFolder&) { EXPECT_EQ(entries().front(), folder(right) + "/"); });
}

TEST_F(TargetFolderDialogTest, BrowsedFolderGoesOnTopAndIsSelected) {
    open_folders();
    app.form2().List1[0].AddItem("/x/");
    host.answer_browse_for_folder("/b");
    show([&](SelectFolder& w) {
        w.Command1.user_click();
        EXPECT_EQ(entries(), (std::vector<std::string>{"/b/", folder(right) + "/", folder(left) + "/", "/x/"}));
        EXPECT_EQ(w.Combo1.ListIndex.get(), 0);
        EXPECT_EQ(w.Combo1.Text.get(), "/b/");
    });
    EXPECT_EQ(host.browse_prompts(), std::vector<std::string>{"Please select a folder ..."});
    host.answer_browse_for_folder("");
    show([&](SelectFolder& w) {
        w.Command1.user_click();
        EXPECT_EQ(entries().size(), 3u);
    });
}

TEST_F(TargetFolderDialogTest, OkMovesThePassivePaneToTheTypedFolder) {
    std::filesystem::create_directories(right / "typed");
    right.write("typed/inside.txt", "x");
    open_folders();
    show([&](SelectFolder& w) {
        w.Combo1.Text = "  " + folder(right, "typed") + " ";
        w.Command2.user_click();
        EXPECT_FALSE(w.Visible.get());
    });
    EXPECT_EQ(dialog.Combo1.Text.get(), folder(right, "typed") + "/");
    EXPECT_EQ(f.Dir1[1].Path.get(), folder(right, "typed"));
    EXPECT_EQ(f.File1[1].Path.get(), folder(right, "typed"));
    EXPECT_EQ(f.Label6[1].Caption.get(), folder(right, "typed") + "/");
    EXPECT_TRUE(listed(1, "inside.txt"));
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left));
}

TEST_F(TargetFolderDialogTest, MissingFolderIsCreatedOnlyWhenTheUserAgrees) {
    open_folders();
    const std::string wanted = folder(left, "new") + "/";
    host.answer_msgbox(ui::vbNo, wanted + " doesn't exist!\rDo you want to create it?", ui::vbYesNo + ui::vbExclamation,
                       "Vexolan");
    show([&](SelectFolder& w) {
        w.Combo1.Text = folder(left, "new");
        w.Command2.user_click();
        EXPECT_TRUE(w.Visible.get());
        EXPECT_EQ(w.Combo1.Text.get(), wanted);
        EXPECT_FALSE(std::filesystem::exists(left / "new"));

        host.answer_msgbox(ui::vbYes);
        w.Command2.user_click();
        EXPECT_FALSE(w.Visible.get());
    });
    EXPECT_TRUE(std::filesystem::is_directory(left / "new"));
    // The new folder lies in the active pane's folder, which shows it.
    EXPECT_TRUE(listed(0, " new"));
    EXPECT_EQ(f.Dir1[1].Path.get(), folder(left, "new"));
}

TEST_F(TargetFolderDialogTest, MissingParentShowsTheErrorBoxAndKeepsTheNoChangeRequest) {
    open_folders();
    dialog.SetNoChange();
    host.answer_msgbox(ui::vbYes);
    host.answer_msgbox(ui::vbOK, "Vexo Error 76: Path not found", ui::vbExclamation, "Just a small problem...");
    show([&](SelectFolder& w) {
        w.Combo1.Text = folder(left, "no/such");
        w.Command2.user_click();
        EXPECT_TRUE(w.Visible.get());
        // The request still holds: an Ok on an existing folder leaves the panes alone.
        w.Combo1.Text = folder(left);
        w.Command2.user_click();
    });
    EXPECT_EQ(f.Dir1[1].Path.get(), folder(right));
    // It served one showing: the next Ok moves the passive pane.
    show([&](SelectFolder& w) {
        w.Combo1.Text = folder(left);
        w.Command2.user_click();
    });
    EXPECT_EQ(f.Dir1[1].Path.get(), folder(left));
}

TEST_F(TargetFolderDialogTest, CancelAfterNoChangeClearsTheRequest) {
    open_folders();
    dialog.SetNoChange();
    show([&](SelectFolder& w) { w.Command3.user_click(); });
    EXPECT_EQ(dialog.Combo1.Text.get(), "");
    show([&](SelectFolder& w) {
        w.Combo1.Text = folder(left);
        w.Command2.user_click();
    });
    EXPECT_EQ(f.Dir1[1].Path.get(), folder(left));
}

TEST_F(TargetFolderDialogTest, OkOnThePassivePanesOwnFolderLeavesThePanesAlone) {
    open_folders();
    int changes = 0;
    f.Dir1[1].Change = [&] { ++changes; };
    show([&](SelectFolder& w) { w.Command2.user_click(); });
    EXPECT_EQ(dialog.Combo1.Text.get(), folder(right) + "/");
    EXPECT_EQ(changes, 0);
}

TEST_F(TargetFolderDialogTest, KeysAndFrameOfTheSmallWindow) {
    open_folders();
    show([&](SelectFolder& w) {
        EXPECT_EQ(w.Width.get(), 5388);
        EXPECT_EQ(w.Height.get(), 1272);
        EXPECT_EQ(w.Command2.Caption.get(), "Ok");
        EXPECT_EQ(w.Check2.Caption.get(), "Automatically create sub folder(s)");
        // Its bar is along the left edge: a double click rolls it up to the bar, across.
        w.user_dblclick();
        EXPECT_EQ(w.Width.get(), 336);
        EXPECT_EQ(w.Height.get(), 1272);
        w.user_dblclick();
        EXPECT_EQ(w.Width.get(), 5388);
        w.user_key(ui::vbKeyEscape);
        EXPECT_FALSE(w.Visible.get());
    });
    EXPECT_EQ(dialog.Combo1.Text.get(), "");
    show([&](SelectFolder& w) {
        w.user_key(ui::vbKeyReturn);
        EXPECT_FALSE(w.Visible.get());
    });
    EXPECT_EQ(dialog.Combo1.Text.get(), folder(right) + "/");
}
