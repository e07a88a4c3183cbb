// The open/save and font dialogs behind plain strings: filter pairs, modes, the split of the chosen
// path into folder and name, and the font's size and style letters on the way in and out.
#include "shell/dialogs.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest.h>

using vexolan::ShowFileDialog;
using vexolan::ShowFontDialog;
using vexolan::ShowOpenDialog;

namespace {

struct DialogTest : ::testing::Test {
    test_support::ScriptedHost host;
    ui::Window owner{host, "Form2"};
};

} // namespace

TEST_F(DialogTest, OpenDialogReturnsTheNameAndPutsTheFolderWithItsSeparatorIntoFolder) {
    host.answer_file_dialog("/plugins/a.8bf");
    std::string folder = "/home/user/";
    std::string name = ShowOpenDialog(owner, "Choose a template", folder, "",
                                      "PC FF Plugin (*.8bf)|*.8bf|Mac FF Plugin (*.bin)|*.bin|All Files (*.*)|*.*", "");
    EXPECT_EQ(name, "a.8bf");
    EXPECT_EQ(folder, "/plugins/");

    ASSERT_EQ(host.file_dialogs().size(), 1u);
    const ui::FileDialogRequest& r = host.file_dialogs()[0];
    EXPECT_EQ(r.DialogMode, ui::FileDialogRequest::Open);
    EXPECT_EQ(r.Title, "Choose a template");
    EXPECT_EQ(r.InitialFolder, "/home/user/");
    ASSERT_EQ(r.Filters.size(), 3u);
    EXPECT_EQ(r.Filters[0].Description, "PC FF Plugin (*.8bf)");
    EXPECT_EQ(r.Filters[0].Pattern, "*.8bf");
    EXPECT_EQ(r.Filters[2].Pattern, "*.*");
}

TEST_F(DialogTest, AFileInTheRootComesBackWithTheRootAsFolder) {
    host.answer_file_dialog("/a.prm");
    std::string folder;
    EXPECT_EQ(ShowOpenDialog(owner, "", folder, "", "Premiere Plugins (*.prm)|*.prm", ""), "a.prm");
    EXPECT_EQ(folder, "/");
    ASSERT_EQ(host.file_dialogs()[0].Filters.size(), 1u);
}

TEST_F(DialogTest, CancelReturnsNothingAndLeavesTheFolder) {
    host.answer_file_dialog("");
    std::string folder = "/start/";
    EXPECT_EQ(ShowOpenDialog(owner, "", folder, "", "All Files (*.*)|*.*", ""), "");
    EXPECT_EQ(folder, "/start/");
}

TEST_F(DialogTest, PathsLongerThanAnOldNameBufferComeBackWhole) {
    std::string deep = "/" + std::string(150, 'd') + "/" + std::string(120, 'e') + "/";
    std::string name = std::string(100, 'n') + ".8bf";
    host.answer_file_dialog(deep + name);
    std::string folder;
    EXPECT_EQ(ShowOpenDialog(owner, "", folder, "", "All Files (*.*)|*.*", ""), name);
    EXPECT_EQ(folder, deep);
}

TEST_F(DialogTest, SaveModesAskForTheSaveDialogWithOrWithoutTheOverwritePrompt) {
    host.answer_file_dialog("/out/fl-fact.prm");
    host.answer_file_dialog("/out/b.prm");
    host.answer_file_dialog("/out/c.prm");
    std::string folder;
    int mode = 1;
    EXPECT_EQ(ShowFileDialog(owner, "Save", folder, "fl-fact.prm", "Premiere (*.prm)|*.prm", "prm", mode),
              "fl-fact.prm");
    mode = 2;
    ShowFileDialog(owner, "Save", folder, "", "Premiere (*.prm)|*.prm", "prm", mode);
    mode = 7; // any other mode: the save dialog with no prompt
    ShowFileDialog(owner, "Save", folder, "", "Premiere (*.prm)|*.prm", "prm", mode);
    ASSERT_EQ(host.file_dialogs().size(), 3u);
    EXPECT_EQ(host.file_dialogs()[0].DialogMode, ui::FileDialogRequest::SaveWithPrompt);
    EXPECT_EQ(host.file_dialogs()[0].ProposedName, "fl-fact.prm");
    EXPECT_EQ(host.file_dialogs()[0].DefaultExtension, "prm");
    EXPECT_EQ(host.file_dialogs()[1].DialogMode, ui::FileDialogRequest::SaveNoPrompt);
    EXPECT_EQ(host.file_dialogs()[2].DialogMode, ui::FileDialogRequest::SaveNoPrompt);
}

TEST(FontRequest, SizeBecomesANegativePixelHeightAndWeightIsLightUnlessBold) {
    vexolan::LogicalFont f = vexolan::MakeLogicalFont("Arial", 9, "", 96);
    EXPECT_EQ(f.Height, -12);
    EXPECT_EQ(f.Weight, 300);
    EXPECT_EQ(vexolan::PointSizeOf(f, 96), 9);
    EXPECT_EQ(vexolan::StyleLettersOf(f), "");

    vexolan::LogicalFont g = vexolan::MakeLogicalFont(std::string(40, 'F'), 10, "ubi", 120);
    EXPECT_EQ(g.FaceName.size(), 31u);
    EXPECT_EQ(g.Height, -17); // 16.67
    EXPECT_EQ(g.Weight, 700);
    EXPECT_EQ(vexolan::StyleLettersOf(g), "biu");
    g.Weight = 400;
    g.StrikeOut = true;
    EXPECT_EQ(vexolan::StyleLettersOf(g), "isu");
}

TEST_F(DialogTest, FontDialogWritesTheChoiceBackWithTheStyleLettersInOrder) {
    ui::FontChoice chosen;
    chosen.Name = "Courier New";
    chosen.Size = 12;
    chosen.Bold = true;
    chosen.Italic = true;
    chosen.Underline = true;
    host.answer_font_dialog(chosen);
    std::string name = "Arial", style = "s";
    short size = 9;
    EXPECT_TRUE(ShowFontDialog(owner, name, size, style, 257));
    EXPECT_EQ(name, "Courier New");
    EXPECT_EQ(size, 12);
    EXPECT_EQ(style, "biu");
}

TEST_F(DialogTest, CancelledFontDialogChangesNothing) {
    host.answer_font_dialog(std::nullopt);
    std::string name = "Arial", style = "bi";
    short size = 9;
    EXPECT_FALSE(ShowFontDialog(owner, name, size, style, 257));
    EXPECT_EQ(name, "Arial");
    EXPECT_EQ(size, 9);
    EXPECT_EQ(style, "bi");
}
