// The editor's road from a formula to a plug-in: opening a filter in the editor, the live preview
// with its alpha rules (seen on the plug-in host's run log and on the preview's pixels), the large
// preview, a new preview picture, saving in every format, resetting, and the Project menu's filter
// text, paste and print.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/commands.hpp"
#include "ffeditor/preview.hpp"
#include "ffeditor/project_menu.hpp"
#include "ffeditor/saving.hpp"
#include "ffeditor/transfer.hpp"
#include "filemanager/OverwriteCheck.hpp"
#include "filemanager/SelectFolder.hpp"
#include "filemanager/open_by_type.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/library.hpp"
#include "imaging/PicView.hpp"
#include "imaging/handles.hpp"
#include "platform/fs/files.hpp"
#include "platform/imgman/images.hpp"
#include "platform/imgman/plugin_dialog.hpp"
#include "platform/imgman/plugin_host.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/editor_support.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

using namespace vexolan;

namespace {

using Formulas = std::vector<std::string>;

struct EditorFlowTest : test_support::AppTest {
    const int handlesBefore = imgman::live_handle_count();
    Form1& f = app.form1();
    FFEditorType1& e = app.EditorForm();
    std::filesystem::path work = make_folder("work");
    std::string previewPicture = root.write("preview.bmp", test_support::bmp_file(160, 120, 24)).string();

    EditorFlowTest() {
        host.set_twips_per_pixel(15);
        test_support::prepare_editor_folder(app);
        test_support::choose_skinned_editor(app);
        app.Settings.SaveSetting("Vexo10", "Settings", "PreviewPic", previewPicture);
        f.Dir1[0].Path = work.string();
        f.File1[0].Path = work.string();
        app.form2().Check4.Value = ui::vbChecked; // the folder dialog suppressed: the active pane's folder
        e.Load();
        imgman::reset_plugin_host_log();
    }
    ~EditorFlowTest() override {
        files::clear_faults();
        app.host.registry().UnloadAll();
        CloseImg(app, app.PreviewImage);
        CloseImg(app, app.PluginImage);
        EXPECT_EQ(imgman::live_handle_count(), handlesBefore);
    }

    // A filter typed into the window's code boxes.
    void code(const std::string& a, const std::string& r, const std::string& g, const std::string& b) {
        e.Text5[0].Text = a;
        e.Text5[1].Text = r;
        e.Text5[2].Text = g;
        e.Text5[3].Text = b;
    }
    // The formulas of each plug-in run since the log was reset.
    static std::vector<Formulas> runs() {
        std::vector<Formulas> out;
        for (const auto& run : imgman::plugin_host_log().Invokes)
            out.push_back(run.Formulas);
        return out;
    }
    bool alpha_marker_shown() const {
        for (const auto& t : e.Picture1.Texts())
            if (t.Text == "Alpha") return true;
        return false;
    }
    // The thumbnail scaled as the preview scales it, with `change` applied to each pixel.
    template <typename Change> void expect_preview(Change change) {
        imgman::ImageInfo info;
        std::int32_t flags = 0;
        ASSERT_EQ(imgman::ImgGetInfoStruct(app.PreviewImage, info, flags), 1);
        const int w = e.Picture1.Width / 15, h = e.Picture1.Height / 15;
        const int copy = imgman::ImgCopy(app.PreviewImage, w, h, {0, 0, info.Width - 1, info.Height - 1});
        const imgman::Image& expected = *imgman::image_of(copy);
        const ui::Bitmap& shown = e.Picture1.Image();
        ASSERT_FALSE(shown.empty());
        int wrong = 0;
        for (int y = 0; y < shown.Height; ++y)
            for (int x = 0; x < shown.Width; ++x) {
                const std::uint8_t* p = &expected.rgba[(static_cast<std::size_t>(y) * expected.width + x) * 4];
                std::array<int, 3> want{p[0], p[1], p[2]};
                change(want);
                const std::uint8_t* s = shown.row(y) + x * 4;
                if (s[0] != want[0] || s[1] != want[1] || s[2] != want[2]) ++wrong;
            }
        imgman::ImgClose(copy);
        EXPECT_EQ(wrong, 0) << "pixels that differ from the expected preview";
    }
    std::string work_file(std::string_view name) const { return (work / name).string(); }
};

} // namespace

// --- opening and the live preview -----------------------------------------------------------------

