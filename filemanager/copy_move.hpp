#pragma once
// Copy and Move of the active pane's selected files (File View or Plugin View) into the passive
// pane's folder, after the target-folder dialog, with the overwrite prompt for each existing target.
// Nothing is ever lost: a copy replaces a target only once it is whole, a move never deletes a
// target whose source is gone, and a file is never copied or moved onto itself.

#include <string>

namespace vexolan {

class App;

// "Copy" (F5).
void cmd_CopyFiles(App& app);
// "Move" (F6); `DestD` names the folder of a drop, empty for the passive pane. With no file
// selected it hands the selected folder (or the pane's own) to Move Folder.
void cmd_MoveFiles(App& app, const std::string& DestD = {});

} // namespace vexolan
