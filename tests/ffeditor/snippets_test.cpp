// The snippet file: its line rules, its loading into the editor (missing, empty, malformed and
// unreadable files), and the program's own "Snipets.db", each of whose snippets must compile and
// change a picture when the preview plug-in runs it.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/snippets.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/plugin_parameters.hpp"
#include "imaging/handles.hpp"
#include "imaging/plugin_run.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/pictures.hpp"

#include "platform/fs/files.hpp"
#include "platform/imgman/ff_program.hpp"
#include "platform/imgman/images.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

using namespace vexolan;

TEST(SnippetFile, LinesFollowTheCodeSemicolonSeparatorTitleRule) {
    struct Case {
        std::string bytes;
        std::vector<std::pair<std::string, std::string>> entries; // title, code
    } cases[] = {
        {"", {}},
        {"# only a comment\r\n\r\n", {}},
        {"# snippets\r\n\r\n255-c; Invert\r\ni; Grey\r\n", {{"Invert", "255-c"}, {"Grey", "i"}}},
        // Lines end at CR alone and at LF too; the last line needs no end.
        {"r; Red\rg; Green\nb; Blue", {{"Red", "r"}, {"Green", "g"}, {"Blue", "b"}}},
        // Only the first ";" separates; exactly one character after it is dropped.
        {"c;  Two; blanks", {{" Two; blanks", "c"}}},
        {"c;Xtight", {{"tight", "c"}}},
        {"c;", {{"", "c"}}},
        {"c; ", {{"", "c"}}},
        {"; no code", {{"no code", ""}}},
        // A line without ";" is all title and inserts nothing; the later entries keep their codes.
        {"forgot the semicolon\r\nr; Red\r\n", {{"forgot the semicolon", ""}, {"Red", "r"}}},
        // A "#" counts only as the first character.
        {" # not a comment; x\r\n", {{"x", " # not a comment"}}},
        // Windows-1252 text is shown as UTF-8.
        {"r; Caf\xE9 \x80\r\n", {{"Caf\xC3\xA9 \xE2\x82\xAC", "r"}}},
    };
    for (const Case& c : cases) {
        const std::vector<Snippet> got = ParseSnippets(c.bytes);
        ASSERT_EQ(got.size(), c.entries.size()) << c.bytes;
        for (std::size_t k = 0; k < got.size(); ++k) {
            EXPECT_EQ(got[k].Title, c.entries[k].first) << c.bytes;
            EXPECT_EQ(got[k].Code, c.entries[k].second) << c.bytes;
        }
    }
}

namespace {

struct SnippetLoading : test_support::AppTest {
    SnippetLoading() {
        EXPECT_TRUE(
            OpenImg(app, root.write("thumb.bmp", test_support::bmp_file(40, 30, 24)).string(), app.PreviewImage, true));
    }
    ~SnippetLoading() override {
        files::clear_faults();
        if (e.Loaded()) e.Unload();
        CloseImg(app, app.PreviewImage);
    }
    FFEditorType1& e = app.EditorForm();
};

} // namespace

