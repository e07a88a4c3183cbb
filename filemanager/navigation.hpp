#pragma once
// Moving a pane from folder to folder: what follows a change of the folder box (the file box, the
// current folder, the list, the folder label and the recent folders), the folder box's keys, the
// folder-box button beside the report list, and the buttons that give the other pane this pane's
// folder or take the pane to the desktop.

#include <string>

namespace ui {
class ListBox;
}

namespace vexolan {

class App;

// The pane's folder box changed (by the user, a command, a refill, the drive box or start-up).
void Dir1_Change(App& app, int Index);
// Enter opens the highlighted folder of the folder box.
void Dir1_KeyPress(App& app, int Index, int& KeyAscii);
// Backspace goes up one folder; at the root there is no parent and nothing changes.
void Dir1_KeyUp(App& app, int Index, int& KeyCode, int& Shift);
// "Display folder box": shows the folder box beside the report list (the list then holds no
// sub-folder items) or hides it again, restoring the list's place.
void Image5_Click(App& app, int Index);
// "Synchronize both panes": the other pane opens this pane's folder.
void Image4_Click(App& app, int Index);
// The pane's hidden desktop button: the pane opens the desktop folder.
void Image6_Click(App& app, int Index);

// The recent-folder rules for a visit of `path`: with `autoAdd` or when the folder is listed
// already (compared without regard to case or a trailing "/"), `autoTop` moves it to the top in the
// spelling given, otherwise a new folder is appended; then, when the list holds more than `limit`
// entries, one entry goes (the last with `autoTop`, else the first). Entries end in "/". Returns
// whether the list changed.
bool RememberFolder(ui::ListBox& list, const std::string& path, bool autoAdd, bool autoTop, int limit);

} // namespace vexolan
