#pragma once
// Saving the editor's filter in one of the formats of the save-format box, and resetting it.

namespace vexolan {

class App;

// Saves the window's filter in format `Index` of the save-format box (0 "Photoshop Plug" ..
// 4 "Text File").
void SaveFilterAs(App& app, int Index);
// Asks "Delete the current filter?" and puts the window back to the default filter.
void ResetFilter(App& app);
// The same; true when the user answered OK and the window was reset.
bool AskResetFilter(App& app);

} // namespace vexolan
