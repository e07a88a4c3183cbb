#include "ffeditor/memory_spots.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/preview.hpp"
#include "ffeditor/sliders.hpp"
#include "shell/App.hpp"

#include <algorithm>
#include <cmath>

namespace vexolan {

namespace {

bool valid_spot(int s) {
    return s >= 0 && s <= 9;
}

void disarm(FFEditorType1& e) {
    e.Command8.Enabled = true;
    e.MousePointer = ui::vbDefault;
}

} // namespace

void StoreMemorySpot(App& app, int s) {
    if (!valid_spot(s)) return;
    FFEditorType1& e = app.EditorForm();
    for (int c = 0; c < 8; ++c) {
        const int v =
            app.GraphSliders ? GetSliderKnobValue(app, c) : e.HScroll1[static_cast<std::size_t>(c)].Value.get();
        app.FF.Record.MemorySpot(s, c) = static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
    }
}

void RecallMemorySpot(App& app, int s, bool fromPad) {
    if (!valid_spot(s)) return;
    FFEditorType1& e = app.EditorForm();
    {
        // The sliders' change events start no preview one by one; the window is enabled again
        // however the filling ends.
        struct Reenable {
            FFEditorType1& window;
            ~Reenable() { window.Enabled = true; }
        } reenable{e};
        e.Enabled = false;
        for (int c = 0; c < 8; ++c) {
            auto k = static_cast<std::size_t>(c);
            // Only a text source can bring values outside a byte; the sliders hold bytes.
            const int v = std::clamp<int>(app.FF.Record.MemorySpot(s, c), 0, 255);
            vb::ResumeNext([&] { e.HScroll1[k].Value = v; });
            vb::ResumeNext([&] { SetSliderKnob(app, v, c); });
            vb::ResumeNext([&] { e.Label1[k].Caption = std::to_string(v); });
        }
        if (fromPad) app.host.DoEvents();
    }
    RefreshPreview(app);
}

void ClearMemorySpots(App& app) {
    FFEditorType1& e = app.EditorForm();
    for (int s = 0; s < 10; ++s) {
        for (int c = 0; c < 8; ++c)
            app.FF.Record.MemorySpot(s, c) = 0;
        e.Command7[static_cast<std::size_t>(s)].Font.Bold = false;
        e.Picture7[static_cast<std::size_t>(s)].Visible = false;
    }
}

bool MemorySpotDeletionArmed(const FFEditorType1& e) {
    return !e.Command8.Enabled;
}

namespace {

void show_spot_mark(FFEditorType1& e, int s) {
    e.Picture7[static_cast<std::size_t>(s)].Visible = true;
    e.Command7[static_cast<std::size_t>(s)].Font.Bold = true;
}

} // namespace

void ConnectMemorySpots(App& app) {
    app.FF.MarkPresetSpot = [&app](int s) {
        if (!valid_spot(s)) return;
        FFEditorType1& e = app.EditorForm();
        // A reader does not load the window (and its preview picture) for a mark: it waits.
        if (e.Loaded())
            show_spot_mark(e, s);
        else
            e.PendingSpotMarks[static_cast<std::size_t>(s)] = true;
    };
    app.FF.PresetSpotStored = [&app](int s) {
        if (!valid_spot(s)) return false;
        FFEditorType1& e = app.EditorForm();
        return e.Loaded() && e.Picture7[static_cast<std::size_t>(s)].Visible.get();
    };
}

void ShowPendingSpotMarks(App& app) {
    FFEditorType1& e = app.EditorForm();
    for (int s = 0; s < 10; ++s)
        if (e.PendingSpotMarks[static_cast<std::size_t>(s)]) show_spot_mark(e, s);
    e.PendingSpotMarks.fill(false);
}

// --- the window's events ---

void FFEditorType1::Picture6_MouseDown(int /*Button*/, int /*Shift*/, float X, float Y) {
    const double cellHeight = Picture6.Height / 2.0, cellWidth = Picture6.Width / 5.0;
    if (cellHeight <= 0 || cellWidth <= 0) return;
    // The middle line belongs to the lower row.
    const int s = static_cast<int>(std::trunc(Y / cellHeight)) * 5 + static_cast<int>(std::trunc(X / cellWidth));
    if (!valid_spot(s) || X < 0 || X >= static_cast<float>(Picture6.Width.get()) || Y < 0) return;
    // An armed deletion waits for a marker: a press beside one stores nothing.
    if (MemorySpotDeletionArmed(*this)) return;
    StoreMemorySpot(app, s);
    Picture7[static_cast<std::size_t>(s)].Visible = true;
}

void FFEditorType1::Picture7_Click(int Index) {
    if (MemorySpotDeletionArmed(*this)) {
        Picture7[static_cast<std::size_t>(Index)].Visible = false;
        disarm(*this);
        return;
    }
    RecallMemorySpot(app, Index, true);
}

void FFEditorType1::Command7_Click(int Index) {
    auto& button = Command7[static_cast<std::size_t>(Index)];
    if (MemorySpotDeletionArmed(*this)) {
        button.Font.Bold = false;
        disarm(*this);
    } else if (!button.Font.Bold) {
        StoreMemorySpot(app, Index);
        button.Font.Bold = true;
    } else {
        RecallMemorySpot(app, Index, false);
    }
}

void FFEditorType1::Command8_Click() {
    MousePointer = ui::vbArrowHourglass;
    Command8.Enabled = false;
}

} // namespace vexolan
