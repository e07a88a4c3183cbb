#include "preferences/Form2.hpp"
#include "tests/support/app_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {
struct AppWiring : test_support::AppTest {};
} // namespace

TEST_F(AppWiring, CompileOptionsAreReadFromThePreferencesAtEachCompile) {
    EXPECT_EQ(app.FFCompileOptions().TemplateChoice, ff::CompileOptions::FF30);
    Form2& p = app.form2();
    p.Option4[1].Value = true;
    p.Check6.Value = ui::vbChecked;
    p.Check13[0].Value = ui::vbChecked;
    p.Combo2[0].Text = "/templates/mine.8bf";
    const ff::CompileOptions o = app.FFCompileOptions();
    EXPECT_EQ(o.TemplateChoice, ff::CompileOptions::FF304);
    EXPECT_TRUE(o.DemoPlugin);
    EXPECT_TRUE(o.Encrypted);
    EXPECT_FALSE(o.EditorPlugin);
    EXPECT_EQ(o.UserTemplate, "/templates/mine.8bf");
}
