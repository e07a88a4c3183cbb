// Help pages, web links, e-mail, Internet shortcuts and started programs, through a fake xdg-open
// and small scripts.
#include "shell/App.hpp"
#include "shell/help.hpp"
#include "tests/shell/fake_desktop.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>
#include <thread>

using namespace vexolan;
using test_support::FakeOpener;
using test_support::read_file;

namespace {

struct HelpTest : test_support::AppTest {
    std::filesystem::path script(std::string_view name, std::string_view body) {
        auto p = root.write(name, "#!/bin/sh\n" + std::string(body) + "\n");
        ::chmod(p.c_str(), 0755);
        return p;
    }
};

} // namespace

TEST_F(HelpTest, HelpPagesOpenFromTheHelpFolderSubfoldersIncluded) {
    FakeOpener opener;
    ShowHelp(app, "menu_Help.htm");
    ShowHelp(app, "tuts\\tutorials.htm");
    mnuHelpTutorials_Click(app);
    mnuHelp_Click(app);
    auto t = opener.targets();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0], (appFolder / "help/menu_Help.htm").string());
    EXPECT_EQ(t[1], (appFolder / "help/tuts/tutorials.htm").string());
    EXPECT_EQ(t[2], t[1]);
    EXPECT_EQ(t[3], (appFolder / "Help.htm").string());
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(HelpTest, NoProgramForTheDocumentIsReportedOnceEachTime) {
    FakeOpener opener(3);
    host.answer_msgbox(ui::vbOK, "You have no HTML Viewer installed!", ui::vbExclamation, "Vexolan");
    ShowHelp(app, "menu_Help.htm");
    host.answer_msgbox(ui::vbOK, "You have no HTML Viewer installed!", ui::vbExclamation, "Vexolan");
    ShowURL(app, "https://vexolan.example/");
    host.answer_msgbox(ui::vbOK, "You have no HTML Viewer installed!", ui::vbExclamation, "Vexolan");
    mnuHelp_Click(app);
    host.answer_msgbox(ui::vbOK, "You have no email application installed!", ui::vbExclamation, "Vexolan");
    mnuEmailAuthor_Click(app);
    EXPECT_EQ(host.message_boxes().size(), 4u);
}

TEST_F(HelpTest, AMissingPageOrAnotherRefusalStaysSilent) {
    FakeOpener opener(2);
    ShowHelp(app, "nothing.htm");
    opener.answer(4);
    ShowURL(app, "https://vexolan.example/");
    SendEmail(app, "a@b", "", "");
    EXPECT_EQ(opener.targets().size(), 3u);
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(HelpTest, WithoutAnyOpenerTheUserHearsThereIsNoViewer) {
    std::string saved = std::getenv("PATH");
    setenv("PATH", make_folder("empty-bin").c_str(), 1);
    host.answer_msgbox(ui::vbOK, "You have no HTML Viewer installed!", ui::vbExclamation);
    ShowURL(app, "https://vexolan.example/");
    setenv("PATH", saved.c_str(), 1);
}

TEST_F(HelpTest, EmailRequestsAreComposedWithoutEscaping) {
    FakeOpener opener;
    SendEmail(app, "a@b", "Feedback on ", "");
    SendEmail(app, "a@b", "", "");
    SendEmail(app, "a@b", "Your Design", "x&y z");
    SendEmail(app, "a@b", "", "only body");
    mnuEmailAuthor_Click(app);
    mnuEmailTechSupport_Click(app);
    auto t = opener.targets();
    ASSERT_EQ(t.size(), 6u);
    EXPECT_EQ(t[0], "mailto:a@b?subject=Feedback on ");
    EXPECT_EQ(t[1], "mailto:a@b");
    EXPECT_EQ(t[2], "mailto:a@b?subject=Your Design&body=x&y z");
    EXPECT_EQ(t[3], "mailto:a@b?body=only body");
    EXPECT_EQ(t[4], "mailto:" + std::string(endpoints::FeedbackAddress) + "?subject=Feedback on ");
    EXPECT_EQ(t[5], "mailto:" + std::string(endpoints::SupportAddress) + "?subject=I need help with ");
}

TEST_F(HelpTest, WebEntriesOfTheHelpMenuOpenTheirPages) {
    FakeOpener opener;
    mnuHelpQMK_Click(app);
    mnuVexoNews_Click(app);
    auto t = opener.targets();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0], endpoints::HomePage);
    EXPECT_EQ(t[1], endpoints::NewsletterPage);
}

TEST_F(HelpTest, AddUrlToFavoritesTwiceLeavesOneShortcutOfExactlyTwoLines) {
    mnuAddURL_Click(app, 0);
    mnuAddURL_Click(app, 0);
    auto folder = appFolder / "Favorites";
    ASSERT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
    EXPECT_EQ(read_file(folder / "Quillmark.url"), "[InternetShortcut]\r\nURL=https://vexolan.example/\r\n");
}

TEST_F(HelpTest, ShortcutOnADesktopThatIsMissingIsReportedAndNothingIsWritten) {
    std::string home = std::getenv("HOME");
    std::filesystem::remove_all(std::filesystem::path(home) / "Desktop");
    host.answer_msgbox(ui::vbOK, "The Desktop folder was not found. The shortcut was not created.");
    CreateURLFile(app, "Quillmark", "https://vexolan.example/", 1);
    EXPECT_EQ(GetSpecialPath(app, CSIDL_DESKTOPDIRECTORY), "");

    std::filesystem::create_directories(std::filesystem::path(home) / "Desktop");
    mnuAddURL_Click(app, 1);
    EXPECT_EQ(read_file(std::filesystem::path(home) / "Desktop/Quillmark.url"),
              "[InternetShortcut]\r\nURL=https://vexolan.example/\r\n");
    std::filesystem::remove_all(std::filesystem::path(home) / "Desktop");
}

TEST_F(HelpTest, ShellAndWaitReturnsOnlyAfterTheProgramEnded) {
    auto done = root.path() / "done";
    auto prog = script("slow", "sleep 0.2\ntouch \"$1\"");
    ShellAndWait(app, "\"" + prog.string() + "\" \"" + done.string() + "\"");
    EXPECT_TRUE(std::filesystem::exists(done));
}

TEST_F(HelpTest, AProgramThatCannotStartIsReported) {
    host.answer_msgbox(ui::vbOK);
    ShellAndWait(app, "/no/such/zip -T x.zip");
    EXPECT_NE(host.last_msgbox().Prompt.find("Could not start \"/no/such/zip\""), std::string::npos);
}

TEST_F(HelpTest, OpenWithAsksForAProgramAndHandsItTheFileAsOneArgument) {
    auto log = root.path() / "args";
    auto prog = script("viewer", "printf '%s|%s\\n' \"$#\" \"$1\" > '" + log.string() + "'");
    host.answer_inputbox(prog.string());
    RunDLL(app, "shell32.dll,OpenAs_RunDLL /data/my file; name.8bf");
    for (int i = 0; i < 300 && !std::filesystem::exists(log); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(read_file(log), "1|/data/my file; name.8bf\n");
    ASSERT_EQ(host.inputbox_prompts().size(), 1u);
    EXPECT_EQ(host.inputbox_prompts()[0], "Open with (command):");

    host.answer_inputbox(""); // cancelled: nothing starts, nothing is said
    RunDLL(app, "shell32.dll,OpenAs_RunDLL /data/a.8bf");
    EXPECT_TRUE(host.message_boxes().empty());
}
