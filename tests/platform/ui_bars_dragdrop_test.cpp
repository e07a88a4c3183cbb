// Tab strips, toolbars, drag and drop between controls, and the screen binding hook.
#include "platform/ui/ui.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using test_support::ScriptedHost;

class BarsWindow : public ui::Window {
public:
    explicit BarsWindow(ui::Host& host) : ui::Window(host, "BarsWindow") {
        add(SSTab1, "SSTab1");
        add(Toolbar1, "Toolbar1");
        add(File1, "File1");
        add(List2, "List2");
        add(Picture1, "Picture1");
        for (int i = 0; i < 2; ++i) {
            SSTab1[i].Tabs.Add().Caption = "File View";
            SSTab1[i].Tabs.Add().Caption = "Plugin View";
            SSTab1[i].Tabs.Add().Caption = "FFL View";
            SSTab1[i].Click = [this, i] {
                log.push_back("SSTab1_Click " + std::to_string(i) + " " + std::to_string(SSTab1[i].SelectedItem.get()));
            };
            SSTab1[i].GotFocus = [this, i] { log.push_back("SSTab1_GotFocus " + std::to_string(i)); };
        }
        Toolbar1.Buttons.Add(-1, "preview").Style = ui::tbrCheck;
        Toolbar1.Buttons.Add(-1, "sep").Style = ui::tbrSeparator;
        Toolbar1.Buttons.Add(-1, "alpha");
        Toolbar1.ButtonClick = [this](ui::ToolbarButton& b) { log.push_back("ButtonClick " + b.Key()); };
        List2.DragDrop = [this](ui::Control& Source, float, float) {
            log.push_back("List2_DragDrop from " + Source.Name());
        };
        List2.DragOver = [this](ui::Control& Source, float, float, int State) {
            log.push_back("List2_DragOver " + Source.Name() + " " + std::to_string(State));
        };
    }
    std::array<ui::TabStrip, 2> SSTab1;
    ui::Toolbar Toolbar1;
    ui::FileListBox File1;
    ui::ListBox List2;
    ui::PictureBox Picture1;
    std::vector<std::string> log;
};

TEST(UiTabStrip, SelectingATabFromCodeOrByTheUserRaisesClickOnce) {
    ScriptedHost host;
    BarsWindow w(host);
    EXPECT_EQ(w.SSTab1[0].SelectedItem, 1) << "the first tab starts selected";
    w.SSTab1[0].SelectedItem = 2;
    w.SSTab1[0].SelectedItem = 2;
    w.Show();
    w.SSTab1[1].user_select_tab(3);
    EXPECT_EQ(w.log, (std::vector<std::string>{"SSTab1_Click 0 2", "SSTab1_GotFocus 1", "SSTab1_Click 1 3"}));
    EXPECT_THROW(w.SSTab1[0].SelectedItem = 4, vb::Error);
    EXPECT_EQ(w.SSTab1[0].Tabs(3).Caption, "FFL View");
    w.SSTab1[0].Tabs.Remove(1);
    EXPECT_EQ(w.SSTab1[0].SelectedItem, 1) << "the selected tab moved up one place";
}

TEST(UiToolbar, CheckButtonsToggleAndHiddenDisabledOrSeparatorButtonsDoNothing) {
    ScriptedHost host;
    BarsWindow w(host);
    w.Toolbar1.user_click_button(1);
    EXPECT_EQ(w.Toolbar1.Buttons(1).Value, ui::tbrPressed);
    w.Toolbar1.user_click_button(2);
    w.Toolbar1.Buttons("alpha").Enabled = false;
    w.Toolbar1.user_click_button(3);
    w.Toolbar1.Buttons(1).Visible = false;
    w.Toolbar1.user_click_button(1);
    EXPECT_EQ(w.log, (std::vector<std::string>{"ButtonClick preview"}));
    w.Toolbar1.Buttons(1).Value = ui::tbrUnpressed; // from code: no event
    EXPECT_EQ(w.log.size(), 1u);
    EXPECT_THROW(w.Toolbar1.Buttons("none"), vb::Error);
}

