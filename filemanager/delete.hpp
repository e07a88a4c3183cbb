#pragma once
// Delete and Kill of the active pane's selected files. Delete moves them to the desktop's trash
// after asking; Kill erases them at once after a warning. Both keep the Plugin View in step, a row
// leaving only when its own file is gone, and hand over to Kill Folder(s) when no file is selected.

namespace vexolan {

class App;

// "Delete" (Del). In the FFL View it marks the selected library entries deleted in place.
void cmd_DeleteFiles(App& app);
// "Kill" (Shift+Del).
void cmd_Kill(App& app);

} // namespace vexolan
