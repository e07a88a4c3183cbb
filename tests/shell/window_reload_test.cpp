// A window unloaded and loaded again in one run starts exactly as on its first load: every property
// of its controls and its size come back as they were, and the load changes no record, setting or
// list. The editor then shows the filter just read, and takes it back into the record as Save does.

#include "catalogue/Form4.hpp"
#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/commands.hpp"
#include "ffeditor/transfer.hpp"
#include "imaging/PicView.hpp"
#include "platform/ui/Menu.hpp"
#include "preferences/Form2.hpp"
#include "preferences/FrmPluginType.hpp"
#include "preferences/frmDownload.hpp"
#include "shell/Form3.hpp"
#include "shell/ProVersionAd.hpp"
#include "shell/frmAbout.hpp"
#include "shell/frmTip.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/editor_support.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/pictures.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

using namespace vexolan;

namespace {

// Every property of a window and its controls, by name, as text.
using Noted = std::map<std::string, std::string>;

template <typename P> void note(Noted& n, const std::string& key, const P& property) {
    std::ostringstream text;
    text << property.get();
    n[key] = text.str();
}

std::size_t image_hash(const ui::Bitmap& b) {
    std::size_t h =
        std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(b.Rgba.data()), b.Rgba.size()));
    return h ^ (static_cast<std::size_t>(b.Width) << 16) ^ static_cast<std::size_t>(b.Height);
}

Noted note_window(ui::Window& w) {
    Noted n;
    note(n, "Width", w.Width);
    note(n, "Height", w.Height);
    note(n, "Caption", w.Caption);
    note(n, "Enabled", w.Enabled);
    note(n, "WindowState", w.WindowState);
    for (ui::Control* c : w.Controls()) {
        const std::string k = c->Name() + "(" + std::to_string(c->Index()) + ").";
        note(n, k + "Left", c->Left);
        note(n, k + "Top", c->Top);
        note(n, k + "Width", c->Width);
        note(n, k + "Height", c->Height);
        note(n, k + "Visible", c->Visible);
        note(n, k + "Enabled", c->Enabled);
        note(n, k + "ToolTipText", c->ToolTipText);
        note(n, k + "ForeColor", c->ForeColor);
        note(n, k + "BackColor", c->BackColor);
        note(n, k + "Font.Name", c->Font.Name);
        note(n, k + "Font.Size", c->Font.Size);
        note(n, k + "Font.Bold", c->Font.Bold);
        note(n, k + "Font.Italic", c->Font.Italic);
        note(n, k + "Font.Strikeout", c->Font.Strikeout);
        if (auto* l = dynamic_cast<ui::Label*>(c)) {
            note(n, k + "Caption", l->Caption);
            note(n, k + "BackStyle", l->BackStyle);
            note(n, k + "BorderStyle", l->BorderStyle);
        } else if (auto* b = dynamic_cast<ui::CommandButton*>(c)) {
            note(n, k + "Caption", b->Caption);
            note(n, k + "Picture", b->Picture);
        } else if (auto* x = dynamic_cast<ui::CheckBox*>(c)) {
            note(n, k + "Caption", x->Caption);
            note(n, k + "Value", x->Value);
        } else if (auto* t = dynamic_cast<ui::TextBox*>(c)) {
            note(n, k + "Text", t->Text);
        } else if (auto* s = dynamic_cast<ui::ScrollBar*>(c)) {
            note(n, k + "Value", s->Value);
            note(n, k + "Min", s->Min);
            note(n, k + "Max", s->Max);
            note(n, k + "SmallChange", s->SmallChange);
            note(n, k + "LargeChange", s->LargeChange);
        } else if (auto* p = dynamic_cast<ui::PictureBox*>(c)) {
            note(n, k + "Picture", p->Picture);
            n[k + "Image"] = std::to_string(image_hash(p->Image()));
            n[k + "Texts"] = std::to_string(p->Texts().size());
        } else if (auto* i = dynamic_cast<ui::Image*>(c)) {
            note(n, k + "Picture", i->Picture);
        } else if (auto* line = dynamic_cast<ui::Line*>(c)) {
            note(n, k + "X1", line->X1);
            note(n, k + "X2", line->X2);
            note(n, k + "Y1", line->Y1);
            note(n, k + "Y2", line->Y2);
        } else if (auto* list = dynamic_cast<ui::ListControl*>(c)) {
            if (auto* combo = dynamic_cast<ui::ComboBox*>(c)) note(n, k + "Text", combo->Text);
            note(n, k + "ListIndex", list->ListIndex);
            note(n, k + "TopIndex", list->TopIndex);
            std::string items;
            for (int j = 0; j < list->ListCount(); ++j)
                items += list->List(j) + "\n";
            n[k + "List"] = items;
        } else if (auto* tabs = dynamic_cast<ui::TabStrip*>(c)) {
            note(n, k + "SelectedItem", tabs->SelectedItem);
        } else if (auto* option = dynamic_cast<ui::OptionButton*>(c)) {
            note(n, k + "Caption", option->Caption);
            note(n, k + "Value", option->Value);
        } else if (auto* timer = dynamic_cast<ui::Timer*>(c)) {
            note(n, k + "Interval", timer->Interval);
        }
    }
    for (ui::Menu* m : w.AllMenus()) {
        const std::string k = "menu " + m->Name() + "(" + std::to_string(m->Index()) + ").";
        note(n, k + "Enabled", m->Enabled);
        note(n, k + "Visible", m->Visible);
    }
    return n;
}

