#pragma once
// Refreshing the File View after a command changed files: the file boxes, the folder boxes and the
// report lists of one pane, of the pane opposite to it, or of both. A pane that shows the same folder
// (compared in lower case) is refreshed along with the one asked for. None of them rescans the
// Plugin View.

namespace vexolan {

class App;

// Pane `Switchx`, and the other pane when it shows the same folder.
void RefreshFile1(App& app, int Switchx);
// The pane opposite to `Switchx`, and `Switchx` when it shows the same folder: what a command calls
// with the active pane after writing into the other pane's folder.
void RefreshFile1C(App& app, int Switchx);
// Both panes' file boxes and report lists; the folder boxes are left as they are.
void RefreshBoth(App& app, int Switchx);

} // namespace vexolan
