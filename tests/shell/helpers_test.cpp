#include "shell/helpers.hpp"

#include "platform/ui/Controls.hpp"
#include "platform/ui/Window.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

TEST(PathHelpers, SplitAtTheLastSeparator) {
    EXPECT_EQ(GetFileName("/dir/file.txt"), "file.txt");
    EXPECT_EQ(GetPathName("/dir/file.txt"), "/dir/");
    EXPECT_EQ(GetFileName("file.txt"), "file.txt");
    EXPECT_EQ(GetPathName("file.txt"), "");
    EXPECT_EQ(GetFileName("/dir/"), "");
    EXPECT_EQ(GetPathName("/dir/"), "/dir/");
    EXPECT_EQ(GetFileName(""), "");
    EXPECT_EQ(GetPathName(""), "");
    EXPECT_EQ(GetPathName("/"), "/");
}

TEST(PathHelpers, InvertDigitsComplementsDigitsAndBlanksMinus) {
    EXPECT_EQ(InvertDigits("0123456789"), "9876543210");
    EXPECT_EQ(InvertDigits("-1.5a"), " 8.4a");
}

namespace {

struct ScaleWindow : ui::Window {
    explicit ScaleWindow(ui::Host& host, std::string name) : ui::Window(host, std::move(name)) {
        add(Label5, "Label5");
        add(Combo1, "Combo1");
        add(Line1, "Line1");
        add(Timer1, "Timer1");
        add(List2, "List2");
        add(Picture1, "Picture1");
        Width = 4800;
        Height = 3600;
        Label5.Move(120, 240, 1200, 360);
        Label5.Font.Size = 8;
        Combo1.Move(120, 600, 2400, 315);
        Line1.X1 = 0;
        Line1.Y1 = 120;
        Line1.X2 = 1200;
        Line1.Y2 = 120;
        Timer1.Move(12, 12, 12, 12);
        List2.Move(-75000, 1200, 1200, 1200);
        Picture1.Move(1200, 1200, 1200, 1200);
        Picture1.Font.Size = 8;
    }
    ui::Label Label5;
    ui::TextBox Combo1; // the rules go by name, not by kind
    ui::Line Line1;
    ui::Timer Timer1;
    ui::TextBox List2;
    ui::PictureBox Picture1;
};

} // namespace

TEST(ScaleForm, FifteenTwipsPerPixelEnlargesByAQuarterWithTheNamedExceptions) {
    test_support::ScriptedHost host;
    host.set_twips_per_pixel(15);
    ScaleWindow w(host, "Form1");
    ScaleForm(w);
    EXPECT_EQ(w.Width.get(), 6000);
    EXPECT_EQ(w.Height.get(), 4500);
    EXPECT_EQ(w.Label5.Left.get(), 150);
    EXPECT_EQ(w.Label5.Height.get(), 450);
    EXPECT_DOUBLE_EQ(w.Label5.Font.Size.get(), 10);
    EXPECT_EQ(w.Combo1.Width.get(), 3000);
    EXPECT_EQ(w.Combo1.Height.get(), 315); // combo boxes keep their height
    EXPECT_EQ(w.Line1.X2.get(), 1500);
    EXPECT_EQ(w.Line1.Y1.get(), 150);
    EXPECT_EQ(w.Timer1.Left.get(), 12);    // timers are not touched
    EXPECT_EQ(w.List2.Left.get(), -75000); // parked controls stay parked on the main window
    EXPECT_EQ(w.List2.Width.get(), 1500);
    EXPECT_DOUBLE_EQ(w.Picture1.Font.Size.get(), 8); // not a kind whose font scales
}

TEST(ScaleForm, TwelveTwipsPerPixelChangesNothing) {
    test_support::ScriptedHost host;
    host.set_twips_per_pixel(12);
    ScaleWindow w(host, "frmSplash");
    ScaleForm(w);
    EXPECT_EQ(w.Width.get(), 4800);
    EXPECT_EQ(w.Label5.Left.get(), 120);
    EXPECT_EQ(w.List2.Left.get(), -75000);
    EXPECT_DOUBLE_EQ(w.Label5.Font.Size.get(), 8);
}