// What the program keeps outside the window: the filter record, the settings file, the Preferences'
// lists.
std::string program_state(test_support::AppFixture& f) {
    std::ostringstream s;
    const ff::FilterRecord& r = f.app.FF.Record;
    s << r.Filename << '|' << r.Title << '|' << r.Category << '|' << r.Author << '|' << r.Copyright << '|';
    for (const auto& m : r.MapName)
        s << m << '|';
    for (const auto& c : r.CtlName)
        s << c << '|';
    for (int v : r.CtlValue)
        s << v << '|';
    s << r.CodeR << '|' << r.CodeG << '|' << r.CodeB << '|' << r.CodeA << "\n";
    std::ifstream settings(f.settingsFile, std::ios::binary);
    s << settings.rdbuf() << "\n";
    Form2& prefs = f.app.form2();
    for (auto& list : prefs.List1) {
        for (int i = 0; i < list.ListCount(); ++i)
            s << list.List(i) << '|';
        s << "\n";
    }
    return s.str();
}

ff::FilterRecord first_filter() {
    ff::FilterRecord r;
    ff::IniVars(r);
    r.Filename = "first.8bf";
    r.Title = "First";
    r.Category = "Alpha Tests";
    r.Author = "Ann";
    r.Copyright = "(c) Ann";
    r.CtlName[0] = "Amount";
    r.CtlName[1] = "Depth";
    r.CtlName[4] = "Shift";
    r.CtlValue = {100, 110, 0, 0, 140, 0, 0, 0};
    r.CodeR = "r*ctl(0)/128";
    r.CodeG = "g*ctl(1)/128";
    r.CodeB = "b";
    r.CodeA = "a";
    return r;
}

ff::FilterRecord second_filter() {
    ff::FilterRecord r;
    ff::IniVars(r);
    r.Filename = "second.8bf";
    r.Title = "Second";
    r.Category = "Beta Tests";
    r.Author = "Bob";
    r.Copyright = "(c) Bob";
    r.CtlName[2] = "Level";
    r.CtlValue = {0, 0, 37, 0, 0, 0, 0, 0};
    r.CodeR = "255-r";
    r.CodeG = "255-g";
    r.CodeB = "b*ctl(2)/255";
    r.CodeA = "a";
    return r;
}

// Watches one load: the program's state before it (checked unchanged after it, on the loads after
// the first), and the window as the load left it.
struct Probe {
    test_support::AppFixture& f;
    bool again = false;
    std::string before;
    void start() { before = program_state(f); }
    void loaded() {
        if (again) {
            EXPECT_EQ(program_state(f), before) << "the load changed a record, setting or list";
        }
    }
    std::function<void(ui::Window&)> shown;
};

struct Row {
    const char* name;
    // Opens the window with input `item` (0 or 1) as the user does, telling the probe when the load
    // starts and ends and when the window is shown; then uses it and closes it as the user does.
    std::function<void(test_support::AppFixture&, int item, Probe&)> run;
    // Checks the window shows item 1 and nothing of item 0 (where the window shows an item).
    std::function<void(test_support::AppFixture&)> shows_second;
};

// A modal window: loaded and shown by `show`, used and closed by `use` while it runs.
void run_modal(test_support::AppFixture& f, const std::string& name, Probe& probe, const std::function<void()>& show,
               const std::function<void(ui::Window&)>& use) {
    f.host.on_modal(name, [&](ui::Window& w) {
        probe.loaded();
        probe.shown(w);
        use(w);
    });
    probe.start();
    show();
}

