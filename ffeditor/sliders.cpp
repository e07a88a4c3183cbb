#include "ffeditor/sliders.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/preview.hpp"
#include "shell/App.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace vexolan {

namespace {

FFEditorType1& editor(App& app) {
    return app.EditorForm();
}

int whole_twips(double v) {
    return static_cast<int>(std::nearbyint(v)); // halves to even
}

int leftmost(const FFEditorType1& e, int i, int tx) {
    return e.Picture2[static_cast<std::size_t>(i)].Left + 15 * tx;
}

int rightmost(const FFEditorType1& e, int i, int tx) {
    const auto& track = e.Picture2[static_cast<std::size_t>(i)];
    return track.Left + track.Width - 15 * tx - e.Picture3[static_cast<std::size_t>(i)].Width;
}

int label_value(const ui::Label& label) {
    double v = vb::Val(label.Caption.get());
    return static_cast<int>(std::clamp(v, -32768.0, 32767.0));
}

// The slider is shown or hidden with its value label: as track and knob, or as its scroll bar.
void show_slider(App& app, int k, bool visible) {
    FFEditorType1& e = editor(app);
    auto i = static_cast<std::size_t>(k);
    if (app.GraphSliders) {
        e.Picture2[i].Visible = visible;
        e.Picture3[i].Visible = visible;
    } else {
        e.HScroll1[i].Visible = visible;
    }
    e.Label1[i].Visible = visible;
}

// One step of a held margin: the value moves by `step` unless it stands at `limit`.
void margin_loop(App& app, int Index, int step, int limit) {
    FFEditorType1& e = editor(app);
    auto& label = e.Label1[static_cast<std::size_t>(Index)];
    while (app.host.KeyDown(ui::vbKeyLButton)) {
        int v = label_value(label);
        if (step < 0 ? v > limit : v < limit) {
            v += step;
            label.Caption = std::to_string(v);
            label.Refresh();
            SetSliderKnob(app, v, Index);
            if (e.Check2.Value == ui::vbChecked)
                RefreshPreview(app);
            else
                app.host.Sleep(95);
        }
        // The release arrives as an event: let it through, or the button reads as held for ever.
        app.host.DoEvents();
        if (!e.Loaded()) return;
    }
}

} // namespace

int SliderTravel(const FFEditorType1& e, int Index) {
    auto i = static_cast<std::size_t>(Index);
    return e.Picture2[i].Width - e.Picture3[i].Width - 30 * e.host().TwipsPerPixelX();
}

void SetSliderKnob(App& app, int Value, int Index) {
    FFEditorType1& e = editor(app);
    const int tx = app.host.TwipsPerPixelX();
    const int travel = SliderTravel(e, Index);
    auto& knob = e.Picture3[static_cast<std::size_t>(Index)];
    // A bad interface file can leave no room for the knob: it then stays at the left end.
    if (travel <= 0) {
        knob.Left = leftmost(e, Index, tx);
        return;
    }
    if (Value == 255) {
        knob.Left = rightmost(e, Index, tx);
        return;
    }
    knob.Left = leftmost(e, Index, tx) + whole_twips(Value * static_cast<double>(travel) / 255.0);
}

int GetSliderKnobValue(App& app, int Index) {
    FFEditorType1& e = editor(app);
    const int tx = app.host.TwipsPerPixelX();
    const int travel = SliderTravel(e, Index);
    if (travel <= 0) return 0;
    double offset = e.Picture3[static_cast<std::size_t>(Index)].Left - leftmost(e, Index, tx);
    return whole_twips(offset / (travel / 255.0));
}

void SliderTrackClick(App& app, int Index, int /*Button*/, int /*Shift*/, float X, float /*Y*/) {
    FFEditorType1& e = editor(app);
    const int tx = app.host.TwipsPerPixelX();
    auto i = static_cast<std::size_t>(Index);
    auto& track = e.Picture2[i];
    auto& knob = e.Picture3[i];
    if (X < 15 * tx) {
        margin_loop(app, Index, -1, 0);
        return;
    }
    if (X > track.Width - 15 * tx) {
        margin_loop(app, Index, +1, 255);
        return;
    }
    if (X <= track.Width - 15 * tx - knob.Width) {
        knob.Left = std::max(whole_twips(track.Left + X - 4.0 * tx), leftmost(e, Index, tx));
        e.Label1[i].Caption = std::to_string(GetSliderKnobValue(app, Index));
    } else {
        knob.Left = rightmost(e, Index, tx);
        e.Label1[i].Caption = "255";
    }
    e.Label1[i].Refresh();
    if (e.Check2.Value == ui::vbChecked) RefreshPreview(app);
}

void SliderKnobDrag(App& app, int Index, int Button, int /*Shift*/, float X, float /*Y*/) {
    if (Button != ui::vbLeftButton) return;
    FFEditorType1& e = editor(app);
    const int tx = app.host.TwipsPerPixelX();
    auto i = static_cast<std::size_t>(Index);
    auto& knob = e.Picture3[i];
    int left = whole_twips(knob.Left + X - 4.0 * tx);
    left = std::max(left, leftmost(e, Index, tx));
    left = std::min(left, rightmost(e, Index, tx));
    knob.Left = left;
    e.Label1[i].Caption = std::to_string(GetSliderKnobValue(app, Index));
    e.Label1[i].Refresh();
}

void ShowMapControls(App& app, int Index) {
    FFEditorType1& e = editor(app);
    auto j = static_cast<std::size_t>(Index);
    const int first = 2 * Index, second = 2 * Index + 1;
    auto& secondName = e.Label7[static_cast<std::size_t>(second)];
    if (e.Check1[j].Value == ui::vbChecked) {
        secondName.Enabled = false;
        secondName.Visible = false;
        show_slider(app, first, true);
        show_slider(app, second, true);
    } else if (e.Check1[j].Value == ui::vbUnchecked) {
        app.FF.Record.MapName[j].clear();
        secondName.Enabled = true;
        secondName.Visible = true;
        for (int k : {second, first})
            if (e.Label7[static_cast<std::size_t>(k)].Caption->empty()) show_slider(app, k, false);
    }
}

void RandomizeSliders(App& app) {
    FFEditorType1& e = editor(app);
    e.Enabled = false;
    vb::ResumeNext(
        [&] { app.host.Randomize(static_cast<std::uint32_t>(app.host.SteadyNow().time_since_epoch().count())); });
    for (int i = 0; i < 8; ++i) {
        auto k = static_cast<std::size_t>(i);
        vb::ResumeNext([&] {
            const auto& name = e.Label7[k];
            bool inUse = !name.Caption->empty() || e.Check1[k / 2].Value == ui::vbChecked;
            if (!inUse || name.Font.Strikeout) return;
            int v = whole_twips(255.0 * app.host.Rnd());
            e.HScroll1[k].Value = v;
            SetSliderKnob(app, v, i);
            e.Label1[k].Caption = std::to_string(v);
        });
    }
    app.host.DoEvents();
    e.Enabled = true;
    RefreshPreview(app);
}

} // namespace vexolan
