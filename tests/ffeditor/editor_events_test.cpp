// The editor window's events on the model: the typing pause on the fake clock, the code boxes and
// one-box mode, inline edits of values, names and fields, code insertion, templates and snippets,
// the font of the code boxes, the save-format box, the toolbar, hover marks, pop-up menus and F1.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/inline_edits.hpp"
#include "ffeditor/sliders.hpp"
#include "ffeditor/snippets.hpp"
#include "imaging/handles.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "filterfactory/compiler.hpp"
#include "imaging/PicView.hpp"
#include "tests/ffeditor/preview_count.hpp"
#include "tests/shell/fake_desktop.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/pictures.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::clear_preview_refreshes;
using test_support::preview_refreshes;

namespace {

constexpr std::string_view Outline = "\"Test\",\"skin.bmp\",2,600,500\r\n"
                                     "\"RoundRect\",0,0,600,500,40,40\r\n\"Rect\",0,0,600,500,0,0\r\n\"RGN_AND\"\r\n";

struct EditorEvents : test_support::AppTest {
    EditorEvents() {
        host.set_twips_per_pixel(12); // the design scale: positions as designed
        root.write("appfolder/interface/skin.bmp", test_support::bmp_file(600, 500, 24));
        app.OriginalBMP = root.write("thumb.bmp", test_support::bmp_file(160, 120, 24)).string();
        EXPECT_TRUE(OpenImg(app, app.OriginalBMP, app.PreviewImage, true));
        // The preview plug-in, as start-up leaves it.
        const auto preview = root.write("appfolder/temp.dll", ff::MakeStandInTemplate(ff::Layout57344));
        ff::ToggleFFUI(preview.string(), false);
    }
    ~EditorEvents() override {
        if (e.Loaded()) e.Unload();
        app.host.registry().UnloadAll();
        CloseImg(app, app.PreviewImage);
        CloseImg(app, app.PluginImage);
    }
    // Loads the window with graphic sliders or scroll bars.
    FFEditorType1& load(bool graphic) {
        root.write("appfolder/interface/Chosen.des",
                   std::string(Outline) + (graphic ? "\"GraphSlider1\"\r\n" : "\"NoGraphSlider\"\r\n"));
        app.InterfaceFile = "Chosen.des";
        e.Load();
        EXPECT_EQ(app.GraphSliders, graphic);
        clear_preview_refreshes();
        return e;
    }
    // The value a slider shows: its knob's with graphic sliders, else its scroll bar's.
    int slider(int i) {
        return app.GraphSliders ? GetSliderKnobValue(app, i) : e.HScroll1[static_cast<std::size_t>(i)].Value.get();
    }
    // Types `text` over the label's inline edit and presses Enter.
    void edit_label(ui::Label& label, std::string_view text) {
        label.user_click();
        ASSERT_TRUE(e.Text10.Visible.get());
        ASSERT_EQ(e.ActiveControl(), &e.Text10);
        if (text.empty())
            e.Text10.user_key(ui::vbKeyDelete); // the whole text is selected
        else
            e.Text10.user_type(text);
        e.Text10.user_key(ui::vbKeyReturn);
    }
    FFEditorType1& e = app.EditorForm();
};

} // namespace

// --- the typing pause and Auto Preview ----------------------------------------------------------

TEST_F(EditorEvents, TypingRefreshesOnceTwoSecondsAfterTheLastKeyAndOnlyWithAutoPreview) {
    load(true);
    e.Label2[1].user_click();
    ASSERT_TRUE(e.Text5[1].Visible.get());
    // Keys at 0, 1500 and 3000 ms: the pause restarts with each, so one refresh at 5000.
    e.Text5[1].user_type("+");
    host.advance(1500);
    e.Text5[1].user_type("1");
    host.advance(1500);
    e.Text5[1].user_type("0");
    host.advance(1999);
    EXPECT_EQ(preview_refreshes(), 0);
    host.advance(1);
    EXPECT_EQ(preview_refreshes(), 1);
    EXPECT_FALSE(e.Timer1.Enabled.get());
    host.advance(10000);
    EXPECT_EQ(preview_refreshes(), 1);
    EXPECT_EQ(e.Text5[1].Text.get(), "+10"); // the whole code was selected and typed over

    // Auto Preview off: neither the pause, a slider nor a released knob refreshes.
    e.Check2.user_click();
    EXPECT_EQ(e.Check2.Value.get(), ui::vbUnchecked);
    e.Text5[1].user_type("x");
    host.advance(2500);
    e.Picture3[0].user_mouse_up(ui::vbLeftButton, 0, 0, 0);
    e.HScroll1[0].user_scroll_to(40);
    EXPECT_EQ(preview_refreshes(), 1);
    // Switching it on refreshes at once; off again, nothing.
    e.Check2.user_click();
    EXPECT_EQ(preview_refreshes(), 2);
    e.Check2.user_click();
    EXPECT_EQ(preview_refreshes(), 2);
}

