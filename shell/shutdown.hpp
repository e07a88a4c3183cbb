#pragma once
// How the program ends: the main window's Form_Unload saves both panes and the window to the
// settings store, closes the image handles, shows the edition advertisement on about one exit in
// four, and unloads every other window, which ends the event loop.
//
// The main window's keys, all under the application "Vexo10":
//   "Folders"  Sortkey0/1 ("2"), SortDirection0/1 ("True"/"False"), Folder1/2 (a path),
//              Pattern1/2 (" 2", or "-" and a typed pattern), "0", "1", ... (the favourite folders),
//              Maximize ("True"/"False"), LastX/LastY (pixels)
//   "Settings" Width/Height (pixels, written in the normal state only), FileViewMode0/1 (" 0" to " 4")

namespace vexolan {

class Form1;

// Whether a draw r in [0, 1) shows the advertisement at exit: r rounded at twice its size, halves
// to even, is 0, that is r <= 0.25.
bool AdvertiseAtExit(double r);

// The main window's unload event. `Cancel` is left as it is: closing always proceeds.
void Form_Unload(Form1& f, int& Cancel);

} // namespace vexolan
