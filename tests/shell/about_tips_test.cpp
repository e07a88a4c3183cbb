// The about box (version line, hover links that call the desktop, logo) and the tip of the day
// (reading TipOfDay.txt, the counter and its wrap, the start-up option stored at once).
#include "shell/App.hpp"
#include "shell/frmAbout.hpp"
#include "shell/frmSplash.hpp"
#include "shell/frmTip.hpp"
#include "shell/help.hpp"
#include "tests/shell/fake_desktop.hpp"
#include "tests/support/app_fixture.hpp"

#include "version.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

TEST(VersionLine, MinorVersionAlwaysHasTwoDigits) {
    EXPECT_EQ(VersionLine(1, 52, 3), "Light Edition - Version 1.52 (Revision 3)");
    EXPECT_EQ(VersionLine(1, 5, 0), "Light Edition - Version 1.05 (Revision 0)");
}

struct AboutTest : test_support::AppTest {
    frmAbout& about = app.aboutBox();
};

TEST_F(AboutTest, LoadingShowsTheVersionAndTheSplashLogo) {
    about.Show();
    EXPECT_EQ(about.Label2.Caption, VersionLine(VersionMajor, VersionMinor, VersionRevision));
    EXPECT_NE(about.Image1.Picture, 0);
    EXPECT_EQ(about.Image1.Picture, app.splash().imgLogo.Picture);
    EXPECT_FALSE(app.splash().Loaded());
}

TEST_F(AboutTest, LinksLightUpUnderThePointerAndGoBackOnTheBody) {
    about.Show();
    about.Label1[1].user_mouse_move(0, 0, 10, 10);
    EXPECT_EQ(about.Label1[1].ForeColor, ui::RGB(0, 0, 255));
    EXPECT_TRUE(about.Label1[1].Font.Bold);
    EXPECT_FALSE(about.Label1[0].Font.Bold);
    about.user_mouse_move(0, 0, 200, 200);
    EXPECT_EQ(about.Label1[1].ForeColor, ui::RGB(0, 0, 0));
    EXPECT_FALSE(about.Label1[1].Font.Bold);
}

TEST_F(AboutTest, TheLinksWriteAnEmailAndOpenTheWebSite) {
    test_support::FakeOpener opener;
    about.Show();
    about.Label1[0].user_click();
    about.Label1[1].user_click();
    auto t = opener.targets();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0], "mailto:" + std::string(endpoints::InfoAddress));
    EXPECT_EQ(t[1], endpoints::HomePage);
    about.cmdOK.user_click();
    EXPECT_FALSE(about.Loaded());
}

TEST_F(AboutTest, PaintingDrawsTheBarDownTheLeftEdge) {
    about.Show();
    about.Paint();
    ASSERT_FALSE(about.Boxes().empty());
    EXPECT_EQ(about.Boxes()[0].X2, 19 * 15);
    EXPECT_EQ(static_cast<int>(about.Boxes().size()), about.ScaleHeight() / 15 + 1);
}