TEST_F(EditorEvents, ScrollBarThumbUpdatesTheLabelAndRefreshesOnlyOnRelease) {
    load(false);
    e.HScroll1[2].Value.store(0);
    e.HScroll1[2].Value = 0;
    // The thumb's moves raise Scroll only; the release raises Change.
    e.HScroll1[2].Value.store(90);
    e.HScroll1[2].Scroll();
    EXPECT_EQ(e.Label1[2].Caption.get(), "90");
    EXPECT_EQ(preview_refreshes(), 0);
    e.HScroll1[2].Change();
    EXPECT_EQ(preview_refreshes(), 1);
    // While a procedure fills the window (disabled), changes start nothing.
    e.Enabled = false;
    e.HScroll1[2].Value = 120;
    int key = 'a';
    e.HScroll1_KeyPress(2, key);
    EXPECT_EQ(e.Label1[2].Caption.get(), "90");
    EXPECT_EQ(preview_refreshes(), 1);
    e.Enabled = true;
}

// --- code boxes -----------------------------------------------------------------------------------

TEST_F(EditorEvents, ChannelLabelsOpenOneCodeBoxAtATimeWithItsCodeSelected) {
    load(true);
    e.Text5[1].Text = "255-r";
    e.Text5[2].Text = "g/2";
    e.Label2[1].user_click();
    EXPECT_TRUE(e.Text5[1].Visible.get());
    EXPECT_TRUE(e.Label2[1].Font.Bold.get());
    EXPECT_EQ(e.Text5[1].SelStart.get(), 0);
    EXPECT_EQ(e.Text5[1].SelLength.get(), 5);
    EXPECT_EQ(e.ActiveControl(), &e.Text5[1]);
    EXPECT_TRUE(e.Combo1[0].Enabled.get());
    EXPECT_TRUE(e.Combo1[1].Enabled.get());
    // Green closes red.
    e.Label2[2].user_click();
    EXPECT_FALSE(e.Text5[1].Visible.get());
    EXPECT_FALSE(e.Label2[1].Font.Bold.get());
    EXPECT_TRUE(e.Text5[2].Visible.get());
    // Green again closes it and disables the lists.
    e.Label2[2].user_click();
    EXPECT_FALSE(e.Text5[2].Visible.get());
    EXPECT_FALSE(e.Combo1[0].Enabled.get());
    EXPECT_FALSE(e.Combo1[1].Enabled.get());
    // A release anywhere on the body closes every box.
    e.Label2[0].user_click();
    EXPECT_TRUE(e.Text5[0].Visible.get());
    e.user_mouse_up(ui::vbRightButton, 0, 100, 100);
    for (auto& box : e.Text5)
        EXPECT_FALSE(box.Visible.get());
    EXPECT_FALSE(e.Label2[0].Font.Bold.get());
    EXPECT_FALSE(e.Combo1[0].Enabled.get());
    EXPECT_EQ(preview_refreshes(), 0);
}

