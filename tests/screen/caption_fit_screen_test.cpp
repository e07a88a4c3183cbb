// Every window of the program loaded on a real display: each caption, label, button text, frame
// title, choice-list entry and column title must fit the control that shows it, measured with the
// face and size the binding gave the control's widget (fl_width, as FLTK draws it). Text boxes are
// left out: they scroll. And a text mixing Latin, Cyrillic and Japanese draws every character.
#include "catalogue/Form4.hpp"
#include "ffeditor/FFEditorType1.hpp"
#include "filemanager/OverwriteCheck.hpp"
#include "filemanager/SelectFolder.hpp"
#include "filterfactory/Convert.hpp"
#include "imaging/PicView.hpp"
#include "imaging/handles.hpp"
#include "platform/imgman/images.hpp"
#include "preferences/Form2.hpp"
#include "preferences/FrmPluginType.hpp"
#include "preferences/frmDownload.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "shell/ProVersionAd.hpp"
#include "shell/frmAbout.hpp"
#include "shell/frmSplash.hpp"
#include "shell/frmTip.hpp"
#include "tests/screen/screen_support.hpp"

#include "platform/fltk/draw.hpp"
#include "platform/fltk/fonts.hpp"
#include "platform/ui/ListView.hpp"
#include "platform/ui/Lists.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <gtest/gtest.h>

#include <sstream>

using namespace vexolan;

namespace {

struct CaptionFit : test_support::ScreenTest {
    // No picture a window opened stays open for the next test.
    void TearDown() override {
        app.host.registry().UnloadAll();
        CloseImg(app, app.PreviewImage);
        CloseImg(app, app.PicImage);
        EXPECT_EQ(imgman::live_handle_count(), 0);
    }
    std::vector<ui::Window*> every_window() {
        return {&app.form1(),       &app.form2(),     &app.frmPluginType(), &app.linkListWindow(),
                &app.form3(),       &app.aboutBox(),  &app.tipWindow(),     &app.splash(),
                &app.proVersionAd(), &app.overwrite(), &app.EditorForm(),    &app.selectFolder(),
                &app.convertDialog(), &app.picView(), &app.form4()};
    }
};

// A button keeps 4 pixels clear on each side of its text, inside its frame.
constexpr int ButtonMargin = 4;
// FLTK's check box and option button: the mark (as wide as the font is high) and 4 pixels beside it.
constexpr int MarkRoom = 4;
// A choice list's drop button, its frame on both sides and the text's inset.
constexpr int ChoiceRoom = 17 + 2 + 2 + 1;

int text_width(const std::string& text) {
    return static_cast<int>(std::ceil(fl_width(text.c_str())));
}

// The widest line of a text.
int widest_line(const std::string& text) {
    int widest = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        widest = std::max(widest, text_width(line));
    return widest;
}

struct Misfit {
    std::string where;
    std::string text;
    int needs;
    int has;
};

// What of a control's texts does not fit it: at most one entry per text.
void check_control(ui::Control& c, Fl_Widget& w, const std::string& where, std::vector<Misfit>& out) {
    fl_font(w.labelfont(), w.labelsize());
    const std::string at = where + " (" + Fl::get_font_name(w.labelfont()) + " " + std::to_string(w.labelsize()) + " px)";
    auto need = [&](const std::string& text, int needs, int has) {
        if (!text.empty() && needs > has) out.push_back({at, text, needs, has});
    };
    if (auto* b = dynamic_cast<ui::CommandButton*>(&c)) {
        std::string text = fltk::plain_label(b->Caption.get());
        need(text, widest_line(text) + 2 * ButtonMargin, w.w());
    } else if (auto* k = dynamic_cast<ui::CheckBox*>(&c); k || dynamic_cast<ui::OptionButton*>(&c)) {
        // A box only as wide as its mark shows no caption (the editor's switches).
        if (w.w() <= w.labelsize() + MarkRoom) return;
        std::string text =
            fltk::plain_label(k ? k->Caption.get() : static_cast<ui::OptionButton&>(c).Caption.get());
        // Long captions may wrap onto the lines the control's height has room for.
        int room = w.w() - w.labelsize() - MarkRoom - 2;
        int mw = room, mh = 0;
        fl_measure(text.c_str(), mw, mh, 0);
        if (mw > room || mh > w.h()) {
            int lines = std::max(1, w.h() / fl_height());
            need(text, widest_line(text) / lines + MarkRoom + w.labelsize() + 2, w.w());
            if (widest_line(text) <= room * lines) out.push_back({at, text, mh, w.h()});
        }
    } else if (auto* l = dynamic_cast<ui::Label*>(&c)) {
        std::string text = fltk::plain_label(l->Caption.get());
        int inset = l->BorderStyle == 1 ? 2 : 0;
        int room = w.w() - 2 * inset, height = w.h() - 2 * inset;
        bool wrap = !l->AutoSize || l->WordWrap;
        int mw = wrap ? room : 0, mh = 0;
        fl_measure(text.c_str(), mw, mh, 0);
        if (mw > room) need(text, mw, room);
        else if (mh > height + 1) out.push_back({at + " lines", text, mh, height});
    } else if (auto* f = dynamic_cast<ui::Frame*>(&c)) {
        std::string text = fltk::plain_label(f->Caption.get());
        need(text, text_width(text) + 10, w.w());
    } else if (auto* combo = dynamic_cast<ui::ComboBox*>(&c); combo && combo->Style == ui::vbComboDropdownList) {
        for (int i = 0; i < combo->ListCount(); ++i)
            need(combo->List(i), text_width(combo->List(i)) + ChoiceRoom, w.w());
    } else if (auto* lv = dynamic_cast<ui::ListView*>(&c); lv && lv->View == ui::lvwReport && lv->HideColumnHeaders == false) {
        for (int col = 1; col <= lv->ColumnHeaders.Count(); ++col) {
            const std::string& text = lv->ColumnHeaders(col).Text.get();
            need(text, text_width(text) + 8, lv->ColumnHeaders(col).Width / fltk::TwipsPerPixel);
        }
    }
}

} // namespace

