// Property sets that raise events, and the simple control kinds.
#include "platform/ui/ui.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using test_support::ScriptedHost;

class OptionsWindow : public ui::Window {
public:
    explicit OptionsWindow(ui::Host& host) : ui::Window(host, "OptionsWindow") {
        add(Frame1, "Frame1");
        add(Option1, "Option1");          // on the window
        add(Option2, "Option2", &Frame1); // in the frame: a group of its own
        add(Check1, "Check1");
        add(Command1, "Command1");
        add(Text1, "Text1");
        add(HScroll1, "HScroll1");
        add(Label1, "Label1");
        for (int i = 0; i < 3; ++i) {
            Option1[i].Click = [this, i] { clicks.push_back("Option1 " + std::to_string(i)); };
            Option2[i].Click = [this, i] { clicks.push_back("Option2 " + std::to_string(i)); };
        }
        Check1.Click = [this] { clicks.push_back("Check1 " + std::to_string(Check1.Value.get())); };
        Command1.Click = [this] { clicks.push_back("Command1"); };
        Text1.Change = [this] { clicks.push_back("Text1_Change"); };
        HScroll1.Change = [this] { clicks.push_back("HScroll1_Change " + std::to_string(HScroll1.Value.get())); };
        HScroll1.Scroll = [this] { clicks.push_back("HScroll1_Scroll"); };
    }
    ui::Frame Frame1;
    std::array<ui::OptionButton, 3> Option1;
    std::array<ui::OptionButton, 3> Option2;
    ui::CheckBox Check1;
    ui::CommandButton Command1;
    ui::TextBox Text1;
    ui::HScrollBar HScroll1;
    ui::Label Label1;
    std::vector<std::string> clicks;
};

TEST(UiControls, OptionButtonTrueClearsItsGroupOnlyAndClicksOnce) {
    ScriptedHost host;
    OptionsWindow w(host);
    w.Option1[0].Value = true;
    w.Option2[2].Value = true;
    w.Option1[1].Value = true;
    w.Option1[1].Value = true; // unchanged: no second Click
    EXPECT_EQ(w.clicks, (std::vector<std::string>{"Option1 0", "Option2 2", "Option1 1"}));
    EXPECT_FALSE(w.Option1[0].Value);
    EXPECT_TRUE(w.Option1[1].Value);
    EXPECT_TRUE(w.Option2[2].Value) << "the frame's group is left alone";
    w.clicks.clear();
    w.Option1[1].Value = false;
    EXPECT_TRUE(w.clicks.empty()) << "clearing raises nothing";
    w.Option2[0].user_click();
    EXPECT_EQ(w.clicks, (std::vector<std::string>{"Option2 0"}));
    EXPECT_FALSE(w.Option2[2].Value);
}

TEST(UiControls, CheckBoxValueClicksOnChangeAndRejectsOtherValues) {
    ScriptedHost host;
    OptionsWindow w(host);
    w.Check1.Value = 1;
    w.Check1.Value = 1;
    w.Check1.user_click();
    EXPECT_EQ(w.clicks, (std::vector<std::string>{"Check1 1", "Check1 0"}));
    try {
        w.Check1.Value = 3;
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 380);
    }
    EXPECT_EQ(w.Check1.Value, 0);
}

TEST(UiControls, CommandButtonValueTrueClicksEveryTimeAndStaysFalse) {
    ScriptedHost host;
    OptionsWindow w(host);
    w.Command1.Value = true;
    w.Command1.Value = true;
    EXPECT_EQ(w.clicks, (std::vector<std::string>{"Command1", "Command1"}));
    EXPECT_FALSE(w.Command1.Value);
    w.Command1.Enabled = false;
    w.Command1.user_click();
    EXPECT_EQ(w.clicks.size(), 2u) << "a disabled button cannot be clicked";
}