TEST_F(EditorEvents, OneBoxModeShowsOnlyTheCommonBoxAndKeepsTheGreenAndBlueCode) {
    load(true);
    e.Text5[2].Text = "g/2";
    e.Text5[3].Text = "b*2";
    e.Label2[3].user_click();
    e.Command10.user_click();
    EXPECT_EQ(e.Command10.Caption.get(), "3");
    EXPECT_EQ(e.Label2[1].Caption.get(), "C=");
    EXPECT_FALSE(e.Label2[2].Visible.get());
    EXPECT_FALSE(e.Label2[3].Visible.get());
    EXPECT_FALSE(e.Text5[3].Visible.get());
    EXPECT_FALSE(e.Label2[3].Font.Bold.get());
    EXPECT_TRUE(e.Combo1[0].Enabled.get()); // the lists keep their state
    e.Label2[1].user_click();
    e.Command10.user_click();
    EXPECT_EQ(e.Command10.Caption.get(), "1");
    EXPECT_EQ(e.Label2[1].Caption.get(), "R=");
    EXPECT_TRUE(e.Label2[2].Visible.get());
    EXPECT_TRUE(e.Label2[3].Visible.get());
    EXPECT_TRUE(e.Text5[1].Visible.get()); // the red box stays open
    EXPECT_EQ(e.Text5[2].Text.get(), "g/2");
    EXPECT_EQ(e.Text5[3].Text.get(), "b*2");
}

// --- inline edits ---------------------------------------------------------------------------------

TEST_F(EditorEvents, ValueEditsBecomeBytesAndTheSliderFollows) {
    struct Case {
        bool graphic;
        std::string typed;
        std::string caption;
        int value;
        int refreshes;
    } cases[] = {
        {true, "-5", " 5", 5, 1},     {true, "256", " 0", 0, 0},    {true, "511", " 255", 255, 1},
        {true, "-300", " 44", 44, 1}, {true, "7", "7", 7, 0},       {true, "12abc", "12abc", 12, 1},
        {false, "-5", "5", 5, 2},     {false, "-300", "44", 44, 2}, {false, "7", "7", 7, 0},
    };
    for (const Case& c : cases) {
        load(c.graphic);
        // The slider stands at 7 (0 for the 256 case, so that " 0" changes nothing).
        const int start = c.typed == "256" ? 0 : 7;
        e.Enabled = false;
        e.HScroll1[3].Value = start;
        SetSliderKnob(app, start, 3);
        e.Label1[3].Caption = std::to_string(start);
        e.Enabled = true;
        clear_preview_refreshes();
        edit_label(e.Label1[3], c.typed);
        EXPECT_EQ(e.Label1[3].Caption.get(), c.caption) << c.graphic << " " << c.typed;
        EXPECT_EQ(slider(3), c.value) << c.graphic << " " << c.typed;
        EXPECT_EQ(preview_refreshes(), c.refreshes) << c.graphic << " " << c.typed;
        EXPECT_FALSE(e.Text10.Visible.get());
        EXPECT_EQ(e.EditedLabel, &e.Check2);
        e.Unload();
    }
}

TEST_F(EditorEvents, EditBoxesLieOverTheirLabelsValueBoxesEightPixelsWider) {
    load(true);
    e.Label1[5].user_click();
    EXPECT_EQ(e.Text10.Left.get(), e.Label1[5].Left.get());
    EXPECT_EQ(e.Text10.Top.get(), e.Label1[5].Top.get());
    EXPECT_EQ(e.Text10.Width.get(), e.Label1[5].Width.get() + 8 * 12);
    EXPECT_EQ(e.Text10.SelLength.get(), 1);
    // Another label commits the open edit first.
    e.Text10.user_type("9");
    e.Label7[5].user_click();
    EXPECT_EQ(e.Label1[5].Caption.get(), "9");
    EXPECT_EQ(e.Text10.Width.get(), e.Label7[5].Width.get());
    EXPECT_EQ(e.Text10.Text.get(), "Slider 6");
    EXPECT_EQ(e.Text10.SelLength.get(), 8);
    e.Label6[2].user_click();
    EXPECT_EQ(e.Label7[5].Caption.get(), "Slider 6");
    EXPECT_EQ(e.Text10.Width.get(), e.Label6[2].Width.get());
    EXPECT_EQ(e.Text10.Top.get(), e.Label6[2].Top.get());
    // A click on the body commits it too.
    e.Text10.user_type("Wobble");
    e.user_mouse_up(ui::vbLeftButton, 0, 10, 10);
    EXPECT_EQ(e.Label6[2].Caption.get(), "Wobble");
    EXPECT_FALSE(e.Text10.Visible.get());
}

