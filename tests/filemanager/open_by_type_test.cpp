// Opening a file by its type: which neighbour gets it, the desktop's association with "Open With"
// as its fallback, and the Properties box.

#include "filemanager/open_by_type.hpp"
#include "imaging/PicView.hpp"
#include "preferences/Form2.hpp"
#include "ffeditor/FFEditorType1.hpp"
#include "shell/Form1.hpp"
#include "tests/filemanager/file_view_fixture.hpp"
#include "tests/shell/fake_desktop.hpp"
#include "tests/support/editor_support.hpp"
#include "tests/support/fake_mime.hpp"
#include "tests/support/ff_synth.hpp"
#include "tests/support/pictures.hpp"

#include <algorithm>
#include <fstream>
#include <thread>

using namespace vexolan;
using test_support::FileViewTest;

namespace {

struct OpenTest : FileViewTest {
    test_support::FakeOpener opener;
    test_support::FakeMime mime{"application/pdf", "viewer.desktop"};

    OpenTest() {
        test_support::prepare_editor_folder(app);
        test_support::choose_skinned_editor(app);
    }
    ~OpenTest() override {
        if (app.EditorForm().Loaded()) app.EditorForm().Unload();
    }

    // Writes a file into the left folder and double-clicks it in the file box.
    void open(const std::string& name, const std::string& bytes = "x") {
        std::ofstream(left.path() / name, std::ios::binary) << bytes;
        open_folder(0, folder(left));
        f.File1[0].Refresh();
        for (int i = 0; i < f.File1[0].ListCount(); ++i)
            if (f.File1[0].List(i) == name) f.File1[0].ListIndex = i;
        File1_DblClick(app, 0);
    }
};

} // namespace

TEST_F(OpenTest, PicturesByTheirLastFourLettersOnly) {
    open("photo.JPG", test_support::jpeg_file(8, 6));
    EXPECT_EQ(app.picView().PicFileName, folder(left, "photo.JPG"));
    EXPECT_NE(app.PicImage, 0);
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
    app.picView().Unload();
    open("photo.jpeg");
    EXPECT_EQ(opener.targets(), std::vector<std::string>{folder(left, "photo.jpeg")});
}

TEST_F(OpenTest, DisabledFilterFactoryPluginGoesToTheEditorWithThePreviewTimerStopped) {
    f.Timer1.Interval = 100;
    f.Timer1.Enabled = true;
    open("filter._bf", ff_synth::MakePlugin(ff_synth::Layout::Pc57344, ff_synth::DistinctFields()));
    FFEditorType1& editor = app.EditorForm();
    EXPECT_TRUE(editor.Visible.get());
    EXPECT_EQ(editor.Label6[2].Caption.get(), "SynTitle");
    EXPECT_FALSE(f.Timer1.Enabled.get());
    EXPECT_TRUE(opener.targets().empty());
}

TEST_F(OpenTest, FilterFactorySourceGoesToTheEditorAndPlainTextToTheDesktop) {
    open("source.txt", "category: Mine\r\ntitle: Glow\r\nR: r\r\nG: g\r\nB: b\r\nA: a\r\n");
    EXPECT_TRUE(app.EditorForm().Visible.get());
    EXPECT_EQ(app.EditorForm().Label6[2].Caption.get(), "Glow");
    EXPECT_EQ(app.EditorForm().Label6[1].Caption.get(), "Mine");
    EXPECT_TRUE(opener.targets().empty());
    open("letter.txt", "Dear reader,\r\nnothing here is a filter.\r\n");
    EXPECT_EQ(opener.targets(), std::vector<std::string>{folder(left, "letter.txt")});
}

