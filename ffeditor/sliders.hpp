#pragma once
// The editor's graphic sliders (a knob picture moved over a track picture) and its map controls.
// A knob keeps 15 pixels from each end of its track: value 0 puts its left edge 15 pixels right of
// the track's left edge, 255 its right edge 15 pixels left of the track's right edge. The value
// label Label1(i) is the slider's value of record; the knob and the scroll bar follow it.

namespace vexolan {

class App;
class FFEditorType1;

// The knob's way from value 0 to value 255 in twips: track width - knob width - 30 pixels.
int SliderTravel(const FFEditorType1& editor, int Index);
// Places knob Index for Value (0..255).
void SetSliderKnob(App& app, int Value, int Index);
// The value the knob's place stands for, not clamped (callers keep the knob in its range).
int GetSliderKnobValue(App& app, int Index);
// The mouse-down of track Index (X, Y in the track's twips): the margins count the value down or
// up while the left button stays down; between them the knob jumps under the pointer.
void SliderTrackClick(App& app, int Index, int Button, int Shift, float X, float Y);
// The mouse-move over knob Index while the left button is down: the knob follows the pointer,
// gripped 4 pixels inside its left edge.
void SliderKnobDrag(App& app, int Index, int Button, int Shift, float X, float Y);
// Shows map Index as one control (Check1 on) or as its two sliders (off).
void ShowMapControls(App& app, int Index);
// Random values for every slider in use that is not locked (its name struck through).
void RandomizeSliders(App& app);

} // namespace vexolan
