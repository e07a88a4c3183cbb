// Every kind of control on a real screen: a test window with lists, a report list, tabs, a
// toolbar, a menu bar, a text box and a timer, driven with xdotool; the model must see exactly the
// events a user causes.
#include "tests/screen/screen_support.hpp"

#include "platform/ui/ui.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <gtest/gtest.h>

using test_support::Driver;

namespace {

class ControlsWindow : public ui::Window {
public:
    explicit ControlsWindow(ui::Host& host) : ui::Window(host, "Controls") {
        add(List1, "List1");
        add(Combo1, "Combo1");
        add(ListView1, "ListView1");
        add(TabStrip1, "TabStrip1");
        add(Toolbar1, "Toolbar1");
        add(Text1, "Text1");
        add(Label1, "Label1");
        add(Check1, "Check1");
        add(Timer1, "Timer1");
        add_menu(mnuFile, "mnuFile");
        add_menu(mnuOpen, "mnuOpen", &mnuFile);
        add_menu(mnuSep, "mnuSep", &mnuFile);
        add_menu(mnuExit, "mnuExit", &mnuFile);

        Caption = "Controls test";
        Width = 9000;
        Height = 7200;
        Toolbar1.Move(0, 0, 9000, 420);
        for (const char* key : {"New", "Open", "Save"})
            Toolbar1.Buttons.Add(-1, key);
        List1.Move(150, 600, 2400, 1500);
        for (const char* s : {"Blur", "Distort", "Noise", "Sharpen"})
            List1.AddItem(s);
        Combo1.Move(2700, 600, 2400, 330);
        Combo1.Style = ui::vbComboDropdownList;
        for (const char* s : {"Photoshop FF Plugin", "Text File", "AFS File"})
            Combo1.AddItem(s);
        ListView1.Move(150, 2250, 6000, 1800);
        ListView1.View = ui::lvwReport;
        ListView1.ColumnHeaders.Add(-1, "", "Name", 3000);
        ListView1.ColumnHeaders.Add(-1, "", "Size", 1500);
        for (const char* s : {"a.8bf", "b.8bf", "c.8bf"}) {
            ui::ListItem& it = ListView1.ListItems.Add(-1, "", s);
            it.SubItems(1) = "57,344";
        }
        TabStrip1.Move(6300, 600, 2550, 1500);
        TabStrip1.Tabs.Add().Caption = "&File View";
        TabStrip1.Tabs.Add().Caption = "&Plugin View";
        Text1.Move(2700, 1200, 2400, 330);
        Label1.Move(150, 4200, 6000, 900);
        Label1.Caption = "first line\rsecond line\nthird line\r\nfourth line";
        Check1.Move(6300, 2250, 2400, 330);
        Check1.Caption = "&Case";
        mnuFile.Caption = "&File";
        mnuOpen.Caption = "&Open...";
        mnuOpen.Shortcut = "Ctrl+O";
        mnuSep.Caption = "-";
        mnuExit.Caption = "E&xit";
        Timer1.Interval = 50;

        List1.Click = [this] { ++listClicks; };
        ListView1.ItemClick = [this](ui::ListItem& it) { clickedItem = it.Text; };
        TabStrip1.Click = [this] { ++tabClicks; };
        Toolbar1.ButtonClick = [this](ui::ToolbarButton& b) { pressed = b.Key(); };
        mnuOpen.Click = [this] { ++opens; };
        mnuFile.Click = [this] { ++fileDrops; };
        mnuExit.Click = [this] { Unload(); };
        Timer1.Tick = [this] { ++ticks; };
        Text1.Change = [this] { ++textChanges; };
        List1.MouseMove = [this](int Button, int, float, float) {
            if (Button == ui::vbLeftButton && !List1.Dragging()) List1.Drag(ui::vbBeginDrag);
        };
        ListView1.DragDrop = [this](ui::Control& source, float, float) { dropped = source.Name(); };
    }

    ui::ListBox List1;
    ui::ComboBox Combo1;
    ui::ListView ListView1;
    ui::TabStrip TabStrip1;
    ui::Toolbar Toolbar1;
    ui::TextBox Text1;
    ui::Label Label1;
    ui::CheckBox Check1;
    ui::Timer Timer1;
    ui::Menu mnuFile, mnuOpen, mnuSep, mnuExit;

    int listClicks = 0, tabClicks = 0, opens = 0, ticks = 0, textChanges = 0, fileDrops = 0;
    std::string clickedItem, pressed, dropped;
};

struct Controls : test_support::ScreenTest {};

} // namespace