TEST_F(CaptionFit, EveryTextOfEveryWindowFitsItsControl) {
    std::vector<ui::Window*> windows = every_window();
    for (ui::Window* w : windows)
        w->Load();
    // The overwrite prompt's lines as a typical question fills them.
    app.overwrite().Label1.Caption =
        "/home/anna/Filters/Twirl.8bf  (123456 bytes, 12/31/2026 11:59:59 PM)";
    app.overwrite().Label3.Caption =
        "/home/anna/Download/Twirl.8bf  (123456 bytes, 12/31/2026 11:59:59 PM) ?";
    host.bind_loaded_windows();
    std::vector<Misfit> misfits;
    int checked = 0;
    for (ui::Window* w : windows) {
        ASSERT_TRUE(w->Loaded()) << w->Name();
        for (ui::Control* c : w->Controls()) {
            Fl_Widget* widget = host.widget(*c);
            if (!widget) continue;
            ++checked;
            // The editor's snippet list holds the descriptions of the snippet file, of any length:
            // its drop-down list shows them whole.
            if (w == &app.EditorForm() && c == &app.EditorForm().Combo1[1]) continue;
            check_control(*c, *widget, std::string(w->Name()) + "." + c->Name(), misfits);
        }
    }
    EXPECT_GT(checked, 300);
    for (const Misfit& m : misfits)
        ADD_FAILURE() << m.where << ": \"" << m.text << "\" needs " << m.needs << " px, has " << m.has;
}

TEST_F(CaptionFit, InterfaceFaceIsTheNamedOneAtElevenPixelsOrMore) {
    Form3& box = app.form3();
    box.Load();
    host.bind_loaded_windows();
    Fl_Widget* ok = host.widget(box.Command2);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(std::string(Fl::get_font_name(ok->labelfont())), fltk::InterfaceFontFamily);
    EXPECT_GE(ok->labelsize(), 11);
}

TEST_F(CaptionFit, LatinCyrillicAndJapaneseAllDraw) {
    // Each character in a label of its own, photographed from the window: a character the face
    // lacks is drawn as the same empty box as any other, so the pictures of "日", "本" and "語"
    // differ only where each is really drawn. "Ф" and "ы" come from the interface face itself.
    EXPECT_TRUE(fltk::face_has_glyph(FL_HELVETICA, 0x0424));
    EXPECT_FALSE(fltk::face_has_glyph(FL_HELVETICA, 0x65E5));
    EXPECT_TRUE(fltk::face_has_glyph(fltk::fallback_face(FL_HELVETICA), 0x65E5));
    Form3& box = app.form3();
    box.Label1.AutoSize = false;
    box.Label1.Caption = "Фильтры 日本語";
    const std::vector<std::string> glyphs{"日", "本", "語", "Ф", "ы"};
    box.Show();
    host.bind_loaded_windows();
    Fl_Widget* label = host.widget(box.Label1);
    ASSERT_NE(label, nullptr);
    fl_font(label->labelfont(), label->labelsize());
    // Measured with the fallback, the three ideographs are as wide as they are high (a full-width
    // character), not the narrow boxes of a face that lacks them.
    EXPECT_GE(fl_width("日本語"), 3 * label->labelsize() - 3);
    ASSERT_TRUE(pump_until([&] { return box.Visible && host.screen_window(box)->shown(); }, 5));
    std::vector<std::vector<unsigned char>> pictures;
    for (const std::string& g : glyphs) {
        box.Label1.Caption = g;
        box.Label1.ForeColor = 0x000000;
        box.Label1.BackColor = 0xFFFFFF;
        pump_until([] { return false; }, 0.15);
        Fl_Window* win = host.screen_window(box);
        win->make_current();
        const int size = label->labelsize() + 6;
        uchar* rgb = fl_read_image(nullptr, label->x(), label->y(), size, size);
        ASSERT_NE(rgb, nullptr);
        pictures.emplace_back(rgb, rgb + size * size * 3);
        delete[] rgb;
        int ink = 0;
        for (int i = 0; i < size * size; ++i)
            if (pictures.back()[static_cast<std::size_t>(i) * 3] < 128) ++ink;
        EXPECT_GT(ink, 8) << g << " left no ink";
    }
    for (std::size_t a = 0; a < pictures.size(); ++a)
        for (std::size_t b = a + 1; b < pictures.size(); ++b)
            EXPECT_NE(pictures[a], pictures[b]) << glyphs[a] << " and " << glyphs[b] << " are drawn alike";
    // The whole text as one caption: every character's advance is there.
    box.Label1.Caption = "Фильтры 日本語";
    pump_until([] { return false; }, 0.15);
    box.Hide();
}
