#pragma once
// The Folders menu on the active pane's File View: create, rename, move and kill folders, and
// DeleteTree, which removes a folder with everything below it. The file commands hand over here
// when their selection holds no file.

#include <string>

namespace vexolan {

class App;

// "Create Folder ...": asks a name ("New") and creates the folder in the active pane's folder.
void cmd_MakeDir(App& app);
// "Rename Folder...": asks a new name for the selected folder (or the pane's own) and renames it
// without ever replacing a folder that exists.
void cmd_RenameFolder(App& app);
void mnuRenameFolder_Click(App& app);
// "Move Folder": moves the selected folder (or the pane's own) into `Diry`, or into the passive
// pane's folder when `Diry` is empty or the source itself; only within one file system.
void cmd_MoveDir(App& app, const std::string& Diry = {});
// "Kill Folder(s)": erases the selected folders with everything in them, after a warning.
void cmd_KillDir(App& app);

// The path of a new folder `name` in `folder`: one "/" between them, none doubled at the root.
std::string NewFolderPath(const std::string& folder, const std::string& name);

// Erases the folder `StartPath` (ending with "/") with all its files, hidden ones included, and its
// sub-folders, each by its own call; links are removed, never followed. A pane showing the folder
// or a folder below it moves to the folder above first. The root, the home folder and every folder
// holding the home or the application folder are refused. Goes on past failures; returns how many
// entries of this folder (the folder itself included) stayed, and unless `Silent` tells the user
// when any did.
int DeleteTree(App& app, const std::string& StartPath, bool Silent);

} // namespace vexolan
