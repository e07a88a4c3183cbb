#include "preferences/Form2.hpp"
#include "tests/shell/main_window_fixture.hpp"

using namespace vexolan;

namespace {

struct WindowLayoutTest : test_support::MainWindowTest {
    WindowLayoutTest() {
        f.Load();
        f.Form_Resize(); // the start-up's first call records the design size
    }
    int snapped_height() const {
        return (host.CaptionHeight() + 4 + host.MenuHeight() + 4) * host.TwipsPerPixelY() + f.Label3.Top +
               f.Label3.Height;
    }
    struct Box {
        int Left, Top, Width, Height;
        bool operator==(const Box&) const = default;
    };
    std::vector<Box> geometry() const {
        std::vector<Box> out;
        for (const ui::Control* c : f.Controls())
            out.push_back({c->Left, c->Top, c->Width, c->Height});
        return out;
    }
    int design_width = f.Width, design_height = f.Height;
};

} // namespace

TEST_F(WindowLayoutTest, DesignLayoutEndsAtTheStatusLine) {
    EXPECT_EQ(f.Height.get(), snapped_height());
    EXPECT_EQ(f.ScaleHeight(), f.Label3.Top + f.Label3.Height);
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(f.File1[p].Top + f.File1[p].Height, f.Combo1[p].Top.get());
        EXPECT_EQ(f.List3[p].Top + f.List3[p].Height, f.Label5[p].Top.get());
        EXPECT_EQ(f.ListView2[p].Top + f.ListView2[p].Height, f.Label1[p].Top.get());
    }
    // The right pane starts where the left one ends, both inside the window.
    EXPECT_LT(f.SSTab1[0].Left + f.SSTab1[0].Width, f.SSTab1[1].Left.get());
    EXPECT_LE(f.SSTab1[1].Left + f.SSTab1[1].Width, f.ScaleWidth());
}

TEST_F(WindowLayoutTest, WiderWindowStretchesEveryControlHiddenOnesToo) {
    int sstabLeft = f.SSTab1[1].Left, sstabWidth = f.SSTab1[1].Width, sstabTop = f.SSTab1[1].Top;
    int dirWidth = f.Dir1[0].Width, buttonLeft = f.Command1[3].Left;
    int fontLeft = f.picFont.Left, fontWidth = f.picFont.Width;
    int columnWidth = f.ListView1[1].ColumnHeaders(2).Width;
    ASSERT_FALSE(f.Dir1[0].Visible);
    f.user_resize(f.Width + f.ScaleWidth(), f.Height);
    EXPECT_EQ(f.SSTab1[1].Left.get(), 2 * sstabLeft);
    EXPECT_EQ(f.SSTab1[1].Width.get(), 2 * sstabWidth);
    EXPECT_EQ(f.SSTab1[1].Top.get(), sstabTop);
    EXPECT_EQ(f.Dir1[0].Width.get(), 2 * dirWidth);
    EXPECT_EQ(f.Command1[3].Left.get(), 2 * buttonLeft);
    EXPECT_EQ(f.ListView1[1].ColumnHeaders(2).Width.get(), 2 * columnWidth);
    EXPECT_EQ(f.File1[0].Height.get(), f.Combo1[0].Top - f.File1[0].Top);
    EXPECT_EQ(f.picFont.Left.get(), fontLeft);
    EXPECT_EQ(f.picFont.Width.get(), fontWidth);
    EXPECT_EQ(f.Height.get(), snapped_height());
}

TEST_F(WindowLayoutTest, TallerWindowEndsThePluginListsAtTheInformationLine) {
    app.PaneMode[1] = 2;
    int comboHeight = f.Combo1[0].Height, driveHeight = f.Drive1[0].Height;
    f.user_resize(f.Width, f.Height + 3000);
    EXPECT_EQ(f.List2[1].Top + f.List2[1].Height, f.Label5[1].Top.get());
    EXPECT_EQ(f.List3[1].Top + f.List3[1].Height, f.Label5[1].Top.get());
    EXPECT_EQ(f.Combo1[0].Height.get(), comboHeight);
    EXPECT_EQ(f.Drive1[0].Height.get(), driveHeight);
    EXPECT_EQ(f.Height.get(), snapped_height());
    EXPECT_GT(f.Height.get(), design_height);
}

TEST_F(WindowLayoutTest, SmallerThanDesignedSpringsBack) {
    auto before = geometry();
    f.user_resize(design_width - 1500, design_height - 1500);
    EXPECT_EQ(f.Width.get(), design_width);
    EXPECT_EQ(f.Height.get(), design_height);
    EXPECT_EQ(geometry(), before);
}

TEST_F(WindowLayoutTest, ResizeWaitsForTheMouseButton) {
    auto before = geometry();
    host.set_key_down(ui::vbKeyLButton, true);
    f.user_resize(design_width + 3000, design_height);
    EXPECT_TRUE(f.Timer2.Enabled);
    EXPECT_EQ(geometry(), before);
    host.advance(300);
    EXPECT_EQ(geometry(), before);
    host.set_key_down(ui::vbKeyLButton, false);
    host.advance(100);
    EXPECT_FALSE(f.Timer2.Enabled);
    EXPECT_NE(geometry(), before);
    auto after = geometry();
    host.advance(500);
    EXPECT_EQ(geometry(), after);
}

TEST_F(WindowLayoutTest, MinimizeAndRestoreMoveNothing) {
    auto before = geometry();
    f.user_minimize();
    f.user_restore();
    EXPECT_EQ(geometry(), before);
    EXPECT_EQ(f.Width.get(), design_width);
}

TEST_F(WindowLayoutTest, UnchangedInnerSizeMovesNothingButSnapsTheHeight) {
    auto before = geometry();
    f.Form_Resize();
    EXPECT_EQ(geometry(), before);
    EXPECT_EQ(f.Height.get(), snapped_height());
}

TEST_F(WindowLayoutTest, AutoColumnWidthFitsReportListsAndTheLibraryLists) {
    app.form2().Check12[5].Value = ui::vbChecked;
    f.ListView1[1].View = ui::lvwList;
    for (int p = 0; p < 2; ++p)
        for (ui::ListView* lv : {&f.ListView1[p], &f.ListView2[p]})
            for (int j = 1; j <= 3; ++j)
                lv->ColumnHeaders(j).Width = 15;
    f.user_resize(f.Width + 3000, f.Height);
    EXPECT_NE(f.ListView1[0].ColumnHeaders(1).Width.get(), 15);
    EXPECT_NE(f.ListView2[0].ColumnHeaders(1).Width.get(), 15);
    EXPECT_NE(f.ListView2[1].ColumnHeaders(1).Width.get(), 15);
    EXPECT_EQ(f.ListView1[1].ColumnHeaders(1).Width.get(), 15);
}

TEST_F(WindowLayoutTest, DisabledWindowIsNotLaidOut) {
    auto before = geometry();
    f.Enabled = false;
    f.user_resize(design_width + 3000, design_height);
    EXPECT_EQ(geometry(), before);
}