TEST(UiDragDrop, ADragBegunFromCodeEndsWithTheDropOnTheTarget) {
    ScriptedHost host;
    BarsWindow w(host);
    w.File1.DragIcon = 7;
    w.File1.Drag(ui::vbBeginDrag);
    EXPECT_EQ(w.DragSource(), &w.File1);
    EXPECT_TRUE(w.File1.Dragging());
    w.List2.user_drag_over(w.File1, 10, 10, ui::vbEnter);
    w.List2.user_drag_drop(w.File1, 10, 20);
    EXPECT_EQ(w.log, (std::vector<std::string>{"List2_DragOver File1 0", "List2_DragDrop from File1"}));
    EXPECT_EQ(w.DragSource(), nullptr);
    w.File1.Drag(ui::vbBeginDrag);
    w.File1.Drag(ui::vbCancel_Drag);
    EXPECT_EQ(w.DragSource(), nullptr);
}

TEST(UiPictureBox, KeepsDrawnBoxesUntilClsAndHasAClientArea) {
    ScriptedHost host;
    BarsWindow w(host);
    w.Picture1.Width = 1500;
    w.Picture1.Height = 600;
    EXPECT_EQ(w.Picture1.ScaleWidth(), 1500 - 2 * 15);
    w.Picture1.DrawFilledBox(0, 0, 100, 100, ui::RGB(250, 0, 5));
    EXPECT_EQ(w.Picture1.Boxes().size(), 1u);
    w.Picture1.Cls();
    EXPECT_TRUE(w.Picture1.Boxes().empty());
}

// What a screen binding attached to the window hears.
class RecordingView : public ui::View {
public:
    void changed(ui::Control& c, std::string_view p) override {
        log.push_back(c.Name() + (c.Index() >= 0 ? "(" + std::to_string(c.Index()) + ")" : "") + "." + std::string(p));
    }
    void changed(ui::Window& w, std::string_view p) override { log.push_back(w.Name() + "." + std::string(p)); }
    void changed(ui::Menu& m, std::string_view p) override { log.push_back(m.Name() + "." + std::string(p)); }
    std::vector<std::string> log;
};

TEST(UiBinding, TheViewHearsOfPartsAndListsAndUserActionsComeBackAsEvents) {
    ScriptedHost host;
    BarsWindow w(host);
    RecordingView view;
    w.attach_view(&view);
    w.SSTab1[1].Tabs(2).Caption = "Plugins";
    w.List2.AddItem("x");
    w.Toolbar1.Buttons(1).Value = ui::tbrPressed;
    w.SSTab1[1].user_select_tab(2); // what the binding calls when the user clicks the tab
    EXPECT_EQ(view.log, (std::vector<std::string>{"SSTab1(1).Tabs", "List2.List", "Toolbar1.Buttons",
                                                  "BarsWindow.ActiveControl", "SSTab1(1).SelectedItem"}));
    EXPECT_EQ(w.log.back(), "SSTab1_Click 1 2");
}

} // namespace

namespace {

TEST(UiImageList, HandsOutPicturesByIndexFromOne) {
    test_support::ScriptedHost host;
    ui::Window w(host, "W");
    ui::ImageList ImageList1;
    ui::ListView ListView1;
    w.add(ImageList1, "ImageList1");
    w.add(ListView1, "ListView1");
    EXPECT_EQ(ImageList1.Add(41), 1);
    EXPECT_EQ(ImageList1.Add(42), 2);
    ListView1.SmallIcons = &ImageList1;
    ui::ListItem& it = ListView1.ListItems.Add(-1, "", "a.8bf", 2, 2);
    EXPECT_EQ(ListView1.SmallIcons.get()->Picture(it.SmallIcon), 42);
    EXPECT_THROW(ImageList1.Picture(3), vb::Error);
    EXPECT_FALSE(ImageList1.Visible) << "never shown on the window";
}

} // namespace
