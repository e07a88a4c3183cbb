#pragma once
// The editor's ten memory spots, each the eight slider values (App::FF.Record.MemorySpots, which
// text sources carry too). The window offers them twice on the same 5 x 2 cells: the pad Picture6
// with a marker Picture7(s) per stored spot, and the spot buttons Command7(s), bold once stored. The
// two sets of marks are kept apart: storing through the pad marks the pad only, and so on.
//
// The text reader and writer see a spot as stored while its pad marker shows.

namespace vexolan {

class App;
class FFEditorType1;

// Spot s (0..9) := the values of the eight sliders (the knobs' with graphic sliders, else the scroll
// bars'), those not in use too.
void StoreMemorySpot(App& app, int s);
// Sets the eight sliders from spot s, values outside 0..255 clamped, with the window disabled
// meanwhile, then refreshes the preview whether Auto Preview is on or not. `fromPad` lets pending
// window events through before the refresh.
void RecallMemorySpot(App& app, int s, bool fromPad);
// Every spot's values to 0, every marker hidden and every button plain; an armed deletion stays armed.
void ClearMemorySpots(App& app);
// Whether the next click on a marker or spot button deletes that spot's mark.
bool MemorySpotDeletionArmed(const FFEditorType1& editor);
// Connects the text reader's and writer's questions about stored spots to the editor's pad: reading
// a "set[" line shows the spot's marker and makes its button bold, at once or, when the window is not
// loaded, as it loads. A window that is not loaded has no spot stored.
void ConnectMemorySpots(App& app);
// Shows the marks a text source left while the window was not loaded (part of loading the window).
void ShowPendingSpotMarks(App& app);

} // namespace vexolan
