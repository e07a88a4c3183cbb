// Fonts and File View display options applied to the main window, the interface file search and
// the folder browser.

#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/support/app_fixture.hpp"

#include "platform/fs/files.hpp"
#include "platform/ui/ListView.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::AppTest;

namespace {

struct DisplayTest : AppTest {
    Form2& f = app.form2();
    Form1& main = app.form1();
    void store(std::string_view key, std::string_view value) {
        app.Settings.SaveSetting("Vexo10", "Settings", key, value);
    }
};

} // namespace

TEST_F(DisplayTest, TheListFontReachesEveryListOfBothPanes) {
    f.SetFont("Arial", 12, true, false, 0);
    for (int p = 0; p < 2; ++p) {
        for (ui::Control* c :
             std::initializer_list<ui::Control*>{&main.ListView1[p], &main.ListView2[p], &main.List2[p], &main.List3[p],
                                                 &main.File1[p], &main.Dir1[p]}) {
            EXPECT_EQ(c->Font.Name.get(), "Arial") << c->Name() << p;
            EXPECT_EQ(c->Font.Size.get(), 12) << c->Name() << p;
            EXPECT_TRUE(c->Font.Bold.get()) << c->Name() << p;
        }
        EXPECT_EQ(main.Label1[p].Font.Name.get(), std::string(ui::DesignFontName));
    }
    EXPECT_EQ(main.Command1[0].Font.Name.get(), std::string(ui::DesignFontName));
}

TEST_F(DisplayTest, TheOtherFontReachesLabelsBoxesTabsAndTheButtonBar) {
    f.SetFont("Courier", 9, true, true, 1);
    for (int p = 0; p < 2; ++p) {
        for (ui::Control* c : std::initializer_list<ui::Control*>{&main.Combo1[p], &main.Label6[p], &main.Label5[p],
                                                                  &main.Label1[p], &main.Check1[p], &main.SSTab1[p]}) {
            EXPECT_EQ(c->Font.Name.get(), "Courier") << c->Name() << p;
            EXPECT_TRUE(c->Font.Italic.get()) << c->Name() << p;
        }
        EXPECT_EQ(main.ListView1[p].Font.Name.get(), std::string(ui::DesignFontName));
    }
    for (auto& button : main.Command1)
        EXPECT_EQ(button.Font.Name.get(), "Courier");
}

TEST_F(DisplayTest, StoredFontsAreAppliedAndShownAndSavedBack) {
    store("FontName1", "Arial");
    store("FontSize1", "12");
    store("FontBold1", "True");
    store("FontItalic1", "maybe"); // neither True nor False: stays False
    store("FontName2", "Courier");
    store("FontSize2", "10");
    store("FontItalic2", "True"); // FontBold2 missing: keeps the True read for group 1
    f.Command8_Click();
    EXPECT_EQ(f.Label1[0].Caption.get(), "Arial, 12");
    EXPECT_EQ(f.Label1[1].Caption.get(), "Courier, 10");
    EXPECT_TRUE(main.ListView1[1].Font.Bold.get());
    EXPECT_FALSE(main.ListView1[1].Font.Italic.get());
    EXPECT_TRUE(main.Label1[0].Font.Bold.get());
    EXPECT_TRUE(main.Label1[0].Font.Italic.get());

    f.Command1_Click();
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "FontSize1"), "12");
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "FontBold1"), "True");
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "FontItalic1"), "False");
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "FontName2"), "Courier");
}

TEST_F(DisplayTest, AFontWithoutNameOrSizeIsNotApplied) {
    store("FontName1", "Arial");
    store("FontSize1", "0");
    store("FontSize2", "10");
    f.Command8_Click();
    EXPECT_EQ(f.Label1[0].Caption.get(), "Font Name, Size");
    EXPECT_EQ(f.Label1[1].Caption.get(), "Font Name, Size");
    EXPECT_EQ(main.ListView1[0].Font.Name.get(), std::string(ui::DesignFontName));
}

TEST_F(DisplayTest, DisplayOptionsReachBothPanesReportAndLibraryLists) {
    f.Check12[2].Value = 1;
    f.Check12[3].Value = 1;
    for (ui::ListView* list : {&main.ListView1[0], &main.ListView1[1], &main.ListView2[0], &main.ListView2[1]}) {
        EXPECT_TRUE(list->GridLines.get());
        EXPECT_TRUE(list->FullRowSelect.get());
    }
    f.Check12[2].Value = 0;
    EXPECT_FALSE(main.ListView2[1].GridLines.get());
}

TEST_F(DisplayTest, AStoredFullRowSelectionIsAppliedAtStart) {
    store("Fileview3", "1");
    f.Command8_Click();
    EXPECT_TRUE(main.ListView1[0].FullRowSelect.get());
    EXPECT_TRUE(main.ListView1[1].FullRowSelect.get());
}

