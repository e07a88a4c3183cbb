#pragma once
// Drag and drop between the panes. The user drags the active pane's selection with the left button
// and drops it on the passive pane (the files move into its folder), on a folder item of a report list
// (they move into that folder) or, for plug-ins, on a category of their own pane (they get that
// category). A drop never acts on what was dragged: it runs a command on the active pane's selection.
//
// The drag itself is carried by the passive pane's visible list, so that the drop handlers can tell
// where it came from; every drag shows the drag picture of the file boxes (DragFilesPicture).
// Index is the pane of the control; X and Y are twips relative to the control; Button is 1 for the
// left button, 0 for none.

namespace ui {
class Control;
}

namespace vexolan {

class App;
class Form1;

// Connects the drag events of both panes' lists and gives the file boxes their drag picture.
void ConnectDragAndDrop(Form1& f);

// --- starting a drag ---
// More than 10 pixels of horizontal movement with the left button held, counted from the first move
// with the button held, starts a file drag from the active pane's report list.
void ListView1_MouseMove(App& app, int Index, int Button, int Shift, float X, float Y);
// The pointer leaving the active pane's file box to the left or right with the left button held.
void File1_MouseMove(App& app, int Index, int Button, int Shift, float X, float Y);
// The same from the plug-in list (measured against the width of the category list): a plug-in drag.
void List3_MouseMove(App& app, int Index, int Button, int Shift, float X, float Y);
void List3_LostFocus(App& app, int Index);

// --- while dragging: the target a drop would hit is highlighted ---
void ListView1_DragOver(App& app, int Index, ui::Control& Source, float X, float Y, int State);
void List2_DragOver(App& app, int Index, ui::Control& Source, float X, float Y, int State);

// --- drops ---
void File1_DragDrop(App& app, int Index, ui::Control& Source, float X, float Y);
void Dir1_DragDrop(App& app, int Index, ui::Control& Source, float X, float Y);
void ListView1_DragDrop(App& app, int Index, ui::Control& Source, float X, float Y);
void List2_DragDrop(App& app, int Index, ui::Control& Source, float X, float Y);
void List3_DragDrop(App& app, int Index, ui::Control& Source, float X, float Y);

} // namespace vexolan
