// The editor window: loading, interface description files, graphic sliders and maps, and the copy
// between the window and the current filter. Each test builds its own app folder with the files it
// needs.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/commands.hpp"
#include "ffeditor/des_reader.hpp"
#include "ffeditor/interface.hpp"
#include "ffeditor/sliders.hpp"
#include "ffeditor/transfer.hpp"
#include "imaging/handles.hpp"
#include "preferences/Form2.hpp"
#include "filterfactory/compiler.hpp"
#include "platform/imgman/plugin_host.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/editor_support.hpp"
#include "tests/support/pictures.hpp"

#include "platform/imgman/images.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace vexolan;

namespace {

// An outline and nothing after it: a 600 x 500 window, rounded corners.
constexpr std::string_view Outline = "\"Test\",\"skin.bmp\",2,600,500\r\n"
                                     "\"RoundRect\",0,0,600,500,40,40\r\n\"Rect\",0,0,600,500,0,0\r\n\"RGN_AND\"\r\n";

struct EditorTest : test_support::AppTest {
    EditorTest() {
        host.set_twips_per_pixel(15);
        root.write("appfolder/interface/skin.bmp", test_support::bmp_file(600, 500, 24));
        des("Interfc5.des", std::string(Outline) + "\"GraphSlider1\"\r\n");
        EXPECT_TRUE(OpenImg(app, root.write("thumb.bmp", test_support::bmp_file(160, 120, 24)).string(),
                            app.PreviewImage, true));
        // The preview plug-in, as start-up leaves it.
        const auto preview = root.write("appfolder/temp.dll", ff::MakeStandInTemplate(ff::Layout57344));
        ff::ToggleFFUI(preview.string(), false);
        imgman::reset_plugin_host_log();
    }
    ~EditorTest() override {
        if (app.EditorForm().Loaded()) app.EditorForm().Unload();
        CloseImg(app, app.PreviewImage);
        CloseImg(app, app.PluginImage); // the working copy of the last preview
    }
    void des(std::string_view name, std::string_view bytes) {
        root.write("appfolder/interface/" + std::string(name), bytes);
    }
    // Loads the editor with a description file of its own.
    FFEditorType1& load_with(std::string_view bytes) {
        des("Chosen.des", bytes);
        app.InterfaceFile = "Chosen.des";
        app.EditorForm().Load();
        return app.EditorForm();
    }
    // The preview runs made since the plug-in host's log was last reset.
    int previews() const { return test_support::plugin_runs(); }
    FFEditorType1& e = app.EditorForm();
};

} // namespace

// --- regions -----------------------------------------------------------------------------------------

TEST(RegionTest, CombinationsFollowTheFiveModes) {
    const ui::Region rect = ui::Region::Rect(0, 0, 100, 100);
    const ui::Region hole = ui::Region::Ellipse(25, 25, 75, 75);
    struct Case {
        int mode;
        bool centre, corner, outside;
    } cases[] = {
        {ui::RGN_AND, true, false, false},  {ui::RGN_OR, true, true, false},   {ui::RGN_XOR, false, true, false},
        {ui::RGN_DIFF, false, true, false}, {ui::RGN_COPY, true, true, false},
    };
    for (const Case& c : cases) {
        ui::Region r;
        EXPECT_NE(ui::CombineRgn(r, rect, hole, c.mode), ui::RGN_ERROR) << c.mode;
        EXPECT_EQ(r.contains(50, 50), c.centre) << c.mode;
        EXPECT_EQ(r.contains(2, 2), c.corner) << c.mode;
        EXPECT_EQ(r.contains(100, 50), c.outside) << c.mode; // right edge is exclusive
    }
    ui::Region r = rect;
    EXPECT_EQ(ui::CombineRgn(r, rect, hole, 0), ui::RGN_ERROR);
    EXPECT_EQ(ui::CombineRgn(r, rect, hole, 6), ui::RGN_ERROR);
    EXPECT_TRUE(r.contains(50, 50)); // unchanged
    EXPECT_EQ(rect.complexity(), ui::SIMPLEREGION);
    ui::CombineRgn(r, rect, hole, ui::RGN_DIFF);
    EXPECT_EQ(r.complexity(), ui::COMPLEXREGION);
    ui::CombineRgn(r, hole, rect, ui::RGN_DIFF);
    EXPECT_EQ(r.complexity(), ui::NULLREGION);
    // A rounded rectangle cuts its corners only.
    const ui::Region round = ui::Region::RoundRect(0, 0, 100, 60, 30, 30);
    EXPECT_FALSE(round.contains(0, 0));
    EXPECT_FALSE(round.contains(99, 59));
    EXPECT_TRUE(round.contains(15, 0));
    EXPECT_TRUE(round.contains(0, 30));
    EXPECT_TRUE(round.contains(50, 30));
}