TEST_F(DisplayTest, AutoColumnWidthFitsReportViewsAndLibraryLists) {
    ui::ListView& report = main.ListView1[0];
    ui::ListView& icons = main.ListView1[1];
    ui::ListView& library = main.ListView2[0];
    for (ui::ListView* list : {&report, &icons, &library}) {
        list->ColumnHeaders.Clear();
        list->ColumnHeaders.Add().Text = "N";
        list->ColumnHeaders(1).Width = 15;
        list->ListItems.Add().Text = "a rather long entry name";
    }
    report.View = ui::lvwReport;
    icons.View = ui::lvwIcon;
    f.Check12[5].Value = 1;
    EXPECT_GT(report.ColumnHeaders(1).Width.get(), 15);
    EXPECT_EQ(icons.ColumnHeaders(1).Width.get(), 15);
    EXPECT_GT(library.ColumnHeaders(1).Width.get(), 15);
}

TEST_F(DisplayTest, InterfaceFilesAreListedByTheirFirstField) {
    std::filesystem::create_directories(appFolder / "interface");
    std::filesystem::create_directories(appFolder / "interfac");
    files::replace_file(appFolder / "interface" / "Interfc4.des", "  \"Classic, blue\",\"pic.bmp\",2\r\n");
    files::replace_file(appFolder / "interfac" / "Other123.des", "Other,x\r\n");
    f.LookforInterface();
    EXPECT_EQ(app.InterfaceFolder, "interface");
    ASSERT_EQ(f.Combo1.ListCount(), 2);
    EXPECT_EQ(f.Combo1.List(0), "Original FF Editor!");
    EXPECT_EQ(f.Combo1.List(1), "Classic, blue - Interfc4.des");
    EXPECT_EQ(f.InterfaceEntry("INTERFC4.DES"), 1);
    EXPECT_EQ(f.InterfaceFileNames[1], "Interfc4.des");
}

TEST_F(DisplayTest, TheShortFolderIsUsedWhenTheLongOneHasNoFiles) {
    std::filesystem::create_directories(appFolder / "interfac");
    files::replace_file(appFolder / "interfac" / "LongerName1.DES", "Long one\r\n");
    app.InterfaceFolder = "interface";
    f.LookforInterface();
    EXPECT_EQ(app.InterfaceFolder, "interfac");
    ASSERT_EQ(f.Combo1.ListCount(), 2);
    EXPECT_EQ(f.Combo1.List(1), "Long one - LongerName1.DES");
    EXPECT_EQ(f.InterfaceEntry("longername1.des"), 1);
}

TEST_F(DisplayTest, NoInterfaceFilesIsSaidOnce) {
    app.InterfaceFolder = "kept";
    host.answer_msgbox(ui::vbOK, "Can't find FF Editor interface files.\r\nThe FF Editor won't be usable.",
                       ui::vbOKOnly, "Vexolan");
    f.LookforInterface();
    EXPECT_EQ(app.InterfaceFolder, "kept");
    EXPECT_EQ(f.Combo1.ListCount(), 1);
}

TEST_F(DisplayTest, TheShippedInterfaceIsFound) {
    files::prepare_app_folder(VEXOLAN_APPFOLDER);
    f.LookforInterface();
    ASSERT_EQ(f.Combo1.ListCount(), 3);
    EXPECT_EQ(f.Combo1.List(1), "Vexolan Standard - Interfc4.des");
    EXPECT_EQ(f.Combo1.List(2), "Vexolan Classic - Interfc5.des");
}

TEST_F(DisplayTest, TheFolderBrowserReturnsTheWholePath) {
    std::string deep = "/" + std::string(600, 'd');
    host.answer_browse_for_folder(deep);
    EXPECT_EQ(f.GetBrowseDirectory("Pick one"), deep);
    ASSERT_EQ(host.browse_prompts().size(), 1u);
    EXPECT_EQ(host.browse_prompts()[0], "Pick one");
    host.answer_browse_for_folder("");
    EXPECT_EQ(f.GetBrowseDirectory("Pick one"), "");
}

TEST_F(DisplayTest, TheLoaderAppliesTheFirstFiveOptionsEvenWithoutStoredValues) {
    for (auto& list : main.ListView1)
        list.GridLines = true;
    main.ListView2[1].FullRowSelect = true;
    f.Command8_Click();
    EXPECT_FALSE(main.ListView1[0].GridLines.get());
    EXPECT_FALSE(main.ListView1[1].GridLines.get());
    EXPECT_FALSE(main.ListView2[1].FullRowSelect.get());
}