TEST_F(EditorFlowTest, ATextSourceOpensInTheEditorAndItsPreviewInvertsRedOnly) {
    e.Show();
    e.WindowState = ui::vbMinimized;
    root.write("work/invert.txt", "Category: Tests\r\nTitle: Invert Red\r\nR:255-r\r\nG:g\r\nB:b\r\nA:a\r\n");
    f.File1[0].Refresh();
    for (int i = 0; i < f.File1[0].ListCount(); ++i)
        if (f.File1[0].List(i) == "invert.txt") f.File1[0].ListIndex = i;
    File1_DblClick(app, 0);

    EXPECT_TRUE(e.Visible.get());
    EXPECT_EQ(e.WindowState.get(), ui::vbNormal);
    EXPECT_TRUE(f.Toolbar1.Buttons(1).Enabled.get());
    EXPECT_EQ(e.Label6[2].Caption.get(), "Invert Red");
    EXPECT_EQ(e.Text5[1].Text.get(), "255-r");
    EXPECT_EQ(e.Caption.get(), "Filter Factory Editor");
    EXPECT_EQ(runs(), (std::vector<Formulas>{{"255-r", "g", "b"}}));
    expect_preview([](std::array<int, 3>& p) { p[0] = 255 - p[0]; });
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

TEST_F(EditorFlowTest, TheAlphaRulesDecideTheRunsAndTheMarker) {
    struct Case {
        bool alphaDisplay;
        std::array<std::string, 4> code; // A, R, G, B as typed
        std::vector<Formulas> runs;
        bool marker;
        std::string caption = "Filter Factory Editor";
    } cases[] = {
        // Empty boxes get their defaults and one normal run.
        {false, {"", "", "", ""}, {{"r", "g", "b"}}, false},
        {false, {"255-a", "r", "g", "b"}, {{"255-i", "255-i", "255-i"}}, true},
        {false, {"a", "255-r", "g", "b"}, {{"255-r", "g", "b"}}, false},
        {true, {"a", "255-r", "g", "b"}, {{"255-r", "g", "b"}}, false},
        {true, {"255-a", "r", "g", "b"}, {{"255-i", "255-i", "255-i"}}, true},
        // The colour code stores what the alpha code gets back: only blue shows the alpha.
        {true, {"get(0)", "put(r,0)", "g", "b"}, {{"put(r,0)", "g", "b"}, {"put(r,0)", "g", "get(0)"}}, true},
        // "get" is looked for in small letters only.
        // (and the language knows no "GET": the reason names the alpha box, and replaces the marker)
        {true,
         {"GET(0)", "put(r,0)", "g", "b"},
         {{"put(r,0)", "g", "b"}, {"GET(0)", "GET(0)", "GET(0)"}},
         false,
         "Filter Factory Editor - The alpha formula does not compile: unknown function \"GET\""},
        // Only a and not abs or max become i.
        {true,
         {"abs(a-128)+max(a,0)", "r*2", "g", "b"},
         {{"r*2", "g", "b"}, {"abs(i-128)+max(i,0)", "abs(i-128)+max(i,0)", "abs(i-128)+max(i,0)"}},
         true},
    };
    for (const Case& c : cases) {
        f.mnuAlphaChannel.Checked = c.alphaDisplay;
        code(c.code[0], c.code[1], c.code[2], c.code[3]);
        imgman::reset_plugin_host_log();
        RefreshPreview(app);
        EXPECT_EQ(runs(), c.runs) << c.code[0] << " / " << c.code[1];
        EXPECT_EQ(alpha_marker_shown(), c.marker) << c.code[0] << " / " << c.code[1];
        EXPECT_EQ(e.Caption.get(), c.caption);
    }
    EXPECT_EQ(e.Text5[0].Text.get(), "abs(a-128)+max(a,0)"); // the window keeps what was typed

    // The marker: red Arial 8 bold, 80 twips inside the corner, measured in the box's own font.
    code("255-a", "r", "g", "b");
    e.Picture1.Font.Name = "MS Sans Serif";
    e.Picture1.Font.Size = 10;
    const int textWidth = e.Picture1.TextWidth("Alpha"), textHeight = e.Picture1.TextHeight("Alpha");
    RefreshPreview(app);
    ASSERT_EQ(e.Picture1.Texts().size(), 1u);
    const ui::PrintedText& marker = e.Picture1.Texts()[0];
    EXPECT_EQ(marker.X, e.Picture1.Width - textWidth - 80);
    EXPECT_EQ(marker.Y, e.Picture1.Height - textHeight - 80);
    EXPECT_EQ(marker.ForeColor, 255u);
    EXPECT_EQ(marker.Font.Name, "Arial");
    EXPECT_EQ(marker.Font.Size, 8);
    EXPECT_TRUE(marker.Font.Bold);
}

TEST_F(EditorFlowTest, SingleBoxModeRunsAndSavesTheRedCodeForAllThree) {
    e.Command10.Caption = "3";
    e.Label6[0].Caption = "Single";
    code("a", "255-r", "0", "b/2");
    RefreshPreview(app);
    EXPECT_EQ(runs(), (std::vector<Formulas>{{"255-r", "255-r", "255-r"}}));
    EXPECT_EQ(e.Text5[2].Text.get(), "0");
    // What the preview showed is what every format writes.
    for (int format : {4, 0}) {
        SaveFilterAs(app, format);
        ff::FFContext back;
        ASSERT_TRUE(ff::LoadIt(back, work_file(format == 4 ? "Single.txt" : "Single.8bf"))) << format;
        EXPECT_EQ(back.Record.CodeR, "255-r") << format;
        EXPECT_EQ(back.Record.CodeG, "255-r") << format;
        EXPECT_EQ(back.Record.CodeB, "255-r") << format;
    }
}

TEST_F(EditorFlowTest, NothingRunsWhileTheWindowIsDisabledAndAFailedCompileIsToldAndRestoresTheCaption) {
    e.Enabled = false;
    RefreshPreview(app);
    OpenPreviewPic(app); // no dialog asked for
    EXPECT_TRUE(runs().empty());
    e.Enabled = true;

    files::FaultScope faults;
    files::inject_fault(files::Op::Read, appFolder / "temp.dll", EIO);
    host.answer_msgbox(ui::vbOK);
    RefreshPreview(app);
    EXPECT_EQ(host.last_msgbox().Title, "Just a small problem...");
    EXPECT_TRUE(runs().empty()); // the old plug-in is not run in place of the new filter
    EXPECT_EQ(e.Caption.get(), "Filter Factory Editor");
}

TEST_F(EditorFlowTest, TheLargePreviewGoesToThePictureEditorWhichThenHoldsIt) {
    code("a", "255-r", "g", "b");
    app.form1().mnuBigView_FFE.Click();
    PicView& view = app.picView();
    EXPECT_TRUE(view.Visible.get());
    EXPECT_EQ(app.PluginImage, 0);
    ASSERT_NE(app.PicImage, 0);
    const imgman::Image& big = *imgman::image_of(app.PicImage);
    EXPECT_EQ(big.width, 160);
    EXPECT_EQ(big.height, 120);
    const test_support::Rgb source = test_support::pattern_colour(7, 5, 24);
    const std::uint8_t* p = &big.rgba[(5 * 160 + 7) * 4];
    EXPECT_EQ(p[0], 255 - source.r);
    EXPECT_EQ(p[1], source.g);
    EXPECT_EQ(view.Picture1.Width.get(), 159 * 15);
    EXPECT_EQ(view.Caption.get(), "Picture Editor - Untitled - 160x120, 16 Milion Colors (24bit)");
    EXPECT_EQ(e.Caption.get(), "Filter Factory Editor");
    EXPECT_EQ(e.MousePointer.get(), ui::vbDefault);

    // "Save Picture...": the filtered picture through the save dialog.
    const std::string saved = work_file("filtered.bmp");
    host.answer_file_dialog(saved);
    app.form1().mnuFfeSavePic_FFE.Click();
    const int h = imgman::ImgOpenSolo(saved);
    ASSERT_NE(h, 0);
    EXPECT_EQ(imgman::image_of(h)->rgba[(5 * 160 + 7) * 4], 255 - source.r);
    imgman::ImgClose(h);
}

TEST_F(EditorFlowTest, ANewPreviewPictureIsCheckedThumbnailedAndAutoAdded) {
    Form2& prefs = app.form2();
    prefs.Check10[1].Value = ui::vbChecked;
    prefs.List1[1].AddItem(previewPicture);
    const std::string png = root.write("photo.png", test_support::png_file(40, 30)).string();
    const std::string jpg = root.write("WIDE.JPG", test_support::jpeg_file(200, 100)).string();

    host.answer_file_dialog(png);
    host.answer_msgbox(ui::vbOK, "\r\nPlease select a BMP or JPG file!", ui::vbExclamation);
    OpenPreviewPic(app);
    EXPECT_EQ(app.OriginalBMP, previewPicture);
    EXPECT_EQ(prefs.List1[1].ListCount(), 1);

    e.Show();
    host.answer_file_dialog(jpg);
    OpenPreviewPic(app);
    EXPECT_EQ(app.OriginalBMP, jpg);
    EXPECT_EQ(imgman::image_of(app.PreviewImage)->width, 160);
    EXPECT_EQ(e.Picture1.Width.get(), 159 * 15);
    EXPECT_EQ(runs().size(), 1u); // the visible editor previews the new picture
    ASSERT_EQ(prefs.List1[1].ListCount(), 2);
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "Pic0", ""), previewPicture);
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "Pic1", ""), jpg);
    EXPECT_EQ(f.mnuPictures[1].Caption.get(), "WIDE.JPG");

    // Already listed: not added again, no keys written.
    app.Settings.DeleteSetting("Vexo10", "Settings", "Pic1");
    host.answer_file_dialog(jpg);
    OpenPreviewPic(app);
    EXPECT_EQ(prefs.List1[1].ListCount(), 2);
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "Pic1", ""), "");
    EXPECT_EQ(e.MousePointer.get(), ui::vbDefault);
}

