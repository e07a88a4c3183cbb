#pragma once
// The file-type filter box Combo1(pane) under each pane's lists: six fixed entries, or a typed
// list of wildcard patterns applied with Enter. The choice sets the pattern of the pane's file box,
// and so what the file box and the report list show.

#include <array>
#include <string>
#include <string_view>

namespace vexolan {

class App;

// The six entries, in the order of the box.
inline constexpr std::array<std::string_view, 6> FilterEntries{
    "All Files (*.*)",
    "Adobe Plugins (*.8bf;*.prm;*.aex)",
    "Image Files (*.jpg;*.gif;*.bmp;*.wmf;*.png;*.tga;*.pcx;*.tif;*.eps)",
    "Defined Plugins (see Preferences)",
    "FF Source Files (*.ffl;*.txt;*.afs;*.pff;*.ffx)",
    "Zip Files (*.zip)",
};
// The entry whose pattern is the mask of the user-defined plug-in types.
inline constexpr int DefinedPluginsEntry = 3;

// The file-box pattern of entry `Index` (0..5); entry 3 is the plug-in type mask, which may be empty
// (an empty pattern lists no files). "" for any other index.
std::string FilterPattern(App& app, int Index);
// Fills pane `Index`'s filter box with the six entries (emptying it first).
void AddFilterEntries(App& app, int Index);

// An entry was chosen: the file box takes its pattern and the list is refilled.
void Combo1_Click(App& app, int Index);
// Enter (13) applies a typed pattern list unchanged (no entry selected) and refills the list.
void Combo1_KeyPress(App& app, int Index, int& KeyAscii);
// The box got the focus: its pane becomes the active one.
void Combo1_GotFocus(App& app, int Index);

} // namespace vexolan
