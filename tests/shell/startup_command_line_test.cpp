// A file named on the command line is selected in the left pane and opened.

#include "ffeditor/FFEditorType1.hpp"
#include "imaging/PicView.hpp"
#include "preferences/Form2.hpp"
#include "tests/shell/fake_desktop.hpp"
#include "tests/shell/startup_fixture.hpp"
#include "tests/support/fake_mime.hpp"
#include "tests/support/ff_synth.hpp"
#include "tests/support/pictures.hpp"

#include <fstream>

using namespace vexolan;
using test_support::StartupTest;

namespace {

struct CommandLineTest : StartupTest {
    std::string files_folder = make_folder("files").string();
    CommandLineTest() {
        std::ofstream(std::filesystem::path(files_folder) / "notes.txt") << "x";
        std::ofstream(std::filesystem::path(files_folder) / "filt.8bf", std::ios::binary)
            << ff_synth::MakePlugin(ff_synth::Layout::Pc57344, ff_synth::DistinctFields());
        std::ofstream(std::filesystem::path(files_folder) / "photo.jpg", std::ios::binary)
            << test_support::jpeg_file(8, 6);
        mark_not_first_run();
        save("Options", "Show Tips at Startup", "0");
    }
    std::string path(std::string_view name) const { return (std::filesystem::path(files_folder) / name).string(); }
    int selected_items(int pane) {
        int n = 0;
        auto& items = f.ListView1[pane].ListItems;
        for (int i = 1; i <= items.Count(); ++i)
            if (items(i).Selected) ++n;
        return n;
    }
    std::string selected_item_text(int pane) {
        auto& items = f.ListView1[pane].ListItems;
        for (int i = 1; i <= items.Count(); ++i)
            if (items(i).Selected) return items(i).Text;
        return {};
    }
};

} // namespace

TEST_F(CommandLineTest, PictureSelectedWithTheImageFilterAndOpened) {
    StartProgram(app, path("photo.jpg"));
    EXPECT_EQ(f.Dir1[0].Path.get(), ui::NormaliseFolder(files_folder, "/"));
    EXPECT_EQ(f.Combo1[0].ListIndex.get(), 2);
    EXPECT_EQ(selected_item_text(0), "photo.jpg");
    ASSERT_GE(f.File1[0].ListIndex.get(), 0);
    EXPECT_EQ(f.File1[0].List(f.File1[0].ListIndex), "photo.jpg");
    EXPECT_EQ(app.picView().PicFileName, path("photo.jpg"));
    EXPECT_TRUE(app.picView().Visible.get());
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
    app.picView().Unload();
}

TEST_F(CommandLineTest, PluginSelectedWithAllFilesAndOpened) {
    StartProgram(app, path("filt.8bf"));
    EXPECT_EQ(f.Combo1[0].ListIndex.get(), 0);
    EXPECT_EQ(selected_item_text(0), "filt.8bf");
    EXPECT_EQ(selected_items(0), 1);
    EXPECT_EQ(f.File1[0].List(f.File1[0].ListIndex), "filt.8bf");
    // Opened in the editor the interface setting chose, filled from the plug-in and previewed.
    ASSERT_GT(app.form2().Combo1.ListIndex.get(), 0);
    FFEditorType1& editor = app.EditorForm();
    EXPECT_TRUE(editor.Visible.get());
    EXPECT_EQ(editor.Label6[2].Caption.get(), "SynTitle");
    EXPECT_EQ(editor.Label6[0].Caption.get(), "filt.8bf");
    EXPECT_TRUE(f.Toolbar1.Buttons(1).Enabled.get());
    EXPECT_EQ(editor.Caption.get(), "Filter Factory Editor");
    EXPECT_FALSE(editor.Picture1.Image().empty());
    editor.Unload();
}

TEST_F(CommandLineTest, NameComparedWithoutRegardToCase) {
    std::ofstream(std::filesystem::path(files_folder) / "Upper.PNG") << "x";
    test_support::FakeOpener opener;
    test_support::FakeMime mime("image/png", "viewer.desktop");
    StartProgram(app, path("upper.png"));
    EXPECT_EQ(f.Combo1[0].ListIndex.get(), 2);
    EXPECT_EQ(selected_item_text(0), "Upper.PNG");
    EXPECT_EQ(opener.targets(), std::vector<std::string>{path("Upper.PNG")});
}

TEST_F(CommandLineTest, MissingFileOpensNothingAndSaysNothing) {
    StartProgram(app, path("gone.jpg"));
    EXPECT_EQ(f.Dir1[0].Path.get(), ui::NormaliseFolder(files_folder, "/"));
    EXPECT_EQ(selected_items(0), 0);
    EXPECT_FALSE(app.picView().Loaded());
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST(CommandLineFile, ArgumentsJoinedUnquotedAndMadeAbsolute) {
    const char* none[] = {"vexolan"};
    EXPECT_EQ(CommandLineFile(1, none), "");
    const char* spaced[] = {"vexolan", "/tmp/my", "filter.8bf"};
    EXPECT_EQ(CommandLineFile(3, spaced), "/tmp/my filter.8bf");
    const char* quoted[] = {"vexolan", "\"/tmp/a b.afs\""};
    EXPECT_EQ(CommandLineFile(2, quoted), "/tmp/a b.afs");
    const char* relative[] = {"vexolan", "x.prm"};
    EXPECT_EQ(CommandLineFile(2, relative), files::absolute_path("x.prm"));
    EXPECT_EQ(CommandLineFile(2, relative).front(), '/');
}
