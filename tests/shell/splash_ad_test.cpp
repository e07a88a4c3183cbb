// The splash window (closing on any key or click, the centred frame, the logo kept one pixel short)
// and the edition advertisement (its two buttons and its drag by the body).
#include "shell/App.hpp"
#include "shell/ProVersionAd.hpp"
#include "shell/frame.hpp"
#include "shell/frmSplash.hpp"
#include "shell/help.hpp"
#include "tests/shell/fake_desktop.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

struct SplashTest : test_support::AppTest {
    frmSplash& splash = app.splash();
};

TEST_F(SplashTest, LoadingSetsTheEditionAndScalesTheDesign) {
    splash.Show();
    EXPECT_EQ(splash.lblVersion.Caption, "Light Edition");
    EXPECT_EQ(splash.Label1.Caption, "Initializing ...");
    EXPECT_EQ(splash.Width, 5760 * 15 / 12);
}

TEST_F(SplashTest, AnyKeyClosesItAndLaterProgressTextsDoNotBringItBack) {
    splash.Show();
    splash.user_key(ui::vbKeySpace);
    EXPECT_FALSE(splash.Loaded());
    splash.Label1.Caption = "Loading Registry Settings ...";
    EXPECT_FALSE(splash.Loaded());
    EXPECT_FALSE(splash.Visible);
}

TEST_F(SplashTest, EachOfTheSevenClickHandlersCloses) {
    std::vector<std::function<void()>> clicks = {
        [this] { splash.Frame1.user_click(); },
        [this] { splash.Frame1.user_dblclick(); },
        [this] { splash.imgLogo.user_click(); },
        [this] { splash.imgLogo.user_dblclick(); },
        [this] { splash.lblCompanyProduct.user_click(); },
        [this] { splash.lblCopyright.user_click(); },
        [this] { splash.lblVersion.user_click(); },
    };
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        splash.Show();
        ASSERT_TRUE(splash.Visible);
        clicks[i]();
        EXPECT_FALSE(splash.Loaded()) << "handler " << i;
    }
    splash.Show();
    splash.Label1.user_click(); // the progress line is no handler
    EXPECT_TRUE(splash.Loaded());
}

TEST_F(SplashTest, TheFrameIsCentredAndRaisedByFourPixels) {
    splash.Show();
    EXPECT_EQ(splash.Frame1.Left,
              static_cast<int>(vb::RoundHalfEven((splash.ScaleWidth() - splash.Frame1.Width) / 2.0)));
    EXPECT_EQ(splash.Frame1.Top,
              static_cast<int>(vb::RoundHalfEven(splash.ScaleHeight() / 2.0 - (splash.Frame1.Height / 2.0 + 4 * 15))));
    splash.Width = splash.Width + 600;
    EXPECT_EQ(splash.Frame1.Left,
              static_cast<int>(vb::RoundHalfEven((splash.ScaleWidth() - splash.Frame1.Width) / 2.0)));
}

TEST_F(SplashTest, PaintsLeaveTheLogoOnePixelShortOfItsDesignHeight) {
    splash.Show();
    int designed = splash.imgLogo.Height;
    splash.Paint();
    splash.Paint();
    splash.Paint();
    EXPECT_EQ(splash.imgLogo.Height, designed - 15);
}

struct AdTest : test_support::AppTest {
    ProVersionAd& ad = app.proVersionAd();
};

TEST_F(AdTest, MoreInformationOpensTheProductsPageAndTheAdStaysUntilExit) {
    test_support::FakeOpener opener;
    host.on_modal("ProVersionAd", [this](ui::Window&) {
        EXPECT_EQ(ad.Label1.Caption, "Get the Pro Edition of Vexolan");
        ad.Command1[1].user_click();
        EXPECT_TRUE(ad.Visible);
        ad.Command1[1].user_click();
        ad.Command1[0].user_click();
    });
    ad.ShowModal();
    EXPECT_FALSE(ad.Loaded());
    EXPECT_EQ(opener.targets(),
              (std::vector<std::string>{std::string(endpoints::ProductsPage), std::string(endpoints::ProductsPage)}));
}

TEST_F(AdTest, OnlyALeftButtonPressAsksToDragTheWindow) {
    test_support::RecordingView screen;
    ad.Show();
    ad.attach_view(&screen);
    ad.user_mouse_down(ui::vbRightButton, 0, 100, 100);
    EXPECT_EQ(screen.count(CaptionDragRequest), 0);
    ad.user_mouse_down(ui::vbLeftButton, 0, 100, 100);
    EXPECT_EQ(screen.count(CaptionDragRequest), 1);
    ad.attach_view(nullptr);
}

TEST_F(AdTest, ItsBarIsThirtyTwoDesignPixelsDownTheLeftEdge) {
    ad.Show();
    ad.Paint();
    ASSERT_FALSE(ad.Boxes().empty());
    EXPECT_EQ(ad.Boxes()[0].X2, 26 * 15);
}