TEST_F(EditorFlowTest, AChosenFileThatIsNotAPictureChangesNothing) {
    Form2& prefs = app.form2();
    prefs.Check10[1].Value = ui::vbChecked; // Auto Add
    prefs.List1[1].AddItem(previewPicture);
    prefs.ListToMenu(1);
    e.Show();
    const int thumbnail = app.PreviewImage;
    const auto menu = [&] {
        std::vector<std::string> captions;
        for (int i : f.mnuPictures.Indices())
            captions.push_back(f.mnuPictures[i].Caption.get() + (f.mnuPictures[i].Visible ? "" : " (hidden)"));
        return captions;
    };
    const std::vector<std::string> menuBefore = menu();
    // Named as a picture, but text inside.
    const std::string notPicture = root.write("notes.bmp", "Shopping list: milk, bread.\r\n").string();
    const std::string couldNot = "Couldn't open " + notPicture;

    host.answer_file_dialog(notPicture);
    host.answer_msgbox(ui::vbOK);
    OpenPreviewPic(app);
    ASSERT_EQ(host.message_boxes().size(), 1u);
    EXPECT_EQ(host.last_msgbox().Prompt.substr(0, couldNot.size()), couldNot);
    EXPECT_EQ(app.OriginalBMP, previewPicture);
    EXPECT_EQ(app.PreviewImage, thumbnail);
    ASSERT_EQ(prefs.List1[1].ListCount(), 1);
    EXPECT_EQ(prefs.List1[1].List(0), previewPicture);
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "Pic1", ""), "");
    EXPECT_EQ(menu(), menuBefore);
    e.Unload();
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "PreviewPic", ""), previewPicture);

    // The picture editor's Open of the same file still says which file failed.
    host.answer_file_dialog(notPicture);
    host.answer_msgbox(ui::vbOK);
    app.picView().mnuOpen_Click();
    ASSERT_EQ(host.message_boxes().size(), 2u);
    EXPECT_EQ(host.last_msgbox().Prompt.substr(0, couldNot.size()), couldNot);
    EXPECT_EQ(app.PicImage, 0);
}

