// Why the editor's filter cannot run, on a real screen: a formula that does not compile or does not
// fit into a plug-in, typed into a code box in one-box and in three-box mode, is told inside the
// preview box in place of the picture once the typing rests, naming the box as the user sees it,
// with no message box and the focus left in the code box; typing the formula right brings the
// picture back. Saving the filter with an over-long formula is still refused with the compiler's box.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/preview.hpp"
#include "imaging/handles.hpp"
#include "platform/fs/files.hpp"
#include "platform/imgman/images.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/editor_screen.hpp"
#include "tests/screen/screen_support.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;

namespace {

constexpr int Alpha = 0, Red = 1, Green = 2;
// After one letter, the rest of a formula that compiles and fills a plug-in's slot to its last byte.
std::string full_slot_rest() {
    std::string rest;
    while (rest.size() < 1018)
        rest += "+0";
    return rest;
}

struct EditorReasonScreen : test_support::EditorScreenTest {
    test_support::TempDir saves{"saves"};
    std::string goodShot;
    int step = 0;
    // Once a message box has closed, only a window manager gives the editor's window the keyboard
    // again; the bare X server of the tests has none, so the screen's focus is not looked at then.
    bool boxClosed = false;

    // One thing the user types: into which box, the text already in it (the keys then go to its
    // end instead of over it), the keys, the reason the preview box then shows ("" for none), and
    // whether the picture is then the last good one again (else a new good one).
    struct Typing {
        int box;
        std::string before;
        std::string keys;
        std::string reason;
        bool sameAsLastGood = true;
    };

