#pragma once
// The plug-in folder scanner behind the Plugin View.

namespace vexolan {

class App;

// Walks pane `Index`'s folder (and, with "search for plugins in all sub folders", every folder below
// it, depth first, each folder's files before its subfolders, never through a link to a folder),
// writes one catalogue row per filter found and offers every row's category to the pane's category
// list. Unreadable folders are skipped. Returns the number of rows, or 0 when the user held Esc (the
// pane's ScanStopped is then set; the rows and categories found so far stay). `OnlyFF` keeps only
// files of the Filter Factory lengths; with `MultiTask` above 0 pending events are let through every
// round(100 / MultiTask) files. `LastDirInd` is the folder box's list index before the scan.
long ScanPluginRecurse(App& app, int Index, bool OnlyFF, int MultiTask, int LastDirInd);

} // namespace vexolan
