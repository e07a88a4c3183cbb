#include "preferences/Form2.hpp"
#include "tests/shell/main_window_fixture.hpp"
#include "tests/support/pe_synth.hpp"

#include <fstream>

using namespace vexolan;

namespace {

struct PluginViewTest : test_support::MainWindowTest {
    PluginViewTest() { open_folder(0, folder()); }
    void put(const std::string& name, const std::string& bytes) {
        std::ofstream(data.path() / name, std::ios::binary) << bytes;
    }
    std::string plugin(const std::string& name, const std::string& category) {
        pe_synth::Options o;
        o.Resources.push_back(pe_synth::Pipl({{name, category}}));
        return pe_synth::Make(o).Bytes;
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> out;
        for (int i = 0; i < f.List3[0].ListCount(); ++i)
            out.push_back(f.List3[0].List(i));
        return out;
    }
    void choose(const std::string& category) {
        for (int j = 0; j < f.List2[0].ListCount(); ++j)
            if (f.List2[0].List(j) == category) f.List2[0].user_select(j);
    }
};

} // namespace

TEST_F(PluginViewTest, TheTabListsCategoriesAndMarkedEntriesWithTheirRows) {
    app.form2().Check8.Value = ui::vbChecked;
    put("Twirl.8bf", plugin("Twirl", "Distort"));
    put("wave._bf", plugin("Wave", "Distort"));
    put("blur.8bf", plugin("Smear", "Blur"));
    put("ripple.txt", "%RGB-1.0\r\nR: r\r\nG: g\r\nB: b\r\nA: a\r\nTitle: Ripple\r\nCategory: Distort\r\n");
    f.SSTab1[0].user_select_tab(2);
    ASSERT_EQ(app.PaneMode[0], 2);
    ASSERT_EQ(f.List2[0].ListCount(), 2);
    choose("Distort");
    auto got = entries();
    ASSERT_GE(got.size(), 2u);
    EXPECT_EQ(got[0], "+ Twirl");
    EXPECT_EQ(got[1], "- Wave");
    for (int i = 0; i < f.List3[0].ListCount(); ++i) {
        int row = f.List3[0].GetItemData(i);
        EXPECT_EQ(f.List3[0].List(i).substr(f.List3[0].List(i).find(app.PluginCatalog[0].Title[row])),
                  app.PluginCatalog[0].Title[row]);
    }

    // The information line: the file and its size.
    f.List3[0].user_select(0);
    EXPECT_EQ(f.Label5[0].Caption.get().substr(f.Label5[0].Caption.get().size() - 6), " (1 K)");
    f.Label5[0].Width = 30;
    f.List3[0].user_select(1);
    EXPECT_EQ(f.Label5[0].Caption.get(), " ../wave._bf (1 K)");

    // Backspace goes to the previous category.
    f.List2[0].ListIndex = 1;
    f.List3_KeyDown(0, ui::vbKeyBack, 0);
    EXPECT_EQ(f.List2[0].ListIndex.get(), 0);
    f.List3_KeyDown(0, ui::vbKeyBack, 0);
    EXPECT_EQ(f.List2[0].ListIndex.get(), 0);
}

TEST_F(PluginViewTest, PhotoshopModeListsBuiltInsThenEnabledFilters) {
    put("smear.8bf", plugin("Smear", "Blur"));
    put("old._bf", plugin("Old", "Blur"));
    put("video.prm", plugin("Clip", "Blur"));
    f.SSTab1[0].user_select_tab(2);
    EXPECT_EQ(entries(), (std::vector<std::string>{"- Old", "+ Smear", "+ Clip"}));
    f.Check1[0].Value = 1;
    f.List2_Click(0);
    EXPECT_EQ(entries(),
              (std::vector<std::string>{"Blur", "Blur More", "Gaussian Blur...", "Motion Blur...", "+ Smear"}));
    f.List3[0].user_select(0);
    EXPECT_EQ(f.Label5[0].Caption.get(), ">>> This filter is built into Photoshop.exe");
}