// --- the plain editor ("Original FF Editor!") -------------------------------------------------------

TEST_F(EditorFlowTest, ThePlainEditorRunsThePluginDialogOnceAndThePictureEditorKeepsTheResult) {
    Form2& prefs = app.form2();
    prefs.Combo1.ListIndex = 0;
    for (int editorPlugin : {ui::vbUnchecked, ui::vbChecked}) {
        prefs.Check5[0].Value = editorPlugin;
        ff::IniVars(app.FF.Record);
        app.FF.Record.CodeR = "255-r";
        app.FF.Record.CodeG = "g";
        app.FF.Record.CodeB = "b";
        app.FF.Record.CodeA = "a";
        // Cancel in the plug-in's dialog: nothing shown.
        host.on_modal("PlugInDialog", [](ui::Window& w) {
            auto& d = static_cast<imgman::PlugInDialog&>(w);
            EXPECT_TRUE(d.FormulaText[1].Visible()) << "the plug-in opens with its formula editor";
            d.cmdCancel.user_click();
        });
        LoadintoFFEditor(app, true, false);
        EXPECT_FALSE(app.picView().Visible.get());
        EXPECT_EQ(prefs.Check5[0].Value.get(), editorPlugin);

        host.on_modal("PlugInDialog", [](ui::Window& w) { static_cast<imgman::PlugInDialog&>(w).cmdOK.user_click(); });
        LoadintoFFEditor(app, true, false);
        EXPECT_EQ(prefs.Check5[0].Value.get(), editorPlugin);
        PicView& view = app.picView();
        ASSERT_TRUE(view.Visible.get());
        EXPECT_EQ(view.PicFileName, previewPicture);
        EXPECT_EQ(view.Picture1.Width.get(), 159 * 15);
        ASSERT_NE(app.PicImage, 0);
        EXPECT_EQ(imgman::image_of(app.PicImage)->rgba[0], 255 - test_support::pattern_colour(0, 0, 24).r);
        EXPECT_EQ(view.Caption.get(), "Picture Editor - preview.bmp - 160x120, 16 Milion Colors (24bit)");
        EXPECT_FALSE(e.Visible.get());
        view.Unload();
    }
    // Afterwards the live preview runs without a dialog.
    test_support::choose_skinned_editor(app);
    imgman::reset_plugin_host_log();
    RefreshPreview(app);
    ASSERT_EQ(imgman::plugin_host_log().Invokes.size(), 1u);
    EXPECT_FALSE(imgman::plugin_host_log().Invokes[0].DialogShown);
}

