// The report list: items, sorting, hit testing, label editing and user clicks.
#include "platform/ui/ui.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_support::ScriptedHost;

class ListWindow : public ui::Window {
public:
    explicit ListWindow(ui::Host& host) : ui::Window(host, "ListWindow") {
        add(ListView1, "ListView1");
        add(Command1, "Command1");
        ListView1.ItemClick = [this](ui::ListItem& Item) { log.push_back("ItemClick " + Item.Text.get()); };
        ListView1.Click = [this] { log.push_back("Click"); };
        ListView1.DblClick = [this] { log.push_back("DblClick"); };
        ListView1.GotFocus = [this] { log.push_back("GotFocus"); };
        ListView1.MouseDown = [this](int Button, int, float, float) {
            log.push_back("MouseDown " + std::to_string(Button));
        };
        ListView1.ColumnClick = [this](ui::ColumnHeader& c) {
            log.push_back("ColumnClick " + std::to_string(c.Index()));
        };
        ListView1.AfterLabelEdit = [this](int& Cancel, std::string& NewString) {
            log.push_back("AfterLabelEdit " + NewString);
            if (NewString.find('/') != std::string::npos) Cancel = 1;
        };
        ListView1.View = ui::lvwReport;
        ListView1.Width = 6000;
        ListView1.Height = 3000;
        ListView1.ColumnHeaders.Add(-1, "", "Name", 3000);
        ListView1.ColumnHeaders.Add(-1, "", "Size", 1500, ui::lvwColumnRight);
        ListView1.ColumnHeaders.Add(-1, "", "Date", 1500);
    }
    void fill(const std::vector<std::vector<std::string>>& rows) {
        for (const auto& r : rows) {
            ui::ListItem& it = ListView1.ListItems.Add(-1, "", r[0], 3, 3);
            for (std::size_t k = 1; k < r.size(); ++k)
                it.SubItems(static_cast<int>(k)) = r[k];
        }
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (int i = 1; i <= ListView1.ListItems.Count(); ++i)
            out.push_back(ListView1.ListItems(i).Text);
        return out;
    }
    ui::ListView ListView1;
    ui::CommandButton Command1;
    std::vector<std::string> log;
};

TEST(UiListView, ItemsKeepSubItemsTagsAndIndicesFromOne) {
    ScriptedHost host;
    ListWindow w(host);
    w.fill({{"a.txt", "10", "x"}, {"b.txt", "20"}});
    ui::ListItem& b = w.ListView1.ListItems(2);
    EXPECT_EQ(b.Index(), 2);
    EXPECT_EQ(b.SubItems(1), "20");
    EXPECT_EQ(b.SubItems(2), "") << "a sub-item never set reads empty";
    b.ListSubItems(1).Tag = "kept";
    w.ListView1.ListItems.Add(1, "first", "0.txt");
    EXPECT_EQ(b.Index(), 3);
    EXPECT_EQ(w.ListView1.ListItems.Item("first").Text, "0.txt");
    EXPECT_THROW(w.ListView1.ListItems.Add(-1, "first", "dup"), vb::Error);
    EXPECT_THROW(w.ListView1.ListItems(4), vb::Error);
    EXPECT_THROW(b.SubItems(0) = "x", vb::Error);
    w.ListView1.ListItems.Remove(1);
    EXPECT_EQ(b.ListSubItems(1).Tag, "kept");
    EXPECT_EQ(b.Index(), 2);
}

TEST(UiListView, SettingSortedSortsOnceStablyAndCaseInsensitivelyByTheSortKeyColumn) {
    ScriptedHost host;
    ListWindow w(host);
    w.fill({{"b", "x2"}, {"C", "X1"}, {"a", "x1"}, {"D", "x2"}});
    w.ListView1.SortKey = 1;
    w.ListView1.Sorted = true;
    EXPECT_EQ(w.names(), (std::vector<std::string>{"C", "a", "b", "D"})) << "equal keys keep their order";
    w.ListView1.SortOrder = ui::lvwDescending; // re-sorts while Sorted is True
    EXPECT_EQ(w.names(), (std::vector<std::string>{"b", "D", "C", "a"}));
    w.ListView1.ListItems(1).Text = "zzz";
    w.ListView1.ListItems.Add(-1, "", "0");
    EXPECT_EQ(w.names(), (std::vector<std::string>{"zzz", "D", "C", "a", "0"})) << "changes do not re-sort";
    w.ListView1.SortKey = 0;
    w.ListView1.SortOrder = ui::lvwAscending;
    w.ListView1.Sorted = true;
    EXPECT_EQ(w.names(), (std::vector<std::string>{"0", "a", "C", "D", "zzz"}));
}

TEST(UiListView, HitTestFollowsTheDocumentedRowGeometry) {
    ScriptedHost host;
    ListWindow w(host);
    w.fill({{"a"}, {"b"}, {"c"}});
    // Report view at 8 points: header 19 px, rows 17 px, 15 twips per pixel.
    EXPECT_EQ(w.ListView1.RowHeightPixels(), 17);
    EXPECT_EQ(w.ListView1.HeaderHeightPixels(), 19);
    EXPECT_EQ(w.ListView1.HitTest(100, 10 * 15), nullptr) << "the header";
    EXPECT_EQ(w.ListView1.HitTest(100, 19 * 15)->Text, "a");
    EXPECT_EQ(w.ListView1.HitTest(100, (19 + 17 + 16) * 15)->Text, "b");
    EXPECT_EQ(w.ListView1.HitTest(100, (19 + 3 * 17) * 15), nullptr) << "below the last item";
    EXPECT_EQ(w.ListView1.HitTest(6000, 19 * 15), nullptr) << "right of the columns";
    w.ListView1.TopIndex = 1;
    EXPECT_EQ(w.ListView1.HitTest(100, 19 * 15)->Text, "b");
    w.ListView1.View = ui::lvwList;
    w.ListView1.TopIndex = 0;
    w.ListView1.Height = 2 * 17 * 15; // two rows per column
    EXPECT_EQ(w.ListView1.HitTest(151 * 15, 0)->Text, "c");
}

