#pragma once
// Temporary stand-in for the Filter Factory editor until the editor exists.

namespace vexolan {

class App;

// View > "FF Editor": opens the editor window.
void mnuFFE_Click(App& app);
// Opens the editor on the current filter: `AlreadyLoaded` when the filter record holds it already
// (a text source just read), otherwise on the active pane's selected file; `BatchChild` when a batch
// opens it.
void LoadintoFFEditor(App& app, bool AlreadyLoaded, bool BatchChild);

} // namespace vexolan
