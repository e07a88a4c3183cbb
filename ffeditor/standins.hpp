#pragma once
// Temporary stand-in for the Filter Factory editor until the editor exists.

namespace vexolan {

class App;

// View > "FF Editor": opens the editor window.
void mnuFFE_Click(App& app);
// Loads the current selection into the editor window (the Plugin View's double click).
void LoadintoFFEditor(App& app, bool AlreadyLoaded, bool BatchChild);

} // namespace vexolan
