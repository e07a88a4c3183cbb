#include "shell/status.hpp"

#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

struct StatusTest : test_support::AppTest {
    Form1& f = app.form1();
};

} // namespace

TEST_F(StatusTest, ProgressbarColourRunsFromBlueToRedWithHalvesToEven) {
    Progressbar(app, 1, false);
    ASSERT_EQ(f.Boxes().size(), 1u);
    EXPECT_EQ(f.Boxes()[0].FillColor, ui::RGB(2, 0, 252)); // 2.5 rounds to 2, 252.5 to 252
    Progressbar(app, 50, false);
    EXPECT_EQ(f.Boxes().back().FillColor, ui::RGB(125, 0, 130));
}

TEST_F(StatusTest, FullBarCoversTheStatusLineAcrossTheWholeWidth) {
    Progressbar(app, 100, true);
    ASSERT_EQ(f.Boxes().size(), 1u);
    const auto& b = f.Boxes()[0];
    EXPECT_EQ(b.FillColor, ui::RGB(250, 0, 5));
    EXPECT_EQ(b.X1, 0);
    EXPECT_EQ(b.X2, f.ScaleWidth());
    EXPECT_EQ(b.Y1, f.Label3.Top);
    EXPECT_EQ(b.Y2, f.ScaleHeight());
}

TEST_F(StatusTest, ZeroClearsEveryBarAndOverHundredDoesNothing) {
    Progressbar(app, 30, false);
    Progressbar(app, 60, false);
    Progressbar(app, 101, true);
    EXPECT_EQ(f.Boxes().size(), 2u);
    Progressbar(app, 0, false);
    EXPECT_TRUE(f.Boxes().empty());
    Progressbar(app, -5, false);
    EXPECT_TRUE(f.Boxes().empty());
}

TEST_F(StatusTest, StatusDisplayShowsCountRemainingTimeAndAThinQuarterBar) {
    auto start = host.SteadyNow();
    host.advance(1000);
    StatusDisplay(app, 1, 4, start);
    EXPECT_EQ(f.Label3.Caption.get(), " 1 of  4");
    EXPECT_EQ(f.Label4.Caption.get(), " 4 sec.");
    ASSERT_EQ(f.Boxes().size(), 1u);
    const auto& b = f.Boxes()[0];
    EXPECT_EQ(b.X2, static_cast<int>(vb::RoundHalfEven(f.ScaleWidth() / 4.0)));
    EXPECT_EQ(b.Y1, static_cast<int>(vb::RoundHalfEven(f.Label3.Top + 2.0 * f.Label3.Height / 3.0)));
}

TEST_F(StatusTest, StatusDisplayZeroCasesKeepTheirVisibleResults) {
    StatusDisplay(app, 3, 0, host.SteadyNow());
    EXPECT_TRUE(f.Boxes().empty());
    EXPECT_EQ(f.Label3.Caption.get(), " 3 of  0");
    Progressbar(app, 40, false);
    f.Label4.Caption = "old";
    StatusDisplay(app, 0, 5, host.SteadyNow());
    EXPECT_TRUE(f.Boxes().empty());
    EXPECT_EQ(f.Label3.Caption.get(), " 0 of  5");
    EXPECT_EQ(f.Label4.Caption.get(), "old");
    StatusDisplayClear(app);
    EXPECT_EQ(f.Label3.Caption.get(), "");
    EXPECT_EQ(f.Label4.Caption.get(), "");
}

TEST_F(StatusTest, ErrorBoxesShowTheCurrentErrorAndReturnTheAnswer) {
    app.Err.Raise(vb::Error(53));
    host.answer_msgbox(ui::vbOK, "Vexo Error 53: File not found", 48, "Just a small problem...");
    ErrorMessage(app);
    host.answer_msgbox(ui::vbYes, "Vexo Error 53: File not found\r\rContinue anyway?", 52,
                       "An error occured, but don't panik!");
    EXPECT_EQ(ErrorMessage2(app), ui::vbYes);
    host.answer_msgbox(ui::vbNo);
    EXPECT_EQ(ErrorMessage2(app), ui::vbNo);
}
