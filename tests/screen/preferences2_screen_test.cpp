// On a real screen: View > "FX Download" (F11) opens the link-list window with the shipped example
// entries, whose first entry Alt+Down moves; and "List Box Font" in the Preferences changes the font
// of every pane list, in the model and in the pixels of the main window.
#include "preferences/Form2.hpp"
#include "preferences/frmDownload.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;

namespace {

struct Preferences2Screen : test_support::ScreenTest {};

} // namespace

TEST_F(Preferences2Screen, FxDownloadShowsTheExampleLinksAndAltDownMovesOne) {
    Form1& main = app.form1();
    main.Show();
    main.Caption = "Vexolan main window";
    Driver user(*this, R"(
        id=$(find_window '^Vexolan main window$')
        focus "$id"
        xdotool key F11
        lid=$(find_window '^FX Download$')
        focus "$lid"
        shoot "$lid" fx_download
        xdotool key alt+Down
        sleep 0.5
        shoot "$lid" fx_download_moved
    )");
    user.finish();
    frmDownload& w = app.linkListWindow();
    ASSERT_TRUE(w.Visible.get());
    ASSERT_EQ(w.List1.ListCount(), 4);
    EXPECT_EQ(w.List1.List(0), "Filter Archive");
    EXPECT_EQ(w.List1.List(1), "Vexolan Home");
    EXPECT_EQ(w.LinkURLs[1], "https://vexolan.example/");
    EXPECT_EQ(w.List1.ListIndex.get(), 1);
    EXPECT_EQ(w.Label2.Caption.get(), "https://vexolan.example/");
    EXPECT_TRUE(w.LinksChanged);
    w.LinksChanged = false; // closes without the save question
    w.Unload();
}

TEST_F(Preferences2Screen, ListBoxFontChangesEveryPaneListOnScreen) {
    Form1& main = app.form1();
    Form2& prefs = app.form2();
    prefs.Command8_Click();
    prefs.SetFont("DejaVu Sans", 10, false, false, 0);
    main.Show();
    main.Caption = "Vexolan main window";
    for (int p = 0; p < 2; ++p)
        for (std::string_view name : {"Blur More.8bf", "Twirl Around.8bf", "Sharpen Edges.8bf"})
            main.ListView1[p].ListItems.Add().Text = std::string(name);
    Driver before(*this, R"(
        id=$(find_window '^Vexolan main window$')
        shoot "$id" font_before
    )");
    before.finish();
    prefs.SSTab1.SelectedItem = 3;
    // "List Box Font" at (840, 930) twips of the Preferences, 104 x 23 pixels; in the font chooser
    // "Bold" at (280, 66) and OK at (280, 190) pixels; the Preferences' "Ok" at (4800, 5040) twips.
    Driver user(*this, R"(
        id=$(find_window '^Vexolan main window$')
        pid=$(find_window '^Preferences$')
        focus "$pid"
        xdotool mousemove --window "$pid" 108 73 click 1
        fid=$(find_window '^Font$')
        xdotool mousemove --window "$fid" 290 78 click 1
        sleep 0.2
        xdotool mousemove --window "$fid" 320 204 click 1
        sleep 0.5
        shoot "$pid" font_label
        xdotool mousemove --window "$pid" 360 348 click 1
        sleep 0.5
        shoot "$id" font_after
        changed=$(compare -metric AE "$SHOTS/font_before.png" "$SHOTS/font_after.png" null: 2>&1 || true)
        echo "pixels changed: $changed" >&2
        [ "${changed%% *}" != 0 ]
    )");
    close_after(prefs, 40);
    prefs.ShowModal();
    user.finish();
    EXPECT_EQ(prefs.Label1[0].Caption.get(), "DejaVu Sans, 10");
    for (int p = 0; p < 2; ++p)
        for (ui::Control* c :
             std::initializer_list<ui::Control*>{&main.ListView1[p], &main.ListView2[p], &main.List2[p], &main.List3[p],
                                                 &main.File1[p], &main.Dir1[p]}) {
            EXPECT_EQ(c->Font.Name.get(), "DejaVu Sans") << c->Name() << p;
            EXPECT_TRUE(c->Font.Bold.get()) << c->Name() << p;
        }
    EXPECT_FALSE(main.Label1[0].Font.Bold.get());
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "FontBold1"), "True");
}