TEST(UiControls, TextBoxCutsToMaxLengthAndKeepsTheSelectionInsideAndAOneLineBoxPastesOneLine) {
    ScriptedHost host;
    OptionsWindow w(host);
    w.Text1.Text = "hello";
    w.Text1.Text = "hello";
    EXPECT_EQ(w.clicks, (std::vector<std::string>{"Text1_Change"}));
    w.Text1.SelStart = 1;
    w.Text1.SelLength = 3;
    EXPECT_EQ(w.Text1.SelText(), "ell");
    w.Text1.SetSelText("ipp");
    EXPECT_EQ(w.Text1.Text, "hippo");
    w.Text1.SelStart = 99;
    EXPECT_EQ(w.Text1.SelStart, 5);
    w.Text1.MaxLength = 3;
    w.Text1.Text = "abcdef";
    EXPECT_EQ(w.Text1.Text, "abc");
    w.Text1.MaxLength = 0;
    w.Text1.Text = "äöü";
    w.Text1.SelStart = 1;
    w.Text1.SelLength = 1;
    EXPECT_EQ(w.Text1.SelText(), "ö") << "positions count characters, not bytes";
    // A pasted text replaces the selection: a one-line box takes its first line, a multi-line box
    // every line, each ending in CR LF.
    for (bool multiLine : {false, true}) {
        w.Text1.MultiLine = multiLine;
        w.Text1.Text = "ab";
        w.Text1.SelStart = 1;
        w.Text1.SelLength = 1;
        w.Text1.user_paste("Erste\nZweite\r\nDritte");
        EXPECT_EQ(w.Text1.Text, multiLine ? "aErste\r\nZweite\r\nDritte" : "aErste");
    }
}

TEST(UiControls, ScrollBarValueChecksTheRangeAndUserStepsStayInside) {
    ScriptedHost host;
    OptionsWindow w(host);
    w.HScroll1.Min = 0;
    w.HScroll1.Max = 100;
    w.HScroll1.SmallChange = 5;
    w.HScroll1.LargeChange = 50;
    w.HScroll1.Value = 15;
    EXPECT_THROW(w.HScroll1.Value = 101, vb::Error);
    w.HScroll1.user_large_step(+1);
    w.HScroll1.user_large_step(+1);
    w.HScroll1.user_small_step(-1);
    w.HScroll1.user_scroll_to(40);
    EXPECT_EQ(w.clicks, (std::vector<std::string>{"HScroll1_Change 15", "HScroll1_Change 65", "HScroll1_Change 100",
                                                  "HScroll1_Change 95", "HScroll1_Scroll", "HScroll1_Change 40"}));
}

TEST(UiControls, AutoSizeLabelFitsItsCaption) {
    ScriptedHost host;
    OptionsWindow w(host);
    w.Label1.AutoSize = true;
    w.Label1.Caption = "Ready";
    EXPECT_EQ(w.Label1.Width, 5 * 6 * 15);
    EXPECT_EQ(w.Label1.Height, 13 * 15);
}

TEST(UiControls, HiddenFrameHidesWhatItHolds) {
    ScriptedHost host;
    OptionsWindow w(host);
    w.Frame1.Visible = false;
    EXPECT_TRUE(w.Option2[0].Visible);
    EXPECT_FALSE(w.Option2[0].EffectivelyVisible());
    EXPECT_TRUE(w.Option1[0].EffectivelyVisible());
}

// Records what the screen binding would be told.
class RecordingView : public ui::View {
public:
    void changed(ui::Control& c, std::string_view p) override { log.push_back(c.Name() + "." + std::string(p)); }
    void changed(ui::Window& w, std::string_view p) override { log.push_back(w.Name() + "." + std::string(p)); }
    void changed(ui::Menu& m, std::string_view p) override { log.push_back(m.Name() + "." + std::string(p)); }
    std::vector<std::string> log;
};

TEST(UiControls, AnAttachedViewHearsOfEveryStoredChangeOnce) {
    ScriptedHost host;
    OptionsWindow w(host);
    RecordingView view;
    w.attach_view(&view);
    w.Label1.Caption = "x";
    w.Label1.Caption = "x";
    w.Option1[0].Value = true;
    w.Caption = "Options";
    EXPECT_EQ(view.log, (std::vector<std::string>{"Label1.Caption", "Option1.Value", "OptionsWindow.Caption"}));
}

} // namespace
