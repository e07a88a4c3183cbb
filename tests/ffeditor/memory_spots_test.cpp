// The editor's memory spots: the pad's cells and markers, the spot buttons, deletion, clearing, and
// the marks that text sources carry through the text reader and writer.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/memory_spots.hpp"
#include "ffeditor/sliders.hpp"
#include "ffeditor/transfer.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/text_source.hpp"
#include "imaging/handles.hpp"
#include "tests/ffeditor/preview_count.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::clear_preview_refreshes;
using test_support::preview_refreshes;

namespace {

constexpr std::string_view Outline = "\"Test\",\"skin.bmp\",2,600,500\r\n"
                                     "\"RoundRect\",0,0,600,500,40,40\r\n\"Rect\",0,0,600,500,0,0\r\n\"RGN_AND\"\r\n";

struct MemorySpots : test_support::AppTest {
    MemorySpots() {
        host.set_twips_per_pixel(12);
        root.write("appfolder/interface/skin.bmp", test_support::bmp_file(600, 500, 24));
        EXPECT_TRUE(OpenImg(app, root.write("thumb.bmp", test_support::bmp_file(160, 120, 24)).string(),
                            app.PreviewImage, true));
        // The preview plug-in, as start-up leaves it.
        const auto preview = root.write("appfolder/temp.dll", ff::MakeStandInTemplate(ff::Layout57344));
        ff::ToggleFFUI(preview.string(), false);
    }
    ~MemorySpots() override {
        if (e.Loaded()) e.Unload();
        CloseImg(app, app.PreviewImage);
        CloseImg(app, app.PluginImage);
    }
    void load(bool graphic) {
        root.write("appfolder/interface/Chosen.des",
                   std::string(Outline) + (graphic ? "\"GraphSlider0\"\r\n" : "\"Scrollbars\"\r\n"));
        app.InterfaceFile = "Chosen.des";
        e.Load();
        ASSERT_EQ(app.GraphSliders, graphic);
        clear_preview_refreshes();
    }
    // Sets the sliders as a user would leave them: knob or scroll bar, and the value label.
    void set_sliders(const std::array<int, 8>& v) {
        e.Enabled = false;
        for (int c = 0; c < 8; ++c) {
            auto k = static_cast<std::size_t>(c);
            if (app.GraphSliders)
                SetSliderKnob(app, v[k], c);
            else
                e.HScroll1[k].Value = v[k];
            e.Label1[k].Caption = std::to_string(v[k]);
        }
        e.Enabled = true;
    }
    std::array<int, 8> sliders() {
        std::array<int, 8> v{};
        for (int c = 0; c < 8; ++c) {
            auto k = static_cast<std::size_t>(c);
            v[k] = app.GraphSliders ? GetSliderKnobValue(app, c) : e.HScroll1[k].Value.get();
            EXPECT_EQ(e.Label1[k].Caption.get(), std::to_string(v[k])) << c;
        }
        return v;
    }
    // A press in the middle of the pad's cell s.
    void press_cell(int s) {
        const float w = static_cast<float>(e.Picture6.Width.get()) / 5,
                    h = static_cast<float>(e.Picture6.Height.get()) / 2;
        e.Picture6.user_mouse_down(ui::vbLeftButton, 0, w * static_cast<float>(s % 5) + w / 2,
                                   h * static_cast<float>(s / 5) + h / 2);
    }
    FFEditorType1& e = app.EditorForm();
    const std::array<int, 8> tens{10, 20, 30, 40, 50, 60, 70, 80};
};

} // namespace

TEST_F(MemorySpots, APadSpotStoresTheSlidersAndItsMarkerRestoresThemEvenWithoutAutoPreview) {
    for (bool graphic : {true, false}) {
        load(graphic);
        set_sliders(tens);
        e.Picture6.user_mouse_down(ui::vbLeftButton, 0, 1, 1); // the top left cell
        EXPECT_TRUE(e.Picture7[0].Visible.get());
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(app.FF.Record.MemorySpot(0, c), tens[static_cast<std::size_t>(c)]) << graphic << c;
        EXPECT_FALSE(e.Command7[0].Font.Bold.get()); // the two sets of marks are apart
        set_sliders({1, 2, 3, 4, 5, 6, 7, 8});
        e.Check2.Value = ui::vbUnchecked;
        clear_preview_refreshes();
        e.Picture7[0].user_click();
        EXPECT_EQ(sliders(), tens) << graphic;
        EXPECT_EQ(preview_refreshes(), 1);
        EXPECT_TRUE(e.Enabled.get());
        e.Unload();
    }
}

