// The Preferences window itself: its pages, the couplings of the compile options, help per tab,
// focus, Clear Cache and the roll-up.

#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "tests/support/app_fixture.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

using namespace vexolan;
using test_support::AppTest;

namespace {

struct WindowTest : AppTest {
    Form2& f = app.form2();
};

// A fake xdg-open first on PATH that notes each target it is asked to open.
class RecordingOpener {
public:
    explicit RecordingOpener(const std::filesystem::path& folder) : log_(folder / "opened.log") {
        std::filesystem::create_directories(folder);
        auto script = folder / "xdg-open";
        files::replace_file(script, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + log_.string() + "'\nexit 0\n");
        ::chmod(script.c_str(), 0755);
        const char* old = std::getenv("PATH");
        saved_ = old ? old : "";
        ::setenv("PATH", (folder.string() + ":" + saved_).c_str(), 1);
    }
    ~RecordingOpener() { ::setenv("PATH", saved_.c_str(), 1); }
    std::string opened() const { return std::filesystem::exists(log_) ? test_support::read_file(log_) : ""; }

private:
    std::filesystem::path log_;
    std::string saved_;
};

} // namespace

TEST_F(WindowTest, TabsShowTheirPages) {
    ASSERT_EQ(f.SSTab1.Tabs.Count(), 7);
    const char* captions[] = {"General", "FF/TF", "Interface", "Folders", "Images", "Apps", "Plugin Types"};
    for (int tab = 1; tab <= 7; ++tab) {
        EXPECT_EQ(f.SSTab1.Tabs(tab).Caption.get(), captions[tab - 1]);
        f.SSTab1.user_select_tab(tab);
        for (int page = 0; page < 7; ++page) {
            EXPECT_EQ(f.Frame1[page].Visible.get(), page == tab - 1);
            if (page == tab - 1) continue;
            EXPECT_GT(f.Frame1[tab - 1].ZPosition(), f.Frame1[page].ZPosition());
        }
    }
    EXPECT_EQ(f.Command1.Caption.get(), "Ok");
    EXPECT_EQ(f.Command8.Caption.get(), "Cancel");
    EXPECT_EQ(f.Command4.ToolTipText.get(), "Show Help File");
}

TEST_F(WindowTest, ControlsCarryTheirCaptionsAndContainers) {
    EXPECT_EQ(f.Check4.Caption.get(), "Suppress the Select Folder dialog");
    EXPECT_EQ(f.Check4.Container(), &f.Frame11);
    EXPECT_EQ(f.Check12[5].Caption.get(), "Auto Column Width");
    EXPECT_EQ(f.Option4[2].Caption.get(), "");
    EXPECT_EQ(f.Option4[2].ToolTipText.get(), "Plugins will work only in Photoshop");
    EXPECT_EQ(f.Check13[1].Caption.get(), "Light Ency");
    EXPECT_EQ(f.Combo1.List(0), "Original FF Editor!");
    EXPECT_EQ(f.Label3.Caption.get(), "15%");
    EXPECT_EQ(f.HScroll2.Value.get(), 15);
    EXPECT_EQ(f.Command9[0].ToolTipText.get(), "Move selected picture one row up");
    EXPECT_EQ(f.Command7[1].ToolTipText.get(), "Select all items");
    EXPECT_EQ(f.Check10[2].ToolTipText.get(), "Automatically add all applications that are run to the Apps menu");
    EXPECT_EQ(f.List1[0].Container(), &f.Frame1[3]);
    EXPECT_EQ(f.List1[3].Container(), &f.Frame1[6]);
    EXPECT_EQ(f.FindControl("Command2", 0), nullptr); // the Browse buttons are 1 to 3
    EXPECT_NE(f.FindControl("Command2", 3), nullptr);
}

TEST_F(WindowTest, EditorPluginAndDemoPluginExcludeEachOther) {
    f.Check5[0].Value = 1;
    f.Check6.Value = 1;
    EXPECT_EQ(f.Check5[0].Value.get(), 0);
    f.Check5[0].Value = 1;
    EXPECT_EQ(f.Check6.Value.get(), 0);
    // A Premiere box leaves Demo Plugin alone while the Photoshop box is off.
    f.Check5[0].Value = 0;
    f.Check6.Value = 1;
    f.Check5[1].Value = 1;
    EXPECT_EQ(f.Check6.Value.get(), 1);
}