TEST_F(EditorEvents, ClearingANameHidesItsSliderAndAMapsFirstNameHidesThePair) {
    for (bool graphic : {true, false}) {
        load(graphic);
        const auto shown = [&](std::size_t i) {
            return (graphic ? e.Picture2[i].Visible.get() && e.Picture3[i].Visible.get()
                            : e.HScroll1[i].Visible.get()) &&
                   e.Label1[i].Visible.get();
        };
        for (std::size_t i = 0; i < 8; ++i)
            ASSERT_TRUE(shown(i)) << i;
        edit_label(e.Label7[4], "");
        EXPECT_FALSE(shown(4));
        EXPECT_TRUE(shown(5));
        edit_label(e.Label7[4], "Depth");
        EXPECT_TRUE(shown(4));
        e.Check1[1].user_click(); // map of sliders 2 and 3
        edit_label(e.Label7[2], "");
        EXPECT_FALSE(shown(2));
        EXPECT_FALSE(shown(3));
        edit_label(e.Label7[2], "Curve");
        EXPECT_TRUE(shown(2));
        EXPECT_TRUE(shown(3));
        e.Unload();
    }
}

// --- inserting code ---------------------------------------------------------------------------------

TEST_F(EditorEvents, InsertedCodeIsSelectedTemplatesLeaveTheCaretInTheirParentheses) {
    load(true);
    std::string six = "ctl(0)";
    InsertCodeText(app, six); // no box open: nothing
    for (auto& box : e.Text5)
        EXPECT_EQ(box.Text->find("ctl"), std::string::npos);
    EXPECT_EQ(preview_refreshes(), 0);

    e.Label2[2].user_click();
    e.Text5[2].Text = "0123456789";
    e.Text5[2].SelStart = 4;
    InsertCodeText(app, six);
    EXPECT_EQ(e.Text5[2].Text.get(), "0123ctl(0)456789");
    EXPECT_EQ(e.Text5[2].SelStart.get(), 4);
    EXPECT_EQ(e.Text5[2].SelLength.get(), 6);
    EXPECT_EQ(preview_refreshes(), 1);

    // "add(,,)" at caret 10: the caret lands at 14, after its "(".
    e.Text5[2].SelStart = 10;
    e.Combo1[0].ListIndex = 1;
    EXPECT_EQ(e.Text5[2].Text.get(), "0123ctl(0)add(,,)456789");
    EXPECT_EQ(e.Text5[2].SelStart.get(), 14);
    EXPECT_EQ(e.Text5[2].SelLength.get(), 0);
    EXPECT_EQ(e.ActiveControl(), &e.Text5[2]);
    // "cnv(,,,,,,,,,)" over a selected word replaces it.
    e.Text5[2].Text = "r+word+g";
    e.Text5[2].SelStart = 2;
    e.Text5[2].SelLength = 4;
    e.Combo1[0].ListIndex = 3;
    EXPECT_EQ(e.Text5[2].Text.get(), "r+cnv(,,,,,,,,,)+g");
    EXPECT_EQ(e.Text5[2].SelStart.get(), 6);
    EXPECT_EQ(preview_refreshes(), 3);

    // A snippet of ten characters into an empty box: all ten selected, the box focused.
    e.Combo1[1].AddItem("Ten");
    e.SnippetCode.push_back("(r+g+b)/3 ");
    e.Text5[2].Text = "";
    e.Picture1.SetFocus();
    e.Check2.Value = ui::vbUnchecked;
    e.Combo1[1].ListIndex = 0;
    EXPECT_EQ(e.Text5[2].Text.get(), "(r+g+b)/3 ");
    EXPECT_EQ(e.Text5[2].SelStart.get(), 0);
    EXPECT_EQ(e.Text5[2].SelLength.get(), 10);
    EXPECT_EQ(e.ActiveControl(), &e.Text5[2]);
    EXPECT_EQ(preview_refreshes(), 3); // Auto Preview off
}

TEST_F(EditorEvents, TheTemplateListHoldsTheFunctionsInOrder) {
    load(true);
    ASSERT_EQ(e.Combo1[0].ListCount(), 25);
    EXPECT_EQ(e.Combo1[0].List(0), "abs()");
    EXPECT_EQ(e.Combo1[0].List(3), "cnv(,,,,,,,,,)");
    EXPECT_EQ(e.Combo1[0].List(18), "scl(,,,,)");
    EXPECT_EQ(e.Combo1[0].List(24), "val(,,)");
}

