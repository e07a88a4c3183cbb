#pragma once
// The main window's entries into the editor window.

namespace vexolan {

class App;

// Opens the editor on a filter: `AlreadyLoaded` when the filter record holds it already (a text
// source the caller has just read), otherwise on the active pane's selected entry, read by its
// extension; an entry that is no filter gets the plug-in information box instead. With the plain
// editor chosen ("Original FF Editor!") the filter runs with the plug-in's own dialog over the
// full-size preview picture, and the picture editor shows the result. Otherwise the editor window
// is filled, previewed and shown restored and focused (`BatchChild`: filled, but not shown).
void LoadintoFFEditor(App& app, bool AlreadyLoaded, bool BatchChild);
// View > "FF Editor": hides the editor window when it is visible, otherwise shows it (loading it
// first) with whatever it held. With the plain editor chosen ("Original FF Editor!") there is no
// window to show and the command does nothing visible.
void mnuFFE_Click(App& app);
// Loads the editor window without showing it ("Load all components on startup").
void LoadEditorHidden(App& app);

} // namespace vexolan
