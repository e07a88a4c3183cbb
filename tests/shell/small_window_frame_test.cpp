// The small-window frame: the grey bar's thickness, length and colours, roll-up and restore, and
// the drag by the body that a left-button press asks of the screen.
#include "shell/App.hpp"
#include "shell/Form3.hpp"
#include "shell/ProVersionAd.hpp"
#include "shell/frame.hpp"
#include "shell/frmAbout.hpp"
#include "shell/frmTip.hpp"
#include "tests/shell/fake_desktop.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

struct BarTest : ::testing::Test {
    test_support::ScriptedHost host;
    ui::Window form{host, "Formy"};
    BarTest() { form.BorderStyle = ui::vbBSNone; }
    // The grey of the box drawn for column (or row) i.
    int grey(std::size_t i) const { return static_cast<int>(form.Boxes()[i].FillColor & 0xFF); }
};

} // namespace

TEST_F(BarTest, HorizontalBarIsConvertedToScreenPixelsAndRunsWhiteToBlack) {
    form.Width = 200 * 15;
    form.Height = 100 * 15;
    long thickness = 24;
    GreyscaleBar(form, thickness, true, false);
    EXPECT_EQ(thickness, 19); // 24 * 12 / 15 = 19.2
    ASSERT_EQ(form.Boxes().size(), 201u);
    EXPECT_EQ(grey(0), 255);
    EXPECT_EQ(grey(100), 128); // 127.5, halves to even
    EXPECT_EQ(grey(200), 0);
    // Box i spans pixels (i - 1, -1) to (i + 1, thickness), kept in twips.
    EXPECT_EQ(form.Boxes()[0], (ui::FilledBox{-15, -15, 15, 19 * 15, ui::RGB(255, 255, 255)}));
    EXPECT_EQ(form.Boxes()[100].X1, 99 * 15);
    EXPECT_EQ(form.Boxes()[100].X2, 101 * 15);
}

TEST_F(BarTest, AtTwelveTwipsPerPixelTheThicknessStays) {
    host.set_twips_per_pixel(12);
    form.Width = 50 * 12;
    long thickness = 24;
    GreyscaleBar(form, thickness, true, false);
    EXPECT_EQ(thickness, 24);
    EXPECT_EQ(form.Boxes().size(), 51u);
}

TEST_F(BarTest, BottomBarStartsItsThicknessAboveTheLowerEdge) {
    form.Width = 100 * 15;
    form.Height = 80 * 15;
    long thickness = 24;
    GreyscaleBar(form, thickness, true, true);
    EXPECT_EQ(form.Boxes()[0].Y1, (80 - 19 - 1) * 15);
    EXPECT_EQ(form.Boxes()[0].Y2, 80 * 15);
}

TEST_F(BarTest, VerticalBarRunsDownTheLeftEdge) {
    form.Width = 300 * 15;
    form.Height = 120 * 15;
    long thickness = 32;
    GreyscaleBar(form, thickness, false, false);
    EXPECT_EQ(thickness, 26); // 25.6
    ASSERT_EQ(form.Boxes().size(), 121u);
    EXPECT_EQ(form.Boxes()[10], (ui::FilledBox{-15, 9 * 15, 26 * 15, 11 * 15, form.Boxes()[10].FillColor}));
    EXPECT_EQ(grey(0), 255);
    EXPECT_EQ(grey(120), 0);
}

TEST_F(BarTest, EveryPaintDrawsTheBarAfreshAndAWindowWithNoWidthDrawsNothing) {
    form.Width = 200 * 15;
    long t = 24;
    GreyscaleBar(form, t, true, false);
    t = 24;
    GreyscaleBar(form, t, true, false);
    EXPECT_EQ(form.Boxes().size(), 201u);
    form.Width = 0;
    t = 24;
    GreyscaleBar(form, t, true, false);
    EXPECT_TRUE(form.Boxes().empty());
}

TEST_F(BarTest, RolledUpSizeIsTwentyEightDesignPixels) {
    EXPECT_EQ(RolledUpSize(form), 336);
}

struct FrameTest : test_support::AppTest {};

TEST_F(FrameTest, DoubleClicksRollTheInputBoxUpAndRestoreItsHeight) {
    Form3& f = app.form3();
    f.Show();
    int designed = f.Height;
    f.user_dblclick();
    EXPECT_EQ(f.Height, 336);
    EXPECT_EQ(f.Width, 5400);
    f.user_dblclick();
    EXPECT_EQ(f.Height, designed);
    f.user_dblclick();
    EXPECT_EQ(f.Height, 336);
}

TEST_F(FrameTest, WindowsWithTheBarOnTheLeftRollUpTheirWidth) {
    frmAbout& a = app.aboutBox();
    a.Show();
    int designed = a.Width, height = a.Height;
    a.user_dblclick();
    EXPECT_EQ(a.Width, 336);
    EXPECT_EQ(a.Height, height);
    a.user_dblclick();
    EXPECT_EQ(a.Width, designed);
}

TEST_F(FrameTest, TheAdvertisementDoesNotRollUp) {
    ProVersionAd& ad = app.proVersionAd();
    ad.Show();
    int w = ad.Width, h = ad.Height;
    ad.user_dblclick();
    EXPECT_EQ(ad.Width, w);
    EXPECT_EQ(ad.Height, h);
}

TEST_F(FrameTest, OnlyTheLeftButtonStartsADragByTheBodyOrTheCaptionLabel) {
    test_support::RecordingView screen;
    frmTip& tip = app.tipWindow();
    tip.Show();
    tip.attach_view(&screen);
    tip.user_mouse_down(ui::vbRightButton, 0, 100, 100);
    EXPECT_EQ(screen.count(CaptionDragRequest), 0);
    tip.user_mouse_down(ui::vbLeftButton, 0, 100, 100);
    EXPECT_EQ(screen.count(CaptionDragRequest), 1);
    tip.Label2.user_mouse_down(ui::vbLeftButton, 0, 10, 10);
    EXPECT_EQ(screen.count(CaptionDragRequest), 2);
    tip.Label1.user_mouse_down(ui::vbLeftButton, 0, 10, 10); // not a drag label
    EXPECT_EQ(screen.count(CaptionDragRequest), 2);
    tip.attach_view(nullptr);
}

TEST_F(FrameTest, F1OpensEachWindowsHelpPage) {
    test_support::FakeOpener opener;
    app.form3().Show();
    app.form3().Text1.user_key(ui::vbKeyF1);
    app.aboutBox().Show();
    app.aboutBox().cmdOK.user_key(ui::vbKeyF1);
    app.tipWindow().Show();
    app.tipWindow().user_key(ui::vbKeyF1);
    auto t = opener.targets();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0], (appFolder / "help/buttonbar_ChangeCat.htm").string());
    EXPECT_EQ(t[1], (appFolder / "help/menu_Help.htm").string());
    EXPECT_EQ(t[2], (appFolder / "Help.htm").string());
}