TEST(TipFile, LinesEndWithCrLfCrOrLfAndTheTextAfterTheLastBreakIsNoTip) {
    EXPECT_EQ(ReadTipLines("a\r\n\r\nc\r\n"), (std::vector<std::string>{"a", "", "c"}));
    EXPECT_EQ(ReadTipLines("a\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ReadTipLines(""), std::vector<std::string>{});
    EXPECT_EQ(ReadTipLines("caf\xE9\r\n"), std::vector<std::string>{"caf\xC3\xA9"});
}

struct TipTest : test_support::AppTest {
    frmTip& tip = app.tipWindow();
    void write_tips(std::string_view bytes) { root.write("appfolder/TipOfDay.txt", bytes); }
    std::string stored() {
        settings::Store fresh(settingsFile); // what is on disk, not what is in memory
        return fresh.GetSetting("Vexo10", "Options", "Show Tips at Startup", "<missing>");
    }
};

TEST_F(TipTest, NextTipCountsOnAndWrapsFromTheLastTipToTheFirst) {
    write_tips("First tip\r\n\r\nThird tip\r\n");
    host.Randomize(7);
    tip.Show();
    ASSERT_EQ(tip.TipList.size(), 3u);
    long first = tip.CurrentTip;
    ASSERT_GE(first, 1);
    ASSERT_LE(first, 3);
    EXPECT_EQ(tip.Label3.Caption, std::to_string(first) + "/3");
    for (int step = 1; step <= 4; ++step) {
        tip.cmdNextTip.user_click();
        long expected = (first - 1 + step) % 3 + 1;
        EXPECT_EQ(tip.Label3.Caption, std::to_string(expected) + "/3");
        EXPECT_EQ(tip.lblTipText.Caption, tip.TipList[static_cast<std::size_t>(expected - 1)]);
    }
    while (tip.CurrentTip != 3)
        tip.cmdNextTip.user_click();
    EXPECT_EQ(tip.Label3.Caption, "3/3");
    EXPECT_EQ(tip.lblTipText.Caption, "Third tip");
    tip.cmdNextTip.user_click();
    EXPECT_EQ(tip.Label3.Caption, "1/3");
    EXPECT_EQ(tip.lblTipText.Caption, "First tip");
    tip.cmdNextTip.user_click();
    EXPECT_EQ(tip.lblTipText.Caption, ""); // an empty line is a tip too
}

TEST_F(TipTest, TheStartIsRandomRoundedAndThenAdvanced) {
    // Whatever the random number, the first tip shown is one of the tips.
    tip.TipList = {"a", "b", "c", "d"};
    for (std::uint32_t seed = 0; seed < 50; ++seed) {
        host.Randomize(seed);
        ASSERT_TRUE(tip.LoadTips("ignored while the list is filled"));
        EXPECT_GE(tip.CurrentTip, 1);
        EXPECT_LE(tip.CurrentTip, 4);
    }
}

TEST_F(TipTest, AMissingTipFileSaysSoAndNextTipDoesNothing) {
    tip.Show();
    EXPECT_EQ(tip.lblTipText.Caption, "The Tip file was not found. \r\n");
    EXPECT_EQ(tip.Label3.Caption, "");
    tip.cmdNextTip.user_click();
    EXPECT_EQ(tip.Label3.Caption, "");
    EXPECT_EQ(tip.lblTipText.Caption, "The Tip file was not found. \r\n");
}

TEST_F(TipTest, AnEmptyTipFileGivesNoTipAndNoCounter) {
    write_tips("");
    tip.Show();
    EXPECT_EQ(tip.Label3.Caption, "");
    EXPECT_EQ(tip.lblTipText.Caption, "");
    tip.cmdNextTip.user_click();
    EXPECT_EQ(tip.Label3.Caption, "");
}

TEST_F(TipTest, ShowTipsAtStartupIsOnWhenMissingAndStoredAsOneOrZeroAtOnce) {
    write_tips("tip\r\n");
    tip.Show();
    EXPECT_EQ(tip.chkLoadTipsAtStartup.Value, ui::vbChecked);
    EXPECT_EQ(stored(), "1"); // the box's Click on load stores it
    tip.chkLoadTipsAtStartup.user_click();
    EXPECT_EQ(stored(), "0");
    tip.chkLoadTipsAtStartup.user_click();
    EXPECT_EQ(stored(), "1");
    tip.chkLoadTipsAtStartup.user_click();
    tip.cmdOK.user_click();
    EXPECT_FALSE(tip.Loaded());
    EXPECT_EQ(stored(), "0");

    // Opening it again (from the menu) shows the box unchecked.
    tip.Show();
    EXPECT_EQ(tip.chkLoadTipsAtStartup.Value, ui::vbUnchecked);
    EXPECT_EQ(stored(), "0");
}

TEST_F(TipTest, TheShippedTipFileReadsAsOneTipALine) {
    std::filesystem::copy_file(std::filesystem::path(VEXOLAN_APPFOLDER) / "TipOfDay.txt", appFolder / "TipOfDay.txt");
    tip.Show();
    EXPECT_GE(tip.TipList.size(), 10u);
    for (const std::string& t : tip.TipList)
        EXPECT_FALSE(t.empty());
}
