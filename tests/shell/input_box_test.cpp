// The input box: OK hides it with DialogOK set, Cancel unloads it with DialogOK cleared, Enter and
// a chosen list entry confirm, and an empty entry passes through for the caller to check.
#include "shell/App.hpp"
#include "shell/Form3.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

struct InputBoxTest : test_support::AppTest {
    Form3& box = app.form3();
    // The caller's protocol: prompt and proposal, then the modal show.
    void ask(std::string prompt, std::string proposal) {
        box.Label1.Caption = std::move(prompt);
        box.Text1.Text = std::move(proposal);
        box.ShowModal();
    }
};

} // namespace

TEST_F(InputBoxTest, OkHidesTheBoxAndLeavesTheEntryReadable) {
    host.on_modal("Form3", [this](ui::Window&) {
        box.Text1.user_focus();
        box.Text1.user_type("Plugins");
        box.Command2.user_click();
    });
    ask("Enter name for new folder", "New");
    EXPECT_TRUE(app.DialogOK);
    EXPECT_TRUE(box.Loaded());
    EXPECT_FALSE(box.Visible);
    // The proposal was selected on focus, so typing replaced it.
    EXPECT_EQ(box.Text1.Text, "Plugins");
    EXPECT_EQ(box.Label1.Caption, "Enter name for new folder");
}

TEST_F(InputBoxTest, CancelUnloadsAndClearsAnEarlierOk) {
    host.on_modal("Form3", [this](ui::Window&) { box.Command2.user_click(); });
    ask("Rename File", "a.8bf");
    ASSERT_TRUE(app.DialogOK);
    host.on_modal("Form3", [this](ui::Window&) { box.Command1.user_click(); });
    ask("Rename File", "b.8bf");
    EXPECT_FALSE(app.DialogOK);
    EXPECT_FALSE(box.Loaded());
}

TEST_F(InputBoxTest, AnEmptyEntryIsReturnedAsItIs) {
    host.on_modal("Form3", [this](ui::Window&) {
        box.Text1.Text = "";
        box.Command2.user_click();
    });
    ask("Enter name for zip file", "New.zip");
    EXPECT_TRUE(app.DialogOK);
    EXPECT_EQ(box.Text1.Text, "");
}

TEST_F(InputBoxTest, EnterInTheEntryFieldConfirms) {
    host.on_modal("Form3", [this](ui::Window&) { box.Text1.user_key(ui::vbKeyReturn); });
    ask("Rename folder", "Old");
    EXPECT_TRUE(app.DialogOK);
    EXPECT_FALSE(box.Visible);
    EXPECT_EQ(box.Text1.Text, "Old");
}

TEST_F(InputBoxTest, GettingTheFocusSelectsTheWholeEntry) {
    box.Text1.Text = "Neue Ordner \xC3\xA4";
    box.Show();
    box.Text1.user_focus();
    EXPECT_EQ(box.Text1.SelStart, 0);
    EXPECT_EQ(box.Text1.SelLength, 13); // characters, not bytes
}

TEST_F(InputBoxTest, ChoosingAnEntryOfTheChoiceListConfirmsAtOnce) {
    box.Combo1.Clear();
    box.Combo1.AddItem("Blur");
    box.Combo1.AddItem("Distort");
    box.Combo1.Visible = true;
    host.on_modal("Form3", [this](ui::Window&) {
        box.Paint(); // the paint gives the choice list the focus
        EXPECT_TRUE(box.Combo1.HasFocus());
        box.Combo1.user_select(1);
    });
    ask("Choose or enter a new category", "");
    EXPECT_TRUE(app.DialogOK);
    EXPECT_EQ(box.Combo1.Text, "Distort");
    box.Combo1.Visible = false;
}

TEST_F(InputBoxTest, EnterInTheChoiceListConfirmsTheTypedCategory) {
    box.Combo1.Visible = true;
    host.on_modal("Form3", [this](ui::Window&) {
        box.Combo1.user_focus();
        box.Combo1.user_type("Noise");
        box.Combo1.user_key(ui::vbKeyReturn);
    });
    ask("Choose or enter a new category", "");
    EXPECT_TRUE(app.DialogOK);
    EXPECT_EQ(box.Combo1.Text, "Noise");
}
