#pragma once
// Edit > "Select All" (Ctrl+A) and "Toggle Select" (Ctrl+T) on the active pane's list, by its view:
// every library entry, every plug-in row, every file-box entry, or the report list's file items
// (folder items and " .." are left alone). The change is drawn once.

namespace vexolan {

class App;

void mnuSelectAll_Click(App& app);
void mnuToggleselect_Click(App& app);

} // namespace vexolan