// --- saving and resetting -------------------------------------------------------------------------

TEST_F(EditorFlowTest, SavingNamesTheFileAfterTheFieldAndEachFormatReadsBack) {
    struct Case {
        std::string field;
        int index;
        std::string written; // "" = nothing written
        std::string fieldAfter;
    } cases[] = {
        {"MyFilter", 4, "MyFilter.txt", "MyFilter.txt"},
        {"MyFilter.new.8bf", 2, "MyFilter.afs", "MyFilter.afs"},
        {"MyFilter.txt", 0, "MyFilter.8bf", "MyFilter.8bf"},
        {"Other", 1, "", "Other.prm"},
        {"Other", 3, "", "Other.pff"},
        // The name cannot lead out of the chosen folder.
        {"../../Escape.8bf", 4, "Escape.txt", "Escape.txt"},
        // A backslash is a letter of the name: what is before the first "." is empty here.
        {"sub/..\\Back", 0, "-NoName.8bf", "-NoName.8bf"},
    };
    ff::FilterRecord& r = app.FF.Record;
    ff::IniVars(r);
    r.Title = "Glow";
    r.Category = "Light";
    r.Author = "Ann";
    r.Copyright = "(c) Ann";
    r.CtlName = {"Amount", "", "", "", "", "", "", ""};
    r.MapName = {"", "Blur", "", ""};
    r.CtlValue = {10, 0, 20, 30, 0, 0, 0, 0};
    r.CodeR = "255-r";
    r.CodeG = "g/2";
    r.CodeB = "ctl(0)";
    r.CodeA = "a";
    FilterToEditor(app);
    for (const Case& c : cases) {
        e.Label6[0].Caption = c.field;
        app.ScanValid[0] = true;
        SaveFilterAs(app, c.index);
        EXPECT_EQ(e.Label6[0].Caption.get(), c.fieldAfter) << c.field;
        EXPECT_EQ(app.FF.Record.Filename, c.fieldAfter) << c.field;
        if (c.index != 1) {
            EXPECT_EQ(app.ScanValid[0], c.index != 0) << c.field;
        }
        if (c.written.empty()) continue;
        ASSERT_TRUE(files::file_exists(work_file(c.written))) << c.field;
        // The pane shows the new file.
        bool listed = false;
        for (int i = 0; i < f.File1[0].ListCount(); ++i)
            listed = listed || f.File1[0].List(i) == c.written;
        EXPECT_TRUE(listed) << c.written;
        ff::FFContext back;
        ASSERT_TRUE(ff::LoadIt(back, work_file(c.written))) << c.written;
        EXPECT_EQ(back.Record.CodeR, "255-r");
        EXPECT_EQ(back.Record.CodeG, "g/2");
        EXPECT_EQ(back.Record.CodeB, "ctl(0)");
        EXPECT_EQ(back.Record.CtlValue[0], 10);
        EXPECT_EQ(back.Record.CtlValue[3], 30);
        if (c.index != 2) { // a settings file carries no names
            EXPECT_EQ(back.Record.Title, "Glow");
            EXPECT_EQ(back.Record.Category, "Light");
            EXPECT_EQ(back.Record.CtlName[0], "Amount");
            EXPECT_EQ(back.Record.MapName[1], "Blur");
        }
    }
    for (const char* never : {"Other.prm", "Other.pff"})
        EXPECT_FALSE(files::file_exists(work_file(never)));
    EXPECT_FALSE(files::file_exists((root.path() / "Escape.txt").string()));
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(EditorFlowTest, SavingIsRefusedOrStoppedWithoutWritingAndWriterFailuresAreTold) {
    // No name yet.
    host.answer_msgbox(ui::vbOK, "Filename isn't specified!", ui::vbExclamation, "Error");
    SaveFilterAs(app, 4);

    // The overwrite prompt answered "Ignore": the old file stays, the field keeps its new name.
    const auto old = root.write("work/Kept.txt", "old bytes");
    e.Label6[0].Caption = "Kept";
    host.on_modal("Overwrite", [](ui::Window& w) { static_cast<Overwrite&>(w).Command1[1].user_click(); });
    SaveFilterAs(app, 4);
    EXPECT_EQ(test_support::read_file(old), "old bytes");
    EXPECT_EQ(e.Label6[0].Caption.get(), "Kept.txt");

    // The target-folder dialog cancelled: the panes as they were, nothing written.
    app.form2().Check4.Value = ui::vbUnchecked;
    e.Label6[0].Caption = "Dialog";
    int activeMeanwhile = -1;
    host.on_modal("SelectFolder", [&](ui::Window& w) {
        activeMeanwhile = f.Switchy;
        static_cast<SelectFolder&>(w).Command3.user_click();
    });
    SaveFilterAs(app, 4);
    EXPECT_EQ(activeMeanwhile, 1);
    EXPECT_EQ(f.Switchy, 0);
    EXPECT_FALSE(files::file_exists(work_file("Dialog.txt")));
    EXPECT_EQ(e.Label6[0].Caption.get(), "Dialog");

    // A writer that fails is told in the error box; nothing half-written stays.
    app.form2().Check4.Value = ui::vbChecked;
    files::FaultScope faults;
    for (int index : {4, 2, 0}) {
        files::inject_fault(files::Op::Write, work, ENOSPC);
        e.Label6[0].Caption = "Full";
        host.answer_msgbox(ui::vbOK);
        SaveFilterAs(app, index);
        EXPECT_EQ(host.last_msgbox().Title, "Just a small problem...") << index;
        EXPECT_NE(host.last_msgbox().Prompt.find("Vexo Error"), std::string::npos) << index;
        files::clear_faults();
    }
    for (const char* name : {"Full.txt", "Full.afs", "Full.8bf"})
        EXPECT_FALSE(files::file_exists(work_file(name))) << name;
}

TEST_F(EditorFlowTest, ResetAsksFirstThenRestoresTheDefaultsWithoutARun) {
    const ui::Bitmap unfiltered = e.Picture1.Image();
    code("a", "255-r", "g", "b");
    e.Label6[0].Caption = "Mine";
    e.Label7[0].Caption = "Amount";
    e.Label1[0].Caption = "99";
    e.Check1[1].Value = ui::vbChecked;
    RefreshPreview(app);
    ASSERT_NE(e.Picture1.Image().Rgba, unfiltered.Rgba);
    imgman::reset_plugin_host_log();

    host.answer_msgbox(ui::vbCancel, "Delete the current filter?", ui::vbOKCancel, "Attention");
    f.mnuFfeReset_FFE.Click();
    EXPECT_EQ(e.Label6[0].Caption.get(), "Mine");
    EXPECT_EQ(e.Text5[1].Text.get(), "255-r");

    host.answer_msgbox(ui::vbOK, "Delete the current filter?");
    f.mnuFfeReset_FFE.Click();
    const char* captions[] = {"Filename", "Category", "Filtername", "Author", "Copyright"};
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_EQ(e.Label6[k].Caption.get(), captions[k]);
    const char* codes[] = {"a", "r", "g", "b"};
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(e.Text5[k].Text.get(), codes[k]);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(e.Label7[i].Caption.get(), "");
        EXPECT_EQ(e.Label1[i].Caption.get(), "0");
        EXPECT_FALSE(e.Label1[i].Visible.get());
        EXPECT_FALSE(e.Picture2[i].Visible.get());
    }
    EXPECT_EQ(e.Check1[1].Value.get(), ui::vbUnchecked);
    EXPECT_TRUE(e.Enabled.get());
    EXPECT_TRUE(runs().empty());
    // The unfiltered thumbnail again, as the window showed it when it loaded.
    EXPECT_EQ(e.Picture1.Image().Rgba, unfiltered.Rgba);
}