TEST_F(MemorySpots, CellsFollowTheGridAndTheMiddleLineBelongsToTheLowerRow) {
    load(true);
    const int w = e.Picture6.Width, h = e.Picture6.Height;
    struct Case {
        float x, y;
        int spot;
    } cases[] = {
        {0, 0, 0},
        {static_cast<float>(w) / 5 - 1, static_cast<float>(h) / 2 - 1, 0},
        {static_cast<float>(w) / 5 + 1, 0, 1},
        {0, static_cast<float>(h) / 2, 5},
        {static_cast<float>(w) - 1, static_cast<float>(h) - 1, 9},
        {static_cast<float>(w) * 3 / 5 + 2, static_cast<float>(h) / 2, 8},
    };
    for (const Case& c : cases) {
        for (auto& marker : e.Picture7)
            marker.Visible = false;
        e.Picture6.user_mouse_down(ui::vbLeftButton, 0, c.x, c.y);
        for (int s = 0; s < 10; ++s)
            EXPECT_EQ(e.Picture7[static_cast<std::size_t>(s)].Visible.get(), s == c.spot)
                << c.x << "," << c.y << " spot " << s;
    }
}

TEST_F(MemorySpots, AnArmedDeletionWaitsForAMarkerAndKeepsTheValues) {
    load(true);
    set_sliders(tens);
    press_cell(3);
    e.Label9[1].user_click(); // "Delete only one Memory Spot"
    EXPECT_EQ(e.MousePointer.get(), 13);
    EXPECT_FALSE(e.Command8.Enabled.get());
    set_sliders({9, 9, 9, 9, 9, 9, 9, 9});
    press_cell(6); // an empty cell: nothing, still armed
    EXPECT_FALSE(e.Picture7[6].Visible.get());
    EXPECT_EQ(app.FF.Record.MemorySpot(6, 0), 0);
    EXPECT_FALSE(e.Command8.Enabled.get());
    e.Picture7[3].user_click();
    EXPECT_FALSE(e.Picture7[3].Visible.get());
    EXPECT_EQ(e.MousePointer.get(), 0);
    EXPECT_TRUE(e.Command8.Enabled.get());
    EXPECT_EQ(app.FF.Record.MemorySpot(3, 7), 80);
    EXPECT_EQ(sliders()[0], 9); // deleting recalls nothing
    press_cell(3);              // stores anew
    EXPECT_TRUE(e.Picture7[3].Visible.get());
    EXPECT_EQ(app.FF.Record.MemorySpot(3, 7), 9);
}

TEST_F(MemorySpots, SpotButtonsStoreOnceThenRecallAndAreDeletedWhenArmed) {
    load(false);
    set_sliders(tens);
    e.Command7[7].user_click();
    EXPECT_TRUE(e.Command7[7].Font.Bold.get());
    EXPECT_FALSE(e.Picture7[7].Visible.get());
    set_sliders({0, 0, 0, 0, 0, 0, 0, 0});
    clear_preview_refreshes();
    e.Command7[7].user_click(); // bold: recalls, does not store again
    EXPECT_EQ(sliders(), tens);
    EXPECT_EQ(preview_refreshes(), 1);
    e.Label9[1].user_click();
    e.Command7[7].user_click();
    EXPECT_FALSE(e.Command7[7].Font.Bold.get());
    EXPECT_TRUE(e.Command8.Enabled.get());
    EXPECT_EQ(app.FF.Record.MemorySpot(7, 1), 20);
}

TEST_F(MemorySpots, ClearAllEmptiesEverySpotAndKeepsAnArmedDeletion) {
    load(true);
    set_sliders(tens);
    for (int s : {0, 4, 9})
        press_cell(s);
    e.Command7[2].user_click();
    e.Label9[1].user_click();
    e.Label9[0].user_click(); // "Clear all Memory Spots"
    for (std::int16_t v : app.FF.Record.MemorySpots)
        EXPECT_EQ(v, 0);
    for (int s = 0; s < 10; ++s) {
        EXPECT_FALSE(e.Picture7[static_cast<std::size_t>(s)].Visible.get()) << s;
        EXPECT_FALSE(e.Command7[static_cast<std::size_t>(s)].Font.Bold.get()) << s;
    }
    EXPECT_FALSE(e.Command8.Enabled.get());
    EXPECT_EQ(e.MousePointer.get(), 13);
}

