#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::AppTest;

TEST_F(AppTest, FirstRunWithAnEmptyStoreGivesTheDefaults) {
    Form2& f = app.form2();
    f.Command8_Click();
    EXPECT_TRUE(f.Option4[0].Value.get());
    EXPECT_EQ(app.InterfaceFile, "Interfc4.des");
    for (auto* box : {&f.Check2, &f.Check19, &f.Check4, &f.Check16, &f.Check1, &f.Check17})
        EXPECT_EQ(box->Value.get(), 0) << box->Name();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(f.Check13[i].Value.get(), 0);
        EXPECT_EQ(f.Check5[i].Value.get(), 0);
        EXPECT_EQ(f.Check10[i].Value.get(), 0);
    }
    ASSERT_EQ(f.List1[3].ListCount(), 41);
    EXPECT_EQ(f.List1[3].List(0), "Acrobat Plugin (api|2)");
    EXPECT_EQ(f.List1[3].List(40), "PhotoBrush Plugin (xtr|3)");
    for (int i = 0; i < 41; ++i)
        EXPECT_TRUE(f.List1[3].IsSelected(i)) << i;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(f.List1[i].ListCount(), 0);
    EXPECT_EQ(f.Text1.Text.get(), "20");
    EXPECT_FALSE(f.Visible.get());
    EXPECT_EQ(app.PlugTypeMask.size(), 252u);
}