// --- the Project menu ------------------------------------------------------------------------------

TEST_F(EditorFlowTest, CopyPutsTheFilterAsWrittenOnTheClipboardAndPasteBringsItBack) {
    ff::FilterRecord& r = app.FF.Record;
    ff::IniVars(r);
    r.Filename = "blur.8bf";
    r.Title = "Soft";
    r.Category = "Blur";
    r.Author = "Ann";
    r.Copyright = "none";
    r.CtlName = {"Amount", "", "", "", "", "", "", ""};
    r.MapName = {"", "Blur", "", ""};
    r.CtlValue = {128, 0, 7, 255, 0, 0, 0, 0};
    r.CodeR = "r";
    r.CodeG = "g";
    r.CodeB = "b";
    r.CodeA = "255-a";
    FilterToEditor(app);
    // The preview rewrites the record for its alpha view; the copy takes the window.
    RefreshPreview(app);
    ASSERT_EQ(app.FF.Record.CodeR, "255-i");
    host.clipboard = "old";
    f.mnuCopyFilter2Clip_FFE.Click();
    EXPECT_EQ(host.clipboard, "Category: Blur\r\nTitle: Soft\r\nCopyright: none\r\nAuthor: Ann\r\n"
                              "Filename: blur.8bf\r\n\r\nR:r\r\n\r\nG:g\r\n\r\nB:b\r\n\r\nA:255-a\r\n\r\n"
                              "ctl[0]: Amount\r\nmap[1]: Blur\r\n\r\nval[0]: 128\r\nval[2]: 7\r\nval[3]: 255\r\n\r\n");

    // Paste answered with Cancel keeps the filter (and pastes nothing).
    const std::string copied = host.clipboard;
    e.Text5[1].Text = "r/2";
    host.clipboard = "Title: Other\r\nR:0\r\nG:0\r\nB:0\r\nA:a";
    host.answer_msgbox(ui::vbCancel, "Delete the current filter?");
    f.mnuPasteFilter_FFE.Click();
    EXPECT_EQ(e.Text5[1].Text.get(), "r/2");
    EXPECT_EQ(e.Label6[2].Caption.get(), "Soft");

    // Copy, change, paste: the same names, values and code.
    host.clipboard = copied;
    e.Label6[2].Caption = "Changed";
    e.Label1[0].Caption = "1";
    host.answer_msgbox(ui::vbOK, "Delete the current filter?");
    imgman::reset_plugin_host_log();
    f.mnuPasteFilter_FFE.Click();
    EXPECT_EQ(e.Label6[2].Caption.get(), "Soft");
    EXPECT_EQ(e.Label6[0].Caption.get(), "blur.8bf");
    EXPECT_EQ(e.Label7[0].Caption.get(), "Amount");
    EXPECT_EQ(e.Label7[2].Caption.get(), "Blur");
    EXPECT_EQ(e.Check1[1].Value.get(), ui::vbChecked);
    EXPECT_EQ(e.Label1[0].Caption.get(), "128");
    EXPECT_EQ(e.Label1[3].Caption.get(), "255");
    EXPECT_EQ(e.Text5[1].Text.get(), "r");
    EXPECT_EQ(e.Text5[0].Text.get(), "255-a");
    EXPECT_EQ(runs().size(), 1u);
    EXPECT_FALSE(files::file_exists(files::app_path("Temp.tmp")));

    // An empty clipboard: nothing at all.
    host.clipboard.clear();
    f.mnuPasteFilter_FFE.Click();
    EXPECT_EQ(e.Label6[2].Caption.get(), "Soft");
    EXPECT_EQ(e.MousePointer.get(), ui::vbDefault);
}