// --- the field reader --------------------------------------------------------------------------------

TEST(DesReaderTest, FieldsFollowTheTextFileRules) {
    DesReader in("  \"a, b\" ,plain text  ,12px,-7\r\n\"x\"\rlast\n , ,abc");
    EXPECT_EQ(in.text(), "a, b");
    EXPECT_EQ(in.text(), "plain text");
    EXPECT_EQ(in.number(), 12);
    EXPECT_EQ(in.number(), -7);
    EXPECT_EQ(in.text(), "x");
    EXPECT_EQ(in.text(), "last");
    EXPECT_EQ(in.text(), "");
    EXPECT_EQ(in.text(), "");
    EXPECT_EQ(in.number(), 0); // "abc" holds no number
    EXPECT_TRUE(in.at_end());
    EXPECT_THROW(in.text(), vb::Error);
    EXPECT_EQ(DesReader::leading_number("99999999999"), 2147483647);
}

// --- interface files ----------------------------------------------------------------------------------

TEST_F(EditorTest, TwoShapesReadExactlyTwentyFieldsBeforeTheSliderKind) {
    load_with(std::string(Outline) + "\"GraphSlider2\"\r\n");
    EXPECT_TRUE(app.GraphSliders);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(e.Picture2[i].Picture.get(), e.Picture4[2].Picture.get());
        EXPECT_EQ(e.Picture3[i].Picture.get(), e.Picture5[2].Picture.get());
        EXPECT_EQ(e.Picture3[i].Width.get(), e.Picture5[2].Width.get());
        EXPECT_TRUE(e.Picture2[i].Visible.get());
        EXPECT_FALSE(e.HScroll1[i].Visible.get());
    }
    EXPECT_EQ(e.Width.get(), 600 * 15);
    EXPECT_EQ(e.Height.get(), 500 * 15);
    EXPECT_EQ(e.Caption.get(), "Filter Factory Editor");
    EXPECT_EQ(e.Picture().Width, 600);
    ASSERT_TRUE(e.WindowRegion());
    EXPECT_FALSE(e.WindowRegion()->contains(0, 0));
    EXPECT_TRUE(e.WindowRegion()->contains(300, 0));
}

TEST_F(EditorTest, AFileEndingAfterTheOutlineGivesScrollBarsNoMailAndTheDefaultCodeBoxes) {
    load_with(Outline);
    EXPECT_FALSE(app.GraphSliders);
    EXPECT_TRUE(e.HScroll1[3].Visible.get());
    EXPECT_FALSE(e.Picture2[3].Visible.get());
    EXPECT_FALSE(e.Label10.Visible.get());
    EXPECT_EQ(e.Label10.ToolTipText.get(), "");
    for (auto& box : e.Text5) {
        EXPECT_EQ(box.Left.get(), 216 * 15);
        EXPECT_EQ(box.Top.get(), 192 * 15);
        EXPECT_EQ(box.Width.get(), 317 * 15);
        EXPECT_EQ(box.Height.get(), 193 * 15);
    }
}