TEST_F(WindowTest, TheTemplateOptionFallsBackWithoutATemplate) {
    EXPECT_FALSE(f.Option4[2].Enabled.get()); // Form_Load: no template
    EXPECT_TRUE(f.Option4[0].Value.get());
    f.Option4[2].Enabled = true;
    f.Option4[2].Value = true;
    EXPECT_TRUE(f.Option4[0].Value.get());
    EXPECT_FALSE(f.Option4[2].Enabled.get());

    f.Combo2[0].Text = "/templates/photo30.8bf";
    f.Combo2_Click(0);
    EXPECT_TRUE(f.Option4[2].Enabled.get());
    EXPECT_TRUE(f.Option4[2].Value.get());
}

TEST_F(WindowTest, HelpOpensThePageOfEachTab) {
    RecordingOpener opener(root.path() / "bin");
    const char* pages[] = {"Prefs_General.htm", "Prefs_FFTF.htm", "Prefs_Interface.htm",  "Prefs_FPA.htm",
                           "Prefs_FPA.htm",     "Prefs_FPA.htm",  "Prefs_PluginTypes.htm"};
    std::string expected;
    for (int tab = 1; tab <= 7; ++tab) {
        f.SSTab1.SelectedItem = tab;
        f.Command4.user_click();
        f.user_key(ui::vbKeyF1);
        std::string page = files::app_path(std::string("help/") + pages[tab - 1]) + "\n";
        expected += page + page;
    }
    EXPECT_EQ(opener.opened(), expected);
}

TEST_F(WindowTest, TheTabStripHandsTheFocusToTheListOfItsPage) {
    f.Show();
    f.SSTab1.SelectedItem = 6;
    f.SSTab1.user_focus();
    EXPECT_TRUE(f.List1[2].HasFocus());
    f.SSTab1.SelectedItem = 3;
    f.Command1.SetFocus();
    f.SSTab1.user_focus();
    EXPECT_TRUE(f.SSTab1.HasFocus());
}

TEST_F(WindowTest, ClearCacheAsksFirst) {
    auto cache = appFolder / "cache";
    std::filesystem::create_directories(cache);
    files::replace_file(cache / "a.jpg", "x");
    host.answer_msgbox(ui::vbNo, "Do you really want to clear the preview cache?", ui::vbYesNo | ui::vbExclamation);
    f.Command5_Click();
    EXPECT_TRUE(std::filesystem::exists(cache / "a.jpg"));
    host.answer_msgbox(ui::vbYes);
    f.Command5_Click();
    EXPECT_TRUE(std::filesystem::is_directory(cache));
    EXPECT_TRUE(std::filesystem::is_empty(cache));
}

TEST_F(WindowTest, RollUpByWidthSurvivesHideAndShow) {
    // The bar lies along the left edge: the window rolls up to it, keeping its height.
    int width = f.Width, height = f.Height;
    f.user_dblclick();
    EXPECT_EQ(f.Width.get(), 336);
    EXPECT_EQ(f.Height.get(), height);
    f.Hide();
    f.Show();
    EXPECT_EQ(f.Width.get(), 336);
    f.user_dblclick();
    EXPECT_EQ(f.Width.get(), width);
}

TEST_F(WindowTest, TheSliderLabelShowsThePercentage) {
    f.HScroll2.Value = 42;
    EXPECT_EQ(f.Label3.Caption.get(), "42%");
}

TEST_F(WindowTest, TheLimitBoxSelectsItsTextOnFocus) {
    f.Show();
    f.SSTab1.user_select_tab(4);
    f.Text1.Text = "123";
    f.Text1.user_focus();
    EXPECT_EQ(f.Text1.SelStart.get(), 0);
    EXPECT_EQ(f.Text1.SelLength.get(), 3);
}

TEST_F(WindowTest, OkAndCancelHideTheWindow) {
    f.Command8_Click();
    host.on_modal("Form2", [](ui::Window& w) { static_cast<Form2&>(w).Command1.user_click(); });
    f.ShowModal();
    EXPECT_FALSE(f.Visible.get());
    EXPECT_TRUE(f.Loaded());
    host.on_modal("Form2", [](ui::Window& w) { static_cast<Form2&>(w).Command8.user_click(); });
    f.ShowModal();
    EXPECT_FALSE(f.Visible.get());
}