TEST_F(OpenTest, CheckedUserTypeMatchesEnabledAndDisabledSpellingsOnly) {
    Form2& prefs = app.form2();
    prefs.List1[3].Clear();
    prefs.List1[3].AddItem("Acrobat Plugin (api|2)");
    prefs.List1[3].Selected(0) = true;
    prefs.List1[3].AddItem("Other Plugin (oth|1)");
    prefs.GetPlugTypes();
    // Both spellings of the checked type open the plug-in information (which answers with a
    // message box of its own); the others go to the desktop.
    host.accept_unscripted_msgboxes = true;
    auto informations = [&] {
        return std::count_if(host.message_boxes().begin(), host.message_boxes().end(), [](const auto& m) {
            return m.Prompt.find("is an unknown file type") != std::string::npos || m.Title == "Plugin Information" ||
                   m.Prompt == "Please select a plugin or other supported file.";
        });
    };
    open("x.api");
    open("x_api");
    EXPECT_EQ(informations(), 2);
    open("xapi");
    open("y.oth");
    EXPECT_EQ(informations(), 2);
    EXPECT_EQ(opener.targets(), (std::vector<std::string>{folder(left, "xapi"), folder(left, "y.oth")}));
}

TEST_F(OpenTest, LibraryOpensTheConvertDialog) {
    std::ofstream(left.path() / "lib.ffl") << "FFL1.0";
    open_folder(0, folder(left));
    select_items(0, {"lib.ffl"});
    host.on_modal("Convert", [](ui::Window&) {});
    open("lib.ffl", "FFL1.0");
    EXPECT_EQ(host.modal_windows(), std::vector<std::string>{"Convert"});
}

TEST_F(OpenTest, NoAssociationAsksForAProgramThatGetsTheFileAsOneArgument) {
    mime.answer("application/x-thing", "");
    // The program named: a script that writes its arguments down.
    const auto script = left.path() / "record args";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s|' \"$@\" > '" << (left.path() / "args.log").string() << "'\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    host.answer_inputbox("'" + script.string() + "'");
    open("odd name é.thing");
    EXPECT_TRUE(opener.targets().empty());
    ASSERT_EQ(host.inputbox_prompts().size(), 1u);
    for (int i = 0; i < 200 && !std::filesystem::exists(left.path() / "args.log"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(test_support::read_file(left.path() / "args.log"), folder(left, "odd name é.thing") + "|");
}

TEST_F(OpenTest, CancelledOpenWithStartsNothing) {
    mime.answer("application/x-thing", "");
    host.answer_inputbox("");
    open("a.thing");
    EXPECT_TRUE(opener.targets().empty());
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(OpenTest, ProgramsOpenedWithAutoAddAreAppendedEachTime) {
    Form2& prefs = app.form2();
    prefs.Check10[2].Value = ui::vbChecked;
    const int before = prefs.List1[2].ListCount();
    open("tool.exe");
    open("tool.exe");
    ASSERT_EQ(prefs.List1[2].ListCount(), before + 2);
    EXPECT_EQ(prefs.List1[2].List(before), folder(left, "tool.exe"));
    EXPECT_EQ(prefs.List1[2].List(before + 1), folder(left, "tool.exe"));
}

TEST_F(OpenTest, PropertiesWithNothingSelectedShowsThePanesFolder) {
    open_folders();
    host.accept_unscripted_msgboxes = true;
    mnuFileInformation_Click(app);
    ASSERT_EQ(host.message_boxes().size(), 1u);
    EXPECT_EQ(host.last_msgbox().Title, left.path().filename().string() + " Properties");
    EXPECT_NE(host.last_msgbox().Prompt.find("Kind:\tFolder"), std::string::npos);
    EXPECT_NE(host.last_msgbox().Prompt.find("Owner:\t"), std::string::npos);
}

TEST_F(OpenTest, PropertiesOfTheSelectedFileTellItsSizeAndType) {
    std::ofstream(left.path() / "doc.pdf") << std::string(1500, 'x');
    open_folders();
    select_items(0, {"doc.pdf"});
    host.accept_unscripted_msgboxes = true;
    mnuFileInformation_Click(app);
    ASSERT_EQ(host.message_boxes().size(), 1u);
    const std::string& text = host.last_msgbox().Prompt;
    EXPECT_NE(text.find("Name:\tdoc.pdf"), std::string::npos);
    EXPECT_NE(text.find("Size:\t1,500 bytes"), std::string::npos);
    EXPECT_NE(text.find("Type:\tapplication/pdf"), std::string::npos);
}