TEST_F(SnippetLoading, EmptyAndMalformedFilesGiveWhatTheyHoldWithoutMessages) {
    struct Case {
        std::string bytes;
        std::vector<std::string> titles;
        std::vector<std::string> codes;
    } cases[] = {
        {"", {}, {}},
        {"\r\n\r\n", {}, {}},
        {"# comment\r\n\r\n255-c; Invert\r\nbroken line\r\nr; Red\r\n",
         {"Invert", "broken line", "Red"},
         {"255-c", "", "r"}},
    };
    for (const Case& c : cases) {
        root.write("appfolder/Snipets.db", c.bytes);
        e.Load();
        ASSERT_EQ(e.Combo1[1].ListCount(), static_cast<int>(c.titles.size()));
        for (std::size_t k = 0; k < c.titles.size(); ++k)
            EXPECT_EQ(e.Combo1[1].List(static_cast<int>(k)), c.titles[k]);
        EXPECT_EQ(e.SnippetCode, c.codes);
        e.Unload();
    }
    EXPECT_TRUE(host.message_boxes().empty());
    // No file at all: an empty list.
    std::filesystem::remove(appFolder / "Snipets.db");
    e.Load();
    EXPECT_EQ(e.Combo1[1].ListCount(), 0);
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(SnippetLoading, AnUnreadableFileIsReportedOnceAndTheWindowLoadsAnyway) {
    root.write("appfolder/Snipets.db", "r; Red\r\n");
    files::inject_fault(files::Op::Read, appFolder / "Snipets.db", EIO);
    host.answer_msgbox(ui::vbOK);
    e.Load();
    ASSERT_EQ(host.message_boxes().size(), 1u);
    EXPECT_NE(host.message_boxes()[0].Prompt.find("Vexo Error"), std::string::npos);
    EXPECT_EQ(e.Combo1[1].ListCount(), 0);
    EXPECT_TRUE(e.SnippetCode.empty());
    EXPECT_TRUE(e.Loaded());
    EXPECT_EQ(e.Combo2.Text.get(), "Photoshop Plug"); // the later steps of loading ran
}

// --- the program's own snippets -----------------------------------------------------------------------

namespace {

imgman::Image test_picture(int w, int h) {
    imgman::Image img;
    img.width = w;
    img.height = h;
    img.bpp = 24;
    img.rgba.resize(static_cast<std::size_t>(w * h * 4));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &img.rgba[static_cast<std::size_t>((y * w + x) * 4)];
            p[0] = static_cast<uint8_t>(x * 5 + y);
            p[1] = static_cast<uint8_t>(y * 6 + 20);
            p[2] = static_cast<uint8_t>((x * y) ^ 0x5A);
            p[3] = 255;
        }
    return img;
}

struct ShippedSnippets : test_support::AppTest {
    void SetUp() override { files::prepare_app_folder(VEXOLAN_APPFOLDER); }
    void TearDown() override {
        if (app.PluginImage) imgman::close_image(app.PluginImage);
        app.PluginImage = 0;
    }
};

} // namespace

TEST_F(ShippedSnippets, EverySnippetCompilesAndChangesThePictureInThePreviewPlugin) {
    const std::vector<Snippet> snippets = ParseSnippets(files::read_file_bytes(files::app_path("Snipets.db")));
    ASSERT_GE(snippets.size(), 20u);
    std::set<std::string> titles;
    const imgman::Image picture = test_picture(48, 36);
    ui::PictureBox box;
    box.Width = 48 * 15;
    box.Height = 36 * 15;
    for (const Snippet& s : snippets) {
        EXPECT_FALSE(s.Title.empty()) << s.Code;
        EXPECT_TRUE(titles.insert(s.Title).second) << "two snippets named " << s.Title;
        ASSERT_FALSE(s.Code.empty()) << s.Title;
        EXPECT_TRUE(imgman::ff::compiles(s.Code)) << s.Title << ": " << s.Code;
        // Every colour channel runs the snippet, as a user inserting it in each box would.
        app.FF.Record.CodeR = app.FF.Record.CodeG = app.FF.Record.CodeB = s.Code;
        app.FF.Record.CodeA = "a";
        app.FF.Record.CtlValue = {96, 200, 30, 160, 0, 0, 0, 0};
        app.FF.pFlag = true;
        files::copy_file(files::app_path("photo30.dll"), appFolder / "temp.dll");
        ASSERT_TRUE(ff::ToggleFFUI((appFolder / "temp.dll").string(), false));
        std::string dir = appFolder.string();
        ASSERT_EQ(ff::Write8bf(app.FF, dir, true, false, ff::CompileOptions{}), ff::CompileResult::Written) << s.Title;
        app.PluginImage = imgman::add_image(picture);
        std::string folder = appFolder.string();
        bool draw = false;
        int32_t hwnd = 0;
        std::string name = "temp.dll";
        ASSERT_TRUE(PluginInvoke(app, folder, name, box, draw, hwnd)) << s.Title;
        EXPECT_NE(imgman::image_of(app.PluginImage)->rgba, picture.rgba) << s.Title << " leaves the picture as it was";
        imgman::close_image(app.PluginImage);
        app.PluginImage = 0;
    }
    EXPECT_TRUE(host.message_boxes().empty());
}