TEST_F(EditorTest, OptionalSectionsApplyOnlyInTheirOrder) {
    struct Case {
        std::string tail;
        bool graph;
        bool mailPlaced;
        bool codePlaced;
    } cases[] = {
        {"\"GraphSlider0\",\"Mailto\",10,20,110,40,\"me@example.org\",\"Write!\",\"CodeWindows\",5,6,105,206", true,
         true, true},
        // "Mailto" first is taken as the slider kind; its left coordinate is then no mail keyword.
        {"\"Mailto\",10,20,110,40,\"me@example.org\",\"Write!\"", false, false, false},
        {"\"Bars\",\"NoMail\",\"CodeWindows\",5,6,105,206", false, false, true},
    };
    for (const Case& c : cases) {
        if (e.Loaded()) e.Unload();
        app.MailtoAddress.clear();
        load_with(std::string(Outline) + c.tail + "\r\n");
        EXPECT_EQ(app.GraphSliders, c.graph) << c.tail;
        if (c.mailPlaced) {
            EXPECT_EQ(e.Label10.Left.get(), 150);
            EXPECT_EQ(e.Label10.Top.get(), 300);
            EXPECT_EQ(e.Label10.Width.get(), 1500);
            EXPECT_EQ(e.Label10.Height.get(), 300);
            EXPECT_EQ(app.MailtoAddress, "me@example.org");
            EXPECT_EQ(e.Label10.ToolTipText.get(), "Write!");
        } else {
            // Left as the design (scaled by 15/12) had it.
            EXPECT_EQ(e.Label10.Left.get(), 2652 * 15 / 12) << c.tail;
            EXPECT_EQ(app.MailtoAddress, "");
        }
        if (c.codePlaced) {
            EXPECT_EQ(e.Text5[2].Left.get(), 75);
            EXPECT_EQ(e.Text5[2].Width.get(), 1500);
            EXPECT_EQ(e.Text5[2].Height.get(), 3000);
        } else {
            EXPECT_EQ(e.Text5[2].Left.get(), 2592 * 15 / 12) << c.tail;
        }
    }
}

TEST_F(EditorTest, SliderLookDigitsChooseTheBuiltInPictures) {
    struct Case {
        const char* field;
        int look; // -1: the pictures stay
    } cases[] = {{"GraphSlider1", 1}, {"GraphSliderX", 0}, {"GraphSlider7", -1}};
    for (const Case& c : cases) {
        if (e.Loaded()) e.Unload();
        load_with(std::string(Outline) + "\"" + c.field + "\"\r\n");
        EXPECT_TRUE(app.GraphSliders) << c.field;
        int want = c.look < 0 ? 0 : e.Picture4[static_cast<std::size_t>(c.look)].Picture.get();
        EXPECT_EQ(e.Picture2[5].Picture.get(), want) << c.field;
    }
}

TEST_F(EditorTest, AMissingFileFallsBackAndOnlyThePlainEditorKeepsItsChoice) {
    for (std::string chosen : {"Gone.des", "OFF"}) {
        if (e.Loaded()) e.Unload();
        app.InterfaceFile = chosen;
        e.Load();
        EXPECT_EQ(app.InterfaceFile, chosen == "OFF" ? "OFF" : "Interfc5.des");
        EXPECT_TRUE(app.GraphSliders) << chosen; // the look of Interfc5.des
        EXPECT_EQ(e.Picture2[0].Picture.get(), e.Picture4[1].Picture.get());
    }
}

TEST_F(EditorTest, OutlinesCombineFurtherShapesAndSurviveBadRecords) {
    const std::string head = "\"T\",\"none.bmp\",";
    struct Case {
        std::string body;
        bool centre, corner;
    } cases[] = {
        {"2,100,100,\"Rect\",0,0,100,100,0,0,\"Ellipse\",25,25,75,75,0,0,\"RGN_DIFF\"", false, true},
        // An unknown operation before any known one: the full rectangle.
        {"2,100,100,\"Rect\",0,0,100,100,0,0,\"Ellipse\",25,25,75,75,0,0,\"RGN_NOPE\"", true, true},
        // An unknown first kind: the combination fails, the full rectangle.
        {"2,100,100,\"Star\",0,0,100,100,0,0,\"Ellipse\",25,25,75,75,0,0,\"RGN_AND\"", true, true},
        // A further shape with an unknown operation keeps the code in force (AND with the ellipse).
        {"3,100,100,\"Rect\",0,0,100,100,0,0,\"Rect\",0,0,100,100,0,0,\"RGN_AND\",\"Ellipse\",10,10,90,90,0,0,\"?\"",
         true, false},
        // A further shape of unknown kind with none before it: the fresh full rectangle.
        {"3,100,100,\"Rect\",0,0,10,10,0,0,\"Rect\",0,0,10,10,0,0,\"RGN_AND\",\"Blob\",10,10,90,90,0,0,\"RGN_AND\"",
         true, true},
        // A count far beyond the file ends with the file.
        {"2000000000,100,100,\"Rect\",0,0,100,100,0,0,\"Ellipse\",25,25,75,75,0,0,\"RGN_DIFF\"", false, true},
    };
    for (const Case& c : cases) {
        if (e.Loaded()) e.Unload();
        load_with(head + c.body + "\r\n");
        ASSERT_TRUE(e.WindowRegion()) << c.body;
        EXPECT_EQ(e.WindowRegion()->contains(50, 50), c.centre) << c.body;
        EXPECT_EQ(e.WindowRegion()->contains(1, 1), c.corner) << c.body;
    }
}

