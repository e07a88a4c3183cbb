#pragma once
// The editor's inline edits and code insertion. The editor shows its texts in labels (information
// fields Label6, slider names Label7, slider values Label1); a click opens the single edit box Text10
// over a label (see the window's events), and CommitLabelEdit takes the edited text back.

#include <string>

namespace vexolan {

class App;

// Takes the text of Text10 into the label under edit and applies it: a value is made a byte (its
// absolute value, then modulo 256, written with a leading blank), the slider follows and, with Auto
// Preview, the preview is refreshed when the value changed; a name shows or hides its slider (both of
// a map's sliders while the map is on). Hides the edit box; nothing is under edit afterwards.
void CommitLabelEdit(App& app);
// Puts `Text` in place of the selection of the open code box (at the caret when nothing is
// selected), selects it, focuses the box and, with Auto Preview, refreshes the preview. Nothing
// happens when no code box is open.
void InsertCodeText(App& app, std::string& Text);
// The font dialog for the four code boxes, starting from the font of the alpha box.
void ChooseCodeFont(App& app);

} // namespace vexolan