TEST_F(EditorEvents, TheFontDialogSetsAllFourCodeBoxesStartingFromTheAlphaBox) {
    load(true);
    e.Text5[0].Font.Underline = true;
    ui::FontChoice chosen;
    chosen.Name = "Courier";
    chosen.Size = 12;
    chosen.Bold = true;
    chosen.Italic = true;
    host.answer_font_dialog(chosen);
    e.Command14.user_click();
    ASSERT_EQ(host.font_dialog_initials().size(), 1u);
    EXPECT_TRUE(host.font_dialog_initials()[0].Underline);
    for (auto& box : e.Text5) {
        EXPECT_EQ(box.Font.Name.get(), "Courier");
        EXPECT_EQ(box.Font.Size.get(), 12);
        EXPECT_TRUE(box.Font.Bold.get());
        EXPECT_TRUE(box.Font.Italic.get());
        EXPECT_FALSE(box.Font.Underline.get());
        EXPECT_FALSE(box.Font.Strikeout.get());
    }
    host.answer_font_dialog(std::nullopt); // cancelled: nothing changes
    e.Command14.user_click();
    EXPECT_EQ(e.Text5[3].Font.Name.get(), "Courier");
}

// --- save format, toolbar, mail link, help, pop-ups -------------------------------------------------

TEST_F(EditorEvents, PremiereFormatsAreRefusedWithTheProEditionMessage) {
    load(true);
    for (int chosen : {3, 1}) {
        host.answer_msgbox(ui::vbOK, "This format is only available in the Pro Edition!", ui::vbExclamation, "Vexolan");
        e.Combo2.ListIndex = chosen;
        EXPECT_EQ(e.Combo2.ListIndex.get(), 0);
        EXPECT_EQ(e.Combo2.Text.get(), "Photoshop Plug");
    }
    e.Combo2.ListIndex = 2;
    e.Combo2.ListIndex = 4;
    EXPECT_EQ(host.message_boxes().size(), 2u);
    // The save label saves in the format shown.
    const auto folder = make_folder("saved");
    app.form1().Dir1[0].Path = folder.string();
    app.form2().Check4.Value = ui::vbChecked; // into the active pane's folder
    e.Label6[0].Caption = "Shown";
    e.Label9[7].user_click();
    EXPECT_TRUE(files::file_exists((folder / "Shown.txt").string()));
}

TEST_F(EditorEvents, ToolbarLabelsRunTheirCommands) {
    load(true);
    // "Show large preview": the filtered picture in the picture editor.
    e.Label9[2].user_click();
    EXPECT_TRUE(app.picView().Visible.get());
    EXPECT_NE(app.PicImage, 0);
    // "Open new BMP picture as preview source" and "Save filtered picture" ask for a file.
    host.answer_file_dialog("");
    e.Label9[3].user_click();
    host.answer_file_dialog("");
    e.Label9[4].user_click();
    EXPECT_EQ(host.file_dialogs().size(), 2u);
    // "Reset all settings" asks first; "Save filter in different formats" needs a name.
    host.answer_msgbox(ui::vbCancel, "Delete the current filter?", ui::vbOKCancel, "Attention");
    e.Label9[6].user_click();
    e.Combo2.ListIndex = 0;
    host.answer_msgbox(ui::vbOK, "Filename isn't specified!", ui::vbExclamation, "Error");
    e.Label9[7].user_click();
    // Random values for the sliders in use, then one refresh.
    clear_preview_refreshes();
    e.Label7[0].Caption = "";
    e.Label9[5].user_click();
    EXPECT_EQ(preview_refreshes(), 1);
    EXPECT_NE(GetSliderKnobValue(app, 1) + GetSliderKnobValue(app, 2), 0);
}

