// A small file pane wired as the program wires its panes: the drive box drives the folder box,
// the folder box drives the file box, and a modal dialog answers through the scripted host.
#include "platform/ui/ui.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using test_support::ScriptedHost;
using test_support::TempDir;

class AskName : public ui::Window {
public:
    explicit AskName(ui::Host& host) : ui::Window(host, "AskName") {
        add(Text1, "Text1");
        add(cmdOK, "cmdOK");
        add(cmdCancel, "cmdCancel");
        cmdOK.Default = true;
        cmdCancel.Cancel = true;
        Load = [this] { Text1.Text = ""; };
        cmdOK.Click = [this] {
            Answer = Text1.Text;
            Hide();
        };
        cmdCancel.Click = [this] { Unload(); };
    }
    ui::TextBox Text1;
    ui::CommandButton cmdOK, cmdCancel;
    std::string Answer;
};

class Pane : public ui::Window {
public:
    explicit Pane(ui::Host& host) : ui::Window(host, "Pane"), dialog(host) {
        add(Drive1, "Drive1");
        add(Dir1, "Dir1");
        add(File1, "File1");
        for (int i = 0; i < 2; ++i) {
            Drive1[i].Change = [this, i] { Drive1_Change(i); };
            Dir1[i].Change = [this, i] { Dir1_Change(i); };
            File1[i].DblClick = [this, i] { File1_DblClick(i); };
            File1[i].GotFocus = [this, i] { Switchy = i; };
        }
    }
    void Drive1_Change(int Index) { Dir1[Index].Path = Drive1[Index].Drive; }
    void Dir1_Change(int Index) {
        File1[Index].Path = Dir1[Index].Path;
        ++changes;
    }
    void File1_DblClick(int Index) {
        dialog.ShowModal();
        opened.push_back(File1[Index].List(File1[Index].ListIndex) + " as " + dialog.Answer);
    }

    std::array<ui::DriveListBox, 2> Drive1;
    std::array<ui::DirListBox, 2> Dir1;
    std::array<ui::FileListBox, 2> File1;
    AskName dialog;
    int Switchy = 0;
    int changes = 0;
    std::vector<std::string> opened;
};

TEST(UiFilePane, OpeningAFolderRefillsTheFileBoxThroughTheChangeEvents) {
    ScriptedHost host;
    Pane p(host);
    TempDir dir("pane");
    dir.write("top.txt", "x");
    dir.write("sub/inner.8bf", "x");
    dir.write("sub/Second.8BF", "x");
    p.Show();
    p.Dir1[1].Path = dir.path().string();
    EXPECT_EQ(p.File1[1].ListCount(), 1);
    p.Dir1[1].user_open(0);
    ASSERT_EQ(p.File1[1].ListCount(), 2);
    EXPECT_EQ(p.File1[1].List(0), "inner.8bf");
    EXPECT_EQ(p.File1[1].List(1), "Second.8BF");
    p.Dir1[1].Path = "..";
    EXPECT_EQ(p.File1[1].Path, dir.path().string());
    EXPECT_EQ(p.changes, 3);
}

TEST(UiFilePane, ChoosingADriveOpensItsFolder) {
    ScriptedHost host;
    Pane p(host);
    p.Drive1[0].ListIndex = 1; // the home folder
    EXPECT_EQ(p.Dir1[0].Path, p.Drive1[0].List(1));
    EXPECT_EQ(p.File1[0].Path, p.Drive1[0].List(1));
}

TEST(UiFilePane, ADoubleClickedFileRunsAModalDialogAnsweredByTheTest) {
    ScriptedHost host;
    Pane p(host);
    TempDir dir("pane");
    dir.write("a.txt", "x");
    dir.write("b.txt", "x");
    p.Show();
    p.Dir1[0].Path = dir.path().string();
    host.on_modal("AskName", [](ui::Window& w) {
        auto& d = static_cast<AskName&>(w);
        d.Text1.user_type("copy");
        d.Text1.user_key(ui::vbKeyReturn); // the default button
    });
    p.File1[1].Path = dir.path().string();
    p.File1[1].user_dblclick_item(1);
    EXPECT_EQ(p.Switchy, 1) << "the double click focused the right pane first";
    host.on_modal("AskName", [](ui::Window& w) { static_cast<AskName&>(w).Text1.user_key(ui::vbKeyEscape); });
    p.File1[1].user_dblclick_item(0);
    EXPECT_EQ(p.opened, (std::vector<std::string>{"b.txt as copy", "a.txt as copy"}));
    EXPECT_FALSE(p.dialog.Loaded()) << "Escape pressed the cancel button, which unloaded the dialog";
}

TEST(UiFilePane, ShowingAVisibleWindowModallyFailsWithError400) {
    ScriptedHost host;
    AskName d(host);
    d.Show();
    try {
        d.ShowModal();
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 400);
    }
}

} // namespace
