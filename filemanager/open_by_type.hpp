#pragma once
// Opening a file of the File View by its type: pictures go to the picture editor, Filter Factory
// plug-ins and sources to the editor, libraries to the Convert dialog, plug-ins of a user-defined
// type to the plug-in information, and everything else to the program the desktop associates with
// it, with "Open With" when there is none. Also the Properties box of a file or folder.

#include <string_view>

namespace vexolan {

class App;

// Opens the entry at the list index of the pane's file box (also for Enter and for a double click
// on a file item of the report list, which selects the same name in the file box first, and for the
// file named on the command line).
void File1_DblClick(App& app, int Index);
// "Properties": the one selected file of the active pane, else the selected folder or the pane's
// own folder.
void mnuFileInformation_Click(App& app);
// Shows the desktop's information box of a file or folder; False when there is no such thing.
bool ShowProperties(App& app, std::string_view FileName);

} // namespace vexolan
