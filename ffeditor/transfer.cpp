#include "ffeditor/transfer.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/sliders.hpp"
#include "shell/App.hpp"

#include <cmath>

namespace vexolan {

namespace {

// Shows or hides slider k with its value label, as the interface draws sliders.
void show_slider(App& app, FFEditorType1& e, std::size_t k, bool visible) {
    if (app.GraphSliders) {
        e.Picture2[k].Visible = visible;
        e.Picture3[k].Visible = visible;
    } else {
        e.HScroll1[k].Visible = visible;
    }
    e.Label1[k].Visible = visible;
}

} // namespace

void EditorToFilter(App& app) {
    FFEditorType1& e = app.EditorForm();
    ff::FilterRecord& r = app.FF.Record;
    vb::ResumeNext([&] { r.Filename = e.Label6[0].Caption.get(); });
    vb::ResumeNext([&] { r.Title = e.Label6[2].Caption.get(); });
    vb::ResumeNext([&] { r.Category = e.Label6[1].Caption.get(); });
    vb::ResumeNext([&] { r.Copyright = e.Label6[4].Caption.get(); });
    vb::ResumeNext([&] { r.Author = e.Label6[3].Caption.get(); });
    for (std::size_t j = 0; j < 4; ++j)
        vb::ResumeNext([&] {
            if (e.Check1[j].Value == ui::vbChecked) {
                r.MapName[j] = e.Label7[2 * j].Caption.get();
            } else {
                r.CtlName[2 * j] = e.Label7[2 * j].Caption.get();
                r.CtlName[2 * j + 1] = e.Label7[2 * j + 1].Caption.get();
            }
        });
    for (std::size_t i = 0; i < 8; ++i) {
        // The leading number of the caption; one outside a byte leaves the value as it was.
        double v = std::nearbyint(vb::Val(e.Label1[i].Caption.get()));
        if (v >= 0 && v <= 255) r.CtlValue[i] = static_cast<std::uint8_t>(v);
    }
    vb::ResumeNext([&] { r.CodeA = e.Text5[0].Text.get(); });
    vb::ResumeNext([&] { r.CodeR = e.Text5[1].Text.get(); });
    vb::ResumeNext([&] { r.CodeG = e.Text5[2].Text.get(); });
    vb::ResumeNext([&] { r.CodeB = e.Text5[3].Text.get(); });
    // With one box for the three colour channels ("3" offered), its code is the red, green and blue
    // code alike: what the preview shows is what a save or a copy writes.
    if (e.Command10.Caption.get() == "3") {
        r.CodeG = r.CodeR;
        r.CodeB = r.CodeR;
    }
}

void FilterToEditor(App& app) {
    FFEditorType1& e = app.EditorForm();
    // A failure half-way must not leave the window disabled: every later preview would then
    // silently do nothing.
    struct Reenable {
        FFEditorType1& window;
        ~Reenable() { window.Enabled = true; }
    } reenable{e};
    e.Enabled = false;
    const ff::FilterRecord& r = app.FF.Record;
    e.Label6[2].Caption = r.Title;
    e.Label6[1].Caption = r.Category;
    e.Label6[0].Caption = r.Filename;
    e.Label6[4].Caption = r.Copyright;
    e.Label6[3].Caption = r.Author;
    for (std::size_t j = 0; j < 4; ++j) {
        if (!r.MapName[j].empty()) {
            e.Label7[2 * j].Caption = r.MapName[j];
            show_slider(app, e, 2 * j, true);
            show_slider(app, e, 2 * j + 1, true);
            e.Check1[j].Value = ui::vbChecked;
        } else {
            e.Check1[j].Value = ui::vbUnchecked;
            for (std::size_t k : {2 * j, 2 * j + 1}) {
                const std::string& name = r.CtlName[k];
                e.Label7[k].Caption = name;
                show_slider(app, e, k, !name.empty());
            }
        }
    }
    for (std::size_t i = 0; i < 8; ++i) {
        int v = r.CtlValue[i];
        e.Label1[i].Caption = std::to_string(v);
        e.HScroll1[i].Value = v;
        SetSliderKnob(app, v, static_cast<int>(i));
    }
    e.Text5[0].Text = r.CodeA;
    e.Text5[1].Text = r.CodeR;
    e.Text5[2].Text = r.CodeG;
    e.Text5[3].Text = r.CodeB;
    // One box would hide green or blue code that differs from the red, and the next save would
    // replace it: such a filter is shown in three boxes.
    if (e.Command10.Caption.get() == "3" && (r.CodeG != r.CodeR || r.CodeB != r.CodeR)) e.Command10_Click();
}

} // namespace vexolan
