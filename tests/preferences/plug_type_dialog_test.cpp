// The plug-in type dialog: checking and cleaning the input, Cancel, keys and roll-up.

#include "preferences/FrmPluginType.hpp"
#include "shell/App.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::AppTest;

namespace {

struct DialogTest : AppTest {
    FrmPluginType& d = app.frmPluginType();
    void SetUp() override {
        d.Load();
        d.Show();
    }
};

} // namespace

TEST_F(DialogTest, StartsAsDesigned) {
    EXPECT_EQ(d.Label2.Caption.get(), "Add Plugin Type");
    EXPECT_EQ(d.Label1[0].Caption.get(), "Plugin Type:");
    EXPECT_EQ(d.Label1[1].Caption.get(), "File Extension:");
    EXPECT_EQ(d.Frame1.Caption.get(), "Get Plugin Name from");
    EXPECT_TRUE(d.Option1[0].Value.get());
    EXPECT_EQ(d.Option1[3].Caption.get(), "File Name");
    EXPECT_EQ(d.Command1[0].Caption.get(), "OK");
    EXPECT_TRUE(d.Text1[0].HasFocus());
}

TEST_F(DialogTest, OkCleansTheExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"*.8BF", "8bf"}, {".Tub", "tub"}, {"8b.f", "8bf"}, {"a b", "a b"}, {"x|(y);", "xy"}};
    for (const auto& [typed, kept] : cases) {
        d.Show();
        d.Text1[0].Text = " Name ";
        d.Text1[1].Text = typed;
        d.Command1[0].user_click();
        EXPECT_EQ(d.Text1[1].Text.get(), kept) << typed;
        EXPECT_EQ(d.Text1[0].Text.get(), " Name ");
        EXPECT_FALSE(d.Visible.get());
    }
}

TEST_F(DialogTest, TheNameIsCheckedBeforeTheExtension) {
    host.answer_msgbox(ui::vbOK, "Please enter the Plugin Name!", ui::vbExclamation, "Vexolan");
    d.Command1[0].user_click();
    EXPECT_TRUE(d.Visible.get());
    EXPECT_TRUE(d.Text1[0].HasFocus());
    EXPECT_EQ(host.message_boxes().size(), 1u);

    d.Text1[0].Text = "Name";
    host.answer_msgbox(ui::vbOK, "Please enter the File Extension e.g. 8bf ", ui::vbExclamation);
    d.Command1[0].user_click();
    EXPECT_TRUE(d.Visible.get());
    EXPECT_TRUE(d.Text1[1].HasFocus());
}

TEST_F(DialogTest, AnExtensionThatCleansToNothingIsRefused) {
    d.Text1[0].Text = "Name";
    d.Text1[1].Text = "*.";
    host.answer_msgbox(ui::vbOK, "Please enter the File Extension e.g. 8bf ");
    d.Command1[0].user_click();
    EXPECT_TRUE(d.Visible.get());
    EXPECT_EQ(d.Text1[1].Text.get(), "*.");
}

TEST_F(DialogTest, CancelEmptiesBothBoxes) {
    d.Text1[0].user_type("Typed");
    d.Text1[1].Text = "abc";
    d.Command1[1].user_click();
    EXPECT_EQ(d.Text1[0].Text.get(), "");
    EXPECT_EQ(d.Text1[1].Text.get(), "");
    EXPECT_FALSE(d.Visible.get());
}

TEST_F(DialogTest, EnterActsAsOkAndEscAsCancel) {
    d.Text1[0].Text = "N";
    d.Text1[1].Text = "EXT";
    d.Text1[1].user_key(ui::vbKeyReturn);
    EXPECT_FALSE(d.Visible.get());
    EXPECT_EQ(d.Text1[1].Text.get(), "ext");
    d.Show();
    d.Text1[0].user_key(ui::vbKeyEscape);
    EXPECT_FALSE(d.Visible.get());
    EXPECT_EQ(d.Text1[0].Text.get(), "");
}

TEST_F(DialogTest, TwoDoubleClicksRestoreTheHeight) {
    int height = d.Height;
    d.user_dblclick();
    EXPECT_EQ(d.Height.get(), 336);
    d.user_dblclick();
    EXPECT_EQ(d.Height.get(), height);
    d.user_dblclick();
    EXPECT_EQ(d.Height.get(), 336);
}