TEST_F(EditorTest, ShortAndHostileFilesAreAppliedAsFarAsTheyGo) {
    for (std::string bytes :
         {std::string(), std::string("\"only a name\""), std::string("\"n\",\"p\",2,99999999999,5"),
          std::string("\"n\",\"p\",2,600,500,\"Rect\",1,2"), std::string("\"\"\"\",,,,\r\n\r\n,")}) {
        if (e.Loaded()) e.Unload();
        load_with(bytes);
        EXPECT_EQ(e.Caption.get(), "Filter Factory Editor") << bytes;
        EXPECT_TRUE(host.message_boxes().empty()) << bytes;
    }
}

// --- loading -----------------------------------------------------------------------------------------

TEST_F(EditorTest, LoadingScalesOnlyWhenBothAxesDifferFromTwelve) {
    struct Case {
        int tx, ty;
        int left, top, fontTenths;
    } cases[] = {{12, 12, 384, 576, 80}, {15, 15, 480, 720, 100}, {12, 15, 384, 576, 80}};
    for (const Case& c : cases) {
        if (e.Loaded()) e.Unload();
        host.set_twips_per_pixel(c.tx, c.ty);
        e.Load();
        EXPECT_EQ(e.Label6[1].Left.get(), c.left) << c.tx << "/" << c.ty;
        EXPECT_EQ(e.Label6[1].Top.get(), c.top) << c.tx << "/" << c.ty;
        EXPECT_EQ(std::lround(e.Label6[1].Font.Size.get() * 10), c.fontTenths) << c.tx << "/" << c.ty;
    }
}

TEST_F(EditorTest, AFreshWindowShowsTheUnfilteredThumbnailAndTheDesign) {
    root.write("appfolder/SNIPETS.db", "r; one\r\ng; two\r\n");
    e.Load();
    EXPECT_FALSE(e.Visible.get());
    EXPECT_EQ(e.Picture1.Width.get(), 159 * 15);
    EXPECT_EQ(e.Picture1.Height.get(), 119 * 15);
    EXPECT_FALSE(e.Picture1.Image().empty());
    EXPECT_EQ(e.Combo2.Text.get(), "Photoshop Plug");
    EXPECT_EQ(e.Check2.Value.get(), ui::vbChecked);
    EXPECT_EQ(e.EditedLabel, &e.Check2);
    for (auto& box : e.Text5)
        EXPECT_FALSE(box.Visible.get());
    EXPECT_EQ(e.Text5[0].Text.get(), "a\r\n");
    EXPECT_FALSE(e.Combo1[0].Enabled.get());
    EXPECT_FALSE(e.Combo1[1].Enabled.get());
    for (auto& marker : e.Picture7)
        EXPECT_FALSE(marker.Visible.get());
    EXPECT_EQ(previews(), 0); // no filter runs at load time
    EXPECT_EQ(e.Combo1[1].ListCount(), 2); // the snippet file, found whatever the case of its name

    // Filled, unloaded and shown again: the design captions, and the preview path stored.
    e.Label7[0].Caption = "Amount";
    e.Label6[0].Caption = "mine.8bf";
    app.OriginalBMP = "/pictures/last.bmp";
    e.Unload();
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "PreviewPic", ""), "/pictures/last.bmp");
    e.Show();
    EXPECT_EQ(e.Combo1[1].ListCount(), 2); // read afresh, not added twice
    EXPECT_EQ(e.Label7[0].Caption.get(), "Slider 1");
    EXPECT_EQ(e.Label6[0].Caption.get(), "Filename");
}