// Pixel positions below are the twips above / 15, plus the 24-pixel menu bar.
TEST_F(Controls, ClicksKeysMenusAndTimersReachTheModel) {
    ControlsWindow w(host);
    w.Show();
    ASSERT_TRUE(pump_until([&] { return w.ticks >= 2; }, 5)) << "the timer does not tick";

    Driver user(*this, R"(
        id=$(find_window '^Controls test$')
        shoot "$id" controls
        # the third entry of List1 (rows of the font's line height from y 64)
        xdotool mousemove --window "$id" 40 100 click 1
        sleep 0.2
        # the second row of the report list, under its header
        xdotool mousemove --window "$id" 40 219 click 1
        sleep 0.2
        # the second tab
        xdotool mousemove --window "$id" 510 76 click 1
        sleep 0.2
        # the toolbar's second button
        xdotool mousemove --window "$id" 50 37 click 1
        sleep 0.2
        # the check box
        xdotool mousemove --window "$id" 430 184 click 1
        sleep 0.2
        # type into the text box
        xdotool mousemove --window "$id" 250 115 click 1
        sleep 0.1
        xdotool type --delay 30 'a.b-c'
        sleep 0.1
        xdotool key ctrl+o
        sleep 0.2
        # File, then Open... from the menu bar
        xdotool mousemove --window "$id" 20 12 click 1
        sleep 0.4
        xdotool mousemove --window "$id" 40 38 click 1
        sleep 0.3
        shoot "$id" controls-after
    )");
    user.finish();
    EXPECT_EQ(w.List1.ListIndex, 2);
    EXPECT_EQ(w.listClicks, 1);
    EXPECT_EQ(w.clickedItem, "b.8bf");
    EXPECT_EQ(w.TabStrip1.SelectedItem, 2);
    EXPECT_EQ(w.tabClicks, 1);
    EXPECT_EQ(w.pressed, "Open");
    EXPECT_EQ(w.Check1.Value, ui::vbChecked);
    EXPECT_EQ(w.Text1.Text, "a.b-c");
    EXPECT_EQ(w.textChanges, 5);
    EXPECT_EQ(w.opens, 2); // once by its shortcut, once from the menu
    w.Unload();
}

TEST_F(Controls, AnEntryDraggedFromTheListDropsOnTheReportList) {
    ControlsWindow w(host);
    w.Show();
    Driver user(*this, R"(
        id=$(find_window '^Controls test$')
        xdotool mousemove --window "$id" 40 70 mousedown 1
        sleep 0.1
        xdotool mousemove --window "$id" 60 120
        sleep 0.1
        xdotool mousemove --window "$id" 100 230
        sleep 0.1
        xdotool mouseup 1
        sleep 0.3
    )");
    user.finish();
    EXPECT_EQ(w.dropped, "List1");
    EXPECT_FALSE(w.List1.Dragging());
    w.Unload();
}

TEST_F(Controls, TheDropDownListChoosesAnEntry) {
    ControlsWindow w(host);
    w.Show();
    Driver user(*this, R"(
        id=$(find_window '^Controls test$')
        xdotool mousemove --window "$id" 260 74 click 1
        sleep 0.5
        # the pop-up list opens below the box; its second entry
        xdotool mousemove --window "$id" 260 121 click 1
        sleep 0.3
    )");
    user.finish();
    EXPECT_EQ(w.Combo1.ListIndex, 1);
    EXPECT_EQ(w.Combo1.Text, "Text File");
    w.Unload();
}

TEST_F(Controls, F2EditsTheLabelOfTheReportListsItem) {
    ControlsWindow w(host);
    std::string edited;
    w.ListView1.AfterLabelEdit = [&](int&, std::string& text) { edited = text; };
    w.Show();
    Driver user(*this, R"(
        id=$(find_window '^Controls test$')
        focus "$id"
        xdotool mousemove --window "$id" 40 237 click 1
        sleep 0.2
        xdotool key F2
        sleep 0.3
        xdotool type --delay 30 'renamed.8bf'
        xdotool key Return
        sleep 0.3
    )");
    user.finish();
    EXPECT_EQ(edited, "renamed.8bf");
    EXPECT_EQ(w.ListView1.ListItems(3).Text, "renamed.8bf");
    EXPECT_EQ(w.ListView1.EditedItem(), nullptr);
    w.Unload();
}

TEST_F(Controls, AltAndTheAccessKeyDropTheMenuDownAfterItsClick) {
    ControlsWindow w(host);
    w.Show();
    Driver user(*this, R"(
        id=$(find_window '^Controls test$')
        focus "$id"
        xdotool key alt+f
        sleep 0.4
        xdotool key Down Return
        sleep 0.3
    )");
    user.finish();
    EXPECT_EQ(w.fileDrops, 1);
    EXPECT_EQ(w.opens, 1);
    w.Unload();
}