TEST_F(EditorFlowTest, TheMenuTogglesAlphaCopiesThePreviewAndOffersThreeFormats) {
    // Entries in order, with the hidden ones never shown.
    std::vector<std::string> captions;
    for (ui::Menu* m : f.mnuFfeFunctions_FFE.PresentItems())
        if (m->Visible) captions.push_back(m->Caption.get());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Copy Filter to Clipboard", "Paste Filter from Clipboard", "-",
                                        "Alpha Channel Display", "-", "Update Preview", "Apply (Filter)", "Randomize",
                                        "Reset", "-", "Open Picture...", "Save Picture...", "Save (Filter) As",
                                        "Copy Preview to Clipboard", "-", "Print Filter..."}));
    // Start-up hides the formats this edition does not write.
    for (int i : {1, 3})
        if (ui::Menu* m = f.FindMenu("mnuSaveType_FFE", i)) m->Visible = false;
    std::vector<std::string> formats;
    for (ui::Menu* m : f.mnuSaveAs_FFE.PresentItems())
        if (m->Visible) formats.push_back(m->Caption.get());
    EXPECT_EQ(formats, (std::vector<std::string>{"Photoshop Plugin", "AFS File", "Text File"}));
    e.Label6[0].Caption = "FromMenu";
    f.mnuSaveType_FFE.Click(4);
    EXPECT_TRUE(files::file_exists(work_file("FromMenu.txt")));

    // The alpha switch and "Update Preview" compute nothing themselves.
    imgman::reset_plugin_host_log();
    f.mnuAlphaChannel.Click();
    EXPECT_TRUE(f.mnuAlphaChannel.Checked.get());
    // "Update Preview" is a click on the preview box: the File menu pops up, nothing is computed.
    host.choose_no_popup();
    f.mnuFfeUpdatePreview_FFE.Click();
    ASSERT_EQ(host.popups().size(), 1u);
    EXPECT_EQ(host.popups()[0].Menu, "mnuProject");
    EXPECT_TRUE(runs().empty());
    f.mnuAlphaChannel.Click();
    EXPECT_FALSE(f.mnuAlphaChannel.Checked.get());

    code("a", "255-r", "g", "b");
    RefreshPreview(app);
    host.clipboard = "text";
    f.mnuCopyPreview_FFE.Click();
    ASSERT_TRUE(host.clipboard_image.has_value());
    EXPECT_EQ(host.clipboard_image->Rgba, e.Picture1.Image().Rgba);
    EXPECT_EQ(host.clipboard, "");
}