TEST_F(EditorTest, ViewMenuTogglesTheWindowUnlessThePlainEditorIsChosen) {
    app.form2().Combo1.AddItem("Vexolan Classic");
    app.form2().Combo1.ListIndex = 1;
    mnuFFE_Click(app);
    EXPECT_TRUE(e.Visible.get());
    mnuFFE_Click(app);
    EXPECT_TRUE(e.Loaded());
    EXPECT_FALSE(e.Visible.get());
    app.form2().Combo1.ListIndex = 0;
    mnuFFE_Click(app);
    EXPECT_FALSE(e.Visible.get());
}

// --- sliders -------------------------------------------------------------------------------------------

TEST_F(EditorTest, KnobPlacesEndsAndEveryValueRoundTrip) {
    e.Load();
    const int left = e.Picture2[0].Left, width = e.Picture2[0].Width, knob = e.Picture3[0].Width;
    ASSERT_GE(SliderTravel(e, 0), 255);
    SetSliderKnob(app, 0, 0);
    EXPECT_EQ(e.Picture3[0].Left.get(), left + 15 * 15);
    SetSliderKnob(app, 255, 0);
    EXPECT_EQ(e.Picture3[0].Left.get() + knob, left + width - 15 * 15);
    for (int v = 0; v <= 255; ++v) {
        SetSliderKnob(app, v, 0);
        ASSERT_EQ(GetSliderKnobValue(app, 0), v);
    }
    // A track with no room for the knob: no division by zero, the knob at the left end, value 0.
    e.Picture2[1].Width = e.Picture3[1].Width + 20 * 15;
    SetSliderKnob(app, 200, 1);
    EXPECT_EQ(e.Picture3[1].Left.get(), e.Picture2[1].Left + 15 * 15);
    EXPECT_EQ(GetSliderKnobValue(app, 1), 0);
}

TEST_F(EditorTest, HoldingTheLeftMarginCountsDownToZeroAndWaitsForTheRelease) {
    e.Load();
    e.Check2.Value = ui::vbUnchecked;
    imgman::reset_plugin_host_log();
    e.Label1[2].Caption = "3";
    host.set_key_down(ui::vbKeyLButton, true);
    int polls = 0;
    std::vector<std::string> seen;
    host.on_do_events = [&] {
        seen.push_back(e.Label1[2].Caption.get());
        if (++polls == 6) host.set_key_down(ui::vbKeyLButton, false);
    };
    e.Picture2[2].user_mouse_down(ui::vbLeftButton, 0, 5 * 15, 100);
    EXPECT_EQ(seen, (std::vector<std::string>{"2", "1", "0", "0", "0", "0"}));
    EXPECT_EQ(host.sleeps(), (std::vector<int>{95, 95, 95}));
    EXPECT_EQ(GetSliderKnobValue(app, 2), 0);
    EXPECT_EQ(previews(), 0);

    // The right margin with Auto Preview: each step refreshes instead of sleeping.
    e.Check2.Value = ui::vbChecked;
    imgman::reset_plugin_host_log();
    e.Label1[2].Caption = "254";
    polls = 0;
    seen.clear();
    host.set_key_down(ui::vbKeyLButton, true);
    e.Picture2[2].user_mouse_down(ui::vbLeftButton, 0, e.Picture2[2].Width - 5 * 15.0f, 100);
    EXPECT_EQ(seen.front(), "255");
    EXPECT_EQ(seen.back(), "255");
    EXPECT_EQ(previews(), 1);
    EXPECT_EQ(host.sleeps().size(), 3u);
    host.on_do_events = nullptr;
}

