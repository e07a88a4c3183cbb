#pragma once
// The main window's entries into the editor window.

namespace vexolan {

class App;

// View > "FF Editor": hides the editor window when it is visible, otherwise shows it (loading it
// first) with whatever it held. With the plain editor chosen ("Original FF Editor!") there is no
// window to show and the command does nothing visible.
void mnuFFE_Click(App& app);
// Loads the editor window without showing it ("Load all components on startup").
void LoadEditorHidden(App& app);

} // namespace vexolan