TEST_F(EditorFlowTest, PrintFilterWrapsCodeEverySixtyCharactersAndCancelPrintsNothing) {
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    const std::string printed = (root / "printed.txt").string();
    root.write("bin/lp", "#!/bin/sh\nfor a; do last=\"$a\"; done; /bin/cp \"$last\" " + printed + "\n");
    std::filesystem::permissions(root / "bin/lp", std::filesystem::perms::owner_all);
    setenv("PATH", (root / "bin").c_str(), 1);

    std::string longCode;
    for (int i = 0; i < 65; ++i)
        longCode += i % 2 ? "+" : "r"; // 130 characters
    longCode += longCode;
    longCode.resize(130);
    code("a", longCode, "g", "b");
    e.Label6[0].Caption = "p.8bf";
    e.Label6[1].Caption = "Cat";
    e.Label6[2].Caption = "Title";
    e.Label6[3].Caption = "Me";
    e.Label6[4].Caption = "Mine";
    e.Label7[0].Caption = "Amount";
    e.Label7[1].Caption = "";
    e.Label1[0].Caption = "12";
    e.Label7[2].Caption = "Twirl";
    e.Check1[1].Value = ui::vbChecked;
    e.Label1[2].Caption = "3";
    e.Label1[3].Caption = "4";
    for (std::size_t k = 4; k < 8; ++k)
        e.Label7[k].Caption = "";

    host.answer_msgbox(ui::vbCancel, "Print the filter on the default printer?");
    f.mnuPrintFilter_FFE.Click();
    EXPECT_FALSE(std::filesystem::exists(printed));

    host.answer_msgbox(ui::vbOK, "Print the filter on the default printer?");
    f.mnuPrintFilter_FFE.Click();
    setenv("PATH", oldPath.c_str(), 1);
    ASSERT_TRUE(std::filesystem::exists(printed));
    const std::string expected = "\n   Category: Cat\n   Title: Title\n   Copyright: Mine\n   Author: Me\n"
                                 "   Filename: p.8bf\n\n   A: a\n\n   R: " +
                                 longCode.substr(0, 60) + "\n   " + longCode.substr(60, 60) + "\n   " +
                                 longCode.substr(120) +
                                 "\n\n   G: g\n\n   B: b\n\n   ctl[0]: Amount\n   map[1]: Twirl\n\n"
                                 "   val[0]: 12\n   val[2]: 3\n   val[3]: 4\n";
    EXPECT_EQ(test_support::read_file(printed), expected);
}