Row editor_row(const char* name, bool autoPreview, bool codeFont = false) {
    auto run = [autoPreview, codeFont](test_support::AppFixture& f, int item, Probe& probe) {
        FFEditorType1& e = f.app.EditorForm();
        // The filter as the Plugin View reads it.
        f.app.FF.Record = item == 0 ? first_filter() : second_filter();
        probe.start();
        e.Load();
        probe.loaded();
        LoadintoFFEditor(f.app, true, false);
        probe.shown(e);
        if (item == 1) return;
        if (!autoPreview) e.Check2.user_click();
        e.HScroll1[0].user_scroll_to(200);
        e.HScroll1[4].user_large_step(1);
        if (codeFont) {
            // "F": a bold italic code font.
            ui::FontChoice font;
            font.Name = "Courier New";
            font.Size = 12;
            font.Bold = true;
            font.Italic = true;
            f.host.answer_font_dialog(font);
            e.Command14.user_click();
            ASSERT_TRUE(e.Text5[1].Font.Bold.get());
            ASSERT_TRUE(e.Text5[1].Font.Italic.get());
        }
        e.Command16.user_click();
        ASSERT_FALSE(e.Loaded());
    };
    auto second = [](test_support::AppFixture& f) {
        // Taken back into the record as Save does.
        f.app.FF.Record = ff::FilterRecord{};
        EditorToFilter(f.app);
        const ff::FilterRecord& r = f.app.FF.Record;
        const ff::FilterRecord want = second_filter();
        EXPECT_EQ(r.Filename, want.Filename);
        ff_synth::ExpectSameFilter(r, want);
    };
    return {name, run, second};
}