TEST_F(DisplayTest, CancelBringsBackTheStoredFontButKeepsAnUnstoredOne) {
    f.SetFont("Courier", 9, false, false, 1); // nothing stored for the other font
    store("FontName1", "Arial");
    store("FontSize1", "12");
    f.Command8_Click();
    f.SetFont("Times", 14, true, true, 0);
    f.Command8.user_click();
    EXPECT_EQ(main.ListView1[0].Font.Name.get(), "Arial");
    EXPECT_EQ(main.ListView1[0].Font.Size.get(), 12);
    EXPECT_EQ(main.Label1[0].Font.Name.get(), "Courier");
}

TEST_F(DisplayTest, BothFontButtonsStartFromTheListFontAndApplyTheirOwnGroup) {
    f.SetFont("Arial", 12, true, false, 0);
    f.SetFont("Times New Roman", 14, false, true, 1);
    ui::FontChoice courier;
    courier.Name = "Courier";
    courier.Size = 9;
    courier.Bold = courier.Italic = true;
    host.answer_font_dialog(courier);
    f.Command14[1].user_click();
    ASSERT_EQ(host.font_dialog_initials().size(), 1u);
    const ui::FontChoice& initial = host.font_dialog_initials()[0];
    EXPECT_EQ(initial.Name, "Arial");
    EXPECT_EQ(initial.Size, 12);
    EXPECT_TRUE(initial.Bold);
    EXPECT_FALSE(initial.Italic);
    EXPECT_EQ(f.Label1[1].Caption.get(), "Courier, 9");
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(main.SSTab1[p].Font.Name.get(), "Courier");
        EXPECT_TRUE(main.Check1[p].Font.Bold.get());
        EXPECT_TRUE(main.Label6[p].Font.Italic.get());
        EXPECT_EQ(main.File1[p].Font.Name.get(), "Arial");
        EXPECT_FALSE(main.Dir1[p].Font.Italic.get());
    }
    EXPECT_EQ(main.Command1[5].Font.Size.get(), 9);

    // The list button, cancelled, changes nothing; confirmed, it sets the lists and its label.
    host.answer_font_dialog(std::nullopt);
    f.Command14[0].user_click();
    EXPECT_EQ(main.List3[1].Font.Name.get(), "Arial");
    ui::FontChoice mono;
    mono.Name = "DejaVu Sans Mono";
    mono.Size = 10;
    host.answer_font_dialog(mono);
    f.Command14[0].user_click();
    EXPECT_EQ(host.font_dialog_initials()[2].Name, "Arial");
    EXPECT_EQ(f.Label1[0].Caption.get(), "DejaVu Sans Mono, 10");
    EXPECT_EQ(main.List3[1].Font.Name.get(), "DejaVu Sans Mono");
    EXPECT_FALSE(main.ListView2[0].Font.Bold.get());
    EXPECT_EQ(main.Label1[0].Font.Name.get(), "Courier");
}

TEST_F(DisplayTest, ATemplateIsTakenOnlyWithAKnownLength) {
    test_support::TempDir dir("templates");
    auto odd = dir.write("odd.8bf", std::string(53760, 'x'));
    auto good = dir.write("my template.8bf", std::string(49152, 'x'));
    host.answer_file_dialog(odd.string());
    host.answer_msgbox(ui::vbOK, "Vexo doesn't know this FF plugin type.", ui::vbExclamation);
    f.Command2_Click(1);
    EXPECT_EQ(f.Combo2[0].ListCount(), 0);
    EXPECT_FALSE(f.Option4[2].Enabled.get());
    ASSERT_EQ(host.file_dialogs().size(), 1u);
    const ui::FileDialogRequest& request = host.file_dialogs()[0];
    EXPECT_EQ(request.Title, "Choose Photoshop Filter Factory plugin");
    EXPECT_EQ(request.InitialFolder, "/");
    EXPECT_EQ(request.DefaultExtension, "8bf");
    ASSERT_EQ(request.Filters.size(), 3u);
    EXPECT_EQ(request.Filters[1].Pattern, "*.bin");

    f.Combo2[0].AddItem("/older/template.8bf");
    host.answer_file_dialog(good.string());
    f.Command2_Click(1);
    ASSERT_EQ(f.Combo2[0].ListCount(), 2);
    EXPECT_EQ(f.Combo2[0].List(0), good.string());
    EXPECT_EQ(f.Combo2[0].ListIndex.get(), 0);
    EXPECT_TRUE(f.Option4[2].Enabled.get());
    EXPECT_TRUE(f.Option4[2].Value.get());

    // The Premiere templates take any length; a cancelled dialog adds nothing.
    host.answer_file_dialog(odd.string());
    f.Command2_Click(2);
    EXPECT_EQ(f.Combo2[1].List(0), odd.string());
    EXPECT_EQ(host.file_dialogs()[2].ProposedName, "fl-fact.prm");
    host.answer_file_dialog("");
    f.Command2_Click(3);
    EXPECT_EQ(f.Combo2[2].ListCount(), 0);
}