TEST_F(EditorEvents, HoverMarksFollowTheMouseAndTheBodyClearsThem) {
    load(true);
    e.Label1[2].user_mouse_move(0, 0, 1, 1);
    e.Label1[4].user_mouse_move(0, 0, 1, 1);
    EXPECT_EQ(e.Label1[4].ForeColor.get(), ui::RGB(255, 255, 255));
    EXPECT_EQ(e.Label1[2].ForeColor.get(), 0u);
    e.Label6[1].user_mouse_move(0, 0, 1, 1);
    e.Label7[7].user_mouse_move(0, 0, 1, 1);
    e.Label2[1].user_mouse_move(0, 0, 1, 1);
    e.Label2[3].user_mouse_move(0, 0, 1, 1);
    EXPECT_EQ(e.Label2[1].ForeColor.get(), ui::RGB(255, 255, 255)); // channel labels keep theirs
    e.Label9[3].user_mouse_move(0, 0, 1, 1);
    e.Label9[5].user_mouse_move(0, 0, 1, 1);
    EXPECT_EQ(e.Label9[3].BorderStyle.get(), 0);
    EXPECT_EQ(e.Label9[5].BorderStyle.get(), 1);
    e.Label10.user_mouse_move(0, 0, 1, 1);
    EXPECT_EQ(e.Label10.BorderStyle.get(), 1);
    e.user_mouse_move(0, 0, 50, 50);
    for (ui::Label* l : {&e.Label1[4], &e.Label6[1], &e.Label7[7], &e.Label2[1], &e.Label2[3]})
        EXPECT_EQ(l->ForeColor.get(), 0u) << l->Name() << l->Index();
    EXPECT_EQ(e.Label9[5].BorderStyle.get(), 0);
    EXPECT_EQ(e.Label10.BorderStyle.get(), 0);
}

TEST_F(EditorEvents, HelpMailAndPopUpMenusGoWhereTheyBelong) {
    load(true);
    test_support::FakeOpener opener;
    root.write("appfolder/help/ffe.htm", "<html></html>");
    app.MailtoAddress = "skins@example.org";
    e.Text5[1].Visible = true;
    e.Text5[1].SetFocus();
    e.Text5[1].user_key(ui::vbKeyF1, ui::vbShiftMask); // whatever has the focus, whatever the shift
    e.Label10.user_click();
    const auto targets = opener.targets();
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0], (appFolder / "help/ffe.htm").string());
    EXPECT_EQ(targets[1], "mailto:skins@example.org?subject=Your Design");

    // A right click on the body: the main window's "&Project" menu.
    host.choose_no_popup();
    e.user_mouse_down(ui::vbRightButton, 0, 30, 30);
    e.user_mouse_down(ui::vbLeftButton, 0, 30, 30);
    ASSERT_EQ(host.popups().size(), 1u);
    EXPECT_EQ(host.popups()[0].Menu, "mnuFfeFunctions_FFE");
}

TEST_F(EditorEvents, PreviewClickShowsTheFileMenuWithoutItsLastEntriesAndPutsThemBack) {
    load(true);
    Form1& main = app.form1();
    app.form2().List1[1].AddItem("/pictures/a.bmp");
    app.form2().List1[1].AddItem("/pictures/b.bmp");
    app.form2().ListToMenu(1);
    bool hiddenMeanwhile = false;
    // A PNG picture chosen in "Open Picture": its message comes while the entries are hidden.
    host.answer_file_dialog(root.write("chosen.png", test_support::png_file(4, 4)).string());
    host.answer_msgbox(ui::vbOK, "\r\nPlease select a BMP or JPG file!");
    host.on_msgbox = [&](std::string_view) {
            hiddenMeanwhile =
                !main.zmnu1.Visible && !main.mnuOptions.Visible && !main.mnu1.Visible && !main.mnuExiting.Visible;
    };
    host.choose_popup("mnuOpen");
    e.Picture1.user_click();
    ASSERT_EQ(host.popups().size(), 1u);
    EXPECT_EQ(host.popups()[0].Menu, "mnuProject");
    EXPECT_TRUE(hiddenMeanwhile);
    for (ui::Menu* m : {&main.zmnu1, &main.mnuOptions, &main.mnu1, &main.mnuExiting})
        EXPECT_TRUE(m->Visible.get()) << m->Name();
    // The Preferences entry's picture goes back where the entry stands: position 9 + 2 of the menu.
    main.mnuOptions.Picture = 0;
    host.choose_no_popup();
    e.Picture1.user_click();
    EXPECT_EQ(main.mnuProject.PresentItem(11), &main.mnuOptions);
    EXPECT_EQ(main.mnuOptions.Picture.get(), main.Image3[8].Picture.get());
    EXPECT_NE(main.Image3[8].Picture.get(), 0);
    EXPECT_EQ(preview_refreshes(), 0);
    // A disabled window (being filled) pops nothing up.
    e.Enabled = false;
    e.Picture1_Click();
    EXPECT_EQ(host.popups().size(), 2u);
    e.Enabled = true;
}