TEST_F(EditorTest, MiddleZoneClicksJumpAndRightOfTheLastPlaceSets255) {
    e.Load();
    auto& track = e.Picture2[4];
    const int knob = e.Picture3[4].Width;
    // Just right of the last knob place (but left of the margin): 255.
    track.user_mouse_down(ui::vbLeftButton, 0, static_cast<float>(track.Width - 15 * 15 - knob + 15), 10);
    EXPECT_EQ(e.Label1[4].Caption.get(), "255");
    EXPECT_EQ(e.Picture3[4].Left.get(), track.Left + track.Width - 15 * 15 - knob);
    // Halfway: the knob's grip (4 pixels in) under the pointer, the value from its place.
    track.user_mouse_down(ui::vbLeftButton, 0, static_cast<float>(track.Width / 2), 10);
    EXPECT_EQ(e.Picture3[4].Left.get(), track.Left + track.Width / 2 - 4 * 15);
    EXPECT_EQ(e.Label1[4].Caption.get(), std::to_string(GetSliderKnobValue(app, 4)));
    // A drag beyond both ends keeps the knob inside.
    e.Picture3[4].user_mouse_move(ui::vbLeftButton, 0, -100000, 0);
    EXPECT_EQ(e.Label1[4].Caption.get(), "0");
    e.Picture3[4].user_mouse_move(ui::vbLeftButton, 0, 100000, 0);
    EXPECT_EQ(e.Label1[4].Caption.get(), "255");
    e.Picture3[4].user_mouse_move(ui::vbRightButton, 0, -100000, 0);
    EXPECT_EQ(e.Label1[4].Caption.get(), "255");
}

TEST_F(EditorTest, SwitchingAMapOffHidesUnnamedSlidersAndClearsTheMapName) {
    e.Load();
    app.FF.Record.MapName[1] = "Twirl";
    e.Check1[1].Value = ui::vbChecked;
    EXPECT_FALSE(e.Label7[3].Visible.get());
    e.Label7[3].Caption = "";
    e.Check1[1].Value = ui::vbUnchecked;
    EXPECT_EQ(app.FF.Record.MapName[1], "");
    EXPECT_TRUE(e.Label7[3].Visible.get());
    EXPECT_FALSE(e.Picture2[3].Visible.get());
    EXPECT_FALSE(e.Picture3[3].Visible.get());
    EXPECT_FALSE(e.Label1[3].Visible.get());
    EXPECT_TRUE(e.Picture2[2].Visible.get());
    EXPECT_FALSE(e.HScroll1[3].Visible.get()); // scroll bars stay hidden under graphic sliders
}

TEST_F(EditorTest, RandomizeLeavesUnusedAndLockedSlidersAlone) {
    e.Load();
    for (std::size_t i = 0; i < 8; ++i)
        e.Label1[i].Caption = "7";
    e.Label7[1].Caption = ""; // unused
    e.Label7[2].Caption = ""; // unused, but map 1 is on
    e.Check1[1].Value = ui::vbChecked;
    e.Label7[5].Font.Strikeout = true; // locked
    imgman::reset_plugin_host_log();
    RandomizeSliders(app);
    EXPECT_EQ(e.Label1[1].Caption.get(), "7");
    EXPECT_EQ(e.Label1[5].Caption.get(), "7");
    int changed = 0;
    for (std::size_t i : {0u, 2u, 3u, 4u, 6u, 7u}) {
        int v = std::stoi(e.Label1[i].Caption.get());
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 255);
        EXPECT_EQ(GetSliderKnobValue(app, static_cast<int>(i)), v);
        changed += v != 7;
    }
    EXPECT_GE(changed, 4);
    EXPECT_TRUE(e.Enabled.get());
    EXPECT_EQ(previews(), 1);
}

// --- record transfer ------------------------------------------------------------------------------