    EditorReasonScreen() {
        f.Dir1[0].Path = saves.path().string();
        f.Switchit(0);
    }
    // The text the preview box draws, its lines joined by blanks.
    std::string drawn() const {
        std::string text;
        for (const ui::PrintedText& t : e.Picture1.Texts())
            text += (text.empty() ? "" : " ") + t.Text;
        return text;
    }
    // A screenshot of the editor window into `file`.
    void shoot(const std::string& file) {
        Driver look(*this,
                    "id=$(find_window '^Filter Factory Editor')\nsleep 0.4\nimport -window \"$id\" " + file + "\n");
        look.finish();
    }
    // How many pixels of the preview box differ between two screenshots of the editor.
    int preview_pixels_differing(const std::string& a, const std::string& b) {
        int ha = imgman::ImgOpenSolo(a), hb = imgman::ImgOpenSolo(b);
        EXPECT_NE(ha, 0) << a;
        EXPECT_NE(hb, 0) << b;
        int differing = -1;
        if (ha != 0 && hb != 0) {
            const imgman::Image& ia = *imgman::image_of(ha);
            const imgman::Image& ib = *imgman::image_of(hb);
            const int inset = e.Picture1.BorderStyle != 0 ? 1 : 0;
            const int left = e.Picture1.Left / 15 + inset, top = e.Picture1.Top / 15 + inset;
            differing = 0;
            for (int y = top; y < top + e.Picture1.ScalePixelsY(); ++y)
                for (int x = left; x < left + e.Picture1.ScalePixelsX(); ++x) {
                    const std::size_t pa = (static_cast<std::size_t>(y) * ia.width + x) * 4;
                    const std::size_t pb = (static_cast<std::size_t>(y) * ib.width + x) * 4;
                    if (ia.rgba[pa] != ib.rgba[pb] || ia.rgba[pa + 1] != ib.rgba[pb + 1] ||
                        ia.rgba[pa + 2] != ib.rgba[pb + 2])
                        ++differing;
                }
        }
        imgman::ImgClose(ha);
        imgman::ImgClose(hb);
        return differing;
    }
    // The editor on the screen in the chosen mode, showing the preview of a filter that runs.
    void start(bool oneBox) {
        e.Left = 60 * 15;
        e.Top = 60 * 15;
        e.Show();
        ASSERT_TRUE(pump_until([&] { return host.screen_window(e) && host.screen_window(e)->shown(); }));
        ASSERT_EQ(e.Check2.Value.get(), ui::vbChecked) << "Auto Preview";
        if (oneBox) e.Command10_Click();
        ASSERT_EQ(e.Command10.Caption.get(), oneBox ? "3" : "1");
        const char* code[] = {"a", "255-r", "g", "b"};
        for (std::size_t k = 0; k < 4; ++k)
            e.Text5[k].Text = code[k];
        RefreshPreview(app);
        ASSERT_EQ(e.FormulaProblem, "");
        goodShot = (root / "good0.png").string();
        shoot(goodShot);
    }
    // The user opens the box by its label, types, and waits for the pause to end; no message box
    // comes up meanwhile (the script closes one that does and fails).
    void type(const Typing& t) {
        ++step;
        const auto box = static_cast<std::size_t>(t.box);
        if (e.Label2[box].Font.Bold) e.Label2_Click(t.box); // closed, so that the click opens it
        if (!t.before.empty()) e.Text5[box].Text = t.before;
        const std::string shot = (root / ("step" + std::to_string(step) + ".png")).string();
        Driver user(*this,
                    "id=$(find_window '^Filter Factory Editor')\nsleep 0.3\nxdotool mousemove --window \"$id\" " +
                        test_support::middle_of(e.Label2[box]) + " click 1\nsleep 0.3\n" +
                        (t.before.empty() ? "" : "xdotool key End\n") + "xdotool type --delay 40 '" + t.keys +
                        "'\nsleep 2.7\n"
                        "if xdotool search --onlyvisible --name '^(Error|Vexolan|Just a small problem.*)$' "
                        ">/dev/null 2>&1; then\n"
                        "  shoot \"$(find_window '^(Error|Vexolan|Just a small problem.*)$')\" editor_reason_box\n"
                        "  xdotool key Return\n"
                        "  echo 'a message box came up at the typing pause' >&2\n"
                        "  exit 1\n"
                        "fi\n"
                        "import -window \"$id\" " +
                        shot + "\nshoot \"$id\" editor_reason_step" + std::to_string(step) + "\n");
        user.finish();
        const std::string label = t.keys.size() > 30 ? t.keys.substr(0, 30) + "..." : t.keys;
        EXPECT_EQ(e.Text5[box].Text.get(), t.before + t.keys) << label;
        EXPECT_EQ(e.FormulaProblem, t.reason) << label;
        EXPECT_EQ(drawn(), t.reason) << label;
        // The focus stayed in the code box, in the model and on the screen.
        EXPECT_EQ(e.ActiveControl(), &e.Text5[box]) << label;
        if (!boxClosed) {
            EXPECT_EQ(Fl::focus(), host.widget(e.Text5[box])) << label;
        }
        const int differing = preview_pixels_differing(goodShot, shot);
        if (!t.reason.empty()) {
            // The stale picture is gone: most of the box shows its back colour and the reason.
            EXPECT_GT(differing, e.Picture1.ScalePixelsX() * e.Picture1.ScalePixelsY() / 2) << label;
        } else if (t.sameAsLastGood) {
            EXPECT_EQ(differing, 0) << label;
        } else {
            goodShot = shot;
        }
    }
    // Each broken formula typed and mended in turn: in the red box (C in one-box mode), in the alpha
    // box with longer and with one-letter colour code, and one too long for a plug-in; between them
    // the filter saved with the formula too long.
    void break_and_mend(bool oneBox) {
        const std::string c = oneBox ? "C" : "R";
        const int longBox = oneBox ? Red : Green;
        const std::string longName = oneBox ? "C" : "G";
        const std::string longStart = oneBox ? "r" : "g";
        const Typing typings[] = {
            {Red, "", "((x^y)*ctl(0)/64&255", "The " + c + " formula does not compile: \")\" is missing at the end"},
            {Red, "", "255-r", ""},
            // The colour code longer than one letter: the alpha formula is not part of what runs on a
            // picture without alpha, and is told all the same.
            {Alpha, "", "(a", "The alpha formula does not compile: \")\" is missing at the end"},
            {Alpha, "", "a", ""},
            {Red, "", "r", "", false},
            // One letter each: the alpha code runs in the colour channels, and it is still the alpha box.
            {Alpha, "", "(a", "The alpha formula does not compile: \")\" is missing at the end"},
            {Alpha, "", "a", ""},
            {longBox, longStart + full_slot_rest(), "+0",
             "The " + longName + " formula is longer than 1019 characters and does not fit into a plug-in."},
        };
        for (const Typing& t : typings) {
            type(t);
            if (HasFatalFailure()) return;
        }

        // Saved as a plug-in with the over-long formula: the compiler's refusal box, and no file.
        e.Label6[0].Caption = "TooLong";
        for (int i : {1, 3}) // as start-up leaves the submenu
            f.mnuSaveType_FFE[i].Visible = false;
        Driver save(*this, "id=$(find_window '^Filter Factory Editor')\nsleep 0.6\nxdotool key" +
                               downs_to(f.mnuFfeFunctions_FFE, f.mnuSaveAs_FFE) +
                               " Right\nsleep 0.3\nxdotool key Return\nbox=$(find_window '^Error$')\n"
                               "shoot \"$box\" editor_reason_refused\nxdotool key Return\ngone '^Error$'\n");
        e.PopupMenu(f.mnuFfeFunctions_FFE);
        save.finish();
        boxClosed = true;
        EXPECT_FALSE(files::file_exists((saves.path() / "TooLong.8bf").string()));

        type({longBox, "", longStart, ""});
        EXPECT_EQ(e.Caption.get(), "Filter Factory Editor");
        EXPECT_EQ(e.Picture1.ToolTipText.get(), "Click me to update preview!");
    }
};

} // namespace

TEST_F(EditorReasonScreen, InThreeBoxModeTheReasonNamesTheBoxInThePreviewAndGoesWithTheFix) {
    start(false);
    if (HasFatalFailure()) return;
    break_and_mend(false);
}

TEST_F(EditorReasonScreen, InOneBoxModeTheReasonNamesTheCommonBoxC) {
    start(true);
    if (HasFatalFailure()) return;
    break_and_mend(true);
}
