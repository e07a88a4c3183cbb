#include "shell/helpers.hpp"

#include "platform/ui/ListView.hpp"
#include "platform/ui/Window.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest.h>

#include <vector>

using namespace vexolan;

namespace {

struct ListWindow : ui::Window {
    explicit ListWindow(ui::Host& host) : ui::Window(host, "Form1") {
        add(ListView1, "ListView1");
        ListView1.View = ui::lvwReport;
        ListView1.ColumnHeaders.Add(-1, "", "Name");
        ListView1.ColumnHeaders.Add(-1, "", "Size");
        ListView1.ColumnHeaders.Add(-1, "", "Date");
    }
    ui::ListView ListView1;
};

struct SortTest : ::testing::Test {
    test_support::ScriptedHost host;
    ListWindow w{host};
    ui::ListView& lv = w.ListView1;
    ColumnSortOrders order{false, true, true, true};

    void add(const std::string& name, const std::string& size, const std::string& date = "") {
        auto& item = lv.ListItems.Add(-1, "", name);
        item.Tag = "keep";
        item.ListSubItems(1).Text = size;
        item.ListSubItems(1).Tag = "tag-" + name;
        item.ListSubItems(2).Text = date;
    }
    std::vector<std::string> names() const {
        std::vector<std::string> r;
        for (int i = 1; i <= lv.ListItems.Count(); ++i)
            r.push_back(lv.ListItems(i).Text);
        return r;
    }
};

} // namespace

TEST_F(SortTest, NumbersSortByValueAndEveryCellAndTagIsRestored) {
    const std::vector<std::pair<std::string, std::string>> cells{
        {"a", "10"}, {"b", "-5"}, {"c", "abc"}, {"d", "2"}, {"e", "-20"}, {"f", "0"}, {"g", "1,234"}, {"h", "2.25"}};
    for (const auto& [n, s] : cells)
        add(n, s);
    SortListView(lv, 2, SortNumber, true, order);
    EXPECT_EQ(names(), (std::vector<std::string>{"c", "e", "b", "f", "d", "h", "a", "g"}));
    for (int i = 1; i <= lv.ListItems.Count(); ++i) {
        auto& item = lv.ListItems(i);
        EXPECT_EQ(item.Tag.get(), "keep");
        EXPECT_EQ(item.ListSubItems(1).Tag.get(), "tag-" + item.Text.get());
        for (const auto& [n, s] : cells)
            if (n == item.Text.get()) {
                EXPECT_EQ(item.ListSubItems(1).Text.get(), s);
            }
    }
    SortListView(lv, 2, SortNumber, false, order);
    EXPECT_EQ(names(), (std::vector<std::string>{"g", "a", "h", "d", "f", "b", "e", "c"}));
}

TEST_F(SortTest, DatesSortInTimeOrderAndAnEmptyParentCellSortsFirst) {
    add("new", "1", vb::GeneralDate({2000, 1, 1, 0, 0, 0}));
    add("old", "1", vb::GeneralDate({1999, 12, 31, 23, 59, 59}));
    add("..", " ", " ");
    add("mid", "1", vb::GeneralDate({1999, 12, 31, 12, 0, 0}));
    SortListView(lv, 3, SortDate, true, order);
    EXPECT_EQ(names(), (std::vector<std::string>{"..", "mid", "old", "new"}));
    EXPECT_EQ(lv.ListItems(3).ListSubItems(2).Text.get(), "12/31/1999 11:59:59 PM");
    EXPECT_EQ(lv.ListItems(1).ListSubItems(2).Text.get(), " ");
}

TEST_F(SortTest, SortingAColumnMarksItsHeaderAndResetsTheOtherDirections) {
    add("x", "1");
    lv.MousePointer = ui::vbArrow;
    SortListView(lv, 2, SortNumber, true, order);
    EXPECT_FALSE(order[1]);
    EXPECT_TRUE(order[2]);
    EXPECT_FALSE(order[3]);
    EXPECT_EQ(lv.ColumnHeaders(1).Icon.get(), 0);
    EXPECT_EQ(lv.ColumnHeaders(2).Icon.get(), 11);
    EXPECT_EQ(lv.ColumnHeaders(3).Icon.get(), 0);
    EXPECT_EQ(lv.SortKey.get(), 1);
    EXPECT_TRUE(lv.Sorted.get());
    EXPECT_EQ(lv.MousePointer.get(), ui::vbArrow);
    order[2] = false;
    SortListView(lv, 2, SortNumber, false, order);
    EXPECT_EQ(lv.ColumnHeaders(2).Icon.get(), 12);
}

TEST_F(SortTest, TextSortIgnoresCaseAndKeepsTexts) {
    add("beta", "");
    add("Alpha", "");
    add("gamma", "");
    SortListView(lv, 1, SortText, true, order);
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    SortListView(lv, 1, SortText, false, order);
    EXPECT_EQ(names(), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
}
