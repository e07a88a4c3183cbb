// The plug-in type list: type lines, the table and scan mask, Reset, Toggle, Add, Edit and Remove.

#include "preferences/Form2.hpp"
#include "preferences/FrmPluginType.hpp"
#include "preferences/plugtypes.hpp"
#include "shell/App.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::AppTest;

namespace {

struct PlugTypesTest : AppTest {
    Form2& f = app.form2();
    ui::ListBox& types = f.List1[3];

    void set_types(std::initializer_list<std::pair<const char*, bool>> entries) {
        types.Clear();
        for (const auto& [line, checked] : entries) {
            types.AddItem(line);
            if (checked) types.Selected(types.NewIndex()) = true;
        }
    }
};

} // namespace

TEST(PlugTypeLines, SplitFromTheRight) {
    auto p = SplitPlugTypeLine("Acrobat Plugin (api|2)");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Name, "Acrobat Plugin");
    EXPECT_EQ(p->Extension, "api");
    EXPECT_EQ(p->Digit, "2");
    // A name holding "(" or "|" keeps them.
    p = SplitPlugTypeLine("Odd (beta|x) Plugin (obp|1)");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Name, "Odd (beta|x) Plugin");
    EXPECT_EQ(p->Extension, "obp");
    EXPECT_FALSE(SplitPlugTypeLine("no marks at all"));
    EXPECT_FALSE(SplitPlugTypeLine("bar | without paren"));
}

TEST(PlugTypeLines, MaskPatternsByExtensionLength) {
    EXPECT_EQ(PlugTypePattern("api"), ";*?api");
    EXPECT_EQ(PlugTypePattern("longext"), ";*?longext");
    EXPECT_EQ(PlugTypePattern("p"), ";*.p;*_p");
    EXPECT_EQ(PlugTypePattern("ax"), ";*.ax;*_ax");
    EXPECT_EQ(PlugTypePattern(""), "");
}

TEST(PlugTypeLines, TheFortyOneDefaults) {
    const auto& d = DefaultPlugTypes();
    ASSERT_EQ(d.size(), 41u);
    EXPECT_EQ(d[1], "trueSpace Plugin (tsx|1)");
    EXPECT_EQ(d[23], "PSP 7 Texture/Pattern (bmp|3)");
    EXPECT_EQ(d[33], "Photo-Paint Plugin (eff|1)");
    EXPECT_EQ(d[38], "QuarkXpress XTension (xxt|0)");
    EXPECT_EQ(d[39], "Indesign Plugin (pln|0)");
    for (const auto& line : d)
        EXPECT_EQ(line.find("(8bf|"), std::string::npos);
}

TEST(PlugTypeLines, ExtensionNormalisation) {
    EXPECT_EQ(NormalisePlugTypeExtension("*.8BF"), "8bf");
    EXPECT_EQ(NormalisePlugTypeExtension(".Tub"), "tub");
    EXPECT_EQ(NormalisePlugTypeExtension("8b.f"), "8bf");
    EXPECT_EQ(NormalisePlugTypeExtension("a|b(c);d)"), "abcd");
    EXPECT_EQ(NormalisePlugTypeExtension("x y"), "x y");
    EXPECT_EQ(NormalisePlugTypeExtension("*."), "");
}

TEST_F(PlugTypesTest, TheDefaultMaskAfterAFirstRun) {
    f.Command8_Click();
    const std::string& mask = app.PlugTypeMask;
    EXPECT_EQ(mask.size(), 252u);
    EXPECT_EQ(mask.substr(0, 60), ";*?api;*?tsx;*.p;*_p;*?mll;*?atn;*?aip;*.ax;*_ax;*?vft;*?vfx");
    EXPECT_EQ(mask.substr(mask.size() - 18), ";*?xxt;*?pln;*?xtr");
}

