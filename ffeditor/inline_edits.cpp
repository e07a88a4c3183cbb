#include "ffeditor/inline_edits.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/characters.hpp"
#include "ffeditor/preview.hpp"
#include "ffeditor/sliders.hpp"
#include "shell/App.hpp"
#include "shell/dialogs.hpp"

#include <algorithm>
#include <cmath>

namespace vexolan {

namespace {

// Slider k shown or hidden with its value label, as the interface draws sliders.
void show_slider(App& app, FFEditorType1& e, std::size_t k, bool visible) {
    if (app.GraphSliders) {
        e.Picture2[k].Visible = visible;
        e.Picture3[k].Visible = visible;
    } else {
        e.HScroll1[k].Visible = visible;
    }
    e.Label1[k].Visible = visible;
}

template <typename Labels> int index_in(const Labels& labels, const ui::Control* c) {
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (&labels[i] == c) return static_cast<int>(i);
    return -1;
}

void commit_value(App& app, FFEditorType1& e, std::size_t i) {
    ui::Label& label = e.Label1[i];
    vb::ResumeNext([&] {
        const double n = vb::Val(label.Caption.get());
        if (n < 0) label.Caption = vb::Str(std::fabs(n));
    });
    vb::ResumeNext([&] {
        const double n = vb::Val(label.Caption.get());
        // A value above a byte wraps round: rounded first (halves to even), then modulo 256.
        if (n > 255) label.Caption = vb::Str(static_cast<double>(vb::CLng(n) % 256));
    });
    vb::ResumeNext([&] {
        if (e.Check2.Value != ui::vbChecked) return;
        const int now = app.GraphSliders ? GetSliderKnobValue(app, static_cast<int>(i)) : e.HScroll1[i].Value.get();
        if (vb::Val(label.Caption.get()) == now) return;
        if (app.GraphSliders) app.host.DoEvents();
        RefreshPreview(app);
        e.Picture1.Refresh();
    });
    vb::ResumeNext([&] {
        const double n = vb::Val(label.Caption.get());
        if (app.GraphSliders)
            SetSliderKnob(app, vb::CInt(n), static_cast<int>(i));
        else
            // The scroll bar's Change writes its value back into the label.
            e.HScroll1[i].Value = vb::CInt(n);
    });
}

void commit_name(App& app, FFEditorType1& e, std::size_t i) {
    const std::size_t m = i / 2;
    const bool shown = !e.Label7[i].Caption->empty();
    vb::ResumeNext([&] {
        show_slider(app, e, i, shown);
        // While the map is on only its first name can be edited: it names both sliders of the pair.
        if (e.Check1[m].Value != ui::vbUnchecked && i + 1 < e.Label7.size()) show_slider(app, e, i + 1, shown);
    });
}

} // namespace

void CommitLabelEdit(App& app) {
    FFEditorType1& e = app.EditorForm();
    ui::Control* target = e.EditedLabel;
    if (target == &e.Check2 || target == nullptr) return;
    // Nothing is under edit from here on: a later loss of focus must not apply the text twice.
    e.EditedLabel = &e.Check2;
    auto* label = dynamic_cast<ui::Label*>(target);
    if (label) vb::ResumeNext([&] { label->Caption = e.Text10.Text.get(); });
    if (int i = index_in(e.Label1, target); i >= 0) commit_value(app, e, static_cast<std::size_t>(i));
    if (int i = index_in(e.Label7, target); i >= 0) commit_name(app, e, static_cast<std::size_t>(i));
    vb::ResumeNext([&] { e.Text10.Visible = false; });
}

void InsertCodeText(App& app, std::string& Text) {
    FFEditorType1& e = app.EditorForm();
    int k = -1;
    for (int b = 3; b >= 0 && k < 0; --b)
        if (e.Text5[static_cast<std::size_t>(b)].Visible) k = b;
    if (k < 0) return;
    ui::TextBox& box = e.Text5[static_cast<std::size_t>(k)];
    vb::ResumeNext([&] { box.SetSelText(Text); });
    vb::ResumeNext([&] {
        const int length = character_count(Text);
        box.SelStart = box.SelStart - length;
        box.SelLength = length;
    });
    vb::ResumeNext([&] { box.SetFocus(); });
    if (e.Check2.Value == ui::vbChecked) RefreshPreview(app);
}

void ChooseCodeFont(App& app) {
    FFEditorType1& e = app.EditorForm();
    const ui::FontProperties& current = e.Text5[0].Font;
    std::string name = current.Name.get();
    auto size = static_cast<short>(std::clamp(vb::RoundHalfEven(current.Size.get()), 1.0, 32767.0));
    std::string style;
    if (current.Bold) style += 'b';
    if (current.Underline) style += 'u';
    if (current.Italic) style += 'i';
    if (current.Strikeout) style += 's';
    bool chosen = false;
    vb::ResumeNext([&] { chosen = ShowFontDialog(e, name, size, style, 257); });
    if (!chosen) return;
    const auto has = [&](char letter) { return style.find(letter) != std::string::npos; };
    for (ui::TextBox& box : e.Text5)
        vb::ResumeNext([&] {
            box.Font.Name = name;
            box.Font.Size = size;
            box.Font.Bold = has('b');
            box.Font.Underline = has('u');
            box.Font.Italic = has('i');
            box.Font.Strikeout = has('s');
        });
}

} // namespace vexolan