const Row Rows[] = {
    editor_row("editor, Auto Preview on", true),
    editor_row("editor, Auto Preview off", false),
    editor_row("editor, a bold italic code font chosen", true, true),
    {"plug-in list options",
     [](test_support::AppFixture& f, int, Probe& probe) {
         Form4& options = f.app.form4();
         run_modal(
             f, "Form4", probe, [&] { options.ShowModal(); },
             [&](ui::Window& w) {
                 options.Check3.user_click();
                 options.Check6.user_click();
                 const int height = w.Height;
                 w.user_dblclick();
                 EXPECT_NE(w.Height.get(), height) << "rolled up";
                 options.Command2.user_click();
             });
         ASSERT_FALSE(options.Loaded());
     },
     {}},
    {"advertisement",
     [](test_support::AppFixture& f, int, Probe& probe) {
         ProVersionAd& ad = f.app.proVersionAd();
         run_modal(
             f, "ProVersionAd", probe, [&] { ad.ShowModal(); }, [&](ui::Window&) { ad.Command1[0].user_click(); });
     },
     {}},
    {"About box",
     [](test_support::AppFixture& f, int, Probe& probe) {
         frmAbout& about = f.app.aboutBox();
         run_modal(
             f, "frmAbout", probe, [&] { about.ShowModal(); },
             [&](ui::Window& w) {
                 about.Label1[1].user_mouse_move(0, 0, 10, 10);
                 w.user_dblclick();
                 EXPECT_NE(w.Width.get(), 6900) << "rolled up";
                 about.cmdOK.user_click();
             });
     },
     {}},
    {"input box",
     [](test_support::AppFixture& f, int, Probe& probe) {
         Form3& box = f.app.form3();
         box.Label1.Caption = "Enter name for zip file";
         box.Text1.Text = "New.zip";
         run_modal(
             f, "Form3", probe, [&] { box.ShowModal(); },
             [&](ui::Window& w) {
                 w.user_dblclick();
                 EXPECT_NE(w.Height.get(), 2160) << "rolled up";
                 box.Command1.user_click();
             });
     },
     {}},
    {"Tip of the Day",
     [](test_support::AppFixture& f, int, Probe& probe) {
         frmTip& tip = f.app.tipWindow();
         probe.start();
         tip.Show();
         probe.loaded();
         probe.shown(tip);
         tip.cmdNextTip.user_click();
         const int height = tip.Height;
         tip.user_dblclick();
         EXPECT_NE(tip.Height.get(), height) << "rolled up";
         tip.cmdOK.user_click();
         ASSERT_FALSE(tip.Loaded());
     },
     {}},
    {"plug-in type dialog",
     [](test_support::AppFixture& f, int, Probe& probe) {
         FrmPluginType& dialog = f.app.frmPluginType();
         run_modal(
             f, "FrmPluginType", probe, [&] { f.app.form2().Command3_Click(3); },
             [&](ui::Window& w) {
                 dialog.Text1[0].user_type("Filters");
                 dialog.Text1[1].user_type("8bf");
                 dialog.Option1[2].user_click();
                 const int height = w.Height;
                 w.user_dblclick();
                 EXPECT_NE(w.Height.get(), height) << "rolled up";
                 dialog.Command1[0].user_click();
             });
         ASSERT_FALSE(dialog.Loaded());
     },
     {}},
    {"links window",
     [](test_support::AppFixture& f, int, Probe& probe) {
         frmDownload& links = f.app.linkListWindow();
         probe.start();
         mnuFilterDownload_Click(f.app);
         probe.loaded();
         probe.shown(links);
         links.TabStrip1.user_select_tab(2);
         ASSERT_GT(links.List1.ListCount(), 1);
         links.List1.user_select(links.List1.ListCount() - 1);
         links.mnuExit_Click();
         ASSERT_FALSE(links.Loaded());
     },
     {}},
    {"picture editor, closed maximised",
     [](test_support::AppFixture& f, int item, Probe& probe) {
         PicView& view = f.app.picView();
         probe.start();
         view.Load();
         probe.loaded();
         probe.shown(view);
         view.Show();
         if (item == 1) {
             // A picture smaller than the screen is shown whole, without scroll bars.
             const std::string picture = f.root.write("small.bmp", test_support::bmp_file(400, 300, 24)).string();
             f.host.answer_file_dialog(picture);
             view.mnuOpen_Click();
             return;
         }
         const std::string picture = f.root.write("large.bmp", test_support::bmp_file(1200, 900, 24)).string();
         f.host.answer_file_dialog(picture);
         view.mnuOpen_Click();
         ASSERT_TRUE(view.HScroll1.Visible.get());
         ASSERT_TRUE(view.VScroll1.Visible.get());
         view.HScroll1.user_scroll_to(300);
         view.VScroll1.user_scroll_to(200);
         // The Edit menu opened (it disables Copy), the window maximised with the window manager and
         // closed with its close box.
         view.mnuEdit.user_open();
         ASSERT_FALSE(view.mnuCopy.Enabled.get());
         view.user_maximize();
         view.user_close();
         ASSERT_FALSE(view.Loaded());
     },
     [](test_support::AppFixture& f) {
         PicView& view = f.app.picView();
         EXPECT_EQ(view.WindowState.get(), ui::vbNormal);
         EXPECT_EQ(view.Picture1.Width.get(), 399 * 15);
         EXPECT_EQ(view.Picture1.Height.get(), 299 * 15);
         EXPECT_GE(view.ScaleWidth(), view.Picture1.Width.get());
         EXPECT_GE(view.ScaleHeight(), view.Picture1.Height.get());
         EXPECT_FALSE(view.HScroll1.Visible.get());
         EXPECT_FALSE(view.VScroll1.Visible.get());
         EXPECT_EQ(view.Picture1.Left.get(), 0);
         EXPECT_EQ(view.Picture1.Top.get(), 0);
         // Ctrl+C copies on the fresh load.
         view.user_key_down('C', ui::vbCtrlMask);
         ASSERT_TRUE(f.host.clipboard_image.has_value());
         EXPECT_EQ(f.host.clipboard_image->Width, 399);
     }},
};

TEST(WindowReloadTest, AWindowLoadedAgainStartsAsOnItsFirstLoad) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
        test_support::AppFixture f;
        f.host.set_twips_per_pixel(15);
        f.host.set_screen_size_pixels(800, 600);
        test_support::prepare_editor_folder(f.app);
        test_support::choose_skinned_editor(f.app);
        const std::string preview = f.root.write("preview.bmp", test_support::bmp_file(160, 120, 24)).string();
        f.app.Settings.SaveSetting("Vexo10", "Settings", "PreviewPic", preview);

        Noted first;
        Probe probe{f, false, {}, [&](ui::Window& w) { first = note_window(w); }};
        row.run(f, 0, probe);
        ASSERT_FALSE(first.empty());

        Noted again;
        probe.shown = [&](ui::Window& w) { again = note_window(w); };
        probe.again = true;
        row.run(f, 0, probe);
        for (const auto& [key, value] : first)
            EXPECT_EQ(again[key], value) << key;

        if (row.shows_second) {
            probe.shown = [](ui::Window&) {};
            row.run(f, 1, probe);
            row.shows_second(f);
        }
    }
}

} // namespace