TEST_F(MemorySpots, RecallSetsHiddenSlidersAndClampsValuesFromOutsideToBytes) {
    load(true);
    e.Label7[6].Caption = "";
    ShowMapControls(app, 3);
    ASSERT_FALSE(e.Picture3[6].Visible.get());
    const std::array<std::int16_t, 8> stored{-5, 300, 0, 255, 128, 1000, 66, -32768};
    for (int c = 0; c < 8; ++c)
        app.FF.Record.MemorySpot(4, c) = stored[static_cast<std::size_t>(c)];
    e.Picture7[4].Visible = true;
    e.Picture7[4].user_click();
    EXPECT_EQ(sliders(), (std::array<int, 8>{0, 255, 0, 255, 128, 255, 66, 0}));
    EXPECT_EQ(e.HScroll1[6].Value.get(), 66);
    // The stored values stay as they came; only the sliders hold bytes.
    EXPECT_EQ(app.FF.Record.MemorySpot(4, 1), 300);
}

TEST_F(MemorySpots, ATextSourceReadIntoTheEditorAndWrittenAgainKeepsItsSpotsByteForByte) {
    load(true);
    const std::string source = "Category: Test\r\n"
                               "Title: Spots\r\n"
                               "Copyright: none\r\n"
                               "Author: me\r\n"
                               "Filename: spots.txt\r\n"
                               "\r\n"
                               "R:255-r\r\n"
                               "\r\n"
                               "G:g\r\n"
                               "\r\n"
                               "B:b\r\n"
                               "\r\n"
                               "A:a\r\n"
                               "\r\n"
                               "ctl[0]: Amount\r\n"
                               "ctl[1]: Depth\r\n"
                               "\r\n"
                               "val[0]: 12\r\n"
                               "val[1]: 200\r\n"
                               "\r\n"
                               "set[0]: 1,2,3,4,5,6,7,8\r\n"
                               "set[3]: 300,-5,0,255,9,9,9,9\r\n"
                               "set[9]: 10,20,30,40,50,60,70,80\r\n";
    const auto in = make_folder("in"), out = make_folder("out");
    root.write("in/spots.txt", source);
    ASSERT_TRUE(ff::ReadTXT(app.FF, in.string(), "spots.txt", false, true));
    for (int s = 0; s < 10; ++s) {
        const bool stored = s == 0 || s == 3 || s == 9;
        EXPECT_EQ(e.Picture7[static_cast<std::size_t>(s)].Visible.get(), stored) << s;
        EXPECT_EQ(e.Command7[static_cast<std::size_t>(s)].Font.Bold.get(), stored) << s;
    }
    FilterToEditor(app);
    EditorToFilter(app);
    ASSERT_TRUE(ff::WriteTXT(app.FF, out.string(), true));
    EXPECT_EQ(test_support::read_file(out / "spots.txt"), source);

    // A spot deleted on the pad is no longer written.
    e.Label9[1].user_click();
    e.Picture7[3].user_click();
    ASSERT_TRUE(ff::WriteTXT(app.FF, out.string(), true));
    const std::string written = test_support::read_file(out / "spots.txt");
    EXPECT_EQ(written.find("set[3]"), std::string::npos);
    EXPECT_NE(written.find("set[9]: 10,20,30,40,50,60,70,80\r\n"), std::string::npos);
}

TEST_F(MemorySpots, SpotsReadBeforeTheWindowLoadsAreMarkedAsItLoads) {
    app.FF.MarkPresetSpot(2);
    app.FF.MarkPresetSpot(10); // no such spot
    EXPECT_FALSE(e.Loaded());
    EXPECT_FALSE(app.FF.PresetSpotStored(2));
    load(true);
    EXPECT_TRUE(e.Picture7[2].Visible.get());
    EXPECT_TRUE(e.Command7[2].Font.Bold.get());
    EXPECT_TRUE(app.FF.PresetSpotStored(2));
    EXPECT_FALSE(app.FF.PresetSpotStored(3));
    EXPECT_FALSE(app.FF.PresetSpotStored(10));
    // Unloading discards the marks; the next load starts without them.
    e.Unload();
    EXPECT_FALSE(app.FF.PresetSpotStored(2));
    e.Load();
    EXPECT_FALSE(e.Picture7[2].Visible.get());
}
