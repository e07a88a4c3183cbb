#pragma once
// What the main window reads of the Preferences window: its live settings and lists, and the
// pages it opens.

#include <string>
#include <vector>

namespace vexolan {

class App;

// The file mask of the checked user-defined plug-in types, each pattern led by ";".
std::string PlugTypeMask(App& app);
// The extensions of the user-defined plug-in types, one per row; unchecked rows are empty.
std::vector<std::string> PlugTypeExtensions(App& app);
// "include txt, afs and pff files" is checked.
bool IncludeSources(App& app);
// "Auto Column Width" is checked.
bool AutoColumnWidth(App& app);
// Shows the Preferences window modally on a tab (1..7), or on the tab it last showed (0).
void ShowPreferences(App& app, int tab);
// The command line of application `Index`.
std::string ApplicationCommand(App& app, int Index);
// Removes favourite folder `Index` from the folder list and rebuilds the Folders menu.
void RemoveFavouriteFolder(App& app, int Index);

} // namespace vexolan
