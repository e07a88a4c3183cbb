// The filter author's road through the editor: a formula that does not compile is told naming its
// box, without taking the focus from the code (the screen tests see it drawn in the preview), loading
// a filter never hides its green or blue code behind the single box, a window loaded again starts with
// no template or snippet chosen, and every function template filled in compiles.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/preview.hpp"
#include "ffeditor/snippets.hpp"
#include "ffeditor/transfer.hpp"
#include "imaging/handles.hpp"
#include "platform/imgman/ff_program.hpp"
#include "platform/imgman/images.hpp"
#include "platform/imgman/plugin_host.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/editor_support.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

struct AuthorRoad : test_support::AppTest {
    Form1& f = app.form1();
    FFEditorType1& e = app.EditorForm();
    std::string previewPicture = root.write("preview.bmp", test_support::bmp_file(80, 60, 24)).string();
    AuthorRoad() {
        host.set_twips_per_pixel(15);
        test_support::prepare_editor_folder(app);
        test_support::choose_skinned_editor(app);
        app.Settings.SaveSetting("Vexo10", "Settings", "PreviewPic", previewPicture);
        e.Load();
        imgman::reset_plugin_host_log();
    }
    ~AuthorRoad() override {
        app.host.registry().UnloadAll();
        CloseImg(app, app.PreviewImage);
        CloseImg(app, app.PluginImage);
    }
    // Types `text` into the open red box and lets the typing pause end.
    void type_and_pause(const std::string& text) {
        e.Text5[1].Text = text;
        int key = 'x';
        e.Text5_KeyPress(1, key);
        e.Timer1_Timer();
    }
};

} // namespace

TEST_F(AuthorRoad, AFormulaThatDoesNotCompileIsNamedByItsBoxWithoutTakingTheFocus) {
    e.Label2_Click(1);
    ASSERT_EQ(e.ActiveControl(), &e.Text5[1]);
    struct Case {
        std::string red;
        std::string caption;
    } cases[] = {
        {"((x^y)*ctl(0)/64)&255", "Filter Factory Editor"},
        {"((x^y)*ctl(0)/64&255", "Filter Factory Editor - The R formula does not compile: \")\" is missing at the end"},
        {"sn(x)+r", "Filter Factory Editor - The R formula does not compile: unknown function \"sn\""},
        {"src(x,y)", "Filter Factory Editor - The R formula does not compile: \"src\" takes 3 values"},
        {"r+)", "Filter Factory Editor - The R formula does not compile: a value is expected before \")\""},
        {"255-r", "Filter Factory Editor"},
    };
    for (const Case& c : cases) {
        type_and_pause(c.red);
        EXPECT_EQ(e.Caption.get(), c.caption) << c.red;
        const bool compiles = c.caption == "Filter Factory Editor";
        EXPECT_EQ(e.Picture1.ToolTipText.get(), compiles
                                                    ? std::string("Click me to update preview!")
                                                    : c.caption.substr(std::string("Filter Factory Editor - ").size()))
            << c.red;
        EXPECT_EQ(e.ActiveControl(), &e.Text5[1]) << c.red;
    }
    EXPECT_TRUE(host.message_boxes().empty());
    // Each pause ran the plug-in once, and the last picture is the compiled formula's.
    EXPECT_EQ(test_support::plugin_runs(), 6);

    // A green formula at fault is named as such.
    e.Text5[2].Text = "g+";
    type_and_pause("r");
    EXPECT_EQ(e.Caption.get(), "Filter Factory Editor - The G formula does not compile: the formula ends where a "
                               "value is expected");
    // A window loaded again says nothing of the last problem.
    e.Unload();
    e.Load();
    EXPECT_EQ(e.Caption.get(), "Filter Factory Editor");
}

TEST_F(AuthorRoad, LoadingAFilterWithOtherGreenOrBlueCodeLeavesTheSingleBox) {
    struct Case {
        std::string g, b;
        bool threeBoxes;
    } cases[] = {{"r", "r", false}, {"g", "r", true}, {"r", "b/2", true}};
    for (const Case& c : cases) {
        e.Command10.Caption = "1";
        e.Command10_Click(); // one box
        ASSERT_EQ(e.Command10.Caption.get(), "3");
        ff::FilterRecord& r = app.FF.Record;
        ff::IniVars(r);
        r.CodeR = "r";
        r.CodeG = c.g;
        r.CodeB = c.b;
        r.CodeA = "a";
        FilterToEditor(app);
        EXPECT_EQ(e.Command10.Caption.get(), c.threeBoxes ? "1" : "3") << c.g << " " << c.b;
        EXPECT_EQ(e.Label2[2].Visible.get(), c.threeBoxes);
        // Whatever the mode, the record taken back holds the filter as loaded.
        EditorToFilter(app);
        EXPECT_EQ(r.CodeG, c.g);
        EXPECT_EQ(r.CodeB, c.b);
    }
}

TEST_F(AuthorRoad, AWindowLoadedAgainHasNoTemplateOrSnippetChosen) {
    e.Label2_Click(1);
    e.Combo1[0].ListIndex = 3;
    if (e.Combo1[1].ListCount() > 0) e.Combo1[1].ListIndex = 0;
    ASSERT_FALSE(e.Combo1[0].Text.get().empty());
    e.Command16_Click();
    e.Load();
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(e.Combo1[static_cast<std::size_t>(k)].ListIndex.get(), -1) << k;
        EXPECT_EQ(e.Combo1[static_cast<std::size_t>(k)].Text.get(), "") << k;
    }
}

TEST(FunctionTemplates, EachFilledInCompiles) {
    for (std::string_view item : FunctionTemplates) {
        // A "1" in every slot: after "(" or "," where the next letter closes the slot.
        std::string filled;
        for (std::size_t i = 0; i < item.size(); ++i) {
            filled += item[i];
            if ((item[i] == '(' || item[i] == ',') && i + 1 < item.size() && (item[i + 1] == ',' || item[i + 1] == ')'))
                filled += '1';
        }
        EXPECT_TRUE(imgman::ff::compiles(filled)) << filled;
    }
}