TEST(UiListView, EnsureVisibleScrollsTheRowIntoView) {
    ScriptedHost host;
    ListWindow w(host);
    for (int i = 0; i < 30; ++i)
        w.fill({{"item" + std::to_string(i)}});
    w.ListView1.Height = (19 + 5 * 17) * 15;
    EXPECT_EQ(w.ListView1.VisibleRows(), 5);
    w.ListView1.ListItems(12).EnsureVisible();
    EXPECT_EQ(w.ListView1.TopIndex, 7);
    w.ListView1.ListItems(2).EnsureVisible();
    EXPECT_EQ(w.ListView1.TopIndex, 1);
}

TEST(UiListView, LabelEditTakesTheNewTextUnlessAfterLabelEditCancels) {
    ScriptedHost host;
    ListWindow w(host);
    w.fill({{"old.txt"}});
    EXPECT_THROW(w.ListView1.StartLabelEdit(), vb::Error) << "nothing selected";
    w.ListView1.ListItems(1).Selected = true;
    w.ListView1.StartLabelEdit();
    EXPECT_EQ(w.ListView1.EditedItem(), &w.ListView1.ListItems(1));
    w.ListView1.user_label_edit("bad/name");
    EXPECT_EQ(w.ListView1.ListItems(1).Text, "old.txt");
    EXPECT_EQ(w.ListView1.EditedItem(), nullptr);
    w.ListView1.StartLabelEdit();
    w.ListView1.user_label_edit("new.txt");
    EXPECT_EQ(w.ListView1.ListItems(1).Text, "new.txt");
    w.ListView1.StartLabelEdit();
    w.ListView1.user_cancel_label_edit();
    EXPECT_EQ(w.log, (std::vector<std::string>{"AfterLabelEdit bad/name", "AfterLabelEdit new.txt"}));
}

TEST(UiListView, AClickFocusesSelectsThenRaisesItemClickAndClick) {
    ScriptedHost host;
    ListWindow w(host);
    w.fill({{"a"}, {"b"}});
    w.Show();
    w.Command1.SetFocus();
    w.ListView1.user_click_item(2);
    EXPECT_EQ(w.log, (std::vector<std::string>{"GotFocus", "MouseDown 1", "ItemClick b", "Click"}));
    EXPECT_EQ(w.ListView1.SelectedItem(), &w.ListView1.ListItems(2));
    w.log.clear();
    w.ListView1.user_key(ui::vbKeyUp);
    EXPECT_EQ(w.log, (std::vector<std::string>{"ItemClick a"}));
    w.log.clear();
    w.ListView1.user_click_column(2);
    w.ListView1.user_click_empty();
    EXPECT_EQ(w.ListView1.SelectedItem(), nullptr);
    EXPECT_EQ(w.log, (std::vector<std::string>{"ColumnClick 2", "MouseDown 1", "Click"}));
}

TEST(UiListView, SingleSelectionFromCodeClearsTheOthersAndMultiSelectKeepsThem) {
    ScriptedHost host;
    ListWindow w(host);
    w.fill({{"a"}, {"b"}, {"c"}});
    w.ListView1.ListItems(1).Selected = true;
    w.ListView1.ListItems(3).Selected = true;
    EXPECT_FALSE(w.ListView1.ListItems(1).Selected);
    EXPECT_EQ(w.ListView1.SelectedItem()->Text, "c");
    w.ListView1.MultiSelect = true;
    w.ListView1.ListItems(1).Selected = true;
    EXPECT_TRUE(w.ListView1.ListItems(3).Selected);
    w.ListView1.user_click_item(2, ui::vbShiftMask);
    EXPECT_TRUE(w.ListView1.ListItems(1).Selected && w.ListView1.ListItems(2).Selected);
    EXPECT_FALSE(w.ListView1.ListItems(3).Selected);
    w.ListView1.ListItems.Remove(2);
    EXPECT_EQ(w.ListView1.SelectedItem(), nullptr) << "a removed item is no longer the selected one";
    EXPECT_TRUE(w.log.size() >= 2);
}

TEST(UiListView, AutoSizeFitsTheWidestOfHeaderAndCells) {
    ScriptedHost host;
    ListWindow w(host);
    w.fill({{"short", "123456789012"}, {"a much longer name"}});
    w.ListView1.AutoSizeAllColumns();
    EXPECT_EQ(w.ListView1.ColumnHeaders(1).Width, (18 * 6 + 12 + 20) * 15);
    EXPECT_EQ(w.ListView1.ColumnHeaders(2).Width, (12 * 6 + 12) * 15);
    EXPECT_EQ(w.ListView1.ColumnHeaders(3).Width, (4 * 6 + 12) * 15) << "the header \"Date\" is the widest";
}

} // namespace