TEST_F(PlugTypesTest, UncheckedEntriesLeaveEmptyColumns) {
    set_types({{"Lightwave Plugin (p|3)", true}, {"X (x|0)", false}, {"Acrobat Plugin (api|2)", true}});
    f.GetPlugTypes();
    EXPECT_EQ(app.PlugTypeMask, ";*.p;*_p;*?api");
    ASSERT_EQ(app.PlugTypes.Columns(), 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(app.PlugTypes(row, 1), "");
    EXPECT_EQ(app.PlugTypes(1, 2), "api");
    EXPECT_EQ(app.PlugTypes(2, 0), "3");
}

TEST_F(PlugTypesTest, MalformedAndEmptyExtensionEntriesGiveNoPattern) {
    set_types({{"Broken line", true}, {"Empty ext (|1)", true}, {"Good (gd|0)", true}});
    f.GetPlugTypes();
    EXPECT_EQ(app.PlugTypeMask, ";*.gd;*_gd");
    EXPECT_EQ(app.PlugTypes(1, 0), "");
}

TEST_F(PlugTypesTest, OkWithAnEmptyListKeepsTableAndMask) {
    f.Command8_Click();
    const std::string mask = app.PlugTypeMask;
    const int columns = app.PlugTypes.Columns();
    ASSERT_FALSE(mask.empty());
    types.Clear();
    f.Command1_Click();
    EXPECT_EQ(app.PlugTypeMask, mask);
    EXPECT_EQ(app.PlugTypes.Columns(), columns);
    EXPECT_EQ(app.PlugTypes(1, 0), "api");
}

TEST_F(PlugTypesTest, ResetAddsOnlyMissingDefaultsUnchecked) {
    set_types({{"acrobat plugin (API|0)", true}});
    f.Command16_Click();
    ASSERT_EQ(types.ListCount(), 41);
    EXPECT_EQ(types.List(0), "acrobat plugin (API|0)");
    EXPECT_EQ(types.List(1), "trueSpace Plugin (tsx|1)");
    EXPECT_FALSE(types.IsSelected(1));

    f.Command16_Click();
    EXPECT_EQ(types.ListCount(), 41);

    types.RemoveItem(30); // "PSP Tube"
    f.Command16_Click();
    ASSERT_EQ(types.ListCount(), 41);
    EXPECT_EQ(types.List(40), "PSP Tube (tub|3)");
}

TEST_F(PlugTypesTest, ResetComparesWholeNameAndExtension) {
    set_types({{"(ap|1)", true}, {"Acrobat Plugin (ap|2)", true}, {"P|1", true}});
    f.Command16_Click();
    EXPECT_EQ(types.ListCount(), 44);
    EXPECT_EQ(types.List(3), "Acrobat Plugin (api|2)");
}

TEST_F(PlugTypesTest, ToggleFollowsTheSecondEntry) {
    set_types({{"A (aaa|0)", false}, {"B (bbb|0)", true}, {"C (ccc|0)", false}});
    f.Command17_Click();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(types.IsSelected(i)) << i;
    f.Command17_Click();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(types.IsSelected(i)) << i;
    set_types({{"Only (one|0)", true}});
    f.Command17_Click();
    EXPECT_FALSE(types.IsSelected(0));
    types.Clear();
    f.Command17_Click(); // nothing to do
}

TEST_F(PlugTypesTest, AddThroughTheDialogAppendsACheckedEntry) {
    set_types({{"A (aaa|0)", false}});
    host.on_modal("FrmPluginType", [](ui::Window& w) {
        auto& d = static_cast<FrmPluginType&>(w);
        EXPECT_EQ(d.Label2.Caption.get(), "Add Plugin Type");
        d.Text1[0].user_type("My Type");
        d.Text1[1].user_type("*.XyZ");
        d.Option1[2].user_click();
        d.Command1[0].user_click();
    });
    f.Command3[3].user_click();
    ASSERT_EQ(types.ListCount(), 2);
    EXPECT_EQ(types.List(1), "My Type (xyz|2)");
    EXPECT_TRUE(types.IsSelected(1));
}

TEST_F(PlugTypesTest, CancelledAddAddsNothing) {
    set_types({{"A (aaa|0)", false}});
    host.on_modal("FrmPluginType", [](ui::Window& w) {
        auto& d = static_cast<FrmPluginType&>(w);
        d.Text1[0].user_type("Typed");
        d.Command1[1].user_click();
    });
    f.Command3_Click(3);
    EXPECT_EQ(types.ListCount(), 1);
}

TEST_F(PlugTypesTest, EditReplacesTheTextAndKeepsTheCheck) {
    set_types({{"A (aaa|0)", false}, {"Bee Plugin (bee|3)", true}});
    types.ListIndex = 1;
    host.on_modal("FrmPluginType", [](ui::Window& w) {
        auto& d = static_cast<FrmPluginType&>(w);
        EXPECT_EQ(d.Label2.Caption.get(), "Edit Plugin Type");
        EXPECT_EQ(d.Text1[0].Text.get(), "Bee Plugin");
        EXPECT_EQ(d.Text1[1].Text.get(), "bee");
        EXPECT_TRUE(d.Option1[3].Value.get());
        d.Text1[1].Text = "BEX";
        d.Option1[1].Value = true;
        d.Command1[0].user_click();
    });
    f.Command15.user_click();
    EXPECT_EQ(types.List(1), "Bee Plugin (bex|1)");
    EXPECT_TRUE(types.IsSelected(1));
    EXPECT_FALSE(types.IsSelected(0));
}

TEST_F(PlugTypesTest, EditWithoutACurrentEntryShowsNoDialog) {
    set_types({{"A (aaa|0)", false}});
    types.ListIndex = -1;
    f.Command15_Click();
    EXPECT_TRUE(host.modal_windows().empty());
}

TEST_F(PlugTypesTest, RemoveAndTheDeleteKeyActOnTheCurrentEntry) {
    f.SSTab1.user_select_tab(7);
    set_types({{"A (aaa|0)", true}, {"B (bbb|0)", true}, {"C (ccc|0)", false}});
    types.ListIndex = 2;
    f.Command6[3].user_click();
    ASSERT_EQ(types.ListCount(), 2);
    EXPECT_EQ(types.List(1), "B (bbb|0)");
    types.ListIndex = 0;
    types.user_key(ui::vbKeyDelete);
    ASSERT_EQ(types.ListCount(), 1);
    EXPECT_EQ(types.List(0), "B (bbb|0)");
}