TEST_F(EditorTest, FilterToEditorShowsMapsAndNamedSlidersAndRoundTrips) {
    e.Load();
    ff::FilterRecord& r = app.FF.Record;
    r.Filename = "swirl.8bf";
    r.Category = "Distort";
    r.Title = "Swirl";
    r.Author = "Ann";
    r.Copyright = "(c) Ann";
    r.CtlName = {"Amount", "Angle", "", "", "Five", "", "Seven", "Eight"};
    r.MapName = {"", "Twirl", "", ""};
    r.CtlValue = {0, 1, 128, 200, 254, 255, 17, 99};
    r.CodeR = "r";
    r.CodeG = "g*2";
    r.CodeB = "b";
    r.CodeA = "a";
    imgman::reset_plugin_host_log();
    FilterToEditor(app);
    EXPECT_EQ(previews(), 0);
    EXPECT_TRUE(e.Enabled.get());
    EXPECT_EQ(e.Check1[1].Value.get(), ui::vbChecked);
    EXPECT_EQ(e.Label7[2].Caption.get(), "Twirl");
    EXPECT_TRUE(e.Label7[2].Visible.get());
    EXPECT_FALSE(e.Label7[3].Visible.get());
    EXPECT_TRUE(e.Picture2[2].Visible.get() && e.Picture2[3].Visible.get());
    EXPECT_TRUE(e.Label1[3].Visible.get());
    EXPECT_TRUE(e.Picture2[4].Visible.get());
    EXPECT_FALSE(e.Picture2[5].Visible.get());
    EXPECT_FALSE(e.Label1[5].Visible.get());
    EXPECT_FALSE(e.HScroll1[0].Visible.get());
    EXPECT_EQ(e.Text5[0].Text.get(), "a");
    EXPECT_EQ(e.Text5[2].Text.get(), "g*2");
    EXPECT_EQ(e.Label1[5].Caption.get(), "255");
    EXPECT_EQ(GetSliderKnobValue(app, 3), 200);

    const ff::FilterRecord before = r;
    ff::IniVars(r);
    r.CtlName[2] = "kept";
    EditorToFilter(app);
    EXPECT_EQ(r.Filename, before.Filename);
    EXPECT_EQ(r.Category, before.Category);
    EXPECT_EQ(r.Title, before.Title);
    EXPECT_EQ(r.Author, before.Author);
    EXPECT_EQ(r.Copyright, before.Copyright);
    EXPECT_EQ(r.MapName, before.MapName);
    EXPECT_EQ(r.CtlName[2], "kept"); // a map's control names are not read back
    EXPECT_EQ(r.CtlName[4], "Five");
    EXPECT_EQ(r.CtlName[5], "");
    EXPECT_EQ(r.CtlValue, before.CtlValue);
    EXPECT_EQ(r.CodeA, "a");
    EXPECT_EQ(r.CodeG, "g*2");

    // A value caption outside a byte leaves the value; a leading number is read.
    e.Label1[0].Caption = "300";
    e.Label1[1].Caption = "42abc";
    EditorToFilter(app);
    EXPECT_EQ(r.CtlValue[0], 0);
    EXPECT_EQ(r.CtlValue[1], 42);
}

TEST_F(EditorTest, AFailureWhileFillingNeverLeavesTheWindowDisabled) {
    e.Load();
    app.FF.Record.CtlName = {"a", "b", "c", "d", "e", "f", "g", "h"};
    e.Check1[0].Click = [] { throw vb::Error(5); };
    app.FF.Record.MapName[0] = "m";
    EXPECT_THROW(FilterToEditor(app), vb::Error);
    EXPECT_TRUE(e.Enabled.get());
}

TEST_F(EditorTest, ThePreferencesInterfaceBoxRebuildsTheLoadedEditorOrHidesIt) {
    des("Scroll01.des", Outline);
    des("Slider01.des", std::string(Outline) + "\"GraphSlider1\"\r\n");
    app.Settings.SaveSetting("Vexo10", "Settings", "PreviewPic", (root.path() / "thumb.bmp").string());
    app.InterfaceFile = "Scroll01.des";
    e.Load();
    e.Show();
    ASSERT_FALSE(app.GraphSliders);
    Form2& prefs = app.form2();
    prefs.LookforInterface();
    const int slider = prefs.InterfaceEntry("Slider01.des");
    ASSERT_GT(slider, 0);

    // Chosen from code while the Preferences are hidden: nothing happens.
    prefs.Combo1.ListIndex = slider;
    EXPECT_EQ(app.InterfaceFile, "Scroll01.des");
    EXPECT_FALSE(app.GraphSliders);

    // Chosen by the user: the loaded window is rebuilt from the file, the preview picture made again.
    prefs.Show();
    prefs.Combo1.ListIndex = 0;
    prefs.Combo1.ListIndex = slider;
    EXPECT_EQ(app.InterfaceFile, "Slider01.des");
    EXPECT_TRUE(app.GraphSliders);
    EXPECT_TRUE(e.Picture2[0].Visible.get());
    EXPECT_TRUE(e.Loaded());
    EXPECT_NE(app.PreviewImage, 0);

    // The plain editor: the window goes out of sight but stays loaded.
    prefs.Combo1.ListIndex = 0;
    EXPECT_EQ(app.InterfaceFile, "OFF");
    EXPECT_FALSE(e.Visible.get());
    EXPECT_TRUE(e.Loaded());
}
