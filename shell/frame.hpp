#pragma once
// The frame every small window draws for itself: a grey gradient bar along one edge, roll-up to a
// strip on a double click, moving the window by dragging its body, and help on F1.
//
//     void Form3::Form_Paint() { long t = 24; GreyscaleBar(*this, t, true, false); }
//     void Form3::Form_DblClick() { ToggleRollUp(*this, rollUp, RollUpAxis::Height); }
//     void Form3::Form_MouseDown(int Button, ...) { if (Button == 1) BeginCaptionDrag(*this); }

#include <string_view>

namespace ui {
class Window;
}

namespace vexolan {

// Paints the bar, white at the top or left end to black at the other. `Pixelwidth` is the thickness
// in pixels of the 12-twips design grid; it receives the thickness in screen pixels. A horizontal
// bar lies along the top (or, with `Bottomy`, the bottom) edge; otherwise the bar runs down the left
// edge. The window's earlier drawing is cleared first: a paint draws the whole surface afresh.
void GreyscaleBar(ui::Window& Formy, long& Pixelwidth, bool HOrientation, bool Bottomy);

// The roll-up state a window keeps for as long as it exists.
struct RollUpState {
    bool Restored = false;
    long SavedSize = 0; // twips
};
enum class RollUpAxis { Height, Width };
// The size of a rolled-up window, in twips: 28 pixels of the design grid.
int RolledUpSize(const ui::Window& window);
// A double click: rolls the window up to a strip, or back to the size it had.
void ToggleRollUp(ui::Window& window, RollUpState& state, RollUpAxis axis);

// Lets the user move the window by dragging it from the point where the left button went down, as
// if its caption were dragged. Called from a MouseDown procedure with the left button.
void BeginCaptionDrag(ui::Window& window);
// The name under which the screen is asked to start such a drag (see ui::View).
inline constexpr std::string_view CaptionDragRequest = "CaptionDrag";

// Places a window in the middle of the screen.
void CenterOnScreen(ui::Window& window);

} // namespace vexolan
